#include "tests/e2e/opened_documents.h"

#include <windows.h>

#include "tests/driver/files.h"
#include "tests/driver/wait.h"

namespace e2e {

using namespace driver;

OpenedDocuments::OpenedDocuments(const std::string& browser) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    log_ = std::string(temp) + "masq-opened-" + browser + ".txt";
    DeleteFileA(log_.c_str());
    const std::string command = "cmd.exe /c echo %1>>\"" + log_ + "\"";
    Replace("http\\shell\\open\\command", command);
    // A fresh Wine prefix has a "txtfile" class but no ".txt" pointing at it.
    std::optional<std::string> textClass = RegistryValue(HKEY_CLASSES_ROOT, ".txt", "");
    if (!textClass)
        Replace(".txt", "txtfile");
    Replace(textClass.value_or("txtfile") + "\\shell\\open\\command", command);
}

OpenedDocuments::~OpenedDocuments() {
    for (auto it = replaced_.rbegin(); it != replaced_.rend(); ++it) {
        if (it->second)
            SetRegistryValue(HKEY_CLASSES_ROOT, it->first, "", *it->second);
        else
            DeleteRegistryValue(HKEY_CLASSES_ROOT, it->first, "");
    }
    DeleteFileA(log_.c_str());
}

void OpenedDocuments::Replace(const std::string& key, const std::string& value) {
    replaced_.emplace_back(key, RegistryValue(HKEY_CLASSES_ROOT, key, ""));
    SetRegistryValue(HKEY_CLASSES_ROOT, key, "", value);
}

size_t OpenedDocuments::Count() const {
    return ReadLines(log_).value_or(std::vector<std::string>{}).size();
}

std::string OpenedDocuments::Next() {
    std::string document;
    WaitUntil([&] {
        auto lines = ReadLines(log_);
        if (!lines || lines->size() <= seen_)
            return false;
        document = (*lines)[seen_];
        return true;
    });
    if (!document.empty())
        ++seen_;
    // The shell may quote what it hands over.
    if (document.size() >= 2 && document.front() == '"' && document.back() == '"')
        document = document.substr(1, document.size() - 2);
    return document;
}

}  // namespace e2e
