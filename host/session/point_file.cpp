#include "session/point_file.h"
#include <windows.h>
#include <cmath>
#include <cstdlib>
#include "scene/byte_io.h"
#include "session/import_report.h"

namespace {

// A point file bigger than this is no compiler's: refused rather than read into memory.
constexpr unsigned long long POINT_FILE_MAX_BYTES = 64ull << 20;
// A file's time comes from a coarser clock than the one read before the step: a point file
// written just after the start may look a few milliseconds older.
constexpr unsigned long long FILE_CLOCK_SLACK = 10000000;  // one second in 100 ns units

bool readNumber(const char*& at, float& value) {
    char* end = nullptr;
    const double number = std::strtod(at, &end);
    if (end == at || !std::isfinite(number) || std::fabs(number) > 1e9) return false;
    value = static_cast<float>(number);
    at = end;
    return true;
}

bool parsePoint(const std::string& line, Point3& point) {
    const char* at = line.c_str();
    if (!readNumber(at, point.x) || !readNumber(at, point.y) || !readNumber(at, point.z))
        return false;
    while (*at == ' ' || *at == '\t' || *at == '\r') ++at;
    return *at == '\0';
}

bool blank(const std::string& line) { return line.find_first_not_of(" \t\r") == std::string::npos; }

unsigned long long asNumber(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

std::string PointFile::summary() const {
    std::string text =
        "Leak: " + countText(points.size()) + (points.size() == 1 ? " point" : " points");
    if (skipped > 0)
        text += ", " + countText(skipped) + (skipped == 1 ? " line" : " lines") +
                " skipped (first at line " + std::to_string(firstSkippedLine) + ")";
    return text;
}

void parsePointFile(const std::string& text, PointFile& file) {
    file.points.clear();
    file.skipped = 0;
    file.firstSkippedLine = 0;
    int number = 1;
    for (size_t start = 0; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        Point3 point;
        if (parsePoint(line, point)) {
            file.points.push_back(point);
        } else if (!blank(line)) {
            if (file.skipped++ == 0) file.firstSkippedLine = number;
        }
    }
}

bool loadPointFile(const std::string& path, PointFile& file, std::string& error) {
    WIN32_FILE_ATTRIBUTE_DATA about;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &about) &&
        ((static_cast<unsigned long long>(about.nFileSizeHigh) << 32) | about.nFileSizeLow) >
            POINT_FILE_MAX_BYTES) {
        error = path + ": too big for a point file";
        return false;
    }
    std::string text;
    if (!readTextFile(path, text, error)) return false;
    file.path = path;
    parsePointFile(text, file);
    return true;
}

std::string pointFileAfter(const std::string& workdir, const std::string& name,
                           unsigned long long since) {
    for (const char* extension : {".pts", ".lin"}) {
        const std::string path = workdir + "\\" + name + extension;
        WIN32_FILE_ATTRIBUTE_DATA about;
        if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &about) &&
            asNumber(about.ftLastWriteTime) + FILE_CLOCK_SLACK >= since)
            return path;
    }
    return "";
}

unsigned long long fileTimeNow() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return asNumber(now);
}
