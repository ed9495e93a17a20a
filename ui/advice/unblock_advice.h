// The two kinds of advice on letting the program through a firewall: after a directory request
// that reached no host (the dialog offers to try again), and after the tunnel client said it
// cannot reach the Internet (it does not).
#pragma once

enum class UnblockAdvice { DirectoryRequestFailed = 1, TunnelCannotReachInternet = 2 };
