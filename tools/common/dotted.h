// Dotted IPv4 text for the Linux tools: "a.b.c.d" with four numbers 0-255.
#ifndef TOOLS_COMMON_DOTTED_H
#define TOOLS_COMMON_DOTTED_H

#include <stdint.h>
#include <stdio.h>

#include <string>

// Parses "a.b.c.d"; false when the text is not four numbers 0-255.
inline bool ParseDotted(const std::string &text, uint8_t ip[4]) {
    unsigned v[4];
    char tail;
    if (sscanf(text.c_str(), "%3u.%3u.%3u.%3u%c", &v[0], &v[1], &v[2], &v[3], &tail) != 4) return false;
    for (int i = 0; i < 4; i++) {
        if (v[i] > 255) return false;
        ip[i] = (uint8_t)v[i];
    }
    return true;
}

// The dotted text of four address bytes.
inline std::string DottedText(const uint8_t ip[4]) {
    char text[16];
    snprintf(text, sizeof text, "%u.%u.%u.%u", ip[0], ip[1], ip[2], ip[3]);
    return text;
}

#endif
