#include "framework/cstring.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "framework/framework.h"

BOOL CString::LoadString(UINT id) {
    char buffer[512];
    const int n = ::LoadStringA(AfxGetResourceHandle(), id, buffer, (int)sizeof buffer);
    s_.assign(buffer, n > 0 ? (size_t)n : 0);
    return n > 0;
}

void CString::Format(const char *format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (n < 0) {
        va_end(again);
        s_.clear();
        return;
    }
    s_.assign((size_t)n + 1, '\0');
    vsnprintf(&s_[0], (size_t)n + 1, format, again);
    va_end(again);
    s_.resize((size_t)n);
}

char *CString::GetBuffer(int minLength) {
    if ((int)s_.size() < minLength + 1) s_.resize((size_t)minLength + 1);
    return &s_[0];
}

void CString::ReleaseBuffer() { s_.resize(strnlen(s_.c_str(), s_.size())); }
