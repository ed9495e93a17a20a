// The maker's signature on the directory reply, on the real program against the maker's site
// (tests/e2e/services.sh): a forged reply is refused and the next host's honest one taken, and
// without any signed reply there is no node at all.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/driver/wait.h"
#include "tests/e2e/masq_fixture.h"
#include "tests/e2e/web_page.h"

namespace e2e {

using namespace driver;

namespace {

// Where the forger's reply sends the tunnel client: its own address at the node's port. Listens
// there, so that any connection the program's client made shows.
class ForgersNode {
  public:
    ForgersNode(const std::string& host, const std::string& port) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(std::uint16_t(std::stoi(port)));
        inet_pton(AF_INET, host.c_str(), &address.sin_addr);
        u_long nonBlocking = 1;
        listening_ = bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
                     listen(socket_, 8) == 0 && ioctlsocket(socket_, FIONBIO, &nonBlocking) == 0;
    }
    ~ForgersNode() {
        closesocket(socket_);
        WSACleanup();
    }
    ForgersNode(const ForgersNode&) = delete;
    ForgersNode& operator=(const ForgersNode&) = delete;

    bool Listening() const { return listening_; }
    bool WasConnected() {
        const SOCKET client = accept(socket_, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            return false;
        closesocket(client);
        return true;
    }

  private:
    SOCKET socket_ = INVALID_SOCKET;
    bool listening_ = false;
};

TEST_F(MasqTest, AForgedPrimaryReplyIsRefusedAndTheFirstMirrorsNodeCarriesTheTraffic) {
    UseDirectoryAtStart(10);
    const MakerSite& site = RunningSite();
    UseDirectoryHosts(site.forged, site.mirror1, site.mirror2);
    ForgersNode forgersNode(site.forged, RunningNode().port);
    ASSERT_TRUE(forgersNode.Listening());
    Masq masq;
    ASSERT_TRUE(masq.WaitForLog("Masq ON"));
    EXPECT_EQ(DirectoryTexts(masq),
              (std::vector<std::string>{"Init settings...", "Done", "SilentUpdate...", "SilentUpdate-0 ...",
                                        "SilentUpdate-0 OK", "Directory reply not signed by the maker",
                                        "UpdateVerify-0 Failed", "SilentUpdate-1 ...", "SilentUpdate-1 OK",
                                        "UpdateVerify-1 OK", "Select IP: United States #1"}));

    // The mirror's node carries what a web site sees; the forger's never heard from the program.
    EXPECT_EQ(FetchPageThroughSocks5(RunningNode().localPort, site.mirror1, "/ip.php"), RunningNode().outAddress);
    EXPECT_FALSE(forgersNode.WasConnected());
    const std::vector<std::string> texts = masq.LogTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Masq ON"), 1);
}

TEST_F(MasqTest, WhenNoHostSignsItsReplyNoTunnelRunsAndTheUserIsAdvised) {
    UseDirectoryAtStart(10);
    const std::string& host = RunningSite().withoutSignature;
    UseDirectoryHosts(host, host, host);
    Masq masq;
    ASSERT_TRUE(masq.WaitForLog("Please unblock Masq NG"));
    EXPECT_EQ(DirectoryTexts(masq), (std::vector<std::string>{"Init settings...",
                                                              "Done",
                                                              "SilentUpdate...",
                                                              "SilentUpdate-0 ...",
                                                              "SilentUpdate-0 OK",
                                                              "Directory reply not signed by the maker",
                                                              "UpdateVerify-0 Failed",
                                                              "SilentUpdate-1 ...",
                                                              "SilentUpdate-1 OK",
                                                              "Directory reply not signed by the maker",
                                                              "UpdateVerify-1 Failed",
                                                              "SilentUpdate-2 ...",
                                                              "SilentUpdate-2 OK",
                                                              "Directory reply not signed by the maker",
                                                              "UpdateVerify-2 Failed",
                                                              "BakUpdate OK",
                                                              "Directory reply not signed by the maker",
                                                              "BakUpdateVerify Failed",
                                                              "SilentUpdate Failed!",
                                                              "Please unblock Masq NG"}));
    EXPECT_TRUE(masq.CloseUnblockAdvice());
    EXPECT_TRUE(masq.ClientProcesses().empty());
}

}  // namespace
}  // namespace e2e
