// Move-only owner of one Win32 handle. Traits name the empty value and how to release it:
//   struct Traits { using Handle = ...; static Handle Invalid(); static void Close(Handle); };
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits>
class Unique {
  public:
    using Handle = typename Traits::Handle;

    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    ~Unique() { Reset(); }

    Unique(Unique&& other) noexcept : handle_(other.Release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }

    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }

  private:
    Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {  // processes, threads, pipes, mutexes, events
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFile uses INVALID_HANDLE_VALUE for "none"
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct FindTraits {  // FindFirstFile searches: INVALID_HANDLE_VALUE for "none", ended by FindClose
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};
template <typename T>
struct GdiTraits {  // fonts, brushes, pens, bitmaps
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};

using UniqueHandle = Unique<KernelHandleTraits>;
using UniqueFile = Unique<FileHandleTraits>;
using UniqueFind = Unique<FindTraits>;
using UniqueKey = Unique<RegKeyTraits>;
using UniqueIcon = Unique<IconTraits>;
using UniqueMenu = Unique<MenuTraits>;
template <typename T>
using UniqueGdi = Unique<GdiTraits<T>>;
using UniqueModule = Unique<ModuleTraits>;

struct GlobalAtomTraits {
    using Handle = ATOM;
    static Handle Invalid() { return 0; }
    static void Close(Handle h) { GlobalDeleteAtom(h); }
};
using UniqueGlobalAtom = Unique<GlobalAtomTraits>;
