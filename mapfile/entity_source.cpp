#include "entity_source.h"
#include <algorithm>
#include <unordered_map>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

size_t lineEndLength(std::string_view text, size_t at) {
    if (at >= text.size() || !isLineEnd(text[at])) return 0;
    return text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
}

size_t skipBlanks(std::string_view text, size_t at) {
    while (at < text.size() && isBlank(text[at])) ++at;
    return at;
}

// Where the line of the text ending at pos ends, its line end included, when only blanks or
// a comment follow there; else pos itself.
size_t lineEndAfter(std::string_view text, size_t pos) {
    size_t at = skipBlanks(text, pos);
    if (text.substr(at, 2) == "//")
        while (at < text.size() && !isLineEnd(text[at])) ++at;
    if (at == text.size()) return at;
    const size_t length = lineEndLength(text, at);
    return length ? at + length : pos;
}

size_t lineStartOf(std::string_view text, size_t offset) {
    while (offset > 0 && !isLineEnd(text[offset - 1])) --offset;
    return offset;
}

bool onlyBlanks(std::string_view text) { return std::all_of(text.begin(), text.end(), isBlank); }

std::string quoted(const std::string& text) { return '"' + text + '"'; }

}  // namespace

std::string_view entitySource(const MapText& map, size_t index) {
    const std::string_view text = map.text;
    const size_t begin =
        index == 0 ? map.entities[0].offset : lineEndAfter(text, map.entities[index - 1].end);
    return text.substr(begin, lineEndAfter(text, map.entities[index].end) - begin);
}

std::string_view mapTrailer(const MapText& map) {
    if (map.entities.empty()) return {};
    return std::string_view(map.text).substr(lineEndAfter(map.text, map.entities.back().end));
}

std::string_view entityBlock(std::string_view source) {
    size_t at = 0;
    while (at < source.size() && source[at] != '{') {
        if (source.compare(at, 2, "//") == 0)
            while (at < source.size() && !isLineEnd(source[at])) ++at;
        else
            ++at;
    }
    return source.substr(at);
}

MapStyle styleOf(std::string_view text) {
    MapStyle style;
    const size_t end = text.find_first_of("\r\n");
    if (end != std::string_view::npos)
        style.lineEnd = std::string(text.substr(end, lineEndLength(text, end)));
    for (size_t line = 0; line < text.size();) {
        const size_t key = skipBlanks(text, line);
        const size_t keyEnd = key < text.size() && text[key] == '"' ? text.find('"', key + 1)
                                                                    : std::string_view::npos;
        if (keyEnd != std::string_view::npos) {
            const size_t value = skipBlanks(text, keyEnd + 1);
            if (value < text.size() && text[value] == '"') {
                style.indent = std::string(text.substr(line, key - line));
                style.separator = std::string(text.substr(keyEnd + 1, value - keyEnd - 1));
                return style;
            }
        }
        const size_t next = text.find_first_of("\r\n", line);
        if (next == std::string_view::npos) break;
        line = next + lineEndLength(text, next);
    }
    return style;
}

bool EntitySource::read(std::string_view source) {
    MapTextError error;
    if (!readMapText(std::string(source), map_, error) || map_.entities.size() != 1) return false;
    style_ = styleOf(map_.text);
    return true;
}

std::string EntitySource::commentAfter(const EntityEdit& edit) const {
    return edit.comment.empty() ? entity().comment : edit.comment;
}

std::string EntitySource::edited(const EntityEdit& edit) const {
    std::vector<Splice> splices;
    editComment(edit, splices);
    editPairs(edit.lines, splices);
    editBrushes(edit.brushes, splices);
    std::stable_sort(splices.begin(), splices.end(),
                     [](const Splice& a, const Splice& b) { return a.begin < b.begin; });
    const std::string& text = map_.text;
    size_t at = 0;
    std::string out;
    out.reserve(text.size() + 64);
    for (const Splice& splice : splices) {
        // A line put after a pair that is itself taken out goes where that pair's text ended.
        const size_t begin = std::max(splice.begin, at);
        out.append(text, at, begin - at);
        out += splice.text;
        at = std::max(splice.end, begin);
    }
    out.append(text, at, std::string::npos);
    return out;
}

void EntitySource::editPairs(const std::vector<MapLine>& lines,
                             std::vector<Splice>& splices) const {
    const std::vector<MapPair>& pairs = entity().pairs;
    std::unordered_map<std::string_view, const MapLine*> wanted;
    for (const MapLine& line : lines) wanted[line.key] = &line;
    std::unordered_map<std::string_view, size_t> last;
    for (size_t i = 0; i < pairs.size(); ++i) last[pairs[i].key] = i;
    for (size_t i = 0; i < pairs.size(); ++i) {
        const MapPair& pair = pairs[i];
        const auto line = wanted.find(pair.key);
        if (line == wanted.end())
            splices.push_back(removal(pair.keyOffset, pair.valueEnd + 1));
        else if (last[pair.key] == i && line->second->value != pair.value)
            splices.push_back({pair.valueOffset, pair.valueEnd, line->second->value});
    }
    // New pairs look like the last one: its indentation and the blanks between its texts.
    const std::string separator = pairs.empty() ? style_.separator : separatorOf(pairs.back());
    std::vector<std::string> added;
    for (const MapLine& line : lines)
        if (!last.count(line.key))
            added.push_back(quoted(line.key) + separator + quoted(line.value));
    if (added.empty()) return;
    if (pairs.empty())
        splices.push_back(insertionAfter(entity().offset + 1, added, style_.indent));
    else
        splices.push_back(
            insertionAfter(pairs.back().valueEnd + 1, added, indentOf(pairs.back().keyOffset)));
}

void EntitySource::editBrushes(const std::vector<std::string>& brushes,
                               std::vector<Splice>& splices) const {
    const std::vector<MapBrush>& read = entity().brushes;
    for (size_t i = 0; i < read.size(); ++i) {
        if (i >= brushes.size())
            splices.push_back(removal(read[i].textBegin, read[i].textEnd));
        else if (map_.brushText(read[i]) != brushes[i])
            splices.push_back({read[i].textBegin, read[i].textEnd, brushes[i]});
    }
    std::vector<std::string> added;
    for (size_t i = read.size(); i < brushes.size(); ++i)
        added.push_back(withLineEnds(brushes[i], style_.lineEnd));
    if (added.empty()) return;
    const std::vector<MapPair>& pairs = entity().pairs;
    const size_t after = !read.empty()    ? read.back().textEnd
                         : !pairs.empty() ? pairs.back().valueEnd + 1
                                          : entity().offset + 1;
    splices.push_back(insertionAfter(after, added, ""));
}

void EntitySource::editComment(const EntityEdit& edit, std::vector<Splice>& splices) const {
    if (edit.comment.empty()) return;
    const MapEntity& e = entity();
    if (!e.comment.empty()) {
        splices.push_back({e.commentOffset, e.commentEnd, edit.comment});
        return;
    }
    const size_t lineStart = lineStartOf(map_.text, e.offset);
    const bool ownLine =
        onlyBlanks(std::string_view(map_.text).substr(lineStart, e.offset - lineStart));
    const size_t at = ownLine ? lineStart : e.offset;
    splices.push_back({at, at, "// " + edit.comment + style_.lineEnd});
}

EntitySource::Splice EntitySource::removal(size_t begin, size_t end) const {
    const std::string_view text = map_.text;
    const size_t lineStart = lineStartOf(text, begin);
    const size_t after = skipBlanks(text, end);
    if (onlyBlanks(text.substr(lineStart, begin - lineStart)) &&
        (after == text.size() || isLineEnd(text[after])))
        return {lineStart, after + lineEndLength(text, after), ""};
    return {begin, after, ""};
}

EntitySource::Splice EntitySource::insertionAfter(size_t end, const std::vector<std::string>& items,
                                                  const std::string& indent) const {
    const std::string_view text = map_.text;
    const size_t lineEnd = lineEndAfter(text, end);
    std::string inserted;
    if (lineEnd == end || lineEnd == text.size()) {
        // Something follows on the same line, as in an entity written on one line.
        for (const std::string& item : items) inserted += " " + item;
        return {end, end, inserted};
    }
    for (const std::string& item : items) inserted += indent + item + style_.lineEnd;
    return {lineEnd, lineEnd, inserted};
}

std::string EntitySource::indentOf(size_t offset) const {
    const size_t lineStart = lineStartOf(map_.text, offset);
    const std::string indent = map_.text.substr(lineStart, offset - lineStart);
    return onlyBlanks(indent) ? indent : style_.indent;
}

std::string EntitySource::separatorOf(const MapPair& pair) const {
    const size_t keyEnd = pair.keyOffset + pair.key.size() + 2;
    const std::string separator = map_.text.substr(keyEnd, pair.valueOffset - 1 - keyEnd);
    return onlyBlanks(separator) && !separator.empty() ? separator : style_.separator;
}
