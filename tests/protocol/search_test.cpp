// The discovery sweep on the simulated LAN, timed in virtual milliseconds.
#include <string.h>

#include <gtest/gtest.h>

#include "protocol/exchange.h"
#include "protocol/search.h"
#include "tests/support/bytes.h"
#include "tests/support/lan_fixture.h"

namespace {

class SweepTest : public LanTest {
protected:
    // The 20 ms pauses between counted polls.
    int Pauses() const {
        int n = 0;
        for (uint32_t ms : lan.sleeps()) n += ms == 20;
        return n;
    }
};

TEST_F(SweepTest, SendsThreeIdenticalCopies80msApart) {
    SearchAdapters();
    ASSERT_EQ(3u, lan.sent().size());
    const int64_t at[3] = {0, 80000, 160000};
    for (int i = 0; i < 3; i++) {
        const SimLan::Sent &s = lan.sent()[i];
        EXPECT_EQ(at[i], s.atUs) << "copy " << i;
        EXPECT_EQ(Join({"01", Hex(ClientId, 10)}), Hex(s.bytes)) << "copy " << i;
        EXPECT_EQ(NetInetAddr("224.0.0.1"), s.to.sin_addr);
        EXPECT_EQ(NetHtons(13579), s.to.sin_port);
    }
}

TEST_F(SweepTest, SilentLanTakes32CountedPollsAnd1200ms) {
    SearchAdapters();
    EXPECT_EQ(32, lan.selects());
    EXPECT_EQ(31, Pauses());
    EXPECT_EQ(1200, lan.NowMs());
    EXPECT_EQ(1, AdapterListIsEmpty());
}

TEST_F(SweepTest, ListsAdaptersInOrderOfFirstReply) {
    lan.AddAdapter(Adapter("LATE", 31, 40));
    lan.AddAdapter(Adapter("EARLY", 32, 2));
    SearchAdapters();
    EXPECT_EQ("EARLY,LATE", ListedNames());
    EXPECT_STREQ("192.0.2.32", AdapterList.head->ipText);
    EXPECT_EQ(32, lan.selects());
    // Both replies were waiting when polling began: two polls took no wait.
    EXPECT_EQ(1180, lan.NowMs());
}

TEST_F(SweepTest, FirstReplyWinsAndLaterOnesForTheAddressAreDropped) {
    AdapterConfig a = Adapter("FIRST", 40);
    lan.Deliver(OwnSearchReply(a), 300);
    a.name = "SECOND";
    a.netmask = "255.0.0.0";
    lan.Deliver(OwnSearchReply(a), 310);
    AdapterConfig b = Adapter("OTHER", 41);
    b.ip[3] = 40;   // another adapter reporting the same address
    lan.Deliver(OwnSearchReply(b), 320);
    SearchAdapters();
    EXPECT_EQ("FIRST", ListedNames());
    EXPECT_STREQ("255.255.255.0", AdapterList.head->netmaskText);
}

TEST_F(SweepTest, AnAdapterAnsweringEveryCopyIsListedOnce) {
    AdapterConfig a = Adapter("STORE1", 50);
    a.answerEveryCopy = true;
    lan.AddAdapter(a);
    SearchAdapters();
    EXPECT_EQ("STORE1", ListedNames());
    EXPECT_EQ(1, AdapterList.count);
}

TEST_F(SweepTest, AnotherInstancesReplyIsDroppedAndCounted) {
    const uint8_t other[10] = {9, 9, 9, 9, 9, 9, 192, 0, 2, 99};
    for (int i = 0; i < 5; i++) lan.Deliver(EncodeSearchReply(other, Adapter("THEIRS", (uint8_t)(60 + i))), 260);
    SearchAdapters();
    EXPECT_EQ(1, AdapterListIsEmpty());
    EXPECT_EQ(32, lan.selects()) << "each dropped reply counts as a poll";
    EXPECT_EQ(0u, lan.Queued());
}

TEST_F(SweepTest, WrongTypeDatagramsAreCounted) {
    Bytes query(29, 0);
    query[0] = MSG_QUERY_REPLY;
    memcpy(&query[1], ClientId, 10);
    for (int i = 0; i < 40; i++) lan.Deliver(query, 260);
    SearchAdapters();
    EXPECT_EQ(32, lan.selects());
    EXPECT_EQ(8u, lan.Queued()) << "32 read, the rest stay queued";
}

TEST_F(SweepTest, ReadsAtMost32DatagramsAndLeavesTheRestQueued) {
    for (int i = 0; i < 40; i++) lan.Deliver(OwnSearchReply(Adapter("N" + std::to_string(i), (uint8_t)(100 + i))), 260);
    SearchAdapters();
    EXPECT_EQ(32, AdapterList.count);
    EXPECT_STREQ("N31", AdapterList.tail->name);
    EXPECT_EQ(8u, lan.Queued());
    // The next sweep reads what was left.
    SearchAdapters();
    EXPECT_EQ("N32,N33,N34,N35,N36,N37,N38,N39", ListedNames());
}

TEST_F(SweepTest, FailedReceivesAreNotCounted) {
    lan.AddAdapter(Adapter("STORE1", 70));
    lan.FailNextReceives(5);
    SearchAdapters();
    EXPECT_EQ("STORE1", ListedNames());
    EXPECT_EQ(32 + 5, lan.selects());
    EXPECT_EQ(31, Pauses());
}

TEST_F(SweepTest, SocketWhoseEveryReceiveFailsEndsTheSweepInItsEnvelope) {
    lan.FailAllReceives();
    SearchAdapters();
    EXPECT_EQ(31, Pauses());
    EXPECT_EQ(32 * FAILED_RECEIVE_RUN, lan.receives());
    EXPECT_LE(lan.NowMs(), 1200);
    EXPECT_EQ(1, AdapterListIsEmpty());
}

TEST_F(SweepTest, OversizedDatagramIsLostAndTheSweepGoesOn) {
    Bytes huge = OwnSearchReply(Adapter("HUGE", 80));
    huge.resize(5000, 'h');
    lan.Deliver(huge, 270);
    lan.Deliver(OwnSearchReply(Adapter("NEXT", 81)), 270);
    SearchAdapters();
    EXPECT_EQ("NEXT", ListedNames());
    EXPECT_EQ(31, Pauses());
}

// A short reply read after a longer one must not pick up the longer one's
// netmask, gateway or name from the receive buffer.
TEST_F(SweepTest, ShortReplyDoesNotInheritAnEarlierDatagramsFields) {
    lan.Deliver(OwnSearchReply(Adapter("LONGNAME", 90)), 270);
    const Bytes full = OwnSearchReply(Adapter("X", 91));
    lan.Deliver(Bytes(full.begin(), full.begin() + 22), 280);
    SearchAdapters();
    ASSERT_EQ(2, AdapterList.count);
    const AdapterNode *shortOne = AdapterList.tail;
    EXPECT_STREQ("192.0.2.91", shortOne->ipText);
    EXPECT_STREQ("", shortOne->netmaskText);
    EXPECT_STREQ("", shortOne->gatewayText);
    EXPECT_STREQ("", shortOne->name);
}

TEST_F(SweepTest, EmptiesTheListFirst) {
    const unsigned char device[10] = {};
    AppendAdapter("GONE", "192.0.2.96", "255.255.255.0", "", device, "0");
    SearchAdapters();
    EXPECT_EQ(1, AdapterListIsEmpty());
}

}  // namespace
