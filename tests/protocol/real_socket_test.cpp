// The receive step over the platform's real sockets, on loopback only: the
// native POSIX stand-in and Wine's wsock32 must agree with the simulated LAN
// on whole, empty and oversized datagrams.  Nothing here is sent anywhere
// but 127.0.0.1.
#include <string.h>

#include <gtest/gtest.h>

#include "platform/sockets.h"
#include "protocol/endpoint.h"

namespace {

class RealSocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitNetwork();
        peer = RealSockets().socket(NET_AF_INET, NET_SOCK_DGRAM, 0);
        ASSERT_NE(NET_INVALID_SOCKET, peer);
        memset(&loopback, 0, sizeof loopback);
        loopback.sin_family = NET_AF_INET;
        loopback.sin_port = NetHtons(ADAPTER_PORT);
        loopback.sin_addr = NetInetAddr("127.0.0.1");
        Drain();
    }
    void TearDown() override {
        RealSockets().closesocket(peer);
        CloseNetwork();
    }
    void Send(const std::string &bytes) {
        ASSERT_EQ((int)bytes.size(), RealSockets().sendto(peer, bytes.data(), (int)bytes.size(), 0, &loopback,
                                                          (int)sizeof loopback));
    }
    // Polls until something arrives (a loopback datagram is there within a
    // few polls); gives up after 100.
    PollResult PollUntilSomething() {
        for (int i = 0; i < 100; i++) {
            const PollResult r = PollReply(buffer, &n);
            if (r != POLL_NONE) return r;
        }
        return POLL_NONE;
    }
    void Drain() {
        while (PollReply(buffer, &n) != POLL_NONE) {
        }
    }
    NetSocket peer = NET_INVALID_SOCKET;
    NetSockAddrIn loopback;
    unsigned char buffer[MAX_DATAGRAM + 1];
    int n = -1;
};

TEST_F(RealSocketTest, DatagramOf4096BytesArrivesWhole) {
    std::string big(4096, 'b');
    big[4095] = 'e';
    Send(big);
    memset(buffer, 0xCC, sizeof buffer);
    ASSERT_EQ(POLL_DATAGRAM, PollUntilSomething());
    EXPECT_EQ(4096, n);
    EXPECT_EQ('e', buffer[4095]);
    EXPECT_EQ(0, buffer[4096]);
}

TEST_F(RealSocketTest, EmptyDatagramIsZeroBytes) {
    Send("");
    ASSERT_EQ(POLL_DATAGRAM, PollUntilSomething());
    EXPECT_EQ(0, n);
}

TEST_F(RealSocketTest, DatagramOver4096BytesFailsAndIsLost) {
    Send(std::string(4097, 'x'));
    Send("abc");
    EXPECT_EQ(POLL_FAILED, PollUntilSomething());
    ASSERT_EQ(POLL_DATAGRAM, PollUntilSomething());
    EXPECT_EQ(3, n);
    EXPECT_STREQ("abc", reinterpret_cast<char *>(buffer));
}

}  // namespace
