// Small value types of the host (util.dll): class ids, strings, intervals, object
// states, reference remapping and the assertion report.
#pragma once
#include "api.h"

class Object;
class ReferenceTarget;

class Class_ID {
public:
    Class_ID() = default;
    Class_ID(uint32_t a, uint32_t b) : a_(a), b_(b) {}
    uint32_t PartA() const { return a_; }
    uint32_t PartB() const { return b_; }
    bool operator==(const Class_ID& o) const { return a_ == o.a_ && b_ == o.b_; }
    bool operator!=(const Class_ID& o) const { return !(*this == o); }

private:
    uint32_t a_ = 0xFFFFFFFF, b_ = 0xFFFFFFFF;
};

// A heap string owned by util.dll, so it may be filled on either side of a module boundary.
class UTIL_API CStr {
public:
    CStr();
    CStr(const char* s);
    CStr(const CStr& o);
    ~CStr();
    CStr& operator=(const char* s);
    CStr& operator=(const CStr& o);
    const char* data() const { return text_; }
    operator const char*() const { return text_; }
    int Length() const;
    bool operator==(const char* s) const;

private:
    char* text_;
};

// A closed range of times [start, end].
class Interval {
public:
    Interval() = default;
    Interval(TimeValue s, TimeValue e) : start_(s), end_(e) {}
    TimeValue Start() const { return start_; }
    TimeValue End() const { return end_; }
    bool InInterval(TimeValue t) const { return t >= start_ && t <= end_; }
    bool operator==(const Interval& o) const { return start_ == o.start_ && end_ == o.end_; }

private:
    TimeValue start_ = 0, end_ = -1;  // empty
};
inline Interval FOREVER() { return Interval(TIME_NegInfinity, TIME_PosInfinity); }

// The result of evaluating an object at a time.
class ObjectState {
public:
    ObjectState() = default;
    explicit ObjectState(Object* o) : obj(o) {}
    Object* obj = nullptr;
};

// Maps references of an object being cloned to their clones; supplied by the host.
class RemapDir {
public:
    virtual ~RemapDir() = default;
    virtual ReferenceTarget* findMapping(ReferenceTarget* from) = 0;
    virtual void addEntry(ReferenceTarget* from, ReferenceTarget* to) = 0;
};

// Assertion reports. A module reports with assert1(line, file); the host sees every
// report through its handler (the default writes one line to stderr) and can read the last.
struct AssertReport {
    int line = 0;
    char file[260] = {};
    int count = 0;  // reports since start
};
using AssertHandler = void (*)(int line, const char* file);
UTIL_API void assert1(int line, const char* file);
UTIL_API AssertHandler SetAssertHandler(AssertHandler handler);  // returns the previous one
UTIL_API AssertReport LastAssertReport();
