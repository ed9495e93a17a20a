// Tells the version this executable sees through its exit code (major * 100 + minor), so a test
// can start it under a per-executable Wine version setting.
#include "platform/environment.h"
#include "platform/os_info_win.h"

int main() {
    return GetOSName(WinOsInfo().QueryOsVersion()).versionCode;
}
