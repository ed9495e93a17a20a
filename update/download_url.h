// Download addresses: how THTTPGet splits a URL, and where the update finds the new version.
#pragma once

#include <string>
#include <string_view>

struct UrlParts {
    std::string host;  // empty when the URL has no "/" after the host
    std::string path;  // from the first "/" after the host to the end
};

// Drops the first seven characters when the URL contains "http://" in any letter case; the host
// runs to the first "/". The port is always 80: a port written in the URL stays part of the host.
UrlParts SplitUrl(std::string_view url);

// "http://" + the maker's web host + "/download/masqng.exe", and its detached signature.
std::string InstallerUrl(std::string_view webHost);
std::string SignatureUrl(std::string_view webHost);
