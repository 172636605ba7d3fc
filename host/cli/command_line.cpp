#include "cli/command_line.h"
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "session/host_session.h"
#include "session/scene_picture.h"
#include "cli/compile_command.h"
#include "cli/image_size.h"
#include "session/map_commands.h"
#include "session/point_file.h"
#include "cli/picture_options.h"
#include "cli/script_runner.h"
#include "scene/progress.h"

namespace {

const char* usage =
    "usage: vexalhost                      the interactive host (where a display exists)\n"
    "       vexalhost window [SCENE]       the interactive host, opening SCENE\n"
    "       vexalhost kinds                the kinds the plug-ins offer\n"
    "       vexalhost run SCRIPT           run a host script\n"
    "       vexalhost list SCENE           the nodes of a scene file\n"
    "       vexalhost export SCENE OUT.map [--base BASE.map]   the helpers as map text\n"
    "       vexalhost import IN.map OUT.vxs [--all-warnings]  a scene of the map's entities;\n"
    "                                        warnings summed up by kind, or every one\n"
    "       vexalhost check SCENE|LEVEL.map  what the game would trip over\n"
    "       vexalhost diff OLD.map NEW.map [--stat]   what changed, entity by entity;\n"
    "                        exit 0: the same entities and pairs, 1: they differ, 2: error\n"
    "       vexalhost render SCENE --view top|front|left|persp --out FILE.png [--size WxH]\n"
    "                        [--labels [all|selected|none]] [--links]   names and links drawn\n"
    "                        [--time SECONDS]   the lights' styles as at that moment\n"
    "                        [--pointfile FILE.pts]   a leak's path drawn over all\n"
    "       vexalhost compile SCENE --profile NAME [--profiles FILE]   export, then run the\n"
    "                        profile's steps; exit status of the first failing step\n"
    "       --progress anywhere shows progress on big scenes even when stderr is no terminal\n";

int fail(const std::string& message) {
    std::fprintf(stderr, "vexalhost: %s\n", message.c_str());
    return 1;
}

int listKinds(HostSession& session) {
    for (const PluginModule& m : session.registry().modules())
        std::printf("module %s: \"%s\", version %u\n", m.path.c_str(), m.description.c_str(),
                    m.version);
    std::printf("%-4s %-16s %-10s %-23s %s\n", "#", "kind", "category", "class id", "superclass");
    int i = 0;
    for (const PluginKind& k : session.registry().kinds())
        std::printf("%-4d %-16s %-10s 0x%08X,0x%08X   0x%X\n", i++, k.className.c_str(),
                    k.category.c_str(), k.classId.PartA(), k.classId.PartB(), k.superClassId);
    return 0;
}

int listScene(HostSession& session, const char* path) {
    std::string error;
    if (!session.load(path, error)) return fail(error);
    std::fputs(session.listing().c_str(), stdout);
    return 0;
}

int renderScene(HostSession& session, int argc, char** argv) {
    const std::vector<std::string> words(argv, argv + argc);
    std::string scene = words[2], out, viewName = "top";
    int width = 800, height = 600;
    PictureOptions picture;
    PointFile leak;
    std::string error;
    for (size_t i = 3; i < words.size();) {
        if (takePictureOption(words, i, picture, error)) continue;
        if (!error.empty()) return fail(error);
        if (i + 1 >= words.size()) return fail(words[i] + " needs a value\n" + usage);
        const std::string& option = words[i];
        const std::string& value = words[i + 1];
        i += 2;
        if (option == "--view")
            viewName = value;
        else if (option == "--out")
            out = value;
        else if (option == "--pointfile") {
            if (!loadPointFile(value, leak, error)) return fail(error);
            picture.overlay.pointPath = &leak.points;
        } else if (option == "--size") {
            if (!parseImageSize(value, width, height)) return fail(imageSizeError(value));
        } else {
            return fail("unknown option " + option + "\n" + usage);
        }
    }
    ViewKind view;
    if (!parseViewKind(viewName, view)) return fail("unknown view \"" + viewName + "\"");
    if (out.empty()) return fail("render needs --out FILE.png");
    if (!session.load(scene, error) ||
        !renderPicture(session, view, out, width, height, error, picture))
        return fail(error);
    std::printf("%s: %s view of %zu nodes, %dx%d\n", out.c_str(), viewKindName(view),
                session.scene().size(), width, height);
    if (!leak.path.empty()) std::printf("%s: %s\n", leak.path.c_str(), leak.summary().c_str());
    return 0;
}

int exportCommand(HostSession& session, const std::string& scene, const std::string& out,
                  const std::string& base) {
    std::string error;
    if (!refuseSameFile(out, scene, "the scene", error) || !session.load(scene, error) ||
        !exportMap(session, out, base, error))
        return fail(error);
    std::printf("%s: written from %s\n", out.c_str(), scene.c_str());
    return 0;
}

// Warnings are summed up by kind with a few examples each, or all given one a line.
int importCommand(HostSession& session, const std::string& map, const std::string& out,
                  bool allWarnings) {
    ImportReport report;
    std::string error;
    if (!refuseSameFile(out, map, "the map", error)) return fail(error);
    const bool complete = importMap(session, map, report, error);
    const size_t examples = allWarnings ? 0 : IMPORT_EXAMPLES;
    for (const std::string& line : report.lines(examples))
        std::fprintf(stderr, "%s\n", line.c_str());
    if (const size_t hidden = report.notShown(examples))
        std::fprintf(stderr, "%s more not shown (--all-warnings gives every one)\n",
                     countText(hidden).c_str());
    if (!complete && !error.empty()) return fail(error);
    if (!session.save(out, error)) return fail(error);
    std::printf("%s: %zu helpers from %s\n", out.c_str(), session.scene().size(), map.c_str());
    return complete ? 0 : 1;
}

bool isMapFileName(const std::string& path) {
    const size_t dot = path.find_last_of("./\\");
    if (dot == std::string::npos || path[dot] != '.') return false;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == "map";
}

// A path ending in ".map" is checked as map text, each finding at its line.
int checkCommand(HostSession& session, const std::string& scene) {
    std::string error;
    bool fails = false;
    std::vector<CheckLine> lines;
    if (isMapFileName(scene)) {
        if (!checkMapFile(session, scene, lines, fails, error)) return fail(error);
    } else {
        if (!session.load(scene, error)) return fail(error);
        lines = checkScene(session, fails);
    }
    for (const CheckLine& line : lines) std::printf("%s\n", line.text.c_str());
    std::printf("%s: %zu findings\n", scene.c_str(), lines.size());
    return fails ? 1 : 0;
}

// Exit 0 when the levels hold the same, 1 when they differ, 2 when one cannot be read: a
// version control tool tells a difference from a failure.
int diffCommand(const std::string& before, const std::string& after, bool statOnly) {
    LevelDiff diff;
    std::string error;
    if (!diffMapFiles(before, after, diff, error)) {
        std::fprintf(stderr, "vexalhost: %s\n", error.c_str());
        return 2;
    }
    if (!statOnly)
        for (const std::string& line : diff.lines) std::printf("%s\n", line.c_str());
    std::printf("%s\n", diff.summary.c_str());
    return diff.differs ? 1 : 0;
}

}  // namespace

int withoutProgressOption(int argc, char** argv) {
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && std::strcmp(argv[i], "--progress") == 0)
            askForProgress();
        else
            argv[kept++] = argv[i];
    }
    return kept;
}

int runCommandLine(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "help" || command == "--help" || command == "-h") {
        std::fputs(usage, stdout);
        return 0;
    }
    // The window is the program's own business (main); here it is only ever refused.
    if (command.empty()) {
        std::fputs(usage, stdout);
        command = "kinds";
    }
    if (command == "window")
        return fail(
            "no display to show the window on (under Wine: scripts/wine-run --driver "
            "x11 with an X server)");
    // Two texts compared need no plug-in.
    if (command == "diff" && (argc == 4 || (argc == 5 && std::strcmp(argv[4], "--stat") == 0)))
        return diffCommand(argv[2], argv[3], argc == 5);
    if (command == "diff") {
        fail("unknown command line\n" + std::string(usage));
        return 2;
    }
    HostSession session;
    std::string error;
    if (!session.start(error)) return fail(error);
    if (command == "kinds") return listKinds(session);
    if (command == "run" && argc == 3) {
        ScriptRunner runner(session, stdout);
        return runner.runFile(argv[2]) ? 0 : 1;
    }
    if (command == "list" && argc == 3) return listScene(session, argv[2]);
    if (command == "export" && argc == 4) return exportCommand(session, argv[2], argv[3], "");
    if (command == "export" && argc == 6 && std::strcmp(argv[4], "--base") == 0)
        return exportCommand(session, argv[2], argv[3], argv[5]);
    if (command == "import" && argc == 4) return importCommand(session, argv[2], argv[3], false);
    if (command == "import" && argc == 5 && std::strcmp(argv[4], "--all-warnings") == 0)
        return importCommand(session, argv[2], argv[3], true);
    if (command == "check" && argc == 3) return checkCommand(session, argv[2]);
    if (command == "render" && argc >= 3) return renderScene(session, argc, argv);
    if (command == "compile") return compileCommand(session, argc, argv);
    return fail("unknown command line\n" + std::string(usage));
}
