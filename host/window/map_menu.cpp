#include "window/map_menu.h"
#include "ui/message_box.h"
#include "window/file_dialog.h"
#include "session/host_session.h"

MapMenu::MapMenu(HostSession& session, HWND owner)
    : session_(session),
      owner_(owner),
      checkReport_(owner, "Check", 0),
      importReport_(owner, "Import report", 1) {
    checkReport_.onPick = [this](const std::string& node) { pick(node); };
    checkReport_.onRefresh = [this] { check(); };
    importReport_.onPick = [this](const std::string& node) { pick(node); };
}

void MapMenu::setReportArea(const std::function<RECT()>& area) {
    checkReport_.freeArea = area;
    importReport_.freeArea = area;
}

std::string MapMenu::askFile(bool save) {
    return askFileName(owner_, save,
                       {"Map text (*.map)\0*.map\0All files\0*.*\0", "map", "", "",
                        save ? "Export Map" : "Import Map"});
}

void MapMenu::pick(const std::string& nodeName) {
    Node* node = session_.node(nodeName);
    if (!node) return;
    session_.select({node});
    if (onShow) onShow(*node);
}

void MapMenu::importMap() {
    const std::string path = askFile(false);
    if (!path.empty()) importMap(path);
}

// However many warnings a level gives, they go to the report window: a message box is left
// for a map that could not be read at all.
void MapMenu::importMap(const std::string& path) {
    ImportReport report;
    std::string error;
    const size_t before = session_.scene().size();
    const bool complete = ::importMap(session_, path, report, error);
    if (!complete && !error.empty() && report.empty()) {
        showMessage(owner_, error, "Import Map", MB_OK | MB_ICONERROR);
        return;
    }
    std::vector<FindingLine> lines;
    if (!error.empty()) lines.push_back({"", error, Severity::Error, ""});
    for (const ImportFinding& finding : report.findings())
        lines.push_back({finding.node, finding.text(),
                         finding.error ? Severity::Error : Severity::Warning, ""});
    std::string note = "Imported " + countText(session_.scene().size() - before) + " entities";
    if (!lines.empty()) {
        importReport_.show(lines);
        note += ": " + (report.empty() ? error : report.headline()) + " (Import report)";
    }
    if (onNote) onNote(note);
}

void MapMenu::exportMap() {
    const std::string path = askFile(true);
    if (path.empty()) return;
    // Helpers without a world of their own can stand in a base map's level.
    std::string base;
    if (!sceneHasWorld(session_.scene()) &&
        MessageBoxA(owner_, "The scene has no world. Write a base map's level before the helpers?",
                    "Export Map", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        base = askFile(false);
        if (base.empty()) return;
    }
    std::string error;
    if (!::exportMap(session_, path, base, error))
        showMessage(owner_, error, "Vexal Host", MB_OK | MB_ICONERROR);
}

void MapMenu::check() {
    bool fails = false;
    std::vector<FindingLine> lines;
    for (CheckLine& line : checkScene(session_, fails))
        lines.push_back(
            {std::move(line.node), std::move(line.text), line.severity, std::move(line.rule)});
    if (lines.empty())
        lines.push_back(
            {"", "No findings: the helpers are ready for the game.", Severity::Note, ""});
    checkReport_.show(lines);
}

bool MapMenu::translateMessage(MSG& msg) {
    return checkReport_.translateMessage(msg) || importReport_.translateMessage(msg);
}
