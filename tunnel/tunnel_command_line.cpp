#include "tunnel/tunnel_command_line.h"

std::string TunnelCommandLine(const TunnelCommand& c) {
    return c.appFolder + "warden -name " + c.user + " -key " + c.key + " -do -H " + c.internalPort + " -masq -port " +
           c.nodePort + " -say " + c.nodeHost;
}
