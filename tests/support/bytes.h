// Small helpers for tests that compare datagrams byte by byte.
#ifndef TESTS_SUPPORT_BYTES_H
#define TESTS_SUPPORT_BYTES_H

#include <stdio.h>

#include <string>

#include "tools/adapter/adapter_model.h"

// "03 A1 FF": upper-case hex, one space between bytes.
inline std::string Hex(const uint8_t *p, size_t n) {
    std::string s;
    char b[4];
    for (size_t i = 0; i < n; i++) {
        snprintf(b, sizeof b, i ? " %02X" : "%02X", p[i]);
        s += b;
    }
    return s;
}
inline std::string Hex(const Bytes &b) { return Hex(b.data(), b.size()); }

// The hex spelling of a text's characters.
inline std::string HexText(const std::string &t) { return Hex(reinterpret_cast<const uint8_t *>(t.data()), t.size()); }

// Joins hex pieces with single spaces, skipping empty ones.
inline std::string Join(std::initializer_list<std::string> parts) {
    std::string s;
    for (const std::string &p : parts) {
        if (p.empty()) continue;
        if (!s.empty()) s += ' ';
        s += p;
    }
    return s;
}

// n zero bytes in hex.
inline std::string Zeros(size_t n) { return Hex(Bytes(n, 0)); }

#endif
