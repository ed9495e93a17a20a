// Whether a downloaded installer may run. It must carry the maker's signature, checked against
// the key built into the program: the directory reply and the download both travel over plain
// HTTP, so only a key the program already holds tells the maker's file from one changed on the
// way. When the directory reply also names the file's SHA-256 ("NewVersionSHA256"), the file
// must match it as well; a reply without it (an older directory service) is checked by the
// signature alone.
#pragma once

#include <string>
#include <string_view>

#include "common/makers_crypto.h"
#include "update/download_files.h"

// `expectedSha256` is the reply's text, empty when the reply has none. A text that is present
// but no SHA-256 refuses the file: the reply was damaged or tampered with.
bool IsGenuineInstaller(const std::string& installerPath,
                        const std::string& signaturePath,
                        std::string_view expectedSha256,
                        MakersCrypto& crypto,
                        DownloadFiles& files);
