// Process-wide state shared by the protocol and the dialog code.  All of it
// lives for the whole run; texts are fixed-width fields, always terminated.
#ifndef PROTOCOL_STATE_H
#define PROTOCOL_STATE_H

#include <stddef.h>

#include "protocol/wire.h"

// Dotted IPv4 text "%d.%d.%d.%d": at most 15 characters and a terminator.
const size_t IP_TEXT_SIZE = 16;

// Identifies this program instance in every request; every reply echoes it
// in bytes 1 to 10.  Six pseudo-random bytes, then the local IPv4 address.
extern unsigned char ClientId[CLIENT_ID_SIZE];

// The IP text of the adapter last clicked; every command targets the first
// adapter whose ipText equals it exactly.
extern char SelectedAddress[IP_TEXT_SIZE];

// The user name and password for adapter logins and drive connections: at
// most 16 characters each.  Empty at start, never cleared.
const size_t CREDENTIAL_SIZE = 17;
struct CredentialsData {
    char userName[CREDENTIAL_SIZE];
    char password[CREDENTIAL_SIZE];
};
extern CredentialsData Credentials;

// The address settings of a static change, written by Apply and read by
// SetStaticIp.
struct LanSettings {
    char ipText[IP_TEXT_SIZE];
    char netmaskText[IP_TEXT_SIZE];
    char gatewayText[IP_TEXT_SIZE];
};
extern LanSettings PendingLanSettings;

// Bounded copy of a text into a fixed field of `size` bytes: at most size-1
// characters, the rest of the field zero.
void CopyText(char *field, size_t size, const char *text);

// "%d.%d.%d.%d" of four address bytes, first octet first.
void FormatDotted(const unsigned char address[4], char text[IP_TEXT_SIZE]);

#endif
