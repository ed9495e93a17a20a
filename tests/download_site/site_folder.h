// The download site's folder as the Wine tests fill it: the files download_site.py serves on
// 127.0.0.40:80 (or the address it took when another test run held that one), how it serves each,
// and the requests it saw.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/driver/files.h"

inline constexpr char kSiteHost[] = "127.0.0.40";

class SiteFolder {
  public:
    // The folder as download_site.py was started on it (a Linux path).
    explicit SiteFolder(const std::string& linuxRoot) : root_(driver::WindowsPathOf(linuxRoot) + "\\") {}

    // Where the site listens, port 80.
    std::string Host() const { return driver::ReadFile(root_ + "address").value_or(kSiteHost); }

    // Serves `bytes` at `path` ("/download/masqng.exe"); `mode` is a line of download_site.py's
    // modes ("no-length", "hold 3000", ...), empty for a plain answer.
    void Serve(const std::string& path, const std::string& bytes, const std::string& mode = {}) const {
        CreateDirectoryA(FileOf(path.substr(0, path.rfind('/'))).c_str(), nullptr);
        driver::WriteFile(FileOf(path), bytes);
        if (mode.empty())
            DeleteFileA((FileOf(path) + ".mode").c_str());
        else
            driver::WriteFile(FileOf(path) + ".mode", mode);
        DeleteFileA((FileOf(path) + ".go").c_str());
    }
    void Remove(const std::string& path) const { DeleteFileA(FileOf(path).c_str()); }
    // Lets a "hold" or "drip" answer go on.
    void Release(const std::string& path) const { driver::WriteFile(FileOf(path) + ".go", ""); }

    // "GET /path HTTP/1.0<TAB>User-Agent: ...<TAB>Accept: ..." for each request of a path that
    // begins with `prefix`, oldest first. Tests that may run side by side ask for paths of their own.
    std::vector<std::string> Requests(const std::string& prefix) const {
        std::vector<std::string> requests;
        for (const std::string& line : driver::ReadLines(root_ + "requests.log").value_or(std::vector<std::string>{}))
            if (line.rfind("GET " + prefix, 0) == 0)
                requests.push_back(line);
        return requests;
    }

  private:
    std::string FileOf(const std::string& path) const {
        std::string file = root_ + path.substr(1);
        for (char& c : file)
            if (c == '/')
                c = '\\';
        return file;
    }

    std::string root_;
};
