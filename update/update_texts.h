// The update's own texts and names, exactly as the user, the log and the maker's site see them.
#pragma once

namespace update_text {

// TfrmUpdate.
inline constexpr char kCaption[] = "Update";
inline constexpr char kDownloading[] = "Downloading new version. Please wait...";
inline constexpr char kClose[] = "&Close";  // shown once the download has failed

// The plain system message boxes, captioned with the application title.
inline constexpr char kDownloadError[] = "Error when download new version!";
inline constexpr char kFailedVerification[] = "The downloaded new version failed verification and was deleted!";

// What the dialog asks of the maker's site, and where it keeps what it gets.
inline constexpr char kAgent[] = "Mozilla/4.0(compatible; MSIE 7.0;  Windows NT 6.0)";
inline constexpr char kAcceptTypes[] = "*/*";
inline constexpr char kInstallerPath[] = "/download/masqng.exe";
inline constexpr char kSignatureSuffix[] = ".sig";  // the detached signature beside the installer
inline constexpr char kInstallerFileName[] = "masqng-update.exe";

// THTTPGet's own agent, for callers that set none.
inline constexpr char kDefaultAgent[] = "Masq NG";

}  // namespace update_text
