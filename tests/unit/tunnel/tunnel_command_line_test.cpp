#include "tunnel/tunnel_command_line.h"

#include <gtest/gtest.h>

TEST(TunnelCommandLine, JoinsTheOptionsInTheirOrderWithTheValuesAsTheyAre) {
    EXPECT_EQ(TunnelCommandLine({"C:\\Masq\\", "u53r", "k3y", "7070", "443", "1.2.3.4"}),
              "C:\\Masq\\warden -name u53r -key k3y -do -H 7070 -masq -port 443 -say 1.2.3.4");
    // Empty values leave two blanks in a row; a folder with a blank is not quoted.
    EXPECT_EQ(TunnelCommandLine({"C:\\Program Files\\Masq NG\\", "", "", "7070", "443", "1.2.3.4"}),
              "C:\\Program Files\\Masq NG\\warden -name  -key  -do -H 7070 -masq -port 443 -say 1.2.3.4");
}
