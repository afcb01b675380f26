// locavist: the adapter protocol from the Linux command line.
//
//   locavist [--json] search
//   locavist [--json] shares ADDRESS
//   locavist [--json] [--user NAME] [--password TEXT] login ADDRESS
//   locavist [--json] [--user NAME] [--password TEXT] dhcp ADDRESS
//   locavist [--json] [--user NAME] [--password TEXT] static ADDRESS NEW-IP NETMASK GATEWAY
//
// Every command but search first runs a sweep and then selects the adapter
// by its IP text, as a click in the dialog's adapter list does.  The login
// uses "admin" and the empty password unless told otherwise, as the dialog's
// Apply does; when that is refused and no --password was given on a
// terminal, it asks for the password once.
#include <stdio.h>
#include <string.h>
#include <termios.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "protocol/commands.h"
#include "protocol/endpoint.h"
#include "protocol/registry.h"
#include "protocol/search.h"
#include "tools/common/dotted.h"
#include "tools/common/netns_guard.h"

namespace {

enum Exit {
    EXIT_OK = 0,
    EXIT_NO_ADAPTER = 1,   // search found none, or none at ADDRESS
    EXIT_USAGE = 2,
    EXIT_NETWORK = 3,
    EXIT_LOGIN_REFUSED = 4,
    EXIT_NO_ANSWER = 5,    // the adapter did not answer or confirm
};

const char kUsage[] =
    "usage: locavist [options] search\n"
    "       locavist [options] shares ADDRESS\n"
    "       locavist [options] login ADDRESS\n"
    "       locavist [options] dhcp ADDRESS\n"
    "       locavist [options] static ADDRESS NEW-IP NETMASK GATEWAY\n"
    "\n"
    "  search    find every adapter on this network segment and list it:\n"
    "            name, IP, netmask, gateway, dhcp or static, hardware address\n"
    "  shares    list the shared folders of the adapter at ADDRESS\n"
    "  login     log in to the adapter at ADDRESS as its administrator\n"
    "  dhcp      switch the adapter at ADDRESS to DHCP\n"
    "  static    give the adapter at ADDRESS a static address; the gateway\n"
    "            must lie in the subnet of NEW-IP and NETMASK\n"
    "\n"
    "  --user NAME       administrator user name (default admin)\n"
    "  --password TEXT   administrator password (default empty; asked for on\n"
    "                    a terminal when the empty one is refused)\n"
    "  --json            print the result as JSON\n"
    "  --help            print this text\n"
    "\n"
    "exit status: 0 done, 1 no adapter found (at ADDRESS), 2 usage error,\n"
    "3 network unusable, 4 login refused, 5 no answer or change not confirmed\n";

bool g_json = false;

int UsageError(const std::string &what) {
    fprintf(stderr, "locavist: %s\n%s", what.c_str(), kUsage);
    return EXIT_USAGE;
}

std::string JsonString(const char *text) {
    std::string out = "\"";
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; p++) {
        if (*p == '"' || *p == '\\') {
            out += '\\';
            out += (char)*p;
        } else if (*p >= 0x20 && *p < 0x7F) {
            out += (char)*p;
        } else {
            char esc[7];
            snprintf(esc, sizeof esc, "\\u%04X", *p);
            out += esc;
        }
    }
    return out + "\"";
}

// Texts come off the wire: anything that is not printable ASCII is shown as
// \xNN so that it cannot upset the terminal or the columns.
std::string Printable(const char *text) {
    std::string out;
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; p++) {
        if (*p >= 0x20 && *p < 0x7F && *p != '\\') {
            out += (char)*p;
        } else {
            char esc[5];
            snprintf(esc, sizeof esc, "\\x%02X", *p);
            out += esc;
        }
    }
    return out;
}

std::string HardwareAddress(const unsigned char *deviceId) {
    char text[18];
    snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", deviceId[0], deviceId[1], deviceId[2],
             deviceId[3], deviceId[4], deviceId[5]);
    return text;
}

std::string AdapterJson(const AdapterNode *n) {
    return "{\"name\": " + JsonString(n->name) + ", \"ip\": " + JsonString(n->ipText) +
           ", \"netmask\": " + JsonString(n->netmaskText) + ", \"gateway\": " + JsonString(n->gatewayText) +
           ", \"dhcp\": " + (n->dhcpFlag[0] == '1' ? "true" : "false") + ", \"hardwareAddress\": \"" +
           HardwareAddress(n->deviceId) + "\"}";
}

// Reports the end of a command: a line of text, or a JSON object with
// "ok", the message and any extra members.
int Finish(int status, const std::string &message, const std::string &jsonExtra = "") {
    if (g_json) {
        printf("{\"ok\": %s, \"message\": %s%s}\n", status == EXIT_OK ? "true" : "false",
               JsonString(message.c_str()).c_str(), jsonExtra.c_str());
    } else {
        fprintf(status == EXIT_OK ? stdout : stderr, "%s%s\n", status == EXIT_OK ? "" : "locavist: ",
                message.c_str());
    }
    return status;
}

int Search() {
    SearchAdapters();
    if (g_json) {
        printf("[");
        for (const AdapterNode *n = AdapterList.head; n; n = n->next)
            printf("%s\n  %s", n == AdapterList.head ? "" : ",", AdapterJson(n).c_str());
        printf(AdapterList.head ? "\n]\n" : "]\n");
    } else {
        for (const AdapterNode *n = AdapterList.head; n; n = n->next)
            printf("%s\t%s\t%s\t%s\t%s\t%s\n", Printable(n->name).c_str(), n->ipText,
                   Printable(n->netmaskText).c_str(), Printable(n->gatewayText).c_str(),
                   n->dhcpFlag[0] == '1' ? "dhcp" : "static", HardwareAddress(n->deviceId).c_str());
    }
    return AdapterListIsEmpty() ? EXIT_NO_ADAPTER : EXIT_OK;
}

// Reads a password from the terminal without echo.
bool AskPassword(const char *address, char *password, size_t size) {
    if (!isatty(STDIN_FILENO)) return false;
    fprintf(stderr, "Password for %s at %s: ", Credentials.userName, address);
    termios old;
    const bool quiet = tcgetattr(STDIN_FILENO, &old) == 0;
    if (quiet) {
        termios noEcho = old;
        noEcho.c_lflag &= ~(tcflag_t)ECHO;
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &noEcho);
    }
    char line[256];
    const bool got = fgets(line, sizeof line, stdin) != nullptr;
    if (quiet) tcsetattr(STDIN_FILENO, TCSAFLUSH, &old);
    fprintf(stderr, "\n");
    if (!got) return false;
    line[strcspn(line, "\r\n")] = 0;
    CopyText(password, size, line);
    return true;
}

// The dialog's login sequence: the given credentials, then once more after
// asking for the password when none was given.
bool Login(const char *address, bool passwordGiven) {
    if (LoginAdapter()) return true;
    if (passwordGiven || !AskPassword(address, Credentials.password, sizeof Credentials.password)) return false;
    return LoginAdapter() != 0;
}

// Dotted text in the form "%d.%d.%d.%d", or false.
bool Normalise(const std::string &text, unsigned char address[4], char out[IP_TEXT_SIZE]) {
    if (text.size() > 15 || !ParseDotted(text, address)) return false;
    FormatDotted(address, out);
    return true;
}

}  // namespace

int main(int argc, char **argv) {
    std::string user = "admin", password;
    bool passwordGiven = false;
    std::vector<std::string> words;
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        if (a == "--json") {
            g_json = true;
        } else if (a == "--help" || a == "-h") {
            fputs(kUsage, stdout);
            return EXIT_OK;
        } else if (a == "--user" || a == "--password") {
            if (i + 1 >= argc) return UsageError(a + " needs a value");
            (a == "--user" ? user : password) = argv[++i];
            if (a == "--password") passwordGiven = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return UsageError("unknown option " + a);
        } else {
            words.push_back(a);
        }
    }
    if (words.empty()) return UsageError("no command given");
    const std::string command = words[0];
    const size_t want = command == "search" ? 1 : command == "static" ? 5 : 2;
    if (command != "search" && command != "shares" && command != "login" && command != "dhcp" && command != "static")
        return UsageError("unknown command " + command);
    if (words.size() != want)
        return UsageError(command + (want == 1 ? " takes no arguments" : want == 2 ? " takes one ADDRESS"
                                                                                  : " takes ADDRESS NEW-IP NETMASK GATEWAY"));
    if (user.size() > 16 || password.size() > 16) return UsageError("user name and password have at most 16 characters");

    char address[IP_TEXT_SIZE] = {};
    if (want > 1) {
        unsigned char bytes[4];
        if (!Normalise(words[1], bytes, address)) return UsageError("not an IPv4 address: " + words[1]);
    }
    if (command == "static") {
        unsigned char ip[4], mask[4], gw[4];
        if (!Normalise(words[2], ip, PendingLanSettings.ipText)) return UsageError("not an IPv4 address: " + words[2]);
        if (!Normalise(words[3], mask, PendingLanSettings.netmaskText)) return UsageError("not a netmask: " + words[3]);
        if (!Normalise(words[4], gw, PendingLanSettings.gatewayText)) return UsageError("not an IPv4 address: " + words[4]);
        if (!GatewayInSubnet(ip, mask, gw))
            return UsageError("gateway " + std::string(PendingLanSettings.gatewayText) + " is not in the subnet of " +
                              PendingLanSettings.ipText + " with netmask " + PendingLanSettings.netmaskText);
    }

    if (!MulticastAllowed("locavist")) return EXIT_NETWORK;
    InitNetwork();
    int status;
    if (command == "search") {
        status = Search();
    } else {
        SearchAdapters();
        CopyText(SelectedAddress, sizeof SelectedAddress, address);
        const std::string at = address;
        if (!FindSelectedAdapter()) {
            status = Finish(EXIT_NO_ADAPTER, "no adapter at " + at + " answered the search");
        } else if (command == "shares") {
            if (!GetShareList()) {
                status = Finish(EXIT_NO_ANSWER, "the adapter at " + at + " did not answer the share-list query");
            } else if (g_json) {
                std::string names;
                for (const ShareNode *n = ShareList.head; n; n = n->next)
                    names += (names.empty() ? "" : ", ") + JsonString(n->name);
                status = Finish(EXIT_OK, std::to_string(ShareList.count) + " shared folders", ", \"shares\": [" + names + "]");
            } else {
                for (const ShareNode *n = ShareList.head; n; n = n->next) printf("%s\n", Printable(n->name).c_str());
                status = EXIT_OK;
            }
        } else {
            CopyText(Credentials.userName, sizeof Credentials.userName, user.c_str());
            CopyText(Credentials.password, sizeof Credentials.password, password.c_str());
            if (!Login(address, passwordGiven)) {
                status = Finish(EXIT_LOGIN_REFUSED, "the adapter at " + at + " refused the login of " +
                                                        Credentials.userName + " (or did not answer it)");
            } else if (command == "login") {
                status = Finish(EXIT_OK, "login to " + at + " accepted");
            } else if (command == "dhcp") {
                status = SetDhcpClient()
                             ? Finish(EXIT_OK, "the adapter at " + at + " switched to DHCP; it now has the address " +
                                                   SelectedAddress,
                                      ", \"address\": " + JsonString(SelectedAddress))
                             : Finish(EXIT_NO_ANSWER, "the adapter at " + at + " did not confirm the switch to DHCP");
            } else {
                status = SetStaticIp()
                             ? Finish(EXIT_OK, "the adapter at " + at + " now has the static address " +
                                                   PendingLanSettings.ipText + ", netmask " +
                                                   PendingLanSettings.netmaskText + ", gateway " +
                                                   PendingLanSettings.gatewayText,
                                      ", \"address\": " + JsonString(SelectedAddress))
                             : Finish(EXIT_NO_ANSWER, "the adapter at " + at + " did not confirm the change to " +
                                                          PendingLanSettings.ipText);
            }
        }
    }
    CloseNetwork();
    ClearAdapterList();
    ClearShareList();
    return status;
}
