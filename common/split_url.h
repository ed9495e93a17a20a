// A URL taken apart the way the program's HTTP requests take it: the directory request and the
// update's download both ask port 80 of the host for the path.
#pragma once

#include <string>
#include <string_view>

struct UrlParts {
    std::string host;  // empty when the URL has no "/" after the host: the request then fails
    std::string path;  // from the first "/" after the host to the end
};

// Drops the first seven characters when the URL contains "http://" in any letter case; the host
// runs to the first "/". The port is always 80: a port written in the URL stays part of the host.
UrlParts SplitUrl(std::string_view url);
