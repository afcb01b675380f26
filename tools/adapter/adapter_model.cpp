#include "tools/adapter/adapter_model.h"

#include <stdio.h>
#include <string.h>

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

std::string DottedText(const uint8_t ip[4]) {
    char text[16];
    snprintf(text, sizeof text, "%u.%u.%u.%u", ip[0], ip[1], ip[2], ip[3]);
    return text;
}

bool ParseDotted(const std::string &text, uint8_t ip[4]) {
    unsigned v[4];
    char tail;
    if (sscanf(text.c_str(), "%3u.%3u.%3u.%3u%c", &v[0], &v[1], &v[2], &v[3], &tail) != 4) return false;
    for (int i = 0; i < 4; i++) {
        if (v[i] > 255) return false;
        ip[i] = (uint8_t)v[i];
    }
    return true;
}

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

std::vector<PlannedReply> AdapterModel::Handle(const Bytes &request, int64_t nowMs) {
    std::vector<PlannedReply> replies;
    if (request.size() == 11 && request[0] == 1) {
        const Bytes client(request.begin() + 1, request.end());
        const bool sameSweep = client == lastSearchClient_ && nowMs - lastSearchMs_ < kSameSweepMs;
        if (!sameSweep) {
            lastSearchClient_ = client;
            lastSearchMs_ = nowMs;
        }
        if (!sameSweep || config_.answerEveryCopy)
            replies.push_back({config_.replyDelayMs, EncodeSearchReply(&request[1], config_)});
    }
    return replies;
}
