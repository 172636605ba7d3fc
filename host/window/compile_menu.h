// The Run menu and View > Point File: a compile of the scene with the profile chosen in Run >
// Profile (the first of the user's file until one is), its log in the Build window (a double
// click on a line selects and frames its entity, or marks the position it names when no
// entity is near), the leak's point file drawn in every view and stepped through, and the
// game launched once a compile succeeded.
#pragma once
#include "render/entity_overlay.h"
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "scene/scene.h"
#include "session/compile_job.h"
#include "session/log_links.h"
#include "session/point_file.h"
#include "window/build_window.h"
#include "window/profiles_editor.h"

class HostSession;

class CompileMenu {
public:
    // overlay: what the views draw over the helpers; the leak's path goes in it.
    CompileMenu(HostSession& session, HWND owner, OverlayOptions& overlay);
    ~CompileMenu();
    CompileMenu(const CompileMenu&) = delete;
    CompileMenu& operator=(const CompileMenu&) = delete;

    void compile();  // refused while a compile runs
    // The names of the profiles in the user's file, in order; none while it cannot be read.
    std::vector<std::string> profileNames() const;
    // The profile a compile uses: the one chosen in this session while the file still has
    // it, else the first.
    std::string activeProfile() const;
    void chooseProfile(const std::string& name) { chosenProfile_ = name; }
    void editProfiles();
    void launch();
    void loadPointFile();
    void loadPointFile(const std::string& path);
    void nextPoint() { stepPoint(1); }
    void previousPoint() { stepPoint(-1); }
    void clearPointFile();
    bool running() const { return compile_.running(); }
    bool hasPointFile() const { return !leak_.points.empty(); }
    BuildWindow& buildWindow() { return build_; }
    bool translateMessage(MSG& msg) { return build_.translateMessage(msg); }

    std::function<std::string()> scenePath;           // "" while never saved
    std::function<void(const Node&)> onShow;          // frame a node
    std::function<void(const Point3&)> onFramePoint;  // frame a point in every view
    std::function<void(const std::string&)> onNote;   // a status bar note
    std::function<void()> onRedraw;

private:
    bool readProfile(CompileProfile& profile);
    CompileEvents buildEvents();
    void finished(bool succeeded);
    void showLeak(const PointFile& leak);
    void stepPoint(int by);
    void pickLine(const std::string& line);
    void markPosition(const Point3& position);
    void clearMark();
    void message(const std::string& text, UINT icon);

    HostSession& session_;
    HWND owner_;
    OverlayOptions& overlay_;
    std::string profilesPath_;
    std::string chosenProfile_;  // "" until one is chosen
    ProfilesEditor editor_;
    BuildWindow build_;
    // Declared after the window it posts to: it ends (and its worker with it) first.
    BackgroundCompile compile_;
    CompilePlan plan_;
    std::vector<ExportedEntity> exported_;
    bool succeeded_ = false;
    PointFile leak_;
    int current_ = -1;
    Point3 mark_;  // the position of the last log line that led to no entity
    // Counted on the worker thread, for the step's closing line.
    size_t warnings_ = 0, errors_ = 0;
};
