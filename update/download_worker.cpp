#include "update/download_worker.h"

#include <algorithm>
#include <array>

#include "update/download_url.h"
#include "update/received_values.h"

namespace {

constexpr int kStatusOK = 200;

}  // namespace

DownloadResult RunDownload(const DownloadJob& job,
                           HttpClient& http,
                           DownloadFiles& files,
                           const std::atomic<bool>& stopRequested,
                           const DownloadProgress& progress) {
    DownloadResult result;
    const UrlParts url = SplitUrl(job.url);
    if (stopRequested || url.host.empty())
        return result;

    const auto response = http.Send({job.agent, url.host, url.path, job.acceptTypes, job.timeout});
    if (!response || stopRequested)
        return result;

    // A server's error page is no download, whatever its length.
    const std::optional<std::int32_t> total =
        response->StatusCode() == kStatusOK ? ParseContentLength(response->ContentLength()) : std::nullopt;
    if (stopRequested || !total)
        return result;

    const auto file = files.Create(job.fileName);
    if (!file)
        return result;
    result.totalSize = *total;

    std::array<char, kDownloadChunkSize> buffer;
    bool longerThanAnnounced = false;
    for (;;) {
        if (stopRequested)
            return result;
        // Never ask for more than was announced; once it has all come, ask for one byte more
        // only to notice a server that sends more than it said.
        const std::size_t remaining = std::size_t(result.totalSize - result.readed);
        const std::size_t wanted = remaining > 0 ? std::min(buffer.size(), remaining) : 1;
        const std::optional<std::size_t> got = response->Read(buffer.data(), wanted);
        if (!got || *got == 0)
            break;
        if (remaining == 0) {
            longerThanAnnounced = true;
            break;
        }
        if (!file->Write(buffer.data(), *got))
            return result;
        result.readed += std::int32_t(*got);
        if (progress)
            progress(result.totalSize, result.readed);
    }
    result.success = !longerThanAnnounced && result.readed == result.totalSize;
    return result;
}
