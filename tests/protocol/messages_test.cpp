// Exact bytes of every request, and what the readers make of replies.
#include <string.h>

#include <gtest/gtest.h>

#include "protocol/messages.h"
#include "tests/support/bytes.h"

namespace {

const uint8_t kClient[10] = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 192, 168, 0, 20};
const uint8_t kDevice[10] = {0x00, 0x50, 0xC2, 0x12, 0x34, 0x56, 192, 168, 0, 77};
const std::string kClientHex = "A1 A2 A3 A4 A5 A6 C0 A8 00 14";
const std::string kDeviceHex = "00 50 C2 12 34 56 C0 A8 00 4D";

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        memcpy(ClientId, kClient, sizeof ClientId);
        memset(&Credentials, 0, sizeof Credentials);
        memset(&PendingLanSettings, 0, sizeof PendingLanSettings);
        memset(buffer, 0, sizeof buffer);
    }
    // The first `length` bytes as hex; asserts nothing was written past them.
    std::string Built(int length) {
        for (int i = length; i < MAX_DATAGRAM; i++)
            if (buffer[i]) ADD_FAILURE() << "byte " << i << " past the request is " << (int)buffer[i];
        return Hex(buffer, (size_t)length);
    }
    unsigned char buffer[MAX_DATAGRAM];
};

TEST_F(MessagesTest, SearchRequestIsTypeAndClientId) {
    EXPECT_EQ(11, BuildSearchRequest(buffer));
    EXPECT_EQ(Join({"01", kClientHex}), Built(11));
}

TEST_F(MessagesTest, LoginRequestForAdminWithEmptyPasswordIs35Bytes) {
    CopyText(Credentials.userName, sizeof Credentials.userName, "admin");
    const int n = BuildLoginRequest(buffer, kDevice);
    ASSERT_EQ(35, n);
    EXPECT_EQ(Join({"03", kClientHex, kDeviceHex, "04", "00 00", "07 00 00 00", HexText("admin"), "55 AA"}), Built(n));
}

TEST_F(MessagesTest, LoginRequestCarriesUserSeparatorAndPassword) {
    CopyText(Credentials.userName, sizeof Credentials.userName, "operator");
    CopyText(Credentials.password, sizeof Credentials.password, "s3cret!");
    const int n = BuildLoginRequest(buffer, kDevice);
    ASSERT_EQ(28 + 8 + 2 + 7, n);
    EXPECT_EQ(Join({"03", kClientHex, kDeviceHex, "04", "00 00", "11 00 00 00", HexText("operator"), "55 AA",
                    HexText("s3cret!")}),
              Built(n));
}

TEST_F(MessagesTest, LoginRequestWithSixteenCharacterTexts) {
    CopyText(Credentials.userName, sizeof Credentials.userName, "abcdefghijklmnop");
    CopyText(Credentials.password, sizeof Credentials.password, "ABCDEFGHIJKLMNOP");
    const int n = BuildLoginRequest(buffer, kDevice);
    ASSERT_EQ(28 + 34, n);
    EXPECT_EQ(Join({"22 00 00 00", HexText("abcdefghijklmnop"), "55 AA", HexText("ABCDEFGHIJKLMNOP")}),
              Hex(buffer + 24, 38));
}

TEST_F(MessagesTest, ShareListRequestIs28Bytes) {
    const int n = BuildShareListRequest(buffer, kDevice);
    ASSERT_EQ(28, n);
    EXPECT_EQ(Join({"03", kClientHex, kDeviceHex, "03", "00 00", "00 00 00 00"}), Built(n));
}

TEST_F(MessagesTest, DhcpRequestIs60Bytes) {
    const int n = BuildDhcpRequest(buffer, kDevice);
    ASSERT_EQ(60, n);
    EXPECT_EQ(Join({"05", kClientHex, kDeviceHex, "02", Zeros(34), "00 00 00 00"}), Built(n));
}

TEST_F(MessagesTest, StaticRequestFor192_168_0_50Is72Bytes) {
    CopyText(PendingLanSettings.ipText, IP_TEXT_SIZE, "192.168.0.50");
    CopyText(PendingLanSettings.netmaskText, IP_TEXT_SIZE, "255.255.255.0");
    CopyText(PendingLanSettings.gatewayText, IP_TEXT_SIZE, "192.168.0.1");
    const int n = BuildStaticIpRequest(buffer, kDevice);
    ASSERT_EQ(72, n);
    EXPECT_EQ(Join({"05", kClientHex, kDeviceHex, "01", "00 00", HexText("255.255.255.0"), Zeros(3),
                    HexText("192.168.0.1"), Zeros(5), "0C 00 00 00", HexText("192.168.0.50")}),
              Built(n));
}

TEST_F(MessagesTest, StaticRequestWithFifteenCharacterTextsKeepsAZeroInEachField) {
    CopyText(PendingLanSettings.ipText, IP_TEXT_SIZE, "203.113.100.250");
    CopyText(PendingLanSettings.netmaskText, IP_TEXT_SIZE, "255.255.255.252");
    CopyText(PendingLanSettings.gatewayText, IP_TEXT_SIZE, "203.113.100.249");
    const int n = BuildStaticIpRequest(buffer, kDevice);
    ASSERT_EQ(75, n);
    EXPECT_EQ(Join({"00 00", HexText("255.255.255.252"), "00", HexText("203.113.100.249"), "00", "0F 00 00 00",
                    HexText("203.113.100.250")}),
              Built(n).substr(22 * 3));
}

// --- readers ---

AdapterConfig Store1() {
    AdapterConfig a;
    a.name = "STORE1";
    const uint8_t ip[4] = {192, 168, 0, 77};
    memcpy(a.ip, ip, 4);
    a.netmask = "255.255.255.0";
    a.gateway = "192.168.0.1";
    return a;
}

// A received datagram: the bytes, a terminator at n, then `fill` bytes as
// an earlier datagram may have left them in the buffer.
struct Received {
    explicit Received(const Bytes &b, unsigned char fill = 0) : n((int)b.size()) {
        memset(buffer, fill, sizeof buffer);
        memcpy(buffer, b.data(), b.size());
        buffer[n] = 0;
    }
    unsigned char buffer[MAX_DATAGRAM + 1];
    int n;
};

SearchReply Parse(const Bytes &b, unsigned char fill = 0) {
    Received r(b, fill);
    SearchReply reply;
    ParseSearchReply(r.buffer, r.n, &reply);
    return reply;
}

TEST(SearchReplyReader, ReadsEveryField) {
    const SearchReply r = Parse(EncodeSearchReply(kClient, Store1()));
    EXPECT_STREQ("STORE1", r.name);
    EXPECT_STREQ("192.168.0.77", r.ipText);
    EXPECT_STREQ("255.255.255.0", r.netmaskText);
    EXPECT_STREQ("192.168.0.1", r.gatewayText);
    EXPECT_STREQ("0", r.dhcpFlag);
    EXPECT_EQ(kDeviceHex, Hex(r.deviceId, 10));
}

TEST(SearchReplyReader, NameLengthZeroGivesEmptyName) {
    AdapterConfig a = Store1();
    a.name = "";
    const SearchReply r = Parse(EncodeSearchReply(kClient, a), 'X');
    EXPECT_STREQ("", r.name);
    EXPECT_STREQ("192.168.0.77", r.ipText);
    EXPECT_STREQ("255.255.255.0", r.netmaskText);
}

TEST(SearchReplyReader, DhcpFlagIsByte21) {
    const struct {
        uint8_t byte;
        const char *flag;
    } cases[] = {{0x31, "1"}, {0x30, "0"}, {0x32, "2"}, {0x00, ""}, {0xFF, "\xFF"}};
    for (const auto &c : cases) {
        Bytes b = EncodeSearchReply(kClient, Store1());
        b[21] = c.byte;
        EXPECT_STREQ(c.flag, Parse(b).dhcpFlag) << "byte 21 = " << (int)c.byte;
    }
}

TEST(SearchReplyReader, NameEndsAtItsFirstZeroByte) {
    AdapterConfig a = Store1();
    a.name = std::string("NAS\0TAIL", 8);
    EXPECT_STREQ("NAS", Parse(EncodeSearchReply(kClient, a)).name);
}

TEST(SearchReplyReader, NameOver255BytesIsCutTo255) {
    AdapterConfig a = Store1();
    a.name = std::string(300, 'n');
    const SearchReply r = Parse(EncodeSearchReply(kClient, a));
    EXPECT_EQ(255u, strlen(r.name));
    EXPECT_STREQ("192.168.0.77", r.ipText);
}

TEST(SearchReplyReader, NameRunningPastTheDatagramIsCutAtItsEnd) {
    Bytes b = EncodeSearchReply(kClient, Store1());
    b[56] = 200;   // claims 200 bytes; 6 came
    // The buffer past the datagram holds an earlier, longer datagram's bytes.
    EXPECT_STREQ("STORE1", Parse(b, 'Q').name);
    b[56] = 0xFF;
    b[57] = b[58] = b[59] = 0xFF;   // 4 GiB
    EXPECT_STREQ("STORE1", Parse(b, 'Q').name);
}

TEST(SearchReplyReader, NetmaskAndGatewayWithoutZeroAreCutTo15) {
    Bytes b = EncodeSearchReply(kClient, Store1());
    memset(&b[24], '7', 16);
    memset(&b[40], '8', 16);
    const SearchReply r = Parse(b);
    EXPECT_EQ(std::string(15, '7'), r.netmaskText);
    EXPECT_EQ(std::string(15, '8'), r.gatewayText);
    EXPECT_STREQ("STORE1", r.name);
}

// A short reply never picks up what an earlier datagram left in the buffer.
TEST(SearchReplyReader, ShortDatagramReadsZeroPastItsEnd) {
    const Bytes full = EncodeSearchReply(kClient, Store1());
    const struct {
        size_t length;
        const char *ip, *netmask, *gateway;
    } cases[] = {
        {11, "0.0.0.0", "", ""},
        {19, "192.168.0.0", "", ""},
        {22, "192.168.0.77", "", ""},
        {30, "192.168.0.77", "255.25", ""},
        {45, "192.168.0.77", "255.255.255.0", "192.1"},
        {59, "192.168.0.77", "255.255.255.0", "192.168.0.1"},
    };
    for (const auto &c : cases) {
        const Bytes b(full.begin(), full.begin() + (long)c.length);
        const SearchReply r = Parse(b, '9');
        SCOPED_TRACE(testing::Message() << "datagram of " << c.length << " bytes");
        EXPECT_STREQ(c.ip, r.ipText);
        EXPECT_STREQ(c.netmask, r.netmaskText);
        EXPECT_STREQ(c.gateway, r.gatewayText);
        EXPECT_STREQ("", r.name);
    }
}

TEST(ReplyAddress, IsBytes17To20Unsigned) {
    Bytes b(21, 0);
    b[17] = 255;
    b[18] = 0;
    b[19] = 128;
    b[20] = 9;
    Received r(b);
    char text[IP_TEXT_SIZE];
    FormatReplyAddress(r.buffer, r.n, text);
    EXPECT_STREQ("255.0.128.9", text);
}

Bytes QueryReply(const Bytes &payload) {
    Bytes b(28, 0);
    b[0] = 4;
    memcpy(&b[1], kClient, 10);
    for (uint8_t c : payload) b.push_back(c);
    return b;
}

TEST(LoginVerdict, IsByte28Signed) {
    const struct {
        Bytes payload;
        int verdict;
    } cases[] = {{{0x00}, 0}, {{0x01}, 1}, {{0x7F}, 127}, {{0x80}, -128}, {{0xFF}, -1}, {{}, 0}};
    for (const auto &c : cases) {
        Received r(QueryReply(c.payload), 0x55);
        EXPECT_EQ(c.verdict, ReadLoginVerdict(r.buffer, r.n)) << "reply of " << r.n << " bytes";
    }
}

TEST(ShareListText, RunsFromOffset28ToTheFirstZeroOrTheEnd) {
    const struct {
        std::string payload;
        std::string text;
    } cases[] = {
        {"public:music::video", "public:music::video"},
        {std::string("pub\0lic", 7), "pub"},
        {"", ""},
    };
    for (const auto &c : cases) {
        Received r(QueryReply(Bytes(c.payload.begin(), c.payload.end())), 'Z');
        const char *text = nullptr;
        const int len = ReadShareListText(r.buffer, r.n, &text);
        EXPECT_EQ(c.text, std::string(text, (size_t)len)) << "payload " << c.payload;
    }
    // A reply that ends before offset 28 has no text.
    Received shortReply(Bytes(20, 4), 'Z');
    const char *text = nullptr;
    EXPECT_EQ(0, ReadShareListText(shortReply.buffer, shortReply.n, &text));
}

}  // namespace
