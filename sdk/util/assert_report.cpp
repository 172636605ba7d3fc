#include <cstdio>
#include <cstring>
#include "vexsdk/values.h"

static void printReport(int line, const char* file) {
    std::fprintf(stderr, "assertion failed: %s, line %d\n", file ? file : "?", line);
}

static AssertHandler handler = printReport;
static AssertReport last;

void assert1(int line, const char* file) {
    last.line = line;
    std::snprintf(last.file, sizeof last.file, "%s", file ? file : "");
    ++last.count;
    if (handler) handler(line, file);
}

AssertHandler SetAssertHandler(AssertHandler h) {
    AssertHandler previous = handler;
    handler = h;
    return previous;
}

AssertReport LastAssertReport() { return last; }
