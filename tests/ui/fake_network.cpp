#include "tests/ui/fake_network.h"

#include <string.h>

#include "platform/system.h"
#include "platform/wnet.h"

namespace {

FakeNetwork *g_fake = nullptr;

DWORD GetConnection(const char *l, char *r, DWORD *n) { return g_fake->GetConnection(l, r, n); }
DWORD AddConnection(NETRESOURCEA *res, const char *p, const char *u, DWORD f) { return g_fake->AddConnection(res, p, u, f); }
DWORD CancelConnection(const char *n, DWORD f, BOOL force) { return g_fake->CancelConnection(n, f, force); }
UINT FakeDriveType(const char *root) { return g_fake->DriveType(root); }

const WnetApi kWnet = {GetConnection, AddConnection, CancelConnection};
SystemApi g_system;

}  // namespace

FakeNetwork::FakeNetwork() {
    g_fake = this;
    SetWnet(&kWnet);
    g_system = System();   // the other system calls stay as they are
    g_system.getDriveType = FakeDriveType;
    SetSystem(&g_system);
}

FakeNetwork::~FakeNetwork() {
    SetWnet(nullptr);
    SetSystem(nullptr);
    g_fake = nullptr;
}

char FakeNetwork::Letter(const char *name) {
    if (!name || !name[0] || name[1] != ':') return 0;
    const char c = name[0];
    return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
}

void FakeNetwork::Connect(char letter, const std::string &remote) {
    connections_[letter] = remote;
    types_[letter] = DRIVE_REMOTE;
}

void FakeNetwork::Disconnect(char letter) {
    connections_.erase(letter);
    types_.erase(letter);
}

DWORD FakeNetwork::GetConnection(const char *local, char *remote, DWORD *length) {
    queries++;
    const char letter = Letter(local);
    if (queryErrors_.count(letter)) return queryErrors_[letter];
    auto it = connections_.find(letter);
    if (it == connections_.end()) return ERROR_NOT_CONNECTED;
    if (it->second.size() + 1 > *length) {
        *length = (DWORD)it->second.size() + 1;
        return ERROR_MORE_DATA;
    }
    memcpy(remote, it->second.c_str(), it->second.size() + 1);
    return NO_ERROR;
}

DWORD FakeNetwork::AddConnection(NETRESOURCEA *r, const char *password, const char *user, DWORD flags) {
    adds.push_back(AddCall{r->lpLocalName ? r->lpLocalName : "", r->lpRemoteName ? r->lpRemoteName : "",
                           user ? user : "<null>", password ? password : "<null>", r->dwType, flags});
    if (addError_ != NO_ERROR) return addError_;
    Connect(Letter(r->lpLocalName), r->lpRemoteName);
    return NO_ERROR;
}

DWORD FakeNetwork::CancelConnection(const char *name, DWORD flags, BOOL force) {
    cancels.push_back(CancelCall{name ? name : "", flags, force});
    if (cancelError_ != NO_ERROR) return cancelError_;
    const char letter = Letter(name);
    if (!connections_.count(letter)) return ERROR_NOT_CONNECTED;
    Disconnect(letter);
    return NO_ERROR;
}

UINT FakeNetwork::DriveType(const char *root) {
    const char letter = Letter(root);
    if (types_.count(letter)) return types_[letter];
    return letter == 'C' ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
}
