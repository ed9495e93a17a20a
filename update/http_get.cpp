#include "update/http_get.h"

#include <atomic>
#include <utility>

#include "update/download_worker.h"

struct THTTPGet::Worker {
    std::atomic<bool> stopRequested{false};
    // Read and cleared on the GUI thread only: the worker reaches the component through calls it
    // hands to the GUI thread, and those find it gone once the component is destroyed.
    THTTPGet* owner = nullptr;
};

THTTPGet::THTTPGet(DownloadPorts ports) : ports_(std::move(ports)) {}

THTTPGet::~THTTPGet() {
    ports_.stallTimer.Stop();
    if (worker_) {
        worker_->stopRequested = true;
        worker_->owner = nullptr;
    }
}

void THTTPGet::StartFileDownload() {
    if (worker_)
        return;
    worker_ = std::make_shared<Worker>();
    worker_->owner = this;
    auto work = [worker = worker_, job = DownloadJob{AcceptTypes, Agent, URL, FileName, TimeOut}, progress = OnProgress,
                 http = ports_.http, files = ports_.files](GuiThread& gui) {
        const DownloadProgress report = [&](std::int32_t totalSize, std::int32_t readed) {
            gui.Run([&] {
                if (!worker->owner)
                    return;
                worker->owner->WatchForStall();  // a piece came: the wait for the next begins
                if (progress)
                    progress(totalSize, readed);
            });
        };
        DownloadResult result;
        try {
            result = RunDownload(job, *http, *files, worker->stopRequested, report);
        } catch (...) {
            result = {};  // whatever went wrong, the download failed
        }
        gui.Run([&] {
            if (worker->owner)
                worker->owner->Complete(result.success && !worker->stopRequested, job.fileName, result.totalSize);
        });
    };
    try {
        ports_.threads.StartWorker(std::move(work));
    } catch (...) {  // no thread to be had: the download failed before it began
        Complete(false, FileName, 0);
        return;
    }
    WatchForStall();
}

void THTTPGet::WatchForStall() {
    ports_.stallTimer.Start(StallTimeOut, [this] { Stalled(); });
}

// The worker may sit in a read that only the server ends: it is told to stop and left to end by
// itself, and none of its calls reaches the component any more.
void THTTPGet::Stalled() {
    if (!worker_)
        return;
    worker_->stopRequested = true;
    worker_->owner = nullptr;
    Complete(false, FileName, 0);
}

void THTTPGet::StopDownload() {
    if (worker_)
        worker_->stopRequested = true;
}

void THTTPGet::Complete(bool success, const std::string& fileName, std::int32_t totalSize) {
    ports_.stallTimer.Stop();
    worker_.reset();  // before the events, so that a handler may start the next download
    if (success) {
        if (OnDoneFile)
            OnDoneFile(fileName, totalSize);
    } else if (OnError) {
        OnError();
    }
}
