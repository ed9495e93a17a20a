// THTTPGet: downloads one HTTP resource into a file without blocking the user interface. The
// transfer runs on a worker thread (the program's only second thread); progress after every
// piece, and at the end exactly one of OnDoneFile and OnError, are raised on the GUI thread while
// the worker waits. Set the properties, assign the events, call StartFileDownload.
//
// A download that brings no piece for StallTimeOut fails at once, like any other failure: a
// server that sends a byte now and then would otherwise hold it (and the dialog that waits for
// it) open for ever, each byte in time for the connection's own time-out. Its worker is left to
// end by itself, as at the component's destruction.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "update/download_files.h"
#include "update/http_client.h"
#include "update/stall_timer.h"
#include "update/update_texts.h"
#include "update/worker_threads.h"

struct DownloadPorts {
    std::shared_ptr<HttpClient> http;  // shared with a worker that may outlive the component
    std::shared_ptr<DownloadFiles> files;
    WorkerThreads& threads;
    StallTimer& stallTimer;
};

class THTTPGet {
  public:
    explicit THTTPGet(DownloadPorts ports);
    // Stops a running download; none of its events is raised any more.
    ~THTTPGet();
    THTTPGet(const THTTPGet&) = delete;
    THTTPGet& operator=(const THTTPGet&) = delete;

    std::string AcceptTypes = "*/*";
    std::string Agent = update_text::kDefaultAgent;
    std::string URL;                           // "http://" + host + path; always port 80
    std::string FileName;                      // full path of the file to write
    std::chrono::milliseconds TimeOut{30000};  // see HttpGet::timeout
    std::chrono::milliseconds StallTimeOut{60000};  // the longest wait for the next piece

    std::function<void(std::int32_t totalSize, std::int32_t readed)> OnProgress;
    std::function<void(const std::string& fileName, std::int32_t fileSize)> OnDoneFile;
    std::function<void()> OnError;

    // Starts a download of URL into FileName with a copy of the settings (OnProgress included);
    // ignored while one runs. Returns at once. An event handler may start the next download.
    void StartFileDownload();
    // Asks the running worker to stop at its next check; the download then ends in OnError.
    void StopDownload();
    bool Downloading() const { return worker_ != nullptr; }

  private:
    struct Worker;  // what the component and its worker share
    void Complete(bool success, const std::string& fileName, std::int32_t totalSize);
    void Stalled();
    void WatchForStall();

    DownloadPorts ports_;
    std::shared_ptr<Worker> worker_;  // none when idle
};
