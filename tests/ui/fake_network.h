// A fake network provider behind the WNet seam, with the drive types of the
// system seam: tests say which letters are connected to which remote names,
// which letters are of which drive type, and which connections the provider
// refuses.  Installed while it lives.
#ifndef TESTS_UI_FAKE_NETWORK_H
#define TESTS_UI_FAKE_NETWORK_H

#include <windows.h>

#include <map>
#include <string>
#include <vector>

class FakeNetwork {
public:
    FakeNetwork();
    ~FakeNetwork();

    // E: -> \\STORE1\public.  The letter's drive type becomes DRIVE_REMOTE.
    void Connect(char letter, const std::string &remoteName);
    void Disconnect(char letter);
    // The answer WNetGetConnectionA gives for a letter instead of its name.
    void FailQuery(char letter, DWORD error) { queryErrors_[letter] = error; }
    // Unset letters are DRIVE_NO_ROOT_DIR, but C: which is DRIVE_FIXED.
    void SetDriveType(char letter, UINT type) { types_[letter] = type; }
    void RefuseConnections(DWORD error) { addError_ = error; }
    void RefuseCancels(DWORD error) { cancelError_ = error; }

    struct AddCall {
        std::string local, remote, user, password;
        DWORD type, flags;
    };
    struct CancelCall {
        std::string name;
        DWORD flags;
        BOOL force;
    };
    int queries = 0;   // WNetGetConnectionA calls
    std::vector<AddCall> adds;
    std::vector<CancelCall> cancels;

    DWORD GetConnection(const char *local, char *remote, DWORD *length);
    DWORD AddConnection(NETRESOURCEA *resource, const char *password, const char *user, DWORD flags);
    DWORD CancelConnection(const char *name, DWORD flags, BOOL force);
    UINT DriveType(const char *root);

private:
    static char Letter(const char *name);
    std::map<char, std::string> connections_;
    std::map<char, DWORD> queryErrors_;
    std::map<char, UINT> types_;
    DWORD addError_ = NO_ERROR;
    DWORD cancelError_ = NO_ERROR;
};

#endif
