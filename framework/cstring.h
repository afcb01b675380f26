// CString: the text type of the dialog framework.  A value type over a
// std::string; it converts to const char * for Win32 calls.
#ifndef FRAMEWORK_CSTRING_H
#define FRAMEWORK_CSTRING_H

#include <windows.h>

#include <string>

class CString {
public:
    CString() {}
    CString(const char *text) : s_(text ? text : "") {}
    CString(const char *text, int length) : s_(text, (size_t)length) {}
    CString(const std::string &text) : s_(text) {}

    operator const char *() const { return s_.c_str(); }
    const char *GetString() const { return s_.c_str(); }
    int GetLength() const { return (int)s_.size(); }
    bool IsEmpty() const { return s_.empty(); }
    void Empty() { s_.clear(); }

    CString &operator=(const char *text) {
        s_ = text ? text : "";
        return *this;
    }
    CString &operator+=(const char *text) {
        s_ += text ? text : "";
        return *this;
    }
    bool operator==(const char *text) const { return s_ == (text ? text : ""); }
    bool operator!=(const char *text) const { return !(*this == text); }

    // Index of the first occurrence of sub, or -1.  Case-sensitive.
    int Find(const char *sub) const {
        const size_t at = s_.find(sub);
        return at == std::string::npos ? -1 : (int)at;
    }

    // Loads a string resource of the program; false (and empty) when there
    // is none.
    BOOL LoadString(UINT id);

    // printf-style formatting into this string.
    void Format(const char *format, ...);

    // A writable buffer of at least minLength characters and a terminator,
    // for a Win32 call that fills it; ReleaseBuffer takes the text up to its
    // first zero.
    char *GetBuffer(int minLength);
    void ReleaseBuffer();

private:
    std::string s_;
};

#endif
