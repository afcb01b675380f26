// locavist: the adapter protocol from the Linux command line.
//
//   locavist [--json] search
//
// `search` runs one discovery sweep (about 1.2 s) and prints one line per
// adapter that answered: name, IP address, netmask, gateway, DHCP or static,
// and hardware address, separated by tabs.  Exit status: 0 when adapters
// were found, 1 when none answered, 2 for a usage error, 3 when the network
// could not be used.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "protocol/endpoint.h"
#include "protocol/registry.h"
#include "protocol/search.h"
#include "tools/common/netns_guard.h"

namespace {

const int EXIT_FOUND = 0;
const int EXIT_NONE = 1;
const int EXIT_USAGE = 2;
const int EXIT_NETWORK = 3;

const char kUsage[] =
    "usage: locavist [--json] search\n"
    "\n"
    "  search    find every adapter on this network segment and list it:\n"
    "            name, IP, netmask, gateway, dhcp or static, hardware address\n"
    "\n"
    "  --json    print the result as JSON\n"
    "  --help    print this text\n"
    "\n"
    "exit status: 0 found, 1 none found, 2 usage error, 3 network unusable\n";

int UsageError(const char *what) {
    fprintf(stderr, "locavist: %s\n%s", what, kUsage);
    return EXIT_USAGE;
}

// Adapter names come off the wire: anything that is not printable ASCII is
// shown as \xNN so that it cannot upset the terminal or the columns.
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

std::string HardwareAddress(const unsigned char *deviceId) {
    char text[18];
    snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", deviceId[0], deviceId[1], deviceId[2],
             deviceId[3], deviceId[4], deviceId[5]);
    return text;
}

bool IsDhcp(const AdapterNode *n) { return n->dhcpFlag[0] == '1'; }

void PrintAdapters(bool json) {
    if (json) {
        printf("[");
        for (const AdapterNode *n = AdapterList.head; n; n = n->next) {
            printf("%s\n  {\"name\": %s, \"ip\": %s, \"netmask\": %s, \"gateway\": %s, \"dhcp\": %s, "
                   "\"hardwareAddress\": \"%s\"}",
                   n == AdapterList.head ? "" : ",", JsonString(n->name).c_str(), JsonString(n->ipText).c_str(),
                   JsonString(n->netmaskText).c_str(), JsonString(n->gatewayText).c_str(),
                   IsDhcp(n) ? "true" : "false", HardwareAddress(n->deviceId).c_str());
        }
        printf(AdapterList.head ? "\n]\n" : "]\n");
        return;
    }
    for (const AdapterNode *n = AdapterList.head; n; n = n->next)
        printf("%s\t%s\t%s\t%s\t%s\t%s\n", Printable(n->name).c_str(), n->ipText, Printable(n->netmaskText).c_str(),
               Printable(n->gatewayText).c_str(), IsDhcp(n) ? "dhcp" : "static", HardwareAddress(n->deviceId).c_str());
}

}  // namespace

int main(int argc, char **argv) {
    bool json = false;
    std::vector<std::string> words;
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        if (a == "--json") {
            json = true;
        } else if (a == "--help" || a == "-h") {
            fputs(kUsage, stdout);
            return 0;
        } else if (a.size() > 1 && a[0] == '-') {
            return UsageError(("unknown option " + a).c_str());
        } else {
            words.push_back(a);
        }
    }
    if (words.empty()) return UsageError("no command given");
    if (words[0] != "search") return UsageError(("unknown command " + words[0]).c_str());
    if (words.size() > 1) return UsageError("search takes no arguments");

    if (!MulticastAllowed("locavist")) return EXIT_NETWORK;
    InitNetwork();   // ends the process with status 1 only where WinSock cannot start
    SearchAdapters();
    PrintAdapters(json);
    const int status = AdapterListIsEmpty() ? EXIT_NONE : EXIT_FOUND;
    CloseNetwork();
    ClearAdapterList();
    return status;
}
