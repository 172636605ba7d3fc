#include "map_diff.h"
#include <algorithm>
#include <map>
#include <unordered_map>
#include "brush_box.h"
#include "brush_text.h"
#include "entity_mapping.h"
#include "name_comment.h"
#include "number_text.h"
#include "printable_name.h"

namespace {

// An entity as the diff compares it.
struct Compared {
    const MapText* map = nullptr;
    const MapEntity* entity = nullptr;
    std::string classname, name;
    std::map<std::string, std::string> pairs;  // the last line of each key, origin aside
    const MapPair* origin = nullptr;
    bool placed = false;  // position is known: its origin, else the centre of its brushes
    MapVector position;
    std::vector<std::string> brushes;  // without comments, blanks and line ends as one space
    std::string signature;             // all of the above that is no comment
    int match = -1;                    // index on the other side
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string withoutLayout(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "//") == 0) {
            while (i < text.size() && text[i] != '\n' && text[i] != '\r') ++i;
            --i;
        } else if (isBlank(text[i])) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += text[i];
        }
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

bool readOrigin(const std::string& text, MapVector& position) {
    std::vector<std::string> words;
    size_t at = 0;
    while (words.size() < 4 && at < text.size()) {
        const size_t start = text.find_first_not_of(" \t", at);
        if (start == std::string::npos) break;
        at = text.find_first_of(" \t", start);
        words.push_back(text.substr(start, at == std::string::npos ? at : at - start));
    }
    float x, y, z;
    if (words.size() != 3 || !readFloat(words[0], x) || !readFloat(words[1], y) ||
        !readFloat(words[2], z))
        return false;
    position = {x, y, z};
    return true;
}

// The name import would give: a quoted comment, the targetname, a plain comment; none for
// the world, which is named by its class.
std::string givenName(const MapEntity& entity, const std::string& classname) {
    std::string name;
    if (isWorldClassname(classname)) return name;
    if (readQuotedName(entity.comment, name)) return name;
    const MapPair* targetName = entity.find("targetname");
    return targetName && !targetName->value.empty() ? targetName->value : entity.comment;
}

Compared compared(const MapText& map, const MapEntity& entity) {
    Compared c;
    c.map = &map;
    c.entity = &entity;
    if (const MapPair* classname = entity.find("classname")) c.classname = classname->value;
    c.name = givenName(entity, c.classname);
    for (const MapPair& pair : entity.pairs)
        if (pair.key != "origin") c.pairs[pair.key] = pair.value;
    c.origin = entity.find("origin");
    c.placed = (c.origin && readOrigin(c.origin->value, c.position)) ||
               brushBoxCentre(map, entity, c.position);
    c.signature = c.classname + '\n' + (c.origin ? c.origin->value : "") + '\n';
    for (const auto& [key, value] : c.pairs) c.signature += key + '\n' + value + '\n';
    for (const MapBrush& brush : entity.brushes) {
        c.brushes.push_back(withoutLayout(map.brushText(brush)));
        c.signature += c.brushes.back() + '\n';
    }
    return c;
}

std::string numbers(const MapVector& v) {
    return shortestNumberText(float(v.x)) + " " + shortestNumberText(float(v.y)) + " " +
           shortestNumberText(float(v.z));
}

std::string described(const Compared& c) {
    std::string text = c.classname.empty() ? "(no classname)" : c.classname;
    if (!c.name.empty()) text += " \"" + printableName(c.name) + "\"";
    if (c.placed) text += " at " + numbers(c.position);
    return text;
}

// Pairs each unmatched entity of after with the first unmatched one of before that has the
// same key ("": none); with unique, only keys that one entity on each side has.
template <typename KeyOf>
void matchBy(std::vector<Compared>& before, std::vector<Compared>& after, KeyOf keyOf,
             bool unique) {
    std::unordered_map<std::string, std::vector<int>> waiting, wanted;
    for (int i = 0; i < int(before.size()); ++i)
        if (before[i].match < 0) {
            const std::string key = keyOf(before[i]);
            if (!key.empty()) waiting[key].push_back(i);
        }
    for (int j = 0; j < int(after.size()); ++j)
        if (after[j].match < 0) {
            const std::string key = keyOf(after[j]);
            if (!key.empty()) wanted[key].push_back(j);
        }
    for (auto& [key, js] : wanted) {
        const auto found = waiting.find(key);
        if (found == waiting.end()) continue;
        const std::vector<int>& is = found->second;
        if (unique && (is.size() != 1 || js.size() != 1)) continue;
        for (size_t k = 0; k < is.size() && k < js.size(); ++k) {
            before[is[k]].match = js[k];
            after[js[k]].match = is[k];
        }
    }
}

void matchEntities(std::vector<Compared>& before, std::vector<Compared>& after) {
    matchBy(
        before, after, [](const Compared& c) { return c.signature; }, false);
    matchBy(
        before, after,
        [](const Compared& c) { return c.name.empty() ? "" : c.classname + '\n' + c.name; }, true);
    matchBy(
        before, after,
        [](const Compared& c) { return c.placed ? c.classname + '\n' + numbers(c.position) : ""; },
        false);
    // Moved: the same pairs and as many brushes, anywhere.
    matchBy(
        before, after,
        [](const Compared& c) {
            std::string key = c.classname + '\n' + std::to_string(c.brushes.size()) + '\n';
            for (const auto& [k, value] : c.pairs) key += k + '\n' + value + '\n';
            return key;
        },
        false);
    // The world, however much of it changed.
    matchBy(
        before, after,
        [](const Compared& c) { return isWorldClassname(c.classname) ? c.classname : ""; }, true);
}

void comparePairs(const Compared& a, const Compared& b, std::vector<std::string>& lines) {
    std::map<std::string, std::string> both = a.pairs;
    both.insert(b.pairs.begin(), b.pairs.end());
    for (const auto& [key, unused] : both) {
        const auto was = a.pairs.find(key), is = b.pairs.find(key);
        if (was == a.pairs.end())
            lines.push_back("    + " + key + ": " + is->second);
        else if (is == b.pairs.end())
            lines.push_back("    - " + key + ": " + was->second);
        else if (was->second != is->second)
            lines.push_back("    " + key + ": " + was->second + " -> " + is->second);
    }
    if (a.origin && !b.origin) lines.push_back("    - origin: " + a.origin->value);
    if (!a.origin && b.origin) lines.push_back("    + origin: " + b.origin->value);
}

// a's brushes moved by delta, as the diff compares them.
std::vector<std::string> movedBrushes(const Compared& a, const MapVector& delta) {
    std::vector<std::string> brushes;
    for (const MapBrush& brush : a.entity->brushes)
        brushes.push_back(withoutLayout(movedBrushText(a.map->brushText(brush), delta)));
    return brushes;
}

void compareBrushes(const std::vector<std::string>& was, const std::vector<std::string>& is,
                    std::vector<std::string>& lines) {
    std::unordered_map<std::string_view, int> count;
    for (const std::string& brush : was) ++count[brush];
    int added = 0, removed = 0;
    for (const std::string& brush : is)
        if (count[brush]-- <= 0) ++added;
    for (const auto& [brush, left] : count) removed += left > 0 ? left : 0;
    const int changed = std::min(added, removed);
    if (added || removed)
        lines.push_back("    brushes: " + std::to_string(added - changed) + " added, " +
                        std::to_string(removed - changed) + " removed, " + std::to_string(changed) +
                        " changed");
}

// How b differs from a, one line a change; none when they hold the same.
std::vector<std::string> changes(const Compared& a, const Compared& b) {
    std::vector<std::string> lines;
    comparePairs(a, b, lines);
    MapVector delta;
    if (a.placed && b.placed)
        delta = {b.position.x - a.position.x, b.position.y - a.position.y,
                 b.position.z - a.position.z};
    const bool moved = delta.x != 0 || delta.y != 0 || delta.z != 0;
    std::vector<std::string> was = moved ? movedBrushes(a, delta) : a.brushes;
    // Without an origin the place is the brushes' centre: a change of a brush is no move.
    if (moved && !a.origin && !b.origin && was != b.brushes) {
        compareBrushes(a.brushes, b.brushes, lines);
        return lines;
    }
    if (moved) lines.push_back("    moved by " + numbers(delta));
    compareBrushes(was, b.brushes, lines);
    return lines;
}

}  // namespace

std::string MapDiff::summary() const {
    return std::to_string(changed) + " changed, " + std::to_string(added) + " added, " +
           std::to_string(removed) + " removed, " + std::to_string(unchanged) + " unchanged";
}

MapDiff diffMaps(const MapText& before, const MapText& after) {
    std::vector<Compared> a, b;
    for (const MapEntity& entity : before.entities) a.push_back(compared(before, entity));
    for (const MapEntity& entity : after.entities) b.push_back(compared(after, entity));
    matchEntities(a, b);
    MapDiff diff;
    // In the order of the later version, each removed entity where it stood.
    size_t nextRemoved = 0;
    const auto removedUpTo = [&](size_t end) {
        for (; nextRemoved < end && nextRemoved < a.size(); ++nextRemoved)
            if (a[nextRemoved].match < 0) {
                diff.lines.push_back("- " + described(a[nextRemoved]));
                ++diff.removed;
            }
    };
    for (const Compared& entity : b) {
        if (entity.match < 0) {
            diff.lines.push_back("+ " + described(entity));
            ++diff.added;
            continue;
        }
        removedUpTo(entity.match);
        const std::vector<std::string> lines = changes(a[entity.match], entity);
        if (lines.empty()) {
            ++diff.unchanged;
            continue;
        }
        ++diff.changed;
        diff.lines.push_back("~ " + described(entity));
        diff.lines.insert(diff.lines.end(), lines.begin(), lines.end());
    }
    removedUpTo(a.size());
    return diff;
}
