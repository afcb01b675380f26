// The four adapter commands on the simulated LAN: what they send, which
// replies they accept, and how they count, in virtual time.
#include <string.h>

#include <gtest/gtest.h>

#include "protocol/commands.h"
#include "protocol/exchange.h"
#include "protocol/search.h"
#include "tests/support/bytes.h"
#include "tests/support/lan_fixture.h"

namespace {

// One adapter, STORE1 at 192.0.2.10, found by a sweep and selected.
class CommandTest : public LanTest {
protected:
    void SetUp() override {
        LanTest::SetUp();
        config = Adapter("STORE1", 10);
    }
    // Adds the adapter, sweeps, selects it, and clears the records.
    AdapterModel &Start() {
        AdapterModel &m = lan.AddAdapter(config);
        SearchAdapters();
        EXPECT_EQ(1, AdapterList.count);
        CopyText(SelectedAddress, sizeof SelectedAddress, "192.0.2.10");
        lan.ClearRecords();
        t0 = lan.NowMs();
        return m;
    }
    int Pauses() const {
        int n = 0;
        for (uint32_t ms : lan.sleeps()) n += ms == 100;
        return n;
    }
    int64_t Elapsed() const { return lan.NowMs() - t0; }
    std::string Shares() const {
        std::string s;
        for (const ShareNode *n = ShareList.head; n; n = n->next) s += (s.empty() ? "" : ",") + std::string(n->name);
        return s;
    }
    // A reply of the given type from 192.0.2.<last>, echoing our ClientId.
    static Bytes Reply(uint8_t type, uint8_t last, const Bytes &payload = Bytes()) {
        const uint8_t mac[6] = {0, 0x50, 0xC2, 0x12, 0x34, last};
        const uint8_t ip[4] = {192, 0, 2, last};
        return type == MSG_SET_REPLY ? EncodeSetReply(ClientId, mac, ip) : EncodeQueryReply(ClientId, mac, ip, payload);
    }
    void SetPending(const char *ip, const char *mask, const char *gw) {
        CopyText(PendingLanSettings.ipText, IP_TEXT_SIZE, ip);
        CopyText(PendingLanSettings.netmaskText, IP_TEXT_SIZE, mask);
        CopyText(PendingLanSettings.gatewayText, IP_TEXT_SIZE, gw);
    }
    void AdminWithEmptyPassword() {
        memset(&Credentials, 0, sizeof Credentials);
        CopyText(Credentials.userName, CREDENTIAL_SIZE, "admin");
    }

    AdapterConfig config;
    int64_t t0 = 0;
};

struct CommandCase {
    const char *name;
    int (*run)();
    uint8_t replyType;
    int limit;
};
void PrintTo(const CommandCase &c, std::ostream *os) { *os << c.name; }

const CommandCase kCommands[] = {
    {"LoginAdapter", LoginAdapter, MSG_QUERY_REPLY, 11},
    {"GetShareList", GetShareList, MSG_QUERY_REPLY, 11},
    {"SetDhcpClient", SetDhcpClient, MSG_SET_REPLY, 101},
    {"SetStaticIp", SetStaticIp, MSG_SET_REPLY, 101},
};

class EachCommand : public CommandTest, public ::testing::WithParamInterface<CommandCase> {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        config.silentFor = {"login", "shares", "dhcp", "static"};
        SetPending("192.0.2.50", "255.255.255.0", "192.0.2.1");
        AdminWithEmptyPassword();
    }
};

// limit counted polls of 10 ms with 100 ms pauses between them.
int64_t Envelope(int limit) { return limit * 10 + (limit - 1) * 100; }

TEST_P(EachCommand, SilentAdapterGetsExactlyTheLimitOfCountedAttempts) {
    Start();
    EXPECT_EQ(0, GetParam().run());
    ASSERT_EQ(1u, lan.sent().size()) << "a request is sent once";
    EXPECT_EQ(GetParam().limit, lan.selects());
    EXPECT_EQ(GetParam().limit - 1, Pauses());
    EXPECT_EQ(Envelope(GetParam().limit), Elapsed());
}

TEST_P(EachCommand, SendsTheTargetsDeviceIdToTheGroup) {
    Start();
    GetParam().run();
    ASSERT_EQ(1u, lan.sent().size());
    const Bytes &req = lan.sent()[0].bytes;
    ASSERT_GE(req.size(), 22u);
    EXPECT_EQ(Hex(AdapterList.head->deviceId, 10), Hex(&req[11], 10));
    EXPECT_EQ(Hex(ClientId, 10), Hex(&req[1], 10));
    EXPECT_EQ(NetInetAddr("224.0.0.1"), lan.sent()[0].to.sin_addr);
}

TEST_P(EachCommand, WrongTypeDatagramsUseUpNoAttempts) {
    Start();
    Bytes search = OwnSearchReply(Adapter("LATE", 77));
    Bytes other(30, 0);
    other[0] = GetParam().replyType == MSG_SET_REPLY ? MSG_QUERY_REPLY : MSG_SET_REPLY;
    memcpy(&other[1], ClientId, 10);
    for (int i = 0; i < 5; i++) lan.Deliver(search, 0);
    for (int i = 0; i < 3; i++) lan.Deliver(other, 0);
    EXPECT_EQ(0, GetParam().run());
    EXPECT_EQ(GetParam().limit + 8, lan.selects());
    EXPECT_EQ(GetParam().limit - 1, Pauses());
    EXPECT_EQ(Envelope(GetParam().limit), Elapsed());
}

TEST_P(EachCommand, AnotherInstancesReplyIsCounted) {
    Start();
    Bytes foreign = Reply(GetParam().replyType, 10, Bytes{1});
    foreign[3] ^= 0xFF;
    for (int i = 0; i < GetParam().limit + 2; i++) lan.Deliver(foreign, 0);
    EXPECT_EQ(0, GetParam().run());
    EXPECT_EQ(GetParam().limit, lan.selects());
    EXPECT_EQ(2u, lan.Queued()) << "the rest stay queued";
}

TEST_P(EachCommand, NoTargetEndsAtOnceWithoutSending) {
    Start();
    AppendShare("stale");
    CopyText(SelectedAddress, sizeof SelectedAddress, "192.0.2.99");
    EXPECT_EQ(0, GetParam().run());
    EXPECT_TRUE(lan.sent().empty());
    EXPECT_EQ(0, lan.selects());
    EXPECT_EQ(0, Elapsed());
    if (GetParam().run == GetShareList) {
        EXPECT_EQ(1, ShareListIsEmpty()) << "emptied before the lookup";
    }
}

TEST_P(EachCommand, EveryReceiveFailingEndsWithinTheEnvelope) {
    Start();
    lan.FailAllReceives();
    EXPECT_EQ(0, GetParam().run());
    EXPECT_EQ(GetParam().limit - 1, Pauses());
    EXPECT_LE(Elapsed(), Envelope(GetParam().limit));
    EXPECT_EQ(GetParam().limit * FAILED_RECEIVE_RUN, lan.receives());
}

INSTANTIATE_TEST_SUITE_P(Commands, EachCommand, ::testing::ValuesIn(kCommands),
                         [](const testing::TestParamInfo<CommandCase> &i) { return std::string(i.param.name); });

// --- login ---

TEST_F(CommandTest, LoginRequestForAdminIs35BytesAndAcceptedAtOnce) {
    Start();
    AdminWithEmptyPassword();
    EXPECT_EQ(1, LoginAdapter());
    ASSERT_EQ(1u, lan.sent().size());
    EXPECT_EQ(35u, lan.sent()[0].bytes.size());
    EXPECT_EQ(0, Pauses());
}

TEST_F(CommandTest, RefusedLoginIsZeroAndEndsTheWait) {
    config.password = "secret";
    Start();
    AdminWithEmptyPassword();
    EXPECT_EQ(0, LoginAdapter());
    EXPECT_EQ(0, Pauses()) << "a verdict of 0 is an answer";
    CopyText(Credentials.password, CREDENTIAL_SIZE, "secret");
    EXPECT_EQ(1, LoginAdapter());
}

TEST_F(CommandTest, LoginVerdictIsSignExtended) {
    Start();
    lan.Deliver(Reply(MSG_QUERY_REPLY, 10, Bytes{0x80}), 0);
    config.silentFor = {"login"};
    EXPECT_EQ(-128, LoginAdapter());
}

TEST_F(CommandTest, ReplyFromAnotherAdapterIsCountedAndTheWaitGoesOn) {
    config.silentFor = {"login"};
    Start();
    lan.Deliver(Reply(MSG_QUERY_REPLY, 11, Bytes{1}), 0);     // 192.0.2.11: not selected
    lan.Deliver(Reply(MSG_QUERY_REPLY, 10, Bytes{7}), 250);   // the selected one, later
    EXPECT_EQ(7, LoginAdapter());
    // Polls at 0 (the other adapter's reply, counted), 100 and 210 (none),
    // then at 320 the selected one's reply, waiting since 250.
    EXPECT_EQ(3, Pauses());
    EXPECT_EQ(320, Elapsed());
}

// --- share list ---

struct ShareCase {
    std::string text;
    std::string names;
};
// Test discovery puts the printed parameter into the test's name.
void PrintTo(const ShareCase &c, std::ostream *os) {
    *os << '"' << (c.text.size() > 24 ? c.text.substr(0, 24) + "..." : c.text) << '"';
}

class ShareListSplit : public CommandTest, public ::testing::WithParamInterface<ShareCase> {};

TEST_P(ShareListSplit, IsSplitAtColons) {
    config.shares = GetParam().text;
    Start();
    EXPECT_EQ(1, GetShareList());
    EXPECT_EQ(GetParam().names, Shares());
}

INSTANTIATE_TEST_SUITE_P(Texts, ShareListSplit,
                         ::testing::Values(ShareCase{"public:music::video", "public,music,video"},
                                           ShareCase{"music:music", "music"}, ShareCase{":::", ""},
                                           ShareCase{"", ""}, ShareCase{":docs:", "docs"},
                                           // cut to 63 before the repeat test: listed once
                                           ShareCase{std::string(70, 'L') + ":" + std::string(64, 'L'),
                                                     std::string(63, 'L')}));

TEST_F(CommandTest, ShareListIsEmptiedEvenWhenNothingAnswers) {
    config.silentFor = {"shares"};
    Start();
    AppendShare("old");
    EXPECT_EQ(0, GetShareList());
    EXPECT_EQ(1, ShareListIsEmpty());
}

// --- set commands ---

TEST_F(CommandTest, DhcpAcceptsTheFirstOwnSetReplyWhateverItsAddress) {
    config.silentFor = {"dhcp"};
    Start();
    const uint8_t mac[6] = {1, 2, 3, 4, 5, 6};
    const uint8_t elsewhere[4] = {10, 9, 8, 7};
    lan.Deliver(EncodeSetReply(ClientId, mac, elsewhere), 0);
    const Bytes hw(AdapterList.head->deviceId, AdapterList.head->deviceId + 6);
    EXPECT_EQ(1, SetDhcpClient());
    EXPECT_STREQ("10.9.8.7", SelectedAddress);
    EXPECT_STREQ("10.9.8.7", AdapterList.head->ipText);
    EXPECT_EQ("0A 09 08 07", Hex(AdapterList.head->deviceId + 6, 4));
    EXPECT_EQ(Hex(hw), Hex(AdapterList.head->deviceId, 6)) << "the hardware address never changes";
}

TEST_F(CommandTest, DhcpSwitchTakesTheAdaptersNewAddress) {
    Start();
    EXPECT_EQ(1, SetDhcpClient());
    EXPECT_STREQ("192.0.2.200", SelectedAddress);
    EXPECT_STREQ("192.0.2.200", AdapterList.head->ipText);
}

TEST_F(CommandTest, StaticChangeMovesTheNodeAndSelectedAddress) {
    config.mac[0] = 0x00;
    Start();
    SetPending("192.168.0.50", "255.255.255.0", "192.168.0.1");
    ASSERT_EQ(1, SetStaticIp());
    ASSERT_EQ(1u, lan.sent().size());
    EXPECT_EQ(72u, lan.sent()[0].bytes.size());
    EXPECT_STREQ("192.168.0.50", SelectedAddress);
    const AdapterNode *n = AdapterList.head;
    EXPECT_STREQ("192.168.0.50", n->ipText);
    EXPECT_STREQ("255.255.255.0", n->netmaskText);
    EXPECT_STREQ("192.168.0.1", n->gatewayText);
    EXPECT_EQ("C0 A8 00 32", Hex(n->deviceId + 6, 4));
    EXPECT_EQ(0, Pauses());
}

TEST_F(CommandTest, StaticChangeAnsweredWithTheOldAddressFailsAfter101Attempts) {
    config.staticAnswersOld = true;
    Start();
    SetPending("192.0.2.50", "255.255.255.0", "192.0.2.1");
    EXPECT_EQ(0, SetStaticIp());
    EXPECT_EQ(101, lan.selects());
    EXPECT_EQ(100, Pauses());
    // The old-address reply came 5 ms in, ending the first wait early.
    EXPECT_EQ(5 + 100 * 10 + 100 * 100, Elapsed());
    EXPECT_STREQ("192.0.2.10", SelectedAddress);
    EXPECT_STREQ("192.0.2.10", AdapterList.head->ipText);
}

TEST_F(CommandTest, StaticChangeWithStrayAndForeignRepliesFirstStillSucceeds) {
    config.strayAddressReplies = 2;
    config.foreignReplies = 2;
    config.lateSearchReplies = 3;
    Start();
    SetPending("192.0.2.51", "255.255.255.0", "192.0.2.1");
    EXPECT_EQ(1, SetStaticIp());
    EXPECT_EQ(4, Pauses()) << "two foreign and two stray replies were counted";
    EXPECT_STREQ("192.0.2.51", SelectedAddress);
}

TEST(GatewayInSubnet, ComparesEachFieldUnderTheNetmask) {
    const struct {
        unsigned char ip[4], mask[4], gw[4];
        int in;
    } cases[] = {
        {{192, 168, 0, 10}, {255, 255, 255, 0}, {192, 168, 1, 1}, 0},
        {{192, 168, 0, 10}, {255, 255, 255, 0}, {192, 168, 0, 1}, 1},
        {{192, 168, 0, 10}, {0, 0, 0, 0}, {8, 8, 8, 8}, 1},
        {{10, 1, 0, 0}, {255, 0, 0, 0}, {10, 200, 3, 4}, 1},
        {{10, 1, 0, 0}, {255, 255, 255, 252}, {10, 1, 0, 4}, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.in, GatewayInSubnet(c.ip, c.mask, c.gw))
            << (int)c.ip[0] << "." << (int)c.ip[1] << "." << (int)c.ip[2] << "." << (int)c.ip[3] << " gw "
            << (int)c.gw[0] << "." << (int)c.gw[1] << "." << (int)c.gw[2] << "." << (int)c.gw[3];
}

}  // namespace
