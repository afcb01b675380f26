// The simulated LAN: a fake of the socket and clock seams with virtual time
// and scripted adapters, for exchange tests that check timings exactly.
//
// Constructing a SimLan installs it as both seams; destroying it puts the
// real ones back.  Time moves only when the code under test waits: Sleep
// adds its milliseconds, and select waits until the next datagram is due or
// its time-out has passed, whichever comes first.  A whole sweep therefore
// runs in microseconds of real time and its virtual length can be asserted.
//
// Every datagram sent is recorded with its virtual time.  A datagram sent to
// the group reaches every scripted adapter, whose replies are queued for the
// socket bound to port 13579 after their delays.  The test can also queue any
// datagram itself, make the next receives fail, and queue datagrams longer
// than a receive takes.
#ifndef TESTS_SUPPORT_SIMLAN_H
#define TESTS_SUPPORT_SIMLAN_H

#include <stdint.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/sockets.h"
#include "tools/adapter/adapter_model.h"

class SimLan {
public:
    SimLan();
    ~SimLan();
    SimLan(const SimLan &) = delete;
    SimLan &operator=(const SimLan &) = delete;

    struct Sent {
        int64_t atUs;
        NetSocket socket;
        NetSockAddrIn to;
        Bytes bytes;
    };
    struct Option {
        NetSocket socket;
        int level;
        int name;
        Bytes value;
    };

    // --- the host ---
    void SetHostName(const std::string &name) { hostName_ = name; }
    void SetHostAddress(const uint8_t ip[4]);
    void SetHostUnresolvable() { hostResolves_ = false; }
    void SetStartupFails() { startupFails_ = true; }

    // --- the network ---
    AdapterModel &AddAdapter(const AdapterConfig &config);
    // Queues a datagram for port 13579 of this host, due delayMs from now.
    void Deliver(const Bytes &datagram, uint32_t delayMs = 0);
    // The next count receives fail although select reported the socket ready.
    void FailNextReceives(int count) { failNext_ += count; }
    void FailAllReceives() { failAll_ = true; }
    size_t Queued() const { return queue_.size(); }

    // --- what happened ---
    int64_t NowUs() const { return nowUs_; }
    int64_t NowMs() const { return nowUs_ / 1000; }
    const std::vector<Sent> &sent() const { return sent_; }
    const std::vector<Option> &options() const { return options_; }
    const std::vector<uint32_t> &sleeps() const { return sleeps_; }
    int selects() const { return selects_; }
    int receives() const { return receives_; }
    const std::vector<NetSocket> &closed() const { return closed_; }
    NetSockAddrIn boundTo(NetSocket s) const;
    bool cleanedUp() const { return cleanedUp_; }
    void ClearRecords();
    // Called as each socket is closed, before it is marked closed.
    std::function<void(NetSocket)> onClose;
    // Called as each datagram is sent, after it is recorded.
    std::function<void(const Sent &)> onSend;

    static SimLan &Current();

    // Seam entry points (public for the C-style tables).
    int Startup(uint16_t version);
    int Cleanup();
    int GetHostName(char *name, int len);
    int FirstHostAddress(const char *name, uint8_t address[4]);
    NetSocket Socket(int af, int type, int protocol);
    int SetSockOpt(NetSocket s, int level, int name, const char *value, int len);
    int Bind(NetSocket s, const NetSockAddrIn *addr, int len);
    int SendTo(NetSocket s, const char *buf, int len, const NetSockAddrIn *to, int tolen);
    int Select(NetFdSet *read, const NetTimeval *timeout);
    int RecvFrom(NetSocket s, char *buf, int len, NetSockAddrIn *from, int *fromlen);
    int CloseSocket(NetSocket s);
    void Sleep(uint32_t ms);
    int64_t Time() const { return 1700000000 + nowUs_ / 1000000; }

private:
    struct Pending {
        int64_t dueUs;
        Bytes bytes;
    };
    struct SocketState {
        NetSocket handle;
        bool bound = false;
        NetSockAddrIn address{};
        bool multicastLoop = true;   // on until switched off, as on Windows and Linux
        bool open = true;
    };
    SocketState *Find(NetSocket s);
    bool Receiving(NetSocket s);
    bool Ready() const;

    int64_t nowUs_ = 0;
    std::string hostName_ = "simhost";
    uint8_t hostAddress_[4] = {192, 0, 2, 20};
    bool hostResolves_ = true;
    bool startupFails_ = false;
    int failNext_ = 0;
    bool failAll_ = false;
    bool cleanedUp_ = false;
    NetSocket nextHandle_ = 100;
    std::vector<SocketState> sockets_;
    std::vector<std::unique_ptr<AdapterModel>> adapters_;
    std::vector<Pending> queue_;   // ordered by due time, then by arrival
    std::vector<Sent> sent_;
    std::vector<Option> options_;
    std::vector<uint32_t> sleeps_;
    std::vector<NetSocket> closed_;
    int selects_ = 0;
    int receives_ = 0;
};

#endif
