// adapter-sim: plays one adapter over real UDP, for the namespace tests and
// the demo.  It listens on port 13579, has joined 224.0.0.1, and sends its
// replies to the group, port 13579, as the adapters do.  Every datagram it
// receives is logged as one line: milliseconds since start, then the bytes
// in hex.  It runs until SIGTERM or SIGINT.
//
//   adapter-sim [--name N] [--mac AA:BB:CC:DD:EE:FF] [--ip A.B.C.D]
//               [--netmask M] [--gateway G] [--dhcp] [--delay-ms D]
//               [--user U] [--password P] [--shares A:B:C] [--dhcp-address A.B.C.D]
//               [--log FILE]
// and, to misbehave for tests:
//               [--every-copy] [--silent search,login,shares,dhcp,static]
//               [--static-answers-old] [--late-search-replies N]
//               [--foreign-replies N] [--stray-address-replies N]
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tools/adapter/adapter_model.h"
#include "tools/common/netns_guard.h"

namespace {

volatile sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

int64_t NowMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (int64_t)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

const char kUsage[] =
    "usage: adapter-sim [--name N] [--mac AA:BB:CC:DD:EE:FF] [--ip A.B.C.D] [--netmask M]\n"
    "                   [--gateway G] [--dhcp] [--delay-ms D] [--user U] [--password P]\n"
    "                   [--shares A:B:C] [--dhcp-address A.B.C.D] [--log FILE]\n"
    "                   [--every-copy] [--silent search,login,shares,dhcp,static]\n"
    "                   [--static-answers-old] [--late-search-replies N]\n"
    "                   [--foreign-replies N] [--stray-address-replies N]\n";

int Count(const std::string &v) { return (int)strtol(v.c_str(), nullptr, 10); }

std::vector<std::string> SplitCommas(const std::string &v) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= v.size()) {
        const size_t end = v.find(',', start);
        out.push_back(v.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

bool ParseMac(const std::string &text, uint8_t mac[6]) {
    unsigned v[6];
    char tail;
    if (sscanf(text.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x%c", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &tail) != 6)
        return false;
    for (int i = 0; i < 6; i++) mac[i] = (uint8_t)v[i];
    return true;
}

int Usage(const std::string &what) {
    fprintf(stderr, "adapter-sim: %s\n%s", what.c_str(), kUsage);
    return 2;
}

struct Scheduled {
    int64_t dueMs;
    Bytes bytes;
};

}  // namespace

int main(int argc, char **argv) {
    AdapterConfig config;
    std::string logPath;
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        auto value = [&](std::string &out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--dhcp") {
            config.dhcp = true;
        } else if (a == "--every-copy") {
            config.answerEveryCopy = true;
        } else if (a == "--name" && value(v)) {
            config.name = v;
        } else if (a == "--mac" && value(v)) {
            if (!ParseMac(v, config.mac)) return Usage("bad hardware address " + v);
        } else if (a == "--ip" && value(v)) {
            if (!ParseDotted(v, config.ip)) return Usage("bad address " + v);
        } else if (a == "--netmask" && value(v)) {
            config.netmask = v;
        } else if (a == "--gateway" && value(v)) {
            config.gateway = v;
        } else if (a == "--delay-ms" && value(v)) {
            config.replyDelayMs = (uint32_t)strtoul(v.c_str(), nullptr, 10);
        } else if (a == "--user" && value(v)) {
            config.user = v;
        } else if (a == "--password" && value(v)) {
            config.password = v;
        } else if (a == "--shares" && value(v)) {
            config.shares = v;
        } else if (a == "--dhcp-address" && value(v)) {
            if (!ParseDotted(v, config.dhcpAddress)) return Usage("bad address " + v);
        } else if (a == "--silent" && value(v)) {
            config.silentFor = SplitCommas(v);
        } else if (a == "--static-answers-old") {
            config.staticAnswersOld = true;
        } else if (a == "--late-search-replies" && value(v)) {
            config.lateSearchReplies = Count(v);
        } else if (a == "--foreign-replies" && value(v)) {
            config.foreignReplies = Count(v);
        } else if (a == "--stray-address-replies" && value(v)) {
            config.strayAddressReplies = Count(v);
        } else if (a == "--log" && value(v)) {
            logPath = v;
        } else {
            return Usage("unknown or incomplete option " + a);
        }
    }
    if (!MulticastAllowed("adapter-sim")) return 3;

    FILE *log = logPath.empty() ? stdout : fopen(logPath.c_str(), "w");
    if (!log) return Usage("cannot write " + logPath);

    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    const int on = 1, off = 0;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(13579);
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(fd, reinterpret_cast<sockaddr *>(&any), sizeof any) != 0) {
        perror("adapter-sim: bind");
        return 3;
    }
    ip_mreq membership{};
    membership.imr_multiaddr.s_addr = inet_addr("224.0.0.1");
    membership.imr_interface.s_addr = htonl(INADDR_ANY);
    if (setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) != 0) {
        perror("adapter-sim: join 224.0.0.1");
        return 3;
    }
    setsockopt(fd, IPPROTO_IP, IP_MULTICAST_LOOP, &off, sizeof off);
    sockaddr_in group{};
    group.sin_family = AF_INET;
    group.sin_port = htons(13579);
    group.sin_addr.s_addr = inet_addr("224.0.0.1");

    signal(SIGTERM, OnSignal);
    signal(SIGINT, OnSignal);
    AdapterModel model(config);
    std::vector<Scheduled> pending;
    const int64_t start = NowMs();
    fprintf(stderr, "adapter-sim: %s at %s listening\n", config.name.c_str(), DottedText(config.ip).c_str());

    std::vector<uint8_t> buffer(65536);
    while (!g_stop) {
        int64_t wait = 200;
        for (const Scheduled &s : pending) wait = std::min<int64_t>(wait, std::max<int64_t>(0, s.dueMs - NowMs()));
        pollfd p = {fd, POLLIN, 0};
        if (poll(&p, 1, (int)wait) > 0) {
            const ssize_t n = recv(fd, buffer.data(), buffer.size(), 0);
            if (n >= 0) {
                const Bytes request(buffer.begin(), buffer.begin() + n);
                fprintf(log, "%lld", (long long)(NowMs() - start));
                for (uint8_t b : request) fprintf(log, " %02X", b);
                fprintf(log, "\n");
                fflush(log);
                for (PlannedReply &r : model.Handle(request, NowMs()))
                    pending.push_back(Scheduled{NowMs() + r.delayMs, r.bytes});
            }
        }
        for (size_t i = 0; i < pending.size();) {
            if (pending[i].dueMs <= NowMs()) {
                sendto(fd, pending[i].bytes.data(), pending[i].bytes.size(), 0, reinterpret_cast<sockaddr *>(&group),
                       sizeof group);
                pending.erase(pending.begin() + (long)i);
            } else {
                i++;
            }
        }
    }
    close(fd);
    if (log != stdout) fclose(log);
    return 0;
}
