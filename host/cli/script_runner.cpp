#include "cli/script_runner.h"
#include "scene/step_names.h"
#include "number_text.h"
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include "session/host_session.h"
#include "session/scene_picture.h"
#include "session/page_editor.h"
#include "cli/image_size.h"
#include "session/map_commands.h"
#include "cli/picture_options.h"
#include "cli/staged_files.h"
#include "panel/command_panel.h"
#include "panel/panel_controls.h"
#include "printable_name.h"
#include "session/box_brushes.h"
#include "session/entity_linking.h"

// What a line says beyond its words, read once: by the check, before anything runs, and
// used as read when the line runs.
struct ScriptArguments {
    Point3 point;         // create's position, move's offset or place
    bool moveTo = false;  // move NAME... to X Y Z
    std::string name;     // "as NAME"
    size_t nodesEnd = 0;  // move: the words naming nodes end here
    int count = 1;        // undo and redo; grid's size
    ViewKind view = ViewKind::Top;
    int width = 800, height = 600;
    PictureOptions picture;
    BoxCorners box;       // brush NAME box ...
    std::string texture;  // brush NAME box ... texture NAME; empty: the node's usual one
};

struct CheckedLine {
    ScriptLine line;
    ScriptArguments args;
};

namespace {

using Words = std::vector<std::string>;

// What a command needs while it checks or runs: its words and their arguments, the host,
// where listings go, and the message of a failure.
struct Context {
    const Words& w;
    ScriptArguments& a;
    HostSession& session;
    std::FILE* out;
    std::string& message;
    StagedFiles& files;
    std::string warning;
};

// A text about the staged name of path names path itself.
std::string naming(std::string text, const std::string& staged, const std::string& path) {
    for (size_t at = text.find(staged); at != std::string::npos;
         at = text.find(staged, at + path.size()))
        text.replace(at, staged.size(), path);
    return text;
}

// Runs a file operation on the staged name of path; its messages name path itself.
template <typename Operation>
bool onStagedFile(Context& c, const std::string& path, const std::string& staged,
                  Operation operation) {
    if (operation(staged)) return true;
    c.message = naming(c.message, staged, path);
    return false;
}

bool usageError(Context& c);

bool parsePoint(Context& c, size_t first, Point3& p) {
    for (int i = 0; i < 3; ++i) {
        if (!parseFloatWord(c.w[first + i], p[i])) {
            c.message = numberProblem(c.w[first + i]);
            return false;
        }
    }
    return true;
}

// Where "as NAME" may follow: the optional name, or an error for anything else there.
bool optionalName(Context& c, size_t at, std::string& name) {
    if (c.w.size() == at) return true;
    if (c.w.size() == at + 2 && c.w[at] == "as") {
        name = c.w[at + 1];
        return true;
    }
    c.message = "expected \"as NAME\" after the arguments";
    return false;
}

// Each named node once, however often it is named: "delete a a" deletes a once.
bool nodesFrom(Context& c, size_t first, size_t end, std::vector<Node*>& nodes) {
    for (size_t i = first; i < end; ++i) {
        Node* n = c.session.node(c.w[i]);
        if (!n) {
            c.message = "no node named \"" + printableName(c.w[i]) + "\"";
            return false;
        }
        if (std::find(nodes.begin(), nodes.end(), n) == nodes.end()) nodes.push_back(n);
    }
    return true;
}

// Checks: everything that can be known before anything runs.

bool checkNothing(Context&) { return true; }

bool checkCreate(Context& c) {
    if (c.w[2] != "at") return usageError(c);
    if (!c.session.findKind(c.w[1])) {
        c.message = "unknown kind \"" + c.w[1] + "\"; the kinds are " + c.session.kindNames();
        return false;
    }
    return parsePoint(c, 3, c.a.point) && optionalName(c, 6, c.a.name);
}

bool checkMove(Context& c) {
    c.a.nodesEnd = c.w.size() - 4;
    c.a.moveTo = c.w[c.a.nodesEnd] == "to";
    if (c.a.nodesEnd < 2 || (c.w[c.a.nodesEnd] != "by" && !c.a.moveTo)) return usageError(c);
    return parsePoint(c, c.a.nodesEnd + 1, c.a.point);
}

// link NAME... to NAME
bool checkLink(Context& c) {
    c.a.nodesEnd = c.w.size() - 2;
    return c.w[c.a.nodesEnd] == "to" || usageError(c);
}

bool checkClone(Context& c) { return optionalName(c, 2, c.a.name); }

// A file the line writes needs a name; caught before the script runs, like any mistake.
bool fileNamed(Context& c, const std::string& path) {
    if (!path.empty()) return true;
    c.message = "the file name is empty";
    return false;
}

bool checkSave(Context& c) { return fileNamed(c, c.w[1]); }

// render VIEW FILE [WxH] [--labels [MODE]] [--links] [--time S]: what follows the file.
bool renderOptions(Context& c) {
    size_t at = 3;
    if (at < c.w.size() && c.w[at].compare(0, 2, "--") != 0 &&
        !parseImageSize(c.w[at++], c.a.width, c.a.height)) {
        c.message = imageSizeError(c.w[at - 1]);
        return false;
    }
    while (at < c.w.size())
        if (!takePictureOption(c.w, at, c.a.picture, c.message))
            return c.message.empty() ? usageError(c) : false;
    return true;
}

bool checkRender(Context& c) {
    if (!fileNamed(c, c.w[2])) return false;
    if (!parseViewKind(c.w[1], c.a.view)) {
        c.message = "unknown view \"" + c.w[1] + "\"; the views are top, front, left, persp";
        return false;
    }
    return renderOptions(c);
}

// A texture name is one word of map text in every brush form.
bool textureWord(const std::string& name) {
    if (name.empty() || name.size() > 127 || name.compare(0, 2, "//") == 0 || name[0] == '(' ||
        name[0] == ')' || name[0] == '}')
        return false;
    for (unsigned char ch : name)
        if (ch <= ' ' || ch == '"' || ch == 0x7F) return false;
    return true;
}

// brush NAME box X0 Y0 Z0 X1 Y1 Z1 [texture NAME] | brush NAME clear
bool checkBrush(Context& c) {
    if (c.w[2] == "clear") return c.w.size() == 3 || usageError(c);
    if (c.w[2] != "box" || (c.w.size() != 9 && c.w.size() != 11) ||
        (c.w.size() == 11 && c.w[9] != "texture"))
        return usageError(c);
    Point3 low, high;
    if (!parsePoint(c, 3, low) || !parsePoint(c, 6, high)) return false;
    c.a.box = {low, high};
    const std::string problem = boxCornersProblem(c.a.box);
    if (!problem.empty()) {
        c.message = "no box from those corners: " + problem;
        return false;
    }
    if (c.w.size() == 9) return true;
    c.a.texture = c.w[10];
    if (textureWord(c.a.texture)) return true;
    c.message =
        "the texture name \"" + printableName(c.a.texture) + "\" is no single word of map text";
    return false;
}

// Runs.

bool runCreate(Context& c) {
    return c.session.create(*c.session.findKind(c.w[1]), c.a.point, c.a.name, c.message) != nullptr;
}

bool runRename(Context& c) {
    std::vector<Node*> nodes;
    return nodesFrom(c, 1, 2, nodes) && c.session.rename(nodes[0], c.w[2], c.message);
}

bool runSelect(Context& c) {
    std::vector<Node*> nodes;
    if (!nodesFrom(c, 1, c.w.size(), nodes)) return false;
    c.session.select(nodes);
    return true;
}

bool runMove(Context& c) {
    std::vector<Node*> nodes;
    if (!nodesFrom(c, 1, c.a.nodesEnd, nodes)) return false;
    return c.a.moveTo ? c.session.moveTo(nodes, c.a.point, &c.message)
                      : c.session.moveBy(nodes, c.a.point, &c.message);
}

bool runLink(Context& c) {
    std::vector<Node*> sources, target;
    return nodesFrom(c, 1, c.a.nodesEnd, sources) &&
           nodesFrom(c, c.a.nodesEnd + 1, c.w.size(), target) &&
           linkToTarget(c.session, sources, *target[0], c.message);
}

bool runClone(Context& c) {
    std::vector<Node*> nodes;
    return nodesFrom(c, 1, 2, nodes) && !c.session.clone(nodes, c.a.name, c.message).empty();
}

// delete, freeze, unfreeze, hide, unhide: one action on the named nodes, one step.
template <void (*act)(HostSession&, const std::vector<Node*>&)>
bool runOnAll(Context& c) {
    std::vector<Node*> nodes;
    if (!nodesFrom(c, 1, c.w.size(), nodes)) return false;
    act(c.session, nodes);
    return true;
}
void deleteNodes(HostSession& s, const std::vector<Node*>& n) { s.remove(n); }
void freezeNodes(HostSession& s, const std::vector<Node*>& n) { s.setFrozen(n, true); }
void unfreezeNodes(HostSession& s, const std::vector<Node*>& n) { s.setFrozen(n, false); }
void hideNodes(HostSession& s, const std::vector<Node*>& n) { s.setHidden(n, true); }
void unhideNodes(HostSession& s, const std::vector<Node*>& n) { s.setHidden(n, false); }

// undo [N], redo [N]: fewer steps than asked is no error; none at all is.
bool checkStepCount(Context& c) {
    if (c.w.size() < 2) return true;
    char* end = nullptr;
    const long n = std::strtol(c.w[1].c_str(), &end, 10);
    c.a.count = static_cast<int>(n);
    if (*end == '\0' && n >= 1 && n <= 100000) return true;
    c.message = "bad step count \"" + c.w[1] + "\"";
    return false;
}
template <int (HostSession::*step)(int), const char* what>
bool runSteps(Context& c) {
    if ((c.session.*step)(c.a.count) > 0) return true;
    c.message = std::string("nothing to ") + what;
    return false;
}
constexpr char undoWord[] = "undo", redoWord[] = "redo";

// A text is stored as far as its field's room in the helper goes: the pages shown afresh
// say how far, and a text cut short is told as a number beyond a limit is.
bool runSet(Context& c) {
    CommandPanel& panel = c.session.pages().commandPanel();
    const std::string value = c.w.size() > 2 ? c.w[2] : "";
    if (!setPageControl(panel, c.w[1], value, c.message, c.warning)) return false;
    if (!isTextField(panel.findControl(c.w[1]))) return true;
    c.session.pages().withEditClosed([] { return true; });
    const size_t kept = controlValue(panel.findControl(c.w[1])).size();
    if (kept < value.size())
        c.warning = c.w[1] + " of " + std::to_string(value.size()) +
                    " characters is above the most, " + std::to_string(kept) + "; the first " +
                    std::to_string(kept) + " set";
    return true;
}

bool runPages(Context& c) {
    std::fputs(describePages(c.session.pages().commandPanel()).c_str(), c.out);
    return true;
}

bool checkGrid(Context& c) {
    char* end = nullptr;
    const long units = std::strtol(c.w[1].c_str(), &end, 10);
    c.a.count = static_cast<int>(units);
    if (*end == '\0' && GridSize::allowed(c.a.count)) return true;
    c.message = "no grid of \"" + printableName(c.w[1]) + "\": the sizes are 1, 2, 4 ... 256";
    return false;
}

bool runGrid(Context& c) {
    GridSize grid;
    grid.set(c.a.count);
    c.session.setGrid(grid);
    return true;
}

bool runNew(Context& c) {
    c.session.reset();
    return true;
}

bool runSave(Context& c) {
    return onStagedFile(c, c.w[1], c.files.writePath(c.w[1]),
                        [&](const std::string& file) { return c.session.save(file, c.message); });
}

bool runLoad(Context& c) {
    return onStagedFile(c, c.w[1], c.files.readPath(c.w[1]),
                        [&](const std::string& file) { return c.session.load(file, c.message); });
}

bool runRender(Context& c) {
    return onStagedFile(c, c.w[2], c.files.writePath(c.w[2]), [&](const std::string& file) {
        return renderPicture(c.session, c.a.view, file, c.a.width, c.a.height, c.message,
                             c.a.picture);
    });
}

bool checkExport(Context& c) {
    if (c.w.size() == 4 && c.w[2] != "base") return usageError(c);
    return (c.w.size() != 3 || usageError(c)) && fileNamed(c, c.w[1]);
}

bool runExport(Context& c) {
    if (c.w.size() == 4 && !refuseSameFile(c.w[1], c.w[3], "the base map", c.message)) return false;
    const std::string base = c.w.size() == 4 ? c.files.readPath(c.w[3]) : "";
    return onStagedFile(c, c.w[1], c.files.writePath(c.w[1]), [&](const std::string& file) {
        return exportMap(c.session, file, base, c.message);
    });
}

// Warnings go to standard error, summed up by kind; an entity left out fails the line after
// the rest is in.
bool runImport(Context& c) {
    ImportReport report;
    const std::string staged = c.files.readPath(c.w[1]);
    const bool complete = onStagedFile(c, c.w[1], staged, [&](const std::string& file) {
        return importMap(c.session, file, report, c.message);
    });
    for (const std::string& line : report.lines(IMPORT_EXAMPLES))
        std::fprintf(stderr, "%s\n", naming(line, staged, c.w[1]).c_str());
    if (const size_t hidden = report.notShown(IMPORT_EXAMPLES))
        std::fprintf(stderr, "%s more not shown\n", countText(hidden).c_str());
    if (!complete && c.message.empty()) c.message = "entities of " + c.w[1] + " were left out";
    return complete;
}

// The world's node is made when a box is first given to it.
bool runBrush(Context& c) {
    HostSession::Action step(c.session,
                             c.w[2] == "clear" ? StepName::CLEAR_BRUSHES : StepName::ADD_BOX_BRUSH);
    Node* node = c.session.node(c.w[1]);
    if (!node && c.w[1] == "worldspawn" && c.w[2] == "box") node = worldNode(c.session, c.message);
    if (!node) {
        if (c.message.empty()) c.message = "no node named \"" + printableName(c.w[1]) + "\"";
        return false;
    }
    if (c.w[2] == "clear") return clearBrushes(c.session, {node}, c.message);
    return addBoxes(c.session, {{node, c.a.box}}, c.a.texture, StepName::ADD_BOX_BRUSH, c.message);
}

bool runCheck(Context& c) {
    bool fails = false;
    for (const CheckLine& line : checkScene(c.session, fails))
        std::fprintf(c.out, "%s\n", line.text.c_str());
    if (fails) c.message = "the check reports errors or warnings";
    return !fails;
}

bool runList(Context& c) {
    std::fputs(c.session.listing().c_str(), c.out);
    return true;
}

struct Command {
    const char* name;
    const char* usage;
    size_t minArgs, maxArgs;  // words after the command name
    bool (*check)(Context&);
    bool (*run)(Context&);
};

// A list of names may be as long as a line is.
constexpr size_t ANY = SIZE_MAX;

const Command commands[] = {
    {"create", "create KIND at X Y Z [as NAME]", 5, 7, checkCreate, runCreate},
    {"rename", "rename NAME NEW-NAME", 2, 2, checkNothing, runRename},
    {"select", "select [NAME...]", 0, ANY, checkNothing, runSelect},
    {"move", "move NAME... by DX DY DZ | move NAME... to X Y Z", 5, ANY, checkMove, runMove},
    {"link", "link NAME... to NAME", 3, ANY, checkLink, runLink},
    {"clone", "clone NAME [as NEW-NAME]", 1, 3, checkClone, runClone},
    {"delete", "delete NAME...", 1, ANY, checkNothing, runOnAll<deleteNodes>},
    {"freeze", "freeze NAME...", 1, ANY, checkNothing, runOnAll<freezeNodes>},
    {"unfreeze", "unfreeze NAME...", 1, ANY, checkNothing, runOnAll<unfreezeNodes>},
    {"hide", "hide NAME...", 1, ANY, checkNothing, runOnAll<hideNodes>},
    {"unhide", "unhide NAME...", 1, ANY, checkNothing, runOnAll<unhideNodes>},
    {"set", "set LABEL [VALUE]", 1, 2, checkNothing, runSet},
    {"pages", "pages", 0, 0, checkNothing, runPages},
    {"new", "new", 0, 0, checkNothing, runNew},
    {"grid", "grid N", 1, 1, checkGrid, runGrid},
    {"save", "save FILE", 1, 1, checkSave, runSave},
    {"load", "load FILE", 1, 1, checkNothing, runLoad},
    {"render",
     "render top|front|left|persp FILE [WIDTHxHEIGHT] [--labels [all|selected|none]] [--links] "
     "[--time SECONDS]",
     2, 8, checkRender, runRender},
    {"list", "list", 0, 0, checkNothing, runList},
    {"undo", "undo [N]", 0, 1, checkStepCount, runSteps<&HostSession::undo, undoWord>},
    {"redo", "redo [N]", 0, 1, checkStepCount, runSteps<&HostSession::redo, redoWord>},
    {"export", "export FILE [base FILE]", 1, 3, checkExport, runExport},
    {"import", "import FILE", 1, 1, checkNothing, runImport},
    {"check", "check", 0, 0, checkNothing, runCheck},
    {"brush", "brush NAME box X0 Y0 Z0 X1 Y1 Z1 [texture NAME] | brush NAME clear", 2, 10,
     checkBrush, runBrush},
};

const Command* findCommand(const std::string& name) {
    for (const Command& c : commands)
        if (name == c.name) return &c;
    return nullptr;
}

bool usageError(Context& c) {
    c.message = std::string("usage: ") + findCommand(c.w[0])->usage;
    return false;
}

}  // namespace

bool ScriptRunner::fail(const std::string& name, int line, const std::string& message) {
    error_ = name + ":" + std::to_string(line) + ": " + message;
    std::fprintf(stderr, "%s\n", error_.c_str());
    return false;
}

bool ScriptRunner::runFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error_ = path + ": cannot open the script";
        std::fprintf(stderr, "%s\n", error_.c_str());
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    return runText(path, text.str());
}

bool ScriptRunner::runText(const std::string& name, const std::string& text) {
    std::vector<CheckedLine> lines;
    // Editors may start a UTF-8 file with a byte-order mark; it is no part of the first word.
    const char bom[] = "\xEF\xBB\xBF";
    std::istringstream in(text.compare(0, 3, bom) == 0 ? text.substr(3) : text);
    std::string raw;
    std::string message;
    for (int number = 1; std::getline(in, raw); ++number) {
        CheckedLine line;
        line.line.number = number;
        if (!splitScriptLine(raw, line.line.words, message)) return fail(name, number, message);
        if (line.line.words.empty()) continue;
        if (!check(line, message)) return fail(name, number, message);
        lines.push_back(std::move(line));
    }
    StagedFiles files;
    for (CheckedLine& line : lines)
        if (!execute(line, name, files, message)) return fail(name, line.line.number, message);
    if (files.commit(message)) return true;
    error_ = name + ": " + message;
    std::fprintf(stderr, "%s\n", error_.c_str());
    return false;
}

bool ScriptRunner::check(CheckedLine& line, std::string& message) {
    const Words& words = line.line.words;
    const Command* command = findCommand(words[0]);
    if (!command) {
        message = "unknown command \"" + words[0] + "\"";
        return false;
    }
    StagedFiles none;
    Context c{words, line.args, session_, out_, message, none, ""};
    size_t args = words.size() - 1;
    if (args < command->minArgs || args > command->maxArgs) return usageError(c);
    return command->check(c);
}

bool ScriptRunner::execute(CheckedLine& line, const std::string& name, StagedFiles& files,
                           std::string& message) {
    Context c{line.line.words, line.args, session_, out_, message, files, ""};
    const bool ok = findCommand(line.line.words[0])->run(c);
    if (!c.warning.empty())
        std::fprintf(stderr, "%s:%d: warning: %s\n", name.c_str(), line.line.number,
                     c.warning.c_str());
    return ok;
}
