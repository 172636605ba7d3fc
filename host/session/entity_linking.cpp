#include "session/entity_linking.h"
#include "scene/step_names.h"
#include <algorithm>
#include "entity_mapping.h"
#include "key_value_text.h"
#include "panel/panel_controls.h"
#include "printable_name.h"
#include "session/entity_reading.h"
#include "session/host_session.h"
#include "session/page_editor.h"

namespace {

struct PageEntry {
    std::string label, value;
};

// What one helper's pages are given, in order.
struct HelperEdit {
    Node* node;
    std::vector<PageEntry> entries;
};

constexpr int PAIR_ROWS = keyValueCellCount / 2;
// The joined cells keep this many characters, each cell followed by its bar.
constexpr size_t PAIR_TEXT_ROOM = sizeof(EntityProps::keyValueText) - 1;

std::string quoted(const Node& node) { return "\"" + printableName(node.name()) + "\""; }

bool readRecord(Node& node, HelperRecord& record, std::string& error) {
    if (isHelperNode(node) && readHelperRecord(*node.object(), record, error)) return true;
    error = quoted(node) + " is no entity helper";
    return false;
}

// The pair goes to the row already holding its key, else to the first empty row; false
// when every row is taken or the joined cells would outgrow their room, which the page
// would then cut.
bool planPair(const EntityProps& props, const std::string& key, const std::string& value,
              std::vector<PageEntry>& entries) {
    std::vector<MapLine> rows = recordCells(props);
    rows.resize(PAIR_ROWS);
    auto row =
        std::find_if(rows.begin(), rows.end(), [&](const MapLine& r) { return r.key == key; });
    if (row == rows.end())
        row = std::find_if(rows.begin(), rows.end(),
                           [](const MapLine& r) { return r.key.empty() && r.value.empty(); });
    if (row == rows.end() || value.size() >= keyValueCellSize) return false;
    const std::string number = std::to_string(row - rows.begin() + 1);
    if (row->key != key) entries.push_back({"Key " + number, key});
    entries.push_back({"Value " + number, value});
    row->key = key;
    row->value = value;
    size_t length = 0;
    for (const MapLine& r : rows) length += r.key.size() + r.value.size() + 2;
    return length <= PAIR_TEXT_ROOM;
}

bool planTargetName(const HelperRecord& record, const std::string& name,
                    std::vector<PageEntry>& entries) {
    if (pageClassOf(record.classnameText()) != PageClass::Door)
        return planPair(record.props, "targetname", name, entries);
    entries.push_back({"Target Name", name});
    return name.size() < sizeof record.props.targetName;
}

bool noRoom(const Node& node, const std::string& what, std::string& error) {
    error = "the pages of " + quoted(node) + " have no room left for " + what;
    return false;
}

// Everything is known before the first page is touched, so a refusal changes nothing.
bool planLink(const std::vector<Node*>& sources, Node& target, std::vector<HelperEdit>& edits,
              std::string& error) {
    HelperRecord record;
    if (!readRecord(target, record, error)) return false;
    std::string name = viewEntity(record).targetName;
    if (name.empty()) {
        name = target.name();
        edits.push_back({&target, {}});
        if (!planTargetName(record, name, edits.back().entries))
            return noRoom(target, "the target name \"" + printableName(name) + "\"", error);
    }
    for (Node* source : sources) {
        if (source == &target) {
            error = quoted(target) + " cannot fire itself";
            return false;
        }
        if (!readRecord(*source, record, error)) return false;
        edits.push_back({source, {}});
        if (!planPair(record.props, "target", name, edits.back().entries))
            return noRoom(*source, "the pair target \"" + printableName(name) + "\"", error);
    }
    return true;
}

}  // namespace

bool linkToTarget(HostSession& session, const std::vector<Node*>& sources, Node& target,
                  std::string& error) {
    std::vector<HelperEdit> edits;
    if (!planLink(sources, target, edits, error)) return false;
    const std::vector<Node*> selection = session.scene().selection();
    bool ok = true;
    {
        HostSession::Action step(session, StepName::LINK);
        for (const HelperEdit& edit : edits) {
            session.select({edit.node});
            for (const PageEntry& entry : edit.entries) {
                std::string warning;
                ok = ok && setPageControl(session.pages().commandPanel(), entry.label, entry.value,
                                          error, warning);
            }
        }
        // The last helper's edit joins the step before it closes.
        session.pages().endEdit();
        if (!ok) step.rollBack();  // a link made in part is no link
    }
    session.select(selection);
    return ok;
}
