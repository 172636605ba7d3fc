#include "app/script_runner.h"
#include <fstream>
#include <sstream>
#include "app/host_session.h"

namespace {

using Words = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;
    size_t minArgs, maxArgs;  // words after the command name
};

constexpr size_t ANY = 1000;

const Command commands[] = {
    {"create", "create KIND at X Y Z [as NAME]", 5, 7},
    {"rename", "rename NAME NEW-NAME", 2, 2},
    {"select", "select [NAME...]", 0, ANY},
    {"move", "move NAME... by DX DY DZ", 4, ANY},
    {"clone", "clone NAME [as NEW-NAME]", 1, 3},
    {"delete", "delete NAME...", 1, ANY},
    {"freeze", "freeze NAME...", 1, ANY},
    {"unfreeze", "unfreeze NAME...", 1, ANY},
    {"hide", "hide NAME...", 1, ANY},
    {"unhide", "unhide NAME...", 1, ANY},
    {"set", "set LABEL [VALUE]", 1, 2},
    {"pages", "pages", 0, 0},
    {"new", "new", 0, 0},
    {"save", "save FILE", 1, 1},
    {"load", "load FILE", 1, 1},
    {"render", "render top|front|left|persp FILE [WIDTHxHEIGHT]", 2, 3},
    {"list", "list", 0, 0},
};

const Command* findCommand(const std::string& name) {
    for (const Command& c : commands)
        if (name == c.name) return &c;
    return nullptr;
}

bool parsePoint(const Words& w, size_t first, Point3& p, std::string& message) {
    for (int i = 0; i < 3; ++i) {
        if (!parseFloatWord(w[first + i], p[i])) {
            message = "bad number \"" + w[first + i] + "\"";
            return false;
        }
    }
    return true;
}

bool parseSize(const std::string& word, int& width, int& height) {
    size_t x = word.find('x');
    if (x == std::string::npos) return false;
    return parseIntWord(word.substr(0, x), width) && parseIntWord(word.substr(x + 1), height) &&
           width >= 16 && height >= 16 && width <= 8192 && height <= 8192;
}

// Where "as NAME" may follow: the optional name, or an error for anything else there.
bool optionalName(const Words& w, size_t at, std::string& name, std::string& message) {
    if (w.size() == at) return true;
    if (w.size() == at + 2 && w[at] == "as") {
        name = w[at + 1];
        return true;
    }
    message = "expected \"as NAME\" after the arguments";
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
    std::vector<ScriptLine> lines;
    std::istringstream in(text);
    std::string raw;
    std::string message;
    for (int number = 1; std::getline(in, raw); ++number) {
        ScriptLine line;
        line.number = number;
        if (!splitScriptLine(raw, line.words, message)) return fail(name, number, message);
        if (line.words.empty()) continue;
        if (!check(line, message)) return fail(name, number, message);
        lines.push_back(line);
    }
    for (const ScriptLine& line : lines)
        if (!execute(line, message)) return fail(name, line.number, message);
    return true;
}

// Everything that can be known before running: command names, argument counts, numbers,
// sizes, view names and kinds.
bool ScriptRunner::check(const ScriptLine& line, std::string& message) {
    const Words& w = line.words;
    const Command* c = findCommand(w[0]);
    if (!c) {
        message = "unknown command \"" + w[0] + "\"";
        return false;
    }
    size_t args = w.size() - 1;
    if (args < c->minArgs || args > c->maxArgs) {
        message = std::string("usage: ") + c->usage;
        return false;
    }
    std::string cmd = w[0], name;
    Point3 p;
    if (cmd == "create") {
        if (w[2] != "at") {
            message = std::string("usage: ") + c->usage;
            return false;
        }
        if (!session_.findKind(w[1])) {
            message = "unknown kind \"" + w[1] + "\"; the kinds are " + session_.kindNames();
            return false;
        }
        return parsePoint(w, 3, p, message) && optionalName(w, 6, name, message);
    }
    if (cmd == "move") {
        size_t by = w.size() - 4;
        if (w[by] != "by" || by < 2) {
            message = std::string("usage: ") + c->usage;
            return false;
        }
        return parsePoint(w, by + 1, p, message);
    }
    if (cmd == "clone") return optionalName(w, 2, name, message);
    if (cmd == "render") {
        ViewKind view;
        int width, height;
        if (!parseViewKind(w[1], view)) {
            message = "unknown view \"" + w[1] + "\"; the views are top, front, left, persp";
            return false;
        }
        if (w.size() == 4 && !parseSize(w[3], width, height)) {
            message = "bad size \"" + w[3] + "\"; give WIDTHxHEIGHT, 16 to 8192 each";
            return false;
        }
    }
    return true;
}

bool ScriptRunner::execute(const ScriptLine& line, std::string& message) {
    const Words& w = line.words;
    const std::string& cmd = w[0];
    auto nodesFrom = [&](size_t first, size_t end, std::vector<Node*>& nodes) {
        for (size_t i = first; i < end; ++i) {
            Node* n = session_.node(w[i]);
            if (!n) {
                message = "no node named \"" + w[i] + "\"";
                return false;
            }
            nodes.push_back(n);
        }
        return true;
    };
    std::vector<Node*> nodes;
    if (cmd == "create") {
        Point3 at;
        std::string name;
        parsePoint(w, 3, at, message);
        optionalName(w, 6, name, message);
        return session_.create(*session_.findKind(w[1]), at, name, message) != nullptr;
    }
    if (cmd == "rename") return nodesFrom(1, 2, nodes) && session_.rename(nodes[0], w[2], message);
    if (cmd == "select") {
        if (!nodesFrom(1, w.size(), nodes)) return false;
        session_.select(nodes);
        return true;
    }
    if (cmd == "move") {
        Point3 delta;
        size_t by = w.size() - 4;
        if (!nodesFrom(1, by, nodes)) return false;
        parsePoint(w, by + 1, delta, message);
        for (Node* n : nodes) session_.moveBy(n, delta);
        return true;
    }
    if (cmd == "clone") {
        std::string name;
        optionalName(w, 2, name, message);
        return nodesFrom(1, 2, nodes) && session_.clone(nodes[0], name, message) != nullptr;
    }
    if (cmd == "delete" || cmd == "freeze" || cmd == "unfreeze" || cmd == "hide" ||
        cmd == "unhide") {
        if (!nodesFrom(1, w.size(), nodes)) return false;
        for (Node* n : nodes) {
            if (cmd == "delete")
                session_.remove(n);
            else if (cmd == "freeze" || cmd == "unfreeze")
                session_.setFrozen(n, cmd == "freeze");
            else
                session_.setHidden(n, cmd == "hide");
        }
        return true;
    }
    if (cmd == "set") return session_.setControl(w[1], w.size() > 2 ? w[2] : "", message);
    if (cmd == "pages") {
        std::fputs(session_.pagesText().c_str(), out_);
        return true;
    }
    if (cmd == "new") {
        session_.reset();
        return true;
    }
    if (cmd == "save") return session_.save(w[1], message);
    if (cmd == "load") return session_.load(w[1], message);
    if (cmd == "render") {
        ViewKind view;
        parseViewKind(w[1], view);
        int width = 800, height = 600;
        if (w.size() == 4) parseSize(w[3], width, height);
        return session_.render(view, w[2], width, height, message);
    }
    if (cmd == "list") {
        std::fputs(session_.listing().c_str(), out_);
        return true;
    }
    message = "unknown command \"" + cmd + "\"";
    return false;
}
