// A point file a compiler leaves beside its output when the level leaks (NAME.pts, or a
// line file NAME.lin): one "X Y Z" point a line, in order from the leaking entity out to
// the void. Lines that hold no such point are skipped and counted, never fatal.
#pragma once
#include <string>
#include <vector>
#include "vexsdk/geom.h"

struct PointFile {
    std::string path;
    std::vector<Point3> points;
    size_t skipped = 0;        // lines that were not a point
    int firstSkippedLine = 0;  // 0 when none was
    // "Leak: 12 points" with ", 2 lines skipped (first at line 4)" when some were.
    std::string summary() const;
};

// The points of a file's text.
void parsePointFile(const std::string& text, PointFile& file);
// The points of the file at path; false with a message when it cannot be read.
bool loadPointFile(const std::string& path, PointFile& file, std::string& error);

// The point file a compile of the level NAME in workdir left behind, written at or after
// since (a FILETIME as 64 bits); "" when there is none.
std::string pointFileAfter(const std::string& workdir, const std::string& name,
                           unsigned long long since);
// The system time now, as pointFileAfter compares it.
unsigned long long fileTimeNow();
