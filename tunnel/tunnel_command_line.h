// The tunnel client's command line: its options in a fixed order, the values inserted as they
// are (an empty value leaves two blanks in a row; nothing is quoted), e.g.
//   C:\Masq\warden -name U -key K -do -H 7070 -masq -port 443 -say 1.2.3.4
#pragma once

#include <string>

struct TunnelCommand {
    std::string appFolder;     // ends in a backslash
    std::string user;          // ServerUser
    std::string key;           // ServerKey
    std::string internalPort;  // the local proxy's port
    std::string nodePort;      // ServerPort
    std::string nodeHost;      // the node's address
};

std::string TunnelCommandLine(const TunnelCommand& command);
