// A helper's record as the keys of a map entity, and an entity's keys back into a record.
// What fits the record travels both ways unchanged; the rest rides in the Map Parameters
// pairs.
#pragma once
#include <string>
#include <vector>
#include "class_pages.h"
#include "helper_chunks.h"
#include "map_text.h"
#include "vexsdk/geom.h"

// The door's "spawnflags" bits for its check boxes, and the light's for "starts off".
constexpr int32_t DOOR_SPAWN_START_OPEN = 1;
constexpr int32_t DOOR_SPAWN_DONT_LINK = 4;
constexpr int32_t DOOR_SPAWN_GOLD_KEY = 8;
constexpr int32_t DOOR_SPAWN_SILVER_KEY = 16;
constexpr int32_t DOOR_SPAWN_TOGGLE = 32;
constexpr int32_t LIGHT_SPAWN_START_OFF = 1;

bool inCatalogue(const std::string& classname);
// The entity that holds the level's structure: exported first, never given an origin.
bool isWorldClassname(const std::string& classname);
// The catalogue's classes the game sizes by their brushes. A relay and a counter are fired
// by name and never touched: they need none.
bool isBrushClass(const std::string& classname);
// The catalogue's other classes: the game places them at their origin and gives them no
// brushes (the compiler would make one with brushes a model at 0 0 0).
bool isPointClass(const std::string& classname);
// The map compiler's own classes (groups, detail brushes): it merges their brushes into the
// world, so they have no place of their own in the game and need no catalogue entry.
bool isCompilerClass(const std::string& classname);

// The class page whose keys export writes for a classname and import reads (Other: none).
// A page the plug-in shows for any other class leaves nothing in the level.
PageClass exportedClassPage(const std::string& classname);

// The Map Parameters cells as pairs, in cell order: every pair, those without a key too.
std::vector<MapLine> recordCells(const EntityProps& props);
// How many pieces the key/value text splits into (more than sixteen are not read).
int recordPieceCount(const EntityProps& props);
// The cells' pairs that export writes: those with a key.
std::vector<MapLine> recordPairs(const EntityProps& props);

// A pair joins the lines export writes, one a key: it replaces the value of a line of its
// key (spawnflags are or-ed), or follows them.
void addPair(std::vector<MapLine>& lines, const MapLine& pair);

// Every line export writes for the helper, in order: "classname", "origin", the page's
// keys (numbers that are 0 and empty texts left out), then the pairs; a pair whose key is
// already written replaces that line's value, and "spawnflags" is combined by bitwise or.
std::vector<MapLine> entityLines(const HelperRecord& record, const Point3& origin);

// What a helper says to someone who draws labels and links.
struct EntityView {
    std::string classname;
    std::string targetName;            // as exported: the door field or a "targetname" pair
    std::vector<std::string> targets;  // the values of its "target" and "killtarget" pairs
    std::vector<MapLine> pairs;
};
EntityView viewEntity(const HelperRecord& record);

// A message of an import about one entity.
struct ImportNote {
    int line = 0;  // of the entity's key, or of the entity
    bool error = false;
    std::string text;
    int column = 0;  // of the value at fault when known, else 0
    // No fault of the map (a node name shortened), or one the check finds itself: a check
    // of the map leaves it out, so that one fault is one finding.
    bool checkSkips = false;
};

// Fills a record (holding the entity's classname already) from the entity's other keys,
// "classname" and "origin" aside: a page key goes to its field when export would write
// the same line back from it, everything else to the pairs in file order; those that do
// not fit the record go to beyondRecord. Of any key given more than once only the last
// line counts, as in the game: the others are left out, each with a note.
void applyEntityKeys(const MapEntity& entity, HelperRecord& record, std::vector<ImportNote>& notes,
                     std::vector<MapLine>& beyondRecord);

// Whether a text that map text cannot hold (a '"', a line break or another control byte
// but the tab) is among the lines export writes (lines: entityLines of the record) or the
// pairs; key receives the key it belongs to.
bool findUnwritableText(const HelperRecord& record, const std::vector<MapLine>& lines,
                        std::string& key);
bool unwritableText(const std::string& text);
// Why such a text is refused, for messages: "holds ..., which map text cannot hold".
extern const char* const UNWRITABLE_TEXT_REASON;
