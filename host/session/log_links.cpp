#include "session/log_links.h"
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include "map_text.h"
#include "name_comment.h"
#include "render/level_drawing.h"
#include "scene/byte_io.h"
#include "session/host_session.h"

namespace {

std::string lowered(const std::string& text) {
    std::string out = text;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The line's words, brackets and commas taken as spaces: "(1, 2, 3)" is three numbers.
std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::string word;
    for (char c : line + " ") {
        if (std::isspace(static_cast<unsigned char>(c)) || c == '(' || c == ')' || c == ',') {
            if (!word.empty()) out.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return out;
}

bool number(const std::string& word, double& value) {
    char* end = nullptr;
    value = std::strtod(word.c_str(), &end);
    return !word.empty() && *end == '\0' && std::isfinite(value);
}

// A whole number after a word ("line 12", "entity #12"); -1 when none follows.
int numberAfter(const std::vector<std::string>& w, const char* keyword) {
    for (size_t i = 0; i + 1 < w.size(); ++i) {
        if (lowered(w[i]) != keyword) continue;
        std::string next = w[i + 1];
        if (!next.empty() && next[0] == '#') next.erase(0, 1);
        while (!next.empty() && (next.back() == ':' || next.back() == '.')) next.pop_back();
        double value = 0;
        if (number(next, value) && value >= 0 && value == std::floor(value) && value < 1e9)
            return static_cast<int>(value);
    }
    return -1;
}

// "level.map:120" or "level.map(120)".
int mapLine(const std::string& line) {
    const std::string low = lowered(line);
    const size_t at = low.find(".map");
    if (at == std::string::npos || at + 5 > line.size()) return -1;
    const char after = line[at + 4];
    if (after != ':' && after != '(') return -1;
    const int value = std::atoi(line.c_str() + at + 5);
    return value > 0 ? value : -1;
}

bool findPosition(const std::vector<std::string>& w, Point3& position) {
    for (size_t i = 0; i + 2 < w.size(); ++i) {
        double x, y, z;
        if (number(w[i], x) && number(w[i + 1], y) && number(w[i + 2], z)) {
            position = Point3(float(x), float(y), float(z));
            return true;
        }
    }
    return false;
}

// A classname is lower case with an underscore inside: "info_player_start".
bool classnameLike(const std::string& word) {
    const size_t bar = word.find('_');
    if (bar == 0 || bar == std::string::npos || word.back() == '_') return false;
    return std::all_of(word.begin(), word.end(), [](char c) {
        return std::islower(static_cast<unsigned char>(c)) ||
               std::isdigit(static_cast<unsigned char>(c)) || c == '_';
    });
}

int lineOf(const std::string& text, size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

std::string nodeOfEntity(const MapEntity& entity) {
    std::string name;
    if (readQuotedName(entity.comment, name)) return name;
    if (!entity.comment.empty()) return entity.comment;
    const MapPair* target = entity.find("targetname");
    return target ? target->value : "";
}

// Whether a position is the entity's: close to its origin, or inside its brushes' bounds
// (not the world's, which hold the whole level).
bool nearEntity(const EntityMark& mark, const Point3& at, float distanceSquared) {
    if (distanceSquared <= LOG_LINK_NEAR * LOG_LINK_NEAR) return true;
    if (mark.classname == "worldspawn") return false;
    Box3 bounds;
    addOutlinesBox(*mark.node, bounds);
    return !bounds.IsEmpty() && bounds.Contains(at);
}

// The entity of the classname ("" for any) whose origin is nearest to at; with nearOnly,
// of those near it alone.
Node* nearestNode(HostSession& session, const Point3& at, const std::string& classname,
                  bool nearOnly) {
    Node* best = nullptr;
    float bestDistance = std::numeric_limits<float>::max();
    for (const EntityMark& mark : session.entities().marks()) {
        if (!mark.node || (!classname.empty() && mark.classname != classname)) continue;
        const Point3 p = mark.node->position();
        const float d =
            (p.x - at.x) * (p.x - at.x) + (p.y - at.y) * (p.y - at.y) + (p.z - at.z) * (p.z - at.z);
        if (d < bestDistance && (!nearOnly || nearEntity(mark, at, d)))
            bestDistance = d, best = const_cast<Node*>(mark.node);
    }
    return best;
}

}  // namespace

LogSeverity logSeverity(const std::string& line) {
    const std::string low = lowered(line);
    if (low.find("error") != std::string::npos) return LogSeverity::Error;
    if (low.find("warning") != std::string::npos) return LogSeverity::Warning;
    return LogSeverity::Plain;
}

LogLink findLogLink(const std::string& line) {
    LogLink link;
    const std::vector<std::string> w = words(line);
    const int mapLineNumber = std::max(mapLine(line), numberAfter(w, "line"));
    const int entityNumber = numberAfter(w, "entity");
    if (mapLineNumber > 0) {
        link.kind = LogLink::Kind::MapLine;
        link.number = mapLineNumber;
    } else if (entityNumber >= 0) {
        link.kind = LogLink::Kind::Entity;
        link.number = entityNumber;
    } else if (findPosition(w, link.position)) {
        link.kind = LogLink::Kind::Position;
        const auto named = std::find_if(w.begin(), w.end(), classnameLike);
        if (named != w.end()) link.kind = LogLink::Kind::ClassAt, link.classname = *named;
    }
    return link;
}

bool readExportedEntities(const std::string& mapPath, std::vector<ExportedEntity>& entities,
                          std::string& error) {
    std::string text;
    if (!readTextFile(mapPath, text, error)) return false;
    MapText map;
    MapTextError where;
    if (!readMapText(std::move(text), map, where)) {
        error = mapPath + ":" + std::to_string(where.line) + ": " + where.message;
        return false;
    }
    entities.clear();
    for (const MapEntity& e : map.entities)
        entities.push_back(
            {e.commentLine ? e.commentLine : e.line, lineOf(map.text, e.end - 1), nodeOfEntity(e)});
    return true;
}

Node* linkedNode(HostSession& session, const LogLink& link,
                 const std::vector<ExportedEntity>& exported) {
    switch (link.kind) {
        case LogLink::Kind::MapLine:
            for (const ExportedEntity& e : exported)
                if (link.number >= e.firstLine && link.number <= e.lastLine)
                    return session.node(e.node);
            return nullptr;
        case LogLink::Kind::Entity:
            return link.number < static_cast<int>(exported.size())
                       ? session.node(exported[link.number].node)
                       : nullptr;
        case LogLink::Kind::ClassAt:
            return nearestNode(session, link.position, link.classname, false);
        case LogLink::Kind::Position:
            return nearestNode(session, link.position, "", true);
        case LogLink::Kind::None:
            break;
    }
    return nullptr;
}
