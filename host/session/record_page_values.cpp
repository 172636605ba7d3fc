#include "session/record_page_values.h"
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <unordered_set>
#include "entity_catalogue.h"
#include "key_value_text.h"

namespace {

size_t catalogueSize() {
    size_t size = 0;
    while (entityClassNames[size][0]) ++size;
    return size;
}

// The pages' titles and control ids, as the plug-in's dialogs have them.
const char* const PARAMETERS = "Parameters";
const char* const DOOR_PARAMS = "Door Params";
const char* const LIGHT_PARAMS = "Light Params";
const char* const MAP_PARAMETERS = "Map Parameters";
constexpr int AXIS_CHECK = 1046, LENGTH_FIELD = 1010, CLASS_LIST = 1050;
constexpr int LIGHT_ON = 1073, LIGHT_OFF = 1074, FIRST_STYLE = 1075;
constexpr int TARGET_NAME_FIELD = 1029, MESSAGE_FIELD = 1030, SOUNDS_LIST = 1060;
// Screen order of the key/value cells, row by row, key before value.
constexpr int KEY_VALUE_CELLS[keyValueCellCount] = {1072, 1080, 1073, 1081, 1074, 1082, 1075, 1083,
                                                    1076, 1084, 1079, 1087, 1078, 1086, 1077, 1085};

bool inCatalogue(const std::string& classname) {
    static const std::unordered_set<std::string> names(entityClassNames,
                                                       entityClassNames + catalogueSize());
    return names.count(classname) > 0;
}

// A check box set from a stored word: 0 and 1 as themselves, 2 indeterminate.
std::string checkText(int32_t value) {
    return value == 0 ? "0" : value == 1 ? "1" : value == 2 ? "" : std::to_string(value);
}

std::string fieldText(const char* field, size_t size) {
    return std::string(field, strnlen(field, size));
}

// The class list selects the first line, in its sorted order, that begins with the name in
// any case; a catalogue name always selects itself.
std::string classListLine(const std::string& classname) {
    if (inCatalogue(classname)) return classname;
    std::string found;
    for (const char* const* name = entityClassNames; **name; ++name) {
        if (classname.empty() ||
            CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, *name,
                           static_cast<int>(classname.size()), classname.c_str(), -1) != CSTR_EQUAL)
            continue;
        if (found.empty() || lstrcmpiA(*name, found.c_str()) < 0) found = *name;
    }
    return found;
}

// The float spinner of the axis length shows one decimal; an integer one its rounded value.
std::string lengthText(float length) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(length));
    return text;
}

void addParameters(const HelperRecord& record, PageValues& values) {
    values[{PARAMETERS, AXIS_CHECK}] = checkText(record.showAxis);
    values[{PARAMETERS, LENGTH_FIELD}] = lengthText(record.axisLength);
    values[{PARAMETERS, CLASS_LIST}] = classListLine(record.classnameText());
}

void addDoorParams(const EntityProps& p, PageValues& values) {
    const struct {
        int field;
        int32_t value;
    } numbers[] = {{1051, p.angle}, {1053, p.speed},  {1055, p.wait},
                   {1057, p.lip},   {1062, p.health}, {1064, p.damage}};
    for (const auto& n : numbers) values[{DOOR_PARAMS, n.field}] = std::to_string(n.value);
    const struct {
        int box;
        int32_t value;
    } checks[] = {{1066, p.toggle},
                  {1067, p.startOpen},
                  {1068, p.dontLink},
                  {1069, p.goldKey},
                  {1070, p.silverKey}};
    for (const auto& c : checks) values[{DOOR_PARAMS, c.box}] = checkText(c.value);
    values[{DOOR_PARAMS, TARGET_NAME_FIELD}] = fieldText(p.targetName, sizeof p.targetName);
    values[{DOOR_PARAMS, MESSAGE_FIELD}] = fieldText(p.message, sizeof p.message);
    int sounds = 0;
    while (doorSoundNames[sounds][0]) ++sounds;
    values[{DOOR_PARAMS, SOUNDS_LIST}] =
        p.sounds >= 0 && p.sounds < sounds ? doorSoundNames[p.sounds] : "";
}

void addLightParams(const EntityProps& p, PageValues& values) {
    const bool off = (p.lightFlags & LIGHT_FLAG_START_OFF) != 0;
    values[{LIGHT_PARAMS, LIGHT_ON}] = off ? "0" : "1";
    values[{LIGHT_PARAMS, LIGHT_OFF}] = off ? "1" : "0";
    // A style outside the buttons' range shows as the first, "Normal".
    const int style = p.lightStyle >= 0 && p.lightStyle < LIGHT_STYLE_COUNT ? p.lightStyle : 0;
    for (int i = 0; i < LIGHT_STYLE_COUNT; ++i)
        values[{LIGHT_PARAMS, FIRST_STYLE + i}] = i == style ? "1" : "0";
}

void addMapParameters(const EntityProps& p, PageValues& values) {
    char cells[keyValueCellCount][keyValueCellSize] = {};
    splitKeyValueText(p.keyValueText, sizeof p.keyValueText, cells);
    for (int i = 0; i < keyValueCellCount; ++i)
        values[{MAP_PARAMETERS, KEY_VALUE_CELLS[i]}] = cells[i];
}

}  // namespace

const char* classPageTitle(PageClass page) {
    if (page == PageClass::Door) return DOOR_PARAMS;
    if (page == PageClass::Light) return LIGHT_PARAMS;
    return nullptr;
}

PageClass shownClassPage(const HelperRecord& record) {
    const std::string classname = record.classnameText();
    for (int i = 0; entityClassNames[i][0]; ++i)
        if (classname == entityClassNames[i]) return pageClassOfIndex(i);
    return PageClass::Light;
}

PageValues recordPageValues(const HelperRecord& record) {
    PageValues values;
    addParameters(record, values);
    const PageClass pages = shownClassPage(record);
    if (pages == PageClass::Door) addDoorParams(record.props, values);
    if (pages == PageClass::Light) addLightParams(record.props, values);
    addMapParameters(record.props, values);
    return values;
}

std::set<ControlKey> controlsThatDiffer(const HelperRecord& first,
                                        const std::vector<HelperRecord>& others) {
    const PageValues shown = recordPageValues(first);
    std::set<ControlKey> differ;
    for (const HelperRecord& other : others) {
        for (const auto& [key, value] : recordPageValues(other)) {
            const auto mine = shown.find(key);
            if (mine != shown.end() && mine->second != value) differ.insert(key);
        }
        if (differ.size() == shown.size()) break;  // nothing left to find
    }
    return differ;
}
