#include "tests/support/simlan.h"

#include <string.h>

#include <algorithm>

#include "platform/clock.h"

namespace {

SimLan *g_current = nullptr;

const uint8_t kGroup[4] = {224, 0, 0, 1};

int Startup(uint16_t v) { return SimLan::Current().Startup(v); }
int Cleanup() { return SimLan::Current().Cleanup(); }
int GetHostName(char *n, int l) { return SimLan::Current().GetHostName(n, l); }
int FirstHostAddress(const char *n, uint8_t a[4]) { return SimLan::Current().FirstHostAddress(n, a); }
NetSocket Socket(int af, int t, int p) { return SimLan::Current().Socket(af, t, p); }
int SetSockOpt(NetSocket s, int lv, int n, const char *v, int l) { return SimLan::Current().SetSockOpt(s, lv, n, v, l); }
int Bind(NetSocket s, const NetSockAddrIn *a, int l) { return SimLan::Current().Bind(s, a, l); }
int SendTo(NetSocket s, const char *b, int l, int, const NetSockAddrIn *to, int tl) {
    return SimLan::Current().SendTo(s, b, l, to, tl);
}
int Select(int, NetFdSet *r, NetFdSet *, NetFdSet *, const NetTimeval *t) { return SimLan::Current().Select(r, t); }
int FdIsSet(NetSocket s, NetFdSet *set) {
    for (unsigned i = 0; i < set->fd_count; i++)
        if (set->fd_array[i] == s) return 1;
    return 0;
}
int RecvFrom(NetSocket s, char *b, int l, int, NetSockAddrIn *f, int *fl) { return SimLan::Current().RecvFrom(s, b, l, f, fl); }
int CloseSocket(NetSocket s) { return SimLan::Current().CloseSocket(s); }
void SleepMs(uint32_t ms) { SimLan::Current().Sleep(ms); }
int64_t Time() { return SimLan::Current().Time(); }

const SocketApi kSockets = {Startup, Cleanup, GetHostName, FirstHostAddress, Socket,   SetSockOpt,
                            Bind,    SendTo,  Select,      FdIsSet,          RecvFrom, CloseSocket};
const ClockApi kClock = {SleepMs, Time};

}  // namespace

SimLan::SimLan() {
    g_current = this;
    SetSockets(&kSockets);
    SetClock(&kClock);
}

SimLan::~SimLan() {
    SetSockets(nullptr);
    SetClock(nullptr);
    g_current = nullptr;
}

SimLan &SimLan::Current() { return *g_current; }

void SimLan::SetHostAddress(const uint8_t ip[4]) {
    memcpy(hostAddress_, ip, 4);
    hostResolves_ = true;
}

AdapterModel &SimLan::AddAdapter(const AdapterConfig &config) {
    adapters_.push_back(std::unique_ptr<AdapterModel>(new AdapterModel(config)));
    return *adapters_.back();
}

void SimLan::Deliver(const Bytes &datagram, uint32_t delayMs) {
    const int64_t due = nowUs_ + (int64_t)delayMs * 1000;
    auto at = std::upper_bound(queue_.begin(), queue_.end(), due,
                               [](int64_t d, const Pending &p) { return d < p.dueUs; });
    queue_.insert(at, Pending{due, datagram});
}

NetSockAddrIn SimLan::boundTo(NetSocket s) const {
    for (const SocketState &st : sockets_)
        if (st.handle == s) return st.address;
    return NetSockAddrIn{};
}

void SimLan::ClearRecords() {
    sent_.clear();
    options_.clear();
    sleeps_.clear();
    closed_.clear();
    selects_ = 0;
    receives_ = 0;
}

int SimLan::Startup(uint16_t) {
    cleanedUp_ = false;
    return startupFails_ ? 10091 /* WSASYSNOTREADY */ : 0;
}

int SimLan::Cleanup() {
    cleanedUp_ = true;
    return 0;
}

int SimLan::GetHostName(char *name, int len) {
    if (len <= (int)hostName_.size()) return -1;
    memcpy(name, hostName_.c_str(), hostName_.size() + 1);
    return 0;
}

int SimLan::FirstHostAddress(const char *name, uint8_t address[4]) {
    if (!hostResolves_ || hostName_ != name) return 0;
    memcpy(address, hostAddress_, 4);
    return 1;
}

NetSocket SimLan::Socket(int af, int type, int) {
    if (af != NET_AF_INET || type != NET_SOCK_DGRAM) return NET_INVALID_SOCKET;
    SocketState st;
    st.handle = nextHandle_++;
    sockets_.push_back(st);
    return st.handle;
}

SimLan::SocketState *SimLan::Find(NetSocket s) {
    for (SocketState &st : sockets_)
        if (st.handle == s && st.open) return &st;
    return nullptr;
}

int SimLan::SetSockOpt(NetSocket s, int level, int name, const char *value, int len) {
    SocketState *st = Find(s);
    if (!st || len <= 0) return -1;
    options_.push_back(Option{s, level, name, Bytes(value, value + len)});
    if (level == NET_IPPROTO_IP && name == NET_IP_MULTICAST_LOOP) st->multicastLoop = value[0] != 0;
    return 0;
}

int SimLan::Bind(NetSocket s, const NetSockAddrIn *addr, int len) {
    SocketState *st = Find(s);
    if (!st || len != (int)sizeof(NetSockAddrIn)) return -1;
    st->bound = true;
    st->address = *addr;
    return 0;
}

// The socket that receives what is sent to port 13579 of this host.
bool SimLan::Receiving(NetSocket s) {
    SocketState *st = Find(s);
    return st && st->bound && st->address.sin_port == NetHtons(13579);
}

int SimLan::SendTo(NetSocket s, const char *buf, int len, const NetSockAddrIn *to, int tolen) {
    if (!Find(s) || tolen != (int)sizeof(NetSockAddrIn) || len < 0) return -1;
    const Bytes bytes(buf, buf + len);
    sent_.push_back(Sent{nowUs_, s, *to, bytes});
    if (onSend) onSend(sent_.back());
    uint32_t group;
    memcpy(&group, kGroup, 4);
    if (to->sin_addr != group || to->sin_port != NetHtons(13579)) return len;
    // Multicast loopback: with it on, our own receiving socket hears the copy.
    if (Find(s)->multicastLoop) Deliver(bytes, 0);
    for (auto &adapter : adapters_)
        for (const PlannedReply &r : adapter->Handle(bytes, NowMs())) Deliver(r.bytes, r.delayMs);
    return len;
}

bool SimLan::Ready() const {
    return failAll_ || failNext_ > 0 || (!queue_.empty() && queue_.front().dueUs <= nowUs_);
}

int SimLan::Select(NetFdSet *read, const NetTimeval *timeout) {
    selects_++;
    bool wanted = false;
    NetSocket receiver = NET_INVALID_SOCKET;
    for (unsigned i = 0; read && i < read->fd_count; i++)
        if (Receiving(read->fd_array[i])) {
            wanted = true;
            receiver = read->fd_array[i];
        }
    const int64_t limit = timeout ? nowUs_ + (int64_t)timeout->tv_sec * 1000000 + timeout->tv_usec : INT64_MAX;
    if (wanted && !Ready() && !queue_.empty() && queue_.front().dueUs <= limit) nowUs_ = queue_.front().dueUs;
    if (wanted && Ready()) {
        read->fd_count = 1;
        read->fd_array[0] = receiver;
        return 1;
    }
    if (limit != INT64_MAX) nowUs_ = limit;
    if (read) read->fd_count = 0;
    return 0;
}

int SimLan::RecvFrom(NetSocket s, char *buf, int len, NetSockAddrIn *from, int *fromlen) {
    receives_++;
    if (!Receiving(s)) return -1;
    if (failAll_) return -1;
    if (failNext_ > 0) {
        failNext_--;
        return -1;
    }
    if (queue_.empty() || queue_.front().dueUs > nowUs_) return -1;   // would block
    const Bytes bytes = queue_.front().bytes;
    queue_.erase(queue_.begin());
    if ((int)bytes.size() > len) return -1;   // WSAEMSGSIZE: the datagram is lost
    if (!bytes.empty()) memcpy(buf, bytes.data(), bytes.size());
    if (from && fromlen) {
        memset(from, 0, sizeof *from);
        from->sin_family = NET_AF_INET;
        *fromlen = (int)sizeof *from;
    }
    return (int)bytes.size();
}

int SimLan::CloseSocket(NetSocket s) {
    SocketState *st = Find(s);
    if (!st) return -1;
    if (onClose) onClose(s);
    st->open = false;
    closed_.push_back(s);
    return 0;
}

void SimLan::Sleep(uint32_t ms) {
    sleeps_.push_back(ms);
    nowUs_ += (int64_t)ms * 1000;
}
