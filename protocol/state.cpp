#include "protocol/state.h"

#include <stdio.h>
#include <string.h>

unsigned char ClientId[CLIENT_ID_SIZE];
char SelectedAddress[IP_TEXT_SIZE];
CredentialsData Credentials;
LanSettings PendingLanSettings;

void CopyText(char *field, size_t size, const char *text) {
    if (size == 0) return;
    size_t n = 0;
    while (n + 1 < size && text[n]) n++;
    memcpy(field, text, n);
    memset(field + n, 0, size - n);
}

void FormatDotted(const unsigned char address[4], char text[IP_TEXT_SIZE]) {
    snprintf(text, IP_TEXT_SIZE, "%d.%d.%d.%d", address[0], address[1], address[2], address[3]);
}
