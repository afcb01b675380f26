#include "tools/adapter/adapter_model.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>

namespace {

// The sweep sends three copies within 160 ms; copies of one sweep are
// answered once unless answerEveryCopy is set.
const int64_t kSameSweepMs = 500;

void PutLe32(Bytes &b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; i++) b[at + i] = (uint8_t)(v >> (8 * i));
}

void PutField(Bytes &b, size_t at, const std::string &text, size_t width) {
    for (size_t i = 0; i < text.size() && i < width; i++) b[at + i] = (uint8_t)text[i];
}

}  // namespace

Bytes EncodeSearchReply(const uint8_t clientId[10], const AdapterConfig &a) {
    Bytes b(60 + a.name.size(), 0);
    b[0] = 2;
    memcpy(&b[1], clientId, 10);
    memcpy(&b[11], a.mac, 6);
    memcpy(&b[17], a.ip, 4);
    b[21] = a.dhcp ? '1' : '0';
    PutField(b, 24, a.netmask, 16);
    PutField(b, 40, a.gateway, 16);
    PutLe32(b, 56, (uint32_t)a.name.size());
    memcpy(b.data() + 60, a.name.data(), a.name.size());
    return b;
}

namespace {

// What every command reply opens with: type, the ClientId echoed, the
// hardware address and the IPv4 address; zero up to size.
Bytes CommandReply(uint8_t type, size_t size, const uint8_t clientId[10], const uint8_t mac[6], const uint8_t ip[4]) {
    Bytes b(size, 0);
    b[0] = type;
    memcpy(&b[1], clientId, 10);
    memcpy(&b[11], mac, 6);
    memcpy(&b[17], ip, 4);
    return b;
}

}  // namespace

Bytes EncodeQueryReply(const uint8_t clientId[10], const uint8_t mac[6], const uint8_t ip[4], const Bytes &payload) {
    Bytes b = CommandReply(4, 28, clientId, mac, ip);
    for (uint8_t c : payload) b.push_back(c);
    return b;
}

Bytes EncodeSetReply(const uint8_t clientId[10], const uint8_t mac[6], const uint8_t ip[4]) {
    return CommandReply(6, 21, clientId, mac, ip);
}

namespace {

uint32_t GetLe32(const Bytes &b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; i--) v = v << 8 | (at + i < b.size() ? b[at + i] : 0);
    return v;
}

// A dotted text from a fixed field of the request, up to its first zero.
std::string FieldText(const Bytes &b, size_t at, size_t width) {
    std::string s;
    for (size_t i = at; i < at + width && i < b.size() && b[i]; i++) s += (char)b[i];
    return s;
}

}  // namespace

bool AdapterModel::Silent(const char *what) const {
    for (const std::string &s : config_.silentFor)
        if (s == what) return true;
    return false;
}

bool AdapterModel::ForMe(const Bytes &request) const {
    return request.size() >= 22 && memcmp(&request[11], config_.mac, 6) == 0 && memcmp(&request[17], config_.ip, 4) == 0;
}

// The reply to a command meant for this adapter, applying its effect; empty
// when the adapter does not answer it.
Bytes AdapterModel::Answer(const Bytes &request) {
    const uint8_t *client = &request[1];
    const uint8_t type = request[0], command = request[21];
    if (type == 3 && command == 4 && !Silent("login")) {
        // user, 55 AA, password: L bytes from offset 28
        const size_t length = std::min<size_t>(GetLe32(request, 24), request.size() > 28 ? request.size() - 28 : 0);
        const std::string payload(request.begin() + 28, request.begin() + 28 + (long)length);
        const size_t sep = payload.find("\x55\xAA");
        const bool ok = sep != std::string::npos && payload.substr(0, sep) == config_.user &&
                        payload.substr(sep + 2) == config_.password;
        return EncodeQueryReply(client, config_.mac, config_.ip, Bytes{(uint8_t)(ok ? 1 : 0)});
    }
    if (type == 3 && command == 3 && !Silent("shares"))
        return EncodeQueryReply(client, config_.mac, config_.ip, Bytes(config_.shares.begin(), config_.shares.end()));
    if (type == 5 && command == 2 && !Silent("dhcp")) {
        memcpy(config_.ip, config_.dhcpAddress, 4);
        config_.dhcp = true;
        return EncodeSetReply(client, config_.mac, config_.ip);
    }
    if (type == 5 && command == 1 && !Silent("static")) {
        const size_t length = std::min<size_t>(GetLe32(request, 56), 15);
        uint8_t ip[4];
        if (request.size() < 60 + length || !ParseDotted(std::string(request.begin() + 60, request.begin() + 60 + (long)length), ip))
            return Bytes();
        if (!config_.staticAnswersOld) {
            memcpy(config_.ip, ip, 4);
            config_.netmask = FieldText(request, 24, 16);
            config_.gateway = FieldText(request, 40, 16);
            config_.dhcp = false;
        }
        return EncodeSetReply(client, config_.mac, config_.ip);
    }
    return Bytes();
}

// The misbehaviours that go ahead of a command reply.
void AdapterModel::Surround(const Bytes &request, const Bytes &reply, std::vector<PlannedReply> &out) const {
    const uint32_t d = config_.replyDelayMs;
    for (int i = 0; i < config_.lateSearchReplies; i++) out.push_back({d, EncodeSearchReply(&request[1], config_)});
    for (int i = 0; i < config_.foreignReplies; i++) {
        Bytes foreign = reply;
        for (int k = 1; k <= 10; k++) foreign[k] ^= 0x5A;
        out.push_back({d, foreign});
    }
    for (int i = 0; i < config_.strayAddressReplies; i++) {
        Bytes stray = reply;
        stray[20] ^= 0x01;
        out.push_back({d, stray});
    }
    out.push_back({d, reply});
}

std::vector<PlannedReply> AdapterModel::Handle(const Bytes &request, int64_t nowMs) {
    std::vector<PlannedReply> replies;
    if (request.size() == 11 && request[0] == 1) {
        if (Silent("search")) return replies;
        const Bytes client(request.begin() + 1, request.end());
        const bool sameSweep = client == lastSearchClient_ && nowMs - lastSearchMs_ < kSameSweepMs;
        if (!sameSweep) {
            lastSearchClient_ = client;
            lastSearchMs_ = nowMs;
        }
        if (!sameSweep || config_.answerEveryCopy)
            replies.push_back({config_.replyDelayMs, EncodeSearchReply(&request[1], config_)});
        return replies;
    }
    if (!ForMe(request)) return replies;
    const Bytes reply = Answer(request);
    if (!reply.empty()) Surround(request, reply, replies);
    return replies;
}
