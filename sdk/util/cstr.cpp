#include <cstdlib>
#include <cstring>
#include "vexsdk/values.h"

// Every CStr owns a heap copy made here, so the buffer is always freed by the module
// that allocated it, whichever module holds the CStr.
static char* duplicate(const char* s) {
    if (!s) s = "";
    size_t n = std::strlen(s) + 1;
    char* copy = static_cast<char*>(std::malloc(n));
    if (copy) std::memcpy(copy, s, n);
    return copy;
}

CStr::CStr() : text_(duplicate("")) {}
CStr::CStr(const char* s) : text_(duplicate(s)) {}
CStr::CStr(const CStr& o) : text_(duplicate(o.text_)) {}
CStr::~CStr() { std::free(text_); }

CStr& CStr::operator=(const char* s) {
    char* copy = duplicate(s);  // s may point into our own buffer
    std::free(text_);
    text_ = copy;
    return *this;
}

CStr& CStr::operator=(const CStr& o) { return *this = o.text_; }

int CStr::Length() const { return text_ ? static_cast<int>(std::strlen(text_)) : 0; }

bool CStr::operator==(const char* s) const {
    return std::strcmp(text_ ? text_ : "", s ? s : "") == 0;
}
