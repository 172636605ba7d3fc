#include "entity_checks.h"
#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <tuple>
#include "entity_catalogue.h"
#include "key_value_text.h"
#include "number_text.h"
#include "printable_name.h"

namespace {

struct Scope {
    const std::vector<HelperEntry>& helpers;
    std::set<std::string> targetNames;  // the door field or a "targetname" pair of any helper
    std::set<std::string> targeted;     // every "target" and "killtarget" value
    std::vector<CheckFinding>& findings;
};

void report(Scope& scope, const HelperEntry& helper, Severity severity, const char* rule,
            const std::string& message, const std::string& key = "") {
    scope.findings.push_back(
        {helper.name, helper.record.classnameText(), severity, message, key, rule});
}

bool isTargetKey(const std::string& key) { return key == "target" || key == "killtarget"; }

// What the helper says, the pairs kept beyond its record's room included: the game reads
// those too.
EntityView viewOf(const HelperEntry& h) {
    EntityView view = viewEntity(h.record);
    if (!h.kept) return view;
    for (const MapLine& pair : h.kept->pairs) {
        view.pairs.push_back(pair);
        if (isTargetKey(pair.key) && !pair.value.empty()) view.targets.push_back(pair.value);
        if (pair.key == "targetname" && view.targetName.empty()) view.targetName = pair.value;
    }
    return view;
}

void checkTargets(Scope& s, const HelperEntry& h, const EntityView& view) {
    for (const MapLine& pair : view.pairs)
        if (isTargetKey(pair.key) && !pair.value.empty() && !s.targetNames.count(pair.value))
            report(s, h, Severity::Warning, "Target not found",
                   pair.key + " " + quotedExcerpt(pair.value) + " matches no helper's target name",
                   pair.key);
    const PageClass page = pageClassOf(view.classname);
    if (page == PageClass::Door && !view.targetName.empty() && !s.targeted.count(view.targetName))
        report(s, h, Severity::Warning, "Door never triggered",
               "nothing targets the door's target name " + quotedExcerpt(view.targetName),
               "targetname");
    if (view.classname == "trigger_teleport" && view.targets.empty())
        report(s, h, Severity::Warning, "Teleporter without a target",
               "the teleporter has no target");
    if (view.classname == "info_teleport_destination" && view.targetName.empty())
        report(s, h, Severity::Warning, "Teleport destination without a name",
               "the teleport destination has no target name");
}

void checkClass(Scope& s, const HelperEntry& h, const EntityView& view) {
    const EntityProps& props = h.record.props;
    const PageClass page = pageClassOf(view.classname);
    if (!inCatalogue(view.classname) && !isWorldClassname(view.classname) &&
        !isCompilerClass(view.classname))
        report(s, h, Severity::Warning, "Class outside the catalogue",
               "classname outside the catalogue", "classname");
    if (isBrushClass(view.classname) && (!h.kept || h.kept->brushes.empty()))
        report(s, h, Severity::Warning, "Brush entity without brushes",
               "has no brushes: the game gives it no size");
    if (page == PageClass::Door && props.goldKey && props.silverKey)
        report(s, h, Severity::Warning, "Both keys ticked",
               "both Gold Key and Silver Key are ticked", "spawnflags");
    if (page == PageClass::Door && (props.sounds < -1 || props.sounds > 4))
        report(s, h, Severity::Warning, "Door sound outside the list",
               "sound " + std::to_string(props.sounds) +
                   " is outside the list: the page shows no line and export leaves it out",
               "sounds");
    if (page == PageClass::Light && (props.lightStyle < 0 || props.lightStyle >= LIGHT_STYLE_COUNT))
        report(s, h, Severity::Warning, "Light style outside the list",
               "light style " + std::to_string(props.lightStyle) +
                   " is outside the list: the page shows Normal and export leaves it out",
               "style");
}

// Page keys that a helper of another class would export: fields kept from an earlier
// classname.
void checkStaleFields(Scope& s, const HelperEntry& h, PageClass page) {
    const std::pair<PageClass, const char*> others[] = {{PageClass::Door, "func_door"},
                                                        {PageClass::Light, "light"}};
    for (const auto& [otherPage, otherClass] : others) {
        if (otherPage == page) continue;
        HelperRecord as = h.record;
        as.setClassname(otherClass);
        std::memset(as.props.keyValueText, 0, sizeof as.props.keyValueText);
        std::string keys;
        for (const MapLine& line : entityLines(as, Point3()))
            if (line.key != "classname" && line.key != "origin")
                keys += (keys.empty() ? "" : ", ") + line.key;
        if (!keys.empty())
            report(s, h, Severity::Note, "Fields kept from an earlier class",
                   std::string(otherPage == PageClass::Door ? "door" : "light") + " fields (" +
                       keys + ") hold values kept from an earlier classname; not exported");
    }
}

void checkPairs(Scope& s, const HelperEntry& h) {
    const int pieces = recordPieceCount(h.record.props);
    if (pieces > keyValueCellCount)
        report(s, h, Severity::Warning, "Key/value text in too many pieces",
               "the key/value text splits into " + std::to_string(pieces) +
                   " pieces; only sixteen are read");
    HelperRecord pagesOnly = h.record;
    std::memset(pagesOnly.props.keyValueText, 0, sizeof pagesOnly.props.keyValueText);
    std::vector<MapLine> written = entityLines(pagesOnly, h.position);
    std::set<std::string> seen;
    for (const MapLine& cell : recordCells(h.record.props)) {
        if (cell.key.empty()) {
            if (!cell.value.empty())
                report(s, h, Severity::Warning, "Value without a key",
                       "the value " + quotedExcerpt(cell.value) + " has no key; not exported");
            continue;
        }
        if (!seen.insert(cell.key).second)
            report(s, h, Severity::Warning, "Key set twice",
                   "the key " + quotedExcerpt(cell.key) + " is set twice; the last one is exported",
                   cell.key);
        // The page's flags and a spawnflags pair are combined as the game reads them: import
        // splits one value so, and nothing is lost.
        for (const MapLine& line : written)
            if (line.key == cell.key && cell.key != "spawnflags")
                report(s, h, Severity::Warning, "Key also set by the helper or page",
                       "the key " + quotedExcerpt(cell.key) + " is also set " +
                           (line.key == "classname" || line.key == "origin" ? "by the helper"
                                                                            : "on the page") +
                           "; the pair's value is exported",
                       cell.key);
    }
    std::string key;
    if (findUnwritableText(h.record, entityLines(h.record, h.position), key))
        report(s, h, Severity::Error, "Text the map cannot hold",
               "the text of " + quotedExcerpt(key) + " " + UNWRITABLE_TEXT_REASON, key);
}

// A map holds one world: export refuses a second.
void checkWorlds(Scope& s) {
    const HelperEntry* first = nullptr;
    for (const HelperEntry& h : s.helpers) {
        if (!isWorldClassname(h.record.classnameText())) continue;
        if (first)
            report(s, h, Severity::Error, "Second world",
                   "a second world beside " + printableName(first->name) +
                       ": a map holds one, and export refuses the scene");
        else
            first = &h;
    }
}

// Helpers of one classname at one position: the ones after the first are reported. The
// compiler's classes have no position of their own in the game.
void checkClones(Scope& s) {
    std::map<std::tuple<std::string, float, float, float>, const HelperEntry*> first;
    std::vector<const HelperEntry*> byName;
    for (const HelperEntry& h : s.helpers)
        if (!isCompilerClass(h.record.classnameText())) byName.push_back(&h);
    std::stable_sort(byName.begin(), byName.end(),
                     [](const HelperEntry* a, const HelperEntry* b) { return a->name < b->name; });
    for (const HelperEntry* h : byName) {
        const auto place =
            std::make_tuple(h->record.classnameText(), h->position.x, h->position.y, h->position.z);
        auto [at, added] = first.emplace(place, h);
        if (!added)
            report(s, *h, Severity::Warning, "Clone left in place",
                   "at the same position as " + printableName(at->second->name) +
                       " (a clone left in place?)");
    }
}

}  // namespace

std::vector<CheckFinding> checkHelpers(const std::vector<HelperEntry>& helpers) {
    std::vector<CheckFinding> findings;
    Scope scope{helpers, {}, {}, findings};
    std::vector<EntityView> views;
    for (const HelperEntry& h : helpers) {
        views.push_back(viewOf(h));
        const EntityView& view = views.back();
        if (!view.targetName.empty()) scope.targetNames.insert(view.targetName);
        for (const MapLine& pair : view.pairs)
            if (pair.key == "targetname") scope.targetNames.insert(pair.value);
        for (const std::string& target : view.targets) scope.targeted.insert(target);
    }
    for (size_t i = 0; i < helpers.size(); ++i) {
        checkTargets(scope, helpers[i], views[i]);
        checkClass(scope, helpers[i], views[i]);
        checkPairs(scope, helpers[i]);
        checkStaleFields(scope, helpers[i], pageClassOf(views[i].classname));
    }
    checkWorlds(scope);
    checkClones(scope);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const CheckFinding& a, const CheckFinding& b) { return a.node < b.node; });
    return findings;
}

const char* severityName(Severity severity) {
    static const char* const names[] = {"error", "warning", "note"};
    return names[static_cast<int>(severity)];
}

std::string findingSubject(const CheckFinding& finding) {
    return printableName(finding.node) + " (" + printableName(finding.classname) + ")";
}

std::string formatFinding(const CheckFinding& finding) {
    return findingSubject(finding) + ": " + severityName(finding.severity) + ": " + finding.message;
}

bool reportFails(const std::vector<CheckFinding>& findings) {
    for (const CheckFinding& finding : findings)
        if (finding.severity != Severity::Note) return true;
    return false;
}
