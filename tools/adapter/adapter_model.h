// The adapter's side of the protocol, as a model with no I/O: it takes a
// request and says which replies to send and when.  The simulated LAN of the
// tests and the adapter-sim program both answer through it, so that the
// tests and the real-socket runs meet the same peer.
#ifndef TOOLS_ADAPTER_MODEL_H
#define TOOLS_ADAPTER_MODEL_H

#include <stdint.h>

#include <string>
#include <vector>

#include "tools/common/dotted.h"

typedef std::vector<uint8_t> Bytes;

struct AdapterConfig {
    std::string name = "STORE1";
    uint8_t mac[6] = {0x00, 0x50, 0xC2, 0x12, 0x34, 0x56};
    uint8_t ip[4] = {192, 0, 2, 10};
    std::string netmask = "255.255.255.0";
    std::string gateway = "192.0.2.1";
    bool dhcp = false;
    uint32_t replyDelayMs = 5;

    std::string user = "admin";
    std::string password;
    std::string shares = "public:music";   // the share-list text, as sent
    // The address the adapter reports after a switch to DHCP.
    uint8_t dhcpAddress[4] = {192, 0, 2, 200};

    // Misbehaviours, for tests.
    bool answerEveryCopy = false;       // answer each of the sweep's three copies
    std::vector<std::string> silentFor;  // "search", "login", "shares", "dhcp", "static"
    bool staticAnswersOld = false;      // confirm a static change with the old address, and keep it
    int lateSearchReplies = 0;          // search replies sent ahead of each command reply
    int foreignReplies = 0;             // copies of each command reply with another ClientId, sent first
    int strayAddressReplies = 0;        // copies of each command reply from another address, sent first
};

struct PlannedReply {
    uint32_t delayMs;
    Bytes bytes;
};


// A search reply as an adapter sends it: 60 bytes and the name.
Bytes EncodeSearchReply(const uint8_t clientId[10], const AdapterConfig &adapter);
// A query reply: 28 bytes, then the payload (a verdict byte or share names).
Bytes EncodeQueryReply(const uint8_t clientId[10], const uint8_t mac[6], const uint8_t ip[4], const Bytes &payload);
// A set reply: 21 bytes, carrying the address after the change.
Bytes EncodeSetReply(const uint8_t clientId[10], const uint8_t mac[6], const uint8_t ip[4]);

class AdapterModel {
public:
    explicit AdapterModel(const AdapterConfig &config) : config_(config) {}
    // The adapter as it is now: a set command changes its address settings.
    const AdapterConfig &config() const { return config_; }
    // The replies to one request that arrived at nowMs.  A command whose
    // DeviceId (bytes 11 to 20) is not this adapter's is not answered.
    std::vector<PlannedReply> Handle(const Bytes &request, int64_t nowMs);

private:
    bool Silent(const char *what) const;
    bool ForMe(const Bytes &request) const;
    Bytes Answer(const Bytes &request);
    void Surround(const Bytes &request, const Bytes &reply, std::vector<PlannedReply> &out) const;

    AdapterConfig config_;
    Bytes lastSearchClient_;
    int64_t lastSearchMs_ = 0;
};

#endif
