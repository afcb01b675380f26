// Bringing the endpoint up and down, the receive step and the own-reply test.
#include <string.h>

#include <gtest/gtest.h>

#include "protocol/endpoint.h"
#include "tests/support/bytes.h"
#include "tests/support/lan_fixture.h"
#include "tests/support/simlan.h"

namespace {

const uint8_t k192_168_0_20[4] = {192, 168, 0, 20};

TEST(InitNetwork, LocalIdentityComesFromTheHostsFirstAddress) {
    SimLan lan;
    lan.SetHostAddress(k192_168_0_20);
    InitNetwork();
    EXPECT_STREQ("192.168.0.20", LocalAddressText);
    EXPECT_EQ("C0 A8 00 14", Hex(ClientId + 6, 4));
    EXPECT_EQ(NetInetAddr("192.168.0.20"), LocalEndpoint.sin_addr);
    EXPECT_EQ(NetHtons(13579), LocalEndpoint.sin_port);
    CloseNetwork();
}

TEST(InitNetwork, UnresolvableHostGivesAddressZero) {
    SimLan lan;
    lan.SetHostUnresolvable();
    memset(LocalAddressText, 'x', sizeof LocalAddressText);
    memset(ClientId, 0xEE, sizeof ClientId);
    InitNetwork();
    EXPECT_STREQ("0.0.0.0", LocalAddressText);
    EXPECT_EQ("00 00 00 00", Hex(ClientId + 6, 4));
    // The receiving socket is up all the same.
    EXPECT_EQ(NetHtons(13579), lan.boundTo(ReceiveSocket).sin_port);
    CloseNetwork();
}

TEST(InitNetwork, ClientIdRandomPartFollowsTheSeededGenerator) {
    SimLan lan;
    InitNetwork();
    srand((unsigned)lan.Time());
    for (int i = 0; i < 6; i++) EXPECT_EQ((unsigned char)(rand() & 0xFF), ClientId[i]) << "byte " << i;
    CloseNetwork();
}

TEST(InitNetwork, SetsTheWinSock11OptionsWithOneByteValues) {
    SimLan lan;
    InitNetwork();
    ASSERT_EQ(4u, lan.options().size());
    const struct {
        NetSocket socket;
        int level, name;
        std::string value;
    } want[] = {
        {ReceiveSocket, 0xFFFF, 4, "01"},
        {ReceiveSocket, 0, 5, "E0 00 00 01 00 00 00 00"},
        {ReceiveSocket, 0, 4, "00"},
        {SendSocket, 0, 4, "00"},
    };
    for (size_t i = 0; i < 4; i++) {
        const SimLan::Option &got = lan.options()[i];
        SCOPED_TRACE(testing::Message() << "option call " << i);
        EXPECT_EQ(want[i].socket, got.socket);
        EXPECT_EQ(want[i].level, got.level);
        EXPECT_EQ(want[i].name, got.name);
        EXPECT_EQ(want[i].value, Hex(got.value));
    }
    CloseNetwork();
}

TEST(InitNetwork, BindsTheReceivingSocketToAnyAddressPort13579) {
    SimLan lan;
    InitNetwork();
    const NetSockAddrIn bound = lan.boundTo(ReceiveSocket);
    EXPECT_EQ(NET_AF_INET, bound.sin_family);
    EXPECT_EQ(NetHtons(13579), bound.sin_port);
    EXPECT_EQ(0u, bound.sin_addr);
    EXPECT_EQ(NetInetAddr("224.0.0.1"), GroupEndpoint.sin_addr);
    EXPECT_EQ(NetHtons(13579), GroupEndpoint.sin_port);
    CloseNetwork();
}

TEST(InitNetwork, EndsTheProcessWithStatus1WhenWinSockCannotStart) {
    EXPECT_EXIT(
        {
            SimLan lan;
            lan.SetStartupFails();
            InitNetwork();
            exit(0);
        },
        ::testing::ExitedWithCode(1), "");
}

TEST(CloseNetwork, ClosesSendThenReceiveThenCleansUp) {
    SimLan lan;
    InitNetwork();
    const NetSocket send = SendSocket, receive = ReceiveSocket;
    CloseNetwork();
    ASSERT_EQ(2u, lan.closed().size());
    EXPECT_EQ(send, lan.closed()[0]);
    EXPECT_EQ(receive, lan.closed()[1]);
    EXPECT_TRUE(lan.cleanedUp());
}

class PollTest : public LanTest {
protected:
    PollResult Poll() {
        n = -1;
        return PollReply(buffer, &n);
    }
    unsigned char buffer[MAX_DATAGRAM + 1];
    int n = -1;
};

TEST_F(PollTest, NothingQueuedIsNoneAfter10ms) {
    EXPECT_EQ(POLL_NONE, Poll());
    EXPECT_EQ(10000, lan.NowUs());
}

TEST_F(PollTest, DatagramOf4096BytesIsReceivedWholeAndTerminated) {
    Bytes big(4096, 'b');
    big[4095] = 'e';
    lan.Deliver(big);
    memset(buffer, 0xCC, sizeof buffer);
    ASSERT_EQ(POLL_DATAGRAM, Poll());
    EXPECT_EQ(4096, n);
    EXPECT_EQ('e', buffer[4095]);
    EXPECT_EQ(0, buffer[4096]);
}

TEST_F(PollTest, EmptyDatagramIsDatagramOfZeroBytes) {
    lan.Deliver(Bytes());
    memset(buffer, 0xCC, sizeof buffer);
    ASSERT_EQ(POLL_DATAGRAM, Poll());
    EXPECT_EQ(0, n);
    EXPECT_EQ(0, buffer[0]);
}

TEST_F(PollTest, DatagramOver4096BytesFailsAndIsLost) {
    lan.Deliver(Bytes(4097, 'x'));
    lan.Deliver(Bytes(3, 'y'));
    EXPECT_EQ(POLL_FAILED, Poll());
    ASSERT_EQ(POLL_DATAGRAM, Poll());
    EXPECT_EQ(3, n);
}

TEST_F(PollTest, WaitsForADatagramDueWithinTheTimeout) {
    lan.Deliver(Bytes(5, 1), 4);
    ASSERT_EQ(POLL_DATAGRAM, Poll());
    EXPECT_EQ(4000, lan.NowUs());
}

TEST_F(PollTest, OwnRequestsDoNotComeBack) {
    unsigned char request[MAX_DATAGRAM] = {};
    SendRequest(request, BuildSearchRequest(request));
    EXPECT_EQ(0u, lan.Queued());
    ASSERT_EQ(1u, lan.sent().size());
    EXPECT_EQ(SendSocket, lan.sent()[0].socket);
    EXPECT_EQ(GroupEndpoint.sin_addr, lan.sent()[0].to.sin_addr);
}

TEST_F(PollTest, IsOwnReplyComparesBytes1To10Only) {
    Bytes reply(30, 0);
    reply[0] = 99;   // any type
    memcpy(&reply[1], ClientId, 10);
    EXPECT_EQ(1, IsOwnReply(reply.data(), (int)reply.size()));
    for (int i = 1; i <= 10; i++) {
        Bytes other = reply;
        other[i] ^= 0x01;
        EXPECT_EQ(0, IsOwnReply(other.data(), (int)other.size())) << "byte " << i << " differs";
    }
}

TEST_F(PollTest, IsOwnReplyReadsZeroPastTheDatagram) {
    unsigned char d[11];
    memcpy(d + 1, ClientId, 10);
    ClientId[9] = 0;
    EXPECT_EQ(1, IsOwnReply(d, 10)) << "byte 10 lies past n and reads as zero";
    ClientId[9] = 1;
    EXPECT_EQ(0, IsOwnReply(d, 10));
}

}  // namespace
