// The registries' invariants: head, tail and count, and exact lookups.
#include <string.h>

#include <gtest/gtest.h>

#include "protocol/registry.h"

namespace {

const unsigned char kDevice[10] = {1, 2, 3, 4, 5, 6, 192, 0, 2, 10};

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearAdapterList();
        ClearShareList();
        memset(SelectedAddress, 0, sizeof SelectedAddress);
    }
    void TearDown() override {
        ClearAdapterList();
        ClearShareList();
    }
    static void Add(const char *name, const char *ip) {
        AppendAdapter(name, ip, "255.255.255.0", "192.0.2.1", kDevice, "0");
    }
    // Walks from head and checks that count nodes lead to tail.
    template <class Node>
    static void ExpectShape(const NodeList<Node> &list, int count) {
        EXPECT_EQ(count, list.count);
        int seen = 0;
        const Node *last = nullptr;
        for (const Node *n = list.head; n; n = n->next) {
            last = n;
            seen++;
        }
        EXPECT_EQ(count, seen) << "nodes reached from head";
        EXPECT_EQ(last, list.tail) << "the walk ends at tail";
    }
};

TEST_F(RegistryTest, AppendToEmptySetsHeadAndTailToOneNode) {
    EXPECT_EQ(1, AdapterListIsEmpty());
    Add("A", "192.0.2.10");
    EXPECT_EQ(0, AdapterListIsEmpty());
    ASSERT_NE(nullptr, AdapterList.head);
    EXPECT_EQ(AdapterList.head, AdapterList.tail);
    EXPECT_EQ(nullptr, AdapterList.head->next);
    ExpectShape(AdapterList, 1);
}

TEST_F(RegistryTest, SecondAppendChangesOnlyOldTailTailAndCount) {
    Add("A", "192.0.2.10");
    AdapterNode *first = AdapterList.head;
    Add("B", "192.0.2.11");
    EXPECT_EQ(first, AdapterList.head);
    EXPECT_EQ(first->next, AdapterList.tail);
    EXPECT_STREQ("B", AdapterList.tail->name);
    ExpectShape(AdapterList, 2);
}

TEST_F(RegistryTest, NodeHoldsEveryValue) {
    AppendAdapter("STORE1", "192.0.2.10", "255.255.0.0", "192.0.2.254", kDevice, "1");
    const AdapterNode *n = AdapterList.head;
    EXPECT_STREQ("STORE1", n->name);
    EXPECT_STREQ("192.0.2.10", n->ipText);
    EXPECT_STREQ("255.255.0.0", n->netmaskText);
    EXPECT_STREQ("192.0.2.254", n->gatewayText);
    EXPECT_STREQ("1", n->dhcpFlag);
    EXPECT_EQ(0, memcmp(kDevice, n->deviceId, 10));
}

TEST_F(RegistryTest, ClearingEmptyAndThreeNodeListsLeavesThemEmpty) {
    ClearAdapterList();
    ExpectShape(AdapterList, 0);
    EXPECT_EQ(nullptr, AdapterList.head);
    Add("A", "192.0.2.10");
    Add("B", "192.0.2.11");
    Add("C", "192.0.2.12");
    ExpectShape(AdapterList, 3);
    ClearAdapterList();   // ASan reports any node not freed or freed twice
    ExpectShape(AdapterList, 0);
    EXPECT_EQ(nullptr, AdapterList.head);
    EXPECT_EQ(nullptr, AdapterList.tail);
    EXPECT_EQ(1, AdapterListIsEmpty());
}

TEST_F(RegistryTest, AddressLookupIsExact) {
    EXPECT_EQ(0, AdapterListHasAddress("192.0.2.10"));
    Add("A", "192.0.2.10");
    Add("B", "192.0.2.11");
    EXPECT_EQ(1, AdapterListHasAddress("192.0.2.11"));
    EXPECT_EQ(0, AdapterListHasAddress("192.0.2.1"));
    EXPECT_EQ(0, AdapterListHasAddress("192.0.2.10 "));
}

TEST_F(RegistryTest, FindSelectedAdapterTakesTheFirstExactMatch) {
    Add("A", "192.0.2.10");
    Add("B", "192.0.2.11");
    Add("C", "192.0.2.11");   // a second node with a listed address, appended directly
    CopyText(SelectedAddress, sizeof SelectedAddress, "192.0.2.11");
    ASSERT_NE(nullptr, FindSelectedAdapter());
    EXPECT_STREQ("B", FindSelectedAdapter()->name);
    CopyText(SelectedAddress, sizeof SelectedAddress, "192.0.2.11 ");
    EXPECT_EQ(nullptr, FindSelectedAdapter());
    CopyText(SelectedAddress, sizeof SelectedAddress, "");
    EXPECT_EQ(nullptr, FindSelectedAdapter());
}

TEST_F(RegistryTest, ShareListKeepsOrderAndFindsNamesCaseSensitively) {
    AppendShare("public");
    AppendShare("music");
    ExpectShape(ShareList, 2);
    EXPECT_STREQ("public", ShareList.head->name);
    EXPECT_STREQ("music", ShareList.tail->name);
    EXPECT_EQ(1, ShareListHasName("music"));
    EXPECT_EQ(0, ShareListHasName("Music"));
    ClearShareList();
    EXPECT_EQ(1, ShareListIsEmpty());
    EXPECT_EQ(0, ShareListHasName("music"));
}

TEST_F(RegistryTest, ShareNameLongerThan63IsCut) {
    AppendShare(std::string(100, 's').c_str());
    EXPECT_EQ(std::string(63, 's'), ShareList.head->name);
}

TEST_F(RegistryTest, OverlongTextsAreCutToTheirFields) {
    AppendAdapter(std::string(400, 'n').c_str(), "1234567890123456789", "255.255.255.255.255", "x", kDevice, "1234567890");
    const AdapterNode *n = AdapterList.head;
    EXPECT_EQ(255u, strlen(n->name));
    EXPECT_STREQ("123456789012345", n->ipText);
    EXPECT_STREQ("255.255.255.255", n->netmaskText);
    EXPECT_STREQ("1234567", n->dhcpFlag);
}

}  // namespace
