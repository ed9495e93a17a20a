// Owning handles of Windows CNG (bcrypt): algorithm providers, keys and hashes.
#pragma once

#include <windows.h>
// after windows.h
#include <bcrypt.h>

#include "common/unique_handle_win.h"

struct AlgorithmTraits {
    using Handle = BCRYPT_ALG_HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { BCryptCloseAlgorithmProvider(h, 0); }
};
struct CngKeyTraits {
    using Handle = BCRYPT_KEY_HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { BCryptDestroyKey(h); }
};
struct CngHashTraits {
    using Handle = BCRYPT_HASH_HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { BCryptDestroyHash(h); }
};
using UniqueAlgorithm = Unique<AlgorithmTraits>;
using UniqueCngKey = Unique<CngKeyTraits>;
using UniqueCngHash = Unique<CngHashTraits>;
