#include "entity_mapping.h"
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include "entity_catalogue.h"
#include "key_value_text.h"
#include "number_text.h"

namespace {

// A key a class page writes: a number field (written when within low..high and not 0),
// a text field (written when not empty), or the spawnflags made of check boxes.
struct PageKey {
    const char* key;
    enum Kind { Number, Text, Flags } kind;
    int32_t EntityProps::*number;
    size_t textOffset, textSize;
    int32_t low, high;
};

// A check box: ticked when field & fieldMask is not 0; its spawnflags bit.
struct FlagBit {
    int32_t EntityProps::*field;
    int32_t fieldMask;
    int32_t spawnflag;
};

struct ClassPage {
    std::vector<PageKey> keys;
    std::vector<FlagBit> flags;
};

PageKey number(const char* key, int32_t EntityProps::*field, int32_t low = INT32_MIN,
               int32_t high = INT32_MAX) {
    return {key, PageKey::Number, field, 0, 0, low, high};
}
PageKey text(const char* key, size_t offset, size_t size) {
    return {key, PageKey::Text, nullptr, offset, size, 0, 0};
}
const PageKey spawnflags = {"spawnflags", PageKey::Flags, nullptr, 0, 0, 0, 0};

const ClassPage& doorPage() {
    static const ClassPage page = {
        {number("angle", &EntityProps::angle), number("speed", &EntityProps::speed),
         text("targetname", offsetof(EntityProps, targetName), sizeof(EntityProps::targetName)),
         number("sounds", &EntityProps::sounds, 1, 4), number("wait", &EntityProps::wait),
         number("lip", &EntityProps::lip),
         text("message", offsetof(EntityProps, message), sizeof(EntityProps::message)),
         number("health", &EntityProps::health), number("dmg", &EntityProps::damage), spawnflags},
        {{&EntityProps::startOpen, -1, DOOR_SPAWN_START_OPEN},
         {&EntityProps::dontLink, -1, DOOR_SPAWN_DONT_LINK},
         {&EntityProps::goldKey, -1, DOOR_SPAWN_GOLD_KEY},
         {&EntityProps::silverKey, -1, DOOR_SPAWN_SILVER_KEY},
         {&EntityProps::toggle, -1, DOOR_SPAWN_TOGGLE}}};
    return page;
}

const ClassPage& lightPage() {
    static const ClassPage page = {
        {spawnflags, number("style", &EntityProps::lightStyle, 1, LIGHT_STYLE_COUNT - 1)},
        {{&EntityProps::lightFlags, LIGHT_FLAG_START_OFF, LIGHT_SPAWN_START_OFF}}};
    return page;
}

const ClassPage* pageOf(PageClass pageClass) {
    if (pageClass == PageClass::Door) return &doorPage();
    if (pageClass == PageClass::Light) return &lightPage();
    return nullptr;
}

const char* textField(const EntityProps& props, const PageKey& key) {
    return reinterpret_cast<const char*>(&props) + key.textOffset;
}
char* textField(EntityProps& props, const PageKey& key) {
    return reinterpret_cast<char*>(&props) + key.textOffset;
}

int32_t pageFlags(const ClassPage& page, const EntityProps& props) {
    int32_t flags = 0;
    for (const FlagBit& bit : page.flags)
        if (props.*bit.field & bit.fieldMask) flags |= bit.spawnflag;
    return flags;
}

// The value export writes for a page key, or empty when it leaves the key out.
std::string pageValue(const ClassPage& page, const PageKey& key, const EntityProps& props) {
    switch (key.kind) {
        case PageKey::Number: {
            const int32_t value = props.*key.number;
            return value != 0 && value >= key.low && value <= key.high ? std::to_string(value) : "";
        }
        case PageKey::Text:
            return std::string(textField(props, key), strnlen(textField(props, key), key.textSize));
        case PageKey::Flags: {
            const int32_t flags = pageFlags(page, props);
            return flags ? std::to_string(flags) : "";
        }
    }
    return "";
}

MapLine* findLine(std::vector<MapLine>& lines, const std::string& key) {
    for (MapLine& line : lines)
        if (line.key == key) return &line;
    return nullptr;
}

// ---- Import ----

// The Map Parameters being filled: at most eight pairs in the record's text.
class PairCells {
public:
    // Whether the pair fits (and was added): a key, no '|' (it would split the cell), cells
    // short enough, eight pairs at most, and the whole text within the record's field.
    bool add(const MapLine& pair) {
        if (pair.key.empty() || pair.key.find('|') != std::string::npos ||
            pair.value.find('|') != std::string::npos)
            return false;
        if (pair.key.size() >= keyValueCellSize || pair.value.size() >= keyValueCellSize ||
            cells_.size() == keyValueCellCount)
            return false;
        // Every cell, empty ones too, is followed by its bar.
        const size_t length = used_ + pair.key.size() + pair.value.size() + keyValueCellCount;
        if (length > sizeof(EntityProps::keyValueText) - 1) return false;
        used_ += pair.key.size() + pair.value.size();
        cells_.push_back(pair.key);
        cells_.push_back(pair.value);
        return true;
    }
    void store(EntityProps& props) const {
        const char* cells[keyValueCellCount];
        for (int i = 0; i < keyValueCellCount; ++i)
            cells[i] = i < static_cast<int>(cells_.size()) ? cells_[i].c_str() : "";
        composeKeyValueText(cells, props.keyValueText, sizeof props.keyValueText);
    }

private:
    std::vector<std::string> cells_;
    size_t used_ = 0;
};

// Stores a page key's value in its field when export would write the same line back.
bool fillField(const PageKey& key, const std::string& value, EntityProps& props) {
    if (key.kind == PageKey::Text) {
        if (value.empty() || value.size() >= key.textSize) return false;
        std::memset(textField(props, key), 0, key.textSize);
        std::memcpy(textField(props, key), value.data(), value.size());
        return true;
    }
    int32_t number;
    if (!readCanonicalInt(value, number) || number == 0 || number < key.low || number > key.high)
        return false;
    props.*key.number = number;
    return true;
}

// The page's bits tick their boxes; what is left stays a "spawnflags" pair (empty: none).
std::string fillFlags(const ClassPage& page, int32_t flags, EntityProps& props) {
    int32_t pageBits = 0;
    for (const FlagBit& bit : page.flags) {
        pageBits |= bit.spawnflag;
        if (flags & bit.spawnflag) props.*bit.field |= bit.fieldMask == -1 ? 1 : bit.fieldMask;
    }
    const int32_t rest = flags & ~pageBits;
    return rest != 0 || (flags & pageBits) == 0 ? std::to_string(rest) : "";
}

const PageKey* findPageKey(const ClassPage* page, const std::string& key) {
    if (!page) return nullptr;
    for (const PageKey& k : page->keys)
        if (key == k.key) return &k;
    return nullptr;
}

}  // namespace

void addPair(std::vector<MapLine>& lines, const MapLine& pair) {
    MapLine* line = findLine(lines, pair.key);
    if (!line) {
        lines.push_back(pair);
        return;
    }
    int32_t written, added;
    if (pair.key == "spawnflags" && readCanonicalInt(line->value, written) &&
        readCanonicalInt(pair.value, added))
        line->value = std::to_string(written | added);
    else
        line->value = pair.value;
}

bool inCatalogue(const std::string& classname) {
    for (int i = 0; entityClassNames[i][0] != '\0'; ++i)
        if (classname == entityClassNames[i]) return true;
    return false;
}

bool isWorldClassname(const std::string& classname) { return classname == "worldspawn"; }

bool isBrushClass(const std::string& classname) {
    static const char* const brushClasses[] = {
        "func_door", "func_door_secret", "func_wall",        "func_button",   "func_train",
        "func_plat", "func_dm_only",     "func_illusionary", "func_bossgate", "func_episodegate"};
    for (const char* name : brushClasses)
        if (classname == name) return true;
    return classname.rfind("trigger_", 0) == 0 && classname != "trigger_relay" &&
           classname != "trigger_counter";
}

bool isPointClass(const std::string& classname) {
    return inCatalogue(classname) && !isBrushClass(classname);
}

bool isCompilerClass(const std::string& classname) {
    static const char* const compilerClasses[] = {
        "func_group",       "func_detail",       "func_detail_illusionary",
        "func_detail_wall", "func_detail_fence", "func_illusionary_visblocker"};
    for (const char* name : compilerClasses)
        if (classname == name) return true;
    return false;
}

std::vector<MapLine> recordCells(const EntityProps& props) {
    char pieces[keyValueCellCount][keyValueCellSize];
    const int count = splitKeyValueText(props.keyValueText, sizeof props.keyValueText, pieces);
    std::vector<MapLine> cells;
    for (int i = 0; i < count; i += 2)
        cells.push_back({pieces[i], i + 1 < count ? pieces[i + 1] : ""});
    return cells;
}

int recordPieceCount(const EntityProps& props) {
    const size_t length = strnlen(props.keyValueText, sizeof props.keyValueText);
    int bars = 0;
    for (size_t i = 0; i < length; ++i) bars += props.keyValueText[i] == '|';
    return bars;
}

PageClass exportedClassPage(const std::string& classname) { return pageClassOf(classname); }

std::vector<MapLine> recordPairs(const EntityProps& props) {
    std::vector<MapLine> pairs;
    for (MapLine& cell : recordCells(props))
        if (!cell.key.empty()) pairs.push_back(std::move(cell));
    return pairs;
}

std::vector<MapLine> entityLines(const HelperRecord& record, const Point3& origin) {
    const std::string classname = record.classnameText();
    std::vector<MapLine> lines = {
        {"classname", classname},
        {"origin", shortestNumberText(origin.x) + " " + shortestNumberText(origin.y) + " " +
                       shortestNumberText(origin.z)}};
    if (const ClassPage* page = pageOf(exportedClassPage(classname)))
        for (const PageKey& key : page->keys) {
            std::string value = pageValue(*page, key, record.props);
            if (!value.empty()) lines.push_back({key.key, std::move(value)});
        }
    for (const MapLine& pair : recordPairs(record.props)) addPair(lines, pair);
    return lines;
}

EntityView viewEntity(const HelperRecord& record) {
    EntityView view;
    view.classname = record.classnameText();
    view.pairs = recordPairs(record.props);
    for (const MapLine& line : entityLines(record, Point3()))
        if (line.key == "targetname") view.targetName = line.value;
    for (const MapLine& pair : view.pairs)
        if ((pair.key == "target" || pair.key == "killtarget") && !pair.value.empty())
            view.targets.push_back(pair.value);
    return view;
}

void applyEntityKeys(const MapEntity& entity, HelperRecord& record, std::vector<ImportNote>& notes,
                     std::vector<MapLine>& beyondRecord) {
    const std::string classname = record.classnameText();
    const ClassPage* page = pageOf(exportedClassPage(classname));
    // Of a key given twice the game takes the last line, and export writes one line a key.
    std::unordered_map<std::string_view, size_t> lastLine;
    for (size_t i = 0; i < entity.pairs.size(); ++i) lastLine[entity.pairs[i].key] = i;
    std::vector<MapLine> rests;
    for (size_t i = 0; i < entity.pairs.size(); ++i) {
        const MapPair& pair = entity.pairs[i];
        if (lastLine[pair.key] != i) {
            notes.push_back({pair.line, false,
                             classname + ": the pair " + quotedExcerpt(pair.key) +
                                 " is left out: a later line of the key replaces it"});
            continue;
        }
        if (pair.key == "classname" || pair.key == "origin") continue;
        MapLine rest{pair.key, pair.value};
        if (const PageKey* key = findPageKey(page, pair.key)) {
            int32_t flags;
            if (key->kind == PageKey::Flags && readCanonicalInt(pair.value, flags)) {
                rest.value = fillFlags(*page, flags, record.props);
                // Export writes the bits left over ahead of every other pair: taking the
                // first cell here splits a map read back the same way.
                if (!rest.value.empty()) rests.insert(rests.begin(), std::move(rest));
                continue;
            } else if (key->kind != PageKey::Flags && fillField(*key, pair.value, record.props)) {
                continue;
            }
        }
        rests.push_back(std::move(rest));
    }
    PairCells cells;
    for (MapLine& rest : rests)
        if (!cells.add(rest)) beyondRecord.push_back(std::move(rest));
    cells.store(record.props);
}

const char* const UNWRITABLE_TEXT_REASON =
    "holds a '\"', a line break or a control byte, which map text cannot hold";

// The reader refuses such bytes inside quotes: a map that holds one cannot be read back.
bool unwritableText(const std::string& text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte == 0x7F || (byte < 0x20 && byte != '\t')) return true;
    }
    return false;
}

bool findUnwritableText(const HelperRecord& record, const std::vector<MapLine>& lines,
                        std::string& key) {
    for (const MapLine& line : lines)
        if (unwritableText(line.key) || unwritableText(line.value)) {
            key = line.key;
            return true;
        }
    // Pairs replaced by a later one, and values without a key, are not among the lines.
    const std::string pairs(record.props.keyValueText,
                            strnlen(record.props.keyValueText, sizeof record.props.keyValueText));
    if (!unwritableText(pairs)) return false;
    for (const MapLine& cell : recordCells(record.props))
        if (unwritableText(cell.key) || unwritableText(cell.value)) {
            key = cell.key;
            return true;
        }
    return false;
}
