#include "platform/registry_win.h"

#include "common/unique_handle_win.h"

namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT;
}

// Never creates the key: LONG is the registry's answer, ERROR_SUCCESS when `key` holds it.
LONG OpenExisting(RegistryRoot root, std::string_view key, REGSAM access, UniqueKey& opened) {
    HKEY handle = nullptr;
    LONG result = RegOpenKeyExA(RootKey(root), std::string(key).c_str(), 0, access, &handle);
    opened.Reset(result == ERROR_SUCCESS ? handle : nullptr);
    return result;
}

}  // namespace

std::optional<std::string> WinRegistry::ReadString(RegistryRoot root,
                                                   std::string_view key,
                                                   std::string_view value) const {
    UniqueKey opened;
    if (OpenExisting(root, key, KEY_QUERY_VALUE, opened) != ERROR_SUCCESS)
        return std::nullopt;
    const std::string name(value);
    // Ask for the size first; the value may grow between the two calls, so ask again then.
    for (;;) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(opened.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return std::nullopt;
        std::string data(size, '\0');
        LONG result =
            RegQueryValueExA(opened.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            return std::nullopt;
        data.resize(size);
        // The stored size counts the terminating zero, when the writer stored one.
        while (!data.empty() && data.back() == '\0')
            data.pop_back();
        return data;
    }
}

bool WinRegistry::WriteString(RegistryRoot root, std::string_view key, std::string_view value, std::string_view data) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(RootKey(root), std::string(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &handle, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    UniqueKey opened(handle);
    const std::string text(data);
    return RegSetValueExA(opened.Get(), std::string(value).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool WinRegistry::DeleteValue(RegistryRoot root, std::string_view key, std::string_view value) {
    UniqueKey opened;
    LONG result = OpenExisting(root, key, KEY_SET_VALUE, opened);
    if (result == ERROR_FILE_NOT_FOUND)
        return true;
    if (result != ERROR_SUCCESS)
        return false;
    result = RegDeleteValueA(opened.Get(), std::string(value).c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
