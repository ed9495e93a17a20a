// The download worker's steps, in order, with the stop checks between them. Runs on the worker
// thread; touches nothing but its own copy of the settings and the ports it is given.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "update/download_files.h"
#include "update/http_client.h"

// The body is read in pieces of at most this many bytes, with a progress report after each.
inline constexpr std::size_t kDownloadChunkSize = 1025;

struct DownloadJob {  // the worker's copy of THTTPGet's settings
    std::string acceptTypes;
    std::string agent;
    std::string url;
    std::string fileName;
    std::chrono::milliseconds timeout{0};
};

struct DownloadResult {
    bool success = false;
    std::int32_t totalSize = 0;  // the Content-Length
    std::int32_t readed = 0;     // body bytes written to the file
};

using DownloadProgress = std::function<void(std::int32_t totalSize, std::int32_t readed)>;

// Fetches `job.url` into `job.fileName`. Stops, with a failed result, when `stopRequested` is
// set at one of its checks: before connecting, after sending, after reading the headers and
// before each read of the body. Succeeds exactly when the status is 200 and the body holds
// exactly the announced number of bytes. Nothing is written without a usable Content-Length;
// no byte past the announced length is ever written, and a longer body fails; a failed or
// stopped download leaves what it wrote.
DownloadResult RunDownload(const DownloadJob& job,
                           HttpClient& http,
                           DownloadFiles& files,
                           const std::atomic<bool>& stopRequested,
                           const DownloadProgress& progress);
