// The node directory's texts, exactly as the user, the log and the directory service see them.
#pragma once

namespace directory_text {

// The request.
inline constexpr char kRequestPath[] = "/update-ng.php";
inline constexpr char kAgent[] = "Mozilla/4.0(compatible; MSIE 7.0;  Windows NT 6.0)";
inline constexpr char kFallbackFileName[] = "flxdxa.temp";
inline constexpr char kBeginMarker[] = "B=1";
inline constexpr char kEndMarker[] = "E=1";
inline constexpr char kSignatureName[] = "Signature";  // the reply's last line: the maker's signature

// The request's steps in the log and on the tray.
inline constexpr char kInitSettings[] = "Init settings...";
inline constexpr char kDone[] = "Done";
inline constexpr char kSilentUpdate[] = "SilentUpdate...";
inline constexpr char kPleaseWait[] = "SilentUpdate. Please wait...";
inline constexpr char kTryPrefix[] = "Try SilentUpdate-";
inline constexpr char kAttemptPrefix[] = "SilentUpdate-";
inline constexpr char kVerifyPrefix[] = "UpdateVerify-";
inline constexpr char kEllipsisSuffix[] = " ...";
inline constexpr char kNotSignedByMaker[] = "Directory reply not signed by the maker";
inline constexpr char kOkSuffix[] = " OK";
inline constexpr char kFailedSuffix[] = " Failed";
inline constexpr char kFallbackFailed[] = "Bakupdate Failed";
inline constexpr char kFallbackOk[] = "BakUpdate OK";
inline constexpr char kFallbackVerifyOk[] = "BakUpdateVerify OK";
inline constexpr char kFallbackVerifyFailed[] = "BakUpdateVerify Failed";
inline constexpr char kRequestFailed[] = "SilentUpdate Failed!";
inline constexpr char kPleaseUnblock[] = "Please unblock Masq NG";

// The reply's names.
inline constexpr char kServiceOneName[] = "ServiceNotAvailable-1";
inline constexpr char kServiceTwoName[] = "ServiceNotAvailable-2";
inline constexpr char kNewVersionName[] = "NewVersion";
inline constexpr char kNewVersionSha256Name[] = "NewVersionSHA256";  // the new installer's digest, for the update
inline constexpr char kCountName[] = "C";
inline constexpr char kPortName[] = "P";
inline constexpr char kUserName[] = "U";
inline constexpr char kKeyName[] = "K";

// What the reply makes the program say.
inline constexpr char kServiceOneNotAvailable[] = "Service #1 NOT available! Please contact us at once!";
inline constexpr char kServiceTwoNotAvailable[] = "Service #2 NOT available! Please contact us at once!";
inline constexpr char kNewVersionNeeded[] = "New version of Masq NG is needed! Your current version is: ";
inline constexpr char kNothingUseful[] = "SilentUpdate Failed! Nothing Useful!";
inline constexpr char kMalformedReply[] = "Malformed directory reply: ";
inline constexpr char kPleaseSelect[] = "Please Select an IP Address";
inline constexpr char kNodeCaptionSuffix[] = " Masq Node";

// The node selection dialog.
inline constexpr char kSelectIpCaption[] = "Select IP";
inline constexpr char kSelectIpPrompt[] = "Select an IP address you prefer to use:";
inline constexpr char kAlwaysChooseLocation[] = "Always choose this location";
inline constexpr char kCancelButton[] = "&Cancel";
inline constexpr char kOkButton[] = "&OK";
inline constexpr char kNodeRowIndent[] = "  ";
inline constexpr char kSelectIpLog[] = "Select IP: ";

}  // namespace directory_text
