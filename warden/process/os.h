// The few things warden does differently on Windows and on POSIX systems.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <asio/ip/tcp.hpp>
#include <asio/signal_set.hpp>

namespace warden::os {

// Once at start: no SIGPIPE on POSIX; on Windows no error dialogs, since warden has no window.
void PrepareProcess();

// The command line as tokens. On Windows the raw line split at each single blank, so that
// an empty value between two blanks survives; on POSIX the arguments after the program.
std::vector<std::string> CommandTokens(int argc, char** argv);

// Writes one whole status line to standard output at once, unbuffered: the reader must never
// see half a line, nor wait for a buffer to fill.
void WriteStatusLine(std::string_view line);

// POSIX: may bind over connections in TIME_WAIT (never over a listener). Windows: no other
// program may bind the same port while warden holds it.
void PrepareListener(asio::ip::tcp::acceptor& acceptor);

// The signals that ask warden to stop.
void AddStopSignals(asio::signal_set& signals);

}  // namespace warden::os
