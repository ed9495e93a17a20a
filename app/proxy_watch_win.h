// The program's watch on Windows (app/proxy_watch.h): started by the program, run by masqng.exe
// when its command line asks for a stage of it.
#pragma once

#include "app/proxy_watch.h"

// The mutex a running watch holds for its whole life. The installer waits until none is left
// before it replaces the program's files, and a new start waits for the watch of the run before
// it, so that no two clear at once.
inline constexpr char kWatchMutexName[] = "MasqWatch";

// Starts this program's watch, once the watch of an ended run has finished (a few seconds at
// most). Without a watch the program runs all the same: its next start mends what it leaves.
void StartProxyWatch();

// A stage of the watch, as masqng.exe runs it instead of the program; its exit code.
int RunProxyWatch(const WatchRequest& request);
