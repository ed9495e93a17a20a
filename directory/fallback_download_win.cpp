#include "directory/fallback_download_win.h"

#include <windows.h>
// after windows.h
#include <urlmon.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "common/unique_handle_win.h"

namespace {

// URLDownloadToFileA waits for a server that accepts and stays silent for ever, and lets nothing
// run on its thread meanwhile: the only way out is IBinding::Abort from another thread. The
// callback hands the binding over as soon as the download starts.
class BindingWatch final : public IBindStatusCallback {
  public:
    ~BindingWatch() {
        if (binding_)
            binding_->Release();
    }
    // Aborts the download, once it has started.
    void Abort() {
        std::lock_guard lock(mutex_);
        if (binding_)
            binding_->Abort();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IBindStatusCallback) {
            *object = static_cast<IBindStatusCallback*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the caller's stack for the whole download.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding* binding) override {
        std::lock_guard lock(mutex_);
        binding->AddRef();
        if (binding_)
            binding_->Release();
        binding_ = binding;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
    // Fresh from the server, as the program's own request: a reply from the cache may name nodes
    // long gone.
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO*) override {
        *flags |= BINDF_GETNEWESTVERSION;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  private:
    std::mutex mutex_;  // the watchdog's thread aborts while the download's thread starts
    IBinding* binding_ = nullptr;
};

// Aborts the download when it outlasts its time: at the limit, and again every moment after it
// until the download has returned (it may not have started its binding by the limit).
class Watchdog {
  public:
    Watchdog(BindingWatch& watch, std::chrono::milliseconds limit)
        : thread_([this, &watch, limit] {
              std::unique_lock lock(mutex_);
              if (done_changed_.wait_for(lock, limit, [this] { return done_; }))
                  return;
              while (!done_) {
                  lock.unlock();
                  watch.Abort();
                  lock.lock();
                  done_changed_.wait_for(lock, std::chrono::milliseconds(100), [this] { return done_; });
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        done_changed_.notify_all();
        thread_.join();
    }

  private:
    std::mutex mutex_;
    std::condition_variable done_changed_;
    bool done_ = false;
    std::thread thread_;  // last: it starts once the members it uses exist
};

bool Download(const std::string& url, const std::string& path, std::chrono::milliseconds timeLimit) {
    BindingWatch watch;
    HRESULT result;
    {
        Watchdog watchdog(watch, timeLimit);
        result = URLDownloadToFileA(nullptr, url.c_str(), path.c_str(), 0, &watch);
    }
    return result == S_OK;
}

// The file's text when it holds at most `maxBytes`; empty otherwise.
std::string ReadBounded(const std::string& path, std::size_t maxBytes) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 || ULONGLONG(size.QuadPart) > maxBytes)
        return {};
    std::string text(std::size_t(size.QuadPart), '\0');
    DWORD read = 0;
    if (!text.empty() &&
        (!ReadFile(file.Get(), text.data(), DWORD(text.size()), &read, nullptr) || read != text.size()))
        return {};
    return text;
}

}  // namespace

std::optional<std::string> WinFallbackDownload::DownloadText(const std::string& url,
                                                             const std::string& path,
                                                             std::chrono::milliseconds timeLimit,
                                                             std::size_t maxBytes) {
    const bool downloaded = Download(url, path, timeLimit);
    std::string text = downloaded ? ReadBounded(path, maxBytes) : std::string();
    DeleteFileA(path.c_str());  // whether or not it could be read; a failure to delete is ignored
    if (!downloaded)
        return std::nullopt;
    return text;
}
