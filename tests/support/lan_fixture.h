// A test with the endpoint up on the simulated LAN.  The host is "simhost"
// at 192.0.2.20; the records of InitNetwork's own calls are cleared, so a
// test sees only what its exchange did.
#ifndef TESTS_SUPPORT_LAN_FIXTURE_H
#define TESTS_SUPPORT_LAN_FIXTURE_H

#include <string.h>

#include <gtest/gtest.h>

#include "protocol/endpoint.h"
#include "protocol/registry.h"
#include "tests/support/simlan.h"

class LanTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearAdapterList();
        ClearShareList();
        memset(SelectedAddress, 0, sizeof SelectedAddress);
        InitNetwork();
        lan.ClearRecords();
    }
    void TearDown() override {
        CloseNetwork();
        ClearAdapterList();
        ClearShareList();
    }

    // An adapter at 192.0.2.<last> called name.
    static AdapterConfig Adapter(const std::string &name, uint8_t last, uint32_t delayMs = 5) {
        AdapterConfig a;
        a.name = name;
        a.ip[3] = last;
        a.mac[5] = last;
        a.replyDelayMs = delayMs;
        return a;
    }
    // A search reply echoing our ClientId.
    static Bytes OwnSearchReply(const AdapterConfig &a) { return EncodeSearchReply(ClientId, a); }

    // The names in the AdapterList, in order, joined by commas.
    static std::string ListedNames() {
        std::string s;
        for (const AdapterNode *n = AdapterList.head; n; n = n->next) s += (s.empty() ? "" : ",") + std::string(n->name);
        return s;
    }

    SimLan lan;
};

#endif
