// Map text: brace-delimited entities of "key" "value" lines with optional brushes and
// patches inside, in the dialects in use (plane points with or without texture axes, and
// the versioned form with brushDef/brushDef3/patchDef2/patchDef3 blocks), '//' comments
// anywhere between tokens. Keys and values are quoted and hold no '"' and no line break.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct MapVector {
    double x = 0, y = 0, z = 0;
};

// A brush face as its plane: points p inside the brush have dot(normal, p) <= distance
// (or all the other way round, depending on the dialect's winding).
struct MapPlane {
    MapVector normal;
    double distance = 0;
};

struct MapPair {
    std::string key, value;
    int line = 0;
    int valueColumn = 0;  // of the value's first byte, after its quote
    // In MapText::text: the key's opening quote, the value's first byte and its closing quote.
    size_t keyOffset = 0, valueOffset = 0, valueEnd = 0;
};

// A place in the text and what is wrong there; line 0: nothing is.
struct MapFault {
    int line = 0, column = 0;
    std::string message;
};

// A brush or patch. Its text (braces included) is kept as a span of MapText::text, its
// planes (brushes) or control points (patches) as a range of MapText's arrays.
struct MapBrush {
    int line = 0;
    size_t textBegin = 0, textEnd = 0;
    bool isPatch = false;
    uint32_t first = 0, count = 0;
};

struct MapEntity {
    int line = 0;         // of its opening brace
    size_t offset = 0;    // of its opening brace in MapText::text
    size_t end = 0;       // just after its closing brace
    std::string comment;  // a '//' comment line just before the entity, without the slashes
    int commentLine = 0;
    size_t commentOffset = 0, commentEnd = 0;  // the comment's text, trimmed, in MapText::text
    std::vector<MapPair> pairs;
    std::vector<MapBrush> brushes;
    // The first brush or patch number that is no finite float (nan, 1e300): the entity
    // cannot be placed by its geometry, and import refuses it there.
    MapFault badNumber;

    // The last pair with this key, the one the game takes, or null.
    const MapPair* find(std::string_view key) const;
};

struct MapText {
    std::string text;
    int version = 0;  // of a leading "Version N" line
    std::vector<MapEntity> entities;
    std::vector<MapPlane> planes;
    std::vector<MapVector> points;

    std::string_view brushText(const MapBrush& brush) const {
        return std::string_view(text).substr(brush.textBegin, brush.textEnd - brush.textBegin);
    }
};

// Where text cannot be read: 1-based line and column (in bytes), and what is wrong.
using MapTextError = MapFault;

// Reads the whole text into map (which keeps the text). On failure map is left empty
// and error says where and why.
bool readMapText(std::string text, MapText& map, MapTextError& error);

// How a file writes its lines: the line end, a pair's indentation, and what stands between
// a key and its value. New text written into a file takes its style.
struct MapStyle {
    std::string lineEnd = "\n", indent, separator = " ";
};

// The text with every line end (LF, CR LF, CR) written as lineEnd.
std::string withLineEnds(std::string_view text, std::string_view lineEnd);

// Appends one entity: the comment line when given, then "key" "value" lines, then each
// brush text (its line ends as the style's), in the style given.
struct MapLine {
    std::string key, value;
};
void writeMapEntity(std::string& out, std::string_view comment, const std::vector<MapLine>& lines,
                    const std::vector<std::string_view>& brushes = {},
                    const MapStyle& style = MapStyle());
