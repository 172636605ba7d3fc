// An entity's text as the map holds it, kept with its node so that export gives it back
// byte for byte, and an edit written into it line by line: a changed value on its key's
// own line, a new key after the last pair, a cleared key's line taken out, brushes changed
// in place, a name comment put in or changed. Everything else stays as read.
#pragma once
#include <string>
#include <string_view>
#include <vector>
#include "map_text.h"

// Entity index's text: the blank and comment lines before it (after the entity before it;
// those of the first entity are the map's header), its braces, and what follows its closing
// brace on that line when that is blanks or a comment, the line end included.
std::string_view entitySource(const MapText& map, size_t index);
// The text after the last entity's line: the map's trailer.
std::string_view mapTrailer(const MapText& map);
// The style of a map's text, as its first pair's line shows it.
MapStyle styleOf(std::string_view text);
// An entity's text from its opening brace on: what a copy of it keeps, without the comment
// lines that belong to the original.
std::string_view entityBlock(std::string_view source);

// What an edited entity is written with.
struct EntityEdit {
    std::vector<MapLine> lines;        // one a key, as export writes them
    std::vector<std::string> brushes;  // brush and patch texts
    std::string comment;               // a name comment to write ("": the source's stays)
};

// A kept source read again; false when the text is not one entity (kept bytes can be
// anything a scene file says).
class EntitySource {
public:
    bool read(std::string_view source);
    const MapEntity& entity() const { return map_.entities.front(); }
    // The comment the entity is read with when written as edit says.
    std::string commentAfter(const EntityEdit& edit) const;
    // The source with the edit written in; untouched parts byte for byte.
    std::string edited(const EntityEdit& edit) const;

private:
    struct Splice {
        size_t begin, end;
        std::string text;
    };
    void editPairs(const std::vector<MapLine>& lines, std::vector<Splice>& splices) const;
    void editBrushes(const std::vector<std::string>& brushes, std::vector<Splice>& splices) const;
    void editComment(const EntityEdit& edit, std::vector<Splice>& splices) const;
    // The span to take out for the text [begin, end): its whole line when nothing else is on
    // it, else the text and the blanks after it.
    Splice removal(size_t begin, size_t end) const;
    // New lines (items) after the line of the text ending at end, each indented so; on that
    // line after a blank when more text follows there.
    Splice insertionAfter(size_t end, const std::vector<std::string>& items,
                          const std::string& indent) const;
    std::string indentOf(size_t offset) const;
    std::string separatorOf(const MapPair& pair) const;

    MapText map_;
    MapStyle style_;
};
