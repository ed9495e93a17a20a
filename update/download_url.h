// Download addresses: how THTTPGet splits a URL (common/split_url.h), and where the update finds
// the new version.
#pragma once

#include <string>
#include <string_view>

#include "common/split_url.h"

// "http://" + the maker's web host + "/download/masqng.exe", and its detached signature.
std::string InstallerUrl(std::string_view webHost);
std::string SignatureUrl(std::string_view webHost);
