#include "window/compile_menu.h"
#include <algorithm>
#include "number_text.h"
#include "session/host_session.h"
#include "session/import_report.h"
#include "ui/message_box.h"
#include "window/file_dialog.h"

CompileMenu::CompileMenu(HostSession& session, HWND owner, OverlayOptions& overlay)
    : session_(session),
      owner_(owner),
      overlay_(overlay),
      profilesPath_(defaultProfilesPath()),
      editor_(owner, profilesPath_),
      build_(owner) {
    build_.onCancel = [this] { compile_.cancel(); };
    build_.onLine = [this](const std::string& line) { pickLine(line); };
    editor_.onNote = [this](const std::string& note) {
        if (onNote) onNote(note);
    };
}

CompileMenu::~CompileMenu() {
    overlay_.pointPath = nullptr;
    overlay_.positionMark = nullptr;
}

void CompileMenu::message(const std::string& text, UINT icon) {
    showMessage(owner_, text, "Compile", MB_OK | icon);
}

std::vector<std::string> CompileMenu::profileNames() const {
    std::vector<CompileProfile> profiles;
    std::string error;
    std::vector<std::string> names;
    if (readCompileProfiles(profilesPath_, profiles, error))
        for (const CompileProfile& p : profiles) names.push_back(p.name);
    return names;
}

std::string CompileMenu::activeProfile() const {
    const std::vector<std::string> names = profileNames();
    if (std::find(names.begin(), names.end(), chosenProfile_) != names.end()) return chosenProfile_;
    return names.empty() ? "" : names.front();
}

// The chosen profile of the file; a first run is offered the example to fill in.
bool CompileMenu::readProfile(CompileProfile& profile) {
    std::vector<CompileProfile> profiles;
    std::string error;
    if (GetFileAttributesA(profilesPath_.c_str()) == INVALID_FILE_ATTRIBUTES) {
        message(
            "No compile profiles yet. Run > Compile Profiles... opens an example with the "
            "tools' paths to fill in.",
            MB_ICONINFORMATION);
        editProfiles();
        return false;
    }
    if (!readCompileProfiles(profilesPath_, profiles, error)) {
        message(error, MB_ICONERROR);
        return false;
    }
    if (profiles.empty()) {
        message(profilesPath_ + " has no profile yet: Run > Compile Profiles... adds one.",
                MB_ICONWARNING);
        return false;
    }
    const CompileProfile* chosen = findProfile(profiles, chosenProfile_);
    profile = chosen ? *chosen : profiles.front();
    return true;
}

void CompileMenu::compile() {
    if (compile_.running()) {
        message("A compile is running: wait for its end or Cancel it in the Build window.",
                MB_ICONWARNING);
        return;
    }
    CompileProfile profile;
    std::string error;
    if (!readProfile(profile)) return;
    if (!prepareCompile(session_, profile, scenePath ? scenePath() : "", plan_, error) ||
        !readExportedEntities(plan_.variables.map, exported_, error)) {
        message(error, MB_ICONERROR);
        return;
    }
    succeeded_ = false;
    clearMark();
    build_.begin("Build - " + plan_.profile + " - " + plan_.variables.name);
    build_.addLine("== exported " + plan_.variables.map);
    build_.setCancelEnabled(true);
    compile_.start(plan_, buildEvents(),
                   [this](bool ok) { build_.post([this, ok] { finished(ok); }); });
}

// Each event is handed to the window's thread as it comes; the counts stay on the worker's.
CompileEvents CompileMenu::buildEvents() {
    CompileEvents events;
    events.stepStarted = [this](size_t i, const CompileStep& step) {
        warnings_ = errors_ = 0;
        const std::string heading = "Step " + std::to_string(i + 1) + " of " +
                                    std::to_string(plan_.steps.size()) + ": " + step.name;
        build_.post([this, heading, started = GetTickCount64(),
                     line = "== " + step.name + ": \"" + step.program + "\" " + step.arguments] {
            build_.startStepClock(heading, started);
            build_.addLine(line);
        });
    };
    events.line = [this](const std::string& line) {
        const LogSeverity severity = logSeverity(line);
        warnings_ += severity == LogSeverity::Warning;
        errors_ += severity == LogSeverity::Error;
        build_.post([this, line] { build_.addLine(line); });
    };
    events.stepEnded = [this](size_t i, const StepOutcome& outcome) {
        const std::string end = "== " + plan_.steps[i].name + ": " + outcome.text() + ", " +
                                countText(warnings_) + " warnings, " + countText(errors_) +
                                " errors";
        build_.post([this, end] {
            build_.stopStepClock();
            build_.addLine(end);
            build_.setHeading(end.substr(3));
        });
    };
    events.pointFile = [this](const PointFile& leak) {
        build_.post([this, leak] { showLeak(leak); });
    };
    events.pointFileUnreadable = [this](const std::string& problem) {
        build_.post([this, problem] { build_.addLine("== " + problem); });
    };
    return events;
}

void CompileMenu::finished(bool succeeded) {
    succeeded_ = succeeded;
    build_.setCancelEnabled(false);
    build_.addLine(succeeded ? "== compile succeeded" : "== compile failed");
    if (onNote) onNote(succeeded ? "Compile succeeded" : "Compile failed (Build window)");
}

void CompileMenu::editProfiles() { editor_.show(); }

void CompileMenu::launch() {
    std::string error;
    if (!succeeded_)
        error = "Compile first: Launch starts the game once a compile succeeded.";
    else if (!plan_.hasLaunch)
        error = "Profile " + plan_.profile + " has no launch step.";
    if (error.empty() && startDetached(plan_.launch, error) && onNote)
        onNote("Launched " + plan_.launch.program);
    if (!error.empty()) message(error, MB_ICONWARNING);
}

void CompileMenu::loadPointFile() {
    const std::string path =
        askFileName(owner_, false,
                    {"Point files (*.pts;*.lin)\0*.pts;*.lin\0All files\0*.*\0", "pts", "", "",
                     "Load Point File"});
    if (!path.empty()) loadPointFile(path);
}

void CompileMenu::loadPointFile(const std::string& path) {
    PointFile leak;
    std::string error;
    if (!::loadPointFile(path, leak, error))
        message(error, MB_ICONERROR);
    else
        showLeak(leak);
}

void CompileMenu::showLeak(const PointFile& leak) {
    leak_ = leak;
    current_ = -1;
    overlay_.pointPath = &leak_.points;
    overlay_.pointPathCurrent = current_;
    if (onNote) onNote(leak_.summary());
    if (onRedraw) onRedraw();
}

void CompileMenu::stepPoint(int by) {
    if (leak_.points.empty()) return;
    const int count = static_cast<int>(leak_.points.size());
    current_ = current_ < 0 ? (by > 0 ? 0 : count - 1) : (current_ + by + count) % count;
    overlay_.pointPathCurrent = current_;
    if (onNote) onNote(leak_.summary() + ": point " + std::to_string(current_ + 1));
    if (onFramePoint) onFramePoint(leak_.points[current_]);
}

void CompileMenu::clearPointFile() {
    leak_ = PointFile();
    current_ = -1;
    overlay_.pointPath = nullptr;
    if (onNote) onNote("Point file cleared");
    if (onRedraw) onRedraw();
}

void CompileMenu::pickLine(const std::string& line) {
    const LogLink link = findLogLink(line);
    Node* node = linkedNode(session_, link, exported_);
    const bool positioned =
        link.kind == LogLink::Kind::Position || link.kind == LogLink::Kind::ClassAt;
    if (node) {
        clearMark();
        session_.select({node});
        if (onShow) onShow(*node);
    } else if (positioned) {
        markPosition(link.position);
    }
}

void CompileMenu::markPosition(const Point3& position) {
    mark_ = position;
    overlay_.positionMark = &mark_;
    if (onNote)
        onNote("No entity near " + shortestNumberText(position.x) + " " +
               shortestNumberText(position.y) + " " + shortestNumberText(position.z) +
               ": the position is marked");
    if (onFramePoint) onFramePoint(position);
}

void CompileMenu::clearMark() {
    if (!overlay_.positionMark) return;
    overlay_.positionMark = nullptr;
    if (onRedraw) onRedraw();
}
