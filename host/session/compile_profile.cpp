#include "session/compile_profile.h"
#include <windows.h>
#include <cstdlib>
#include <cstring>
#include "scene/byte_io.h"

namespace {

const char* const VARIABLES[] = {"MAP", "BSP", "NAME", "WORKDIR"};

bool knownVariable(const std::string& name) {
    for (const char* v : VARIABLES)
        if (name == v) return true;
    return false;
}

// An unknown or unclosed ${...} is refused when the file is read, not when a compile
// starts: the user sees the mistake at its line.
std::string variableProblem(const std::string& text) {
    for (size_t at = text.find("${"); at != std::string::npos; at = text.find("${", at + 2)) {
        const size_t end = text.find('}', at);
        if (end == std::string::npos) return "\"${\" without its \"}\"";
        const std::string name = text.substr(at + 2, end - at - 2);
        if (!knownVariable(name))
            return "unknown variable ${" + name + "} (known: ${MAP} ${BSP} ${NAME} ${WORKDIR})";
    }
    return "";
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

class ProfileParser {
public:
    ProfileParser(const std::string& file, std::vector<CompileProfile>& profiles)
        : file_(file), profiles_(profiles) {}

    // One line of the file, its number counted from 1; false with error_ set.
    bool line(const std::string& raw, int number) {
        number_ = number;
        const std::string text = trimmed(raw);
        if (text.empty() || text[0] == '#') return true;
        const size_t gap = text.find_first_of(" \t");
        const std::string keyword = text.substr(0, gap);
        const std::string value = gap == std::string::npos ? "" : trimmed(text.substr(gap));
        const std::string problem = variableProblem(value);
        if (!problem.empty()) return fail(problem);
        return apply(keyword, value);
    }
    // After the last line: every profile and step complete.
    bool finish() { return closeProfile(); }
    const std::string& error() const { return error_; }

private:
    bool apply(const std::string& keyword, const std::string& value) {
        if (keyword == "profile") return startProfile(value);
        if (!inProfile_) return fail("\"" + keyword + "\" before the first \"profile NAME\" line");
        if (keyword == "workdir") return setOnce(profile().workdir, value, "workdir");
        if (keyword == "base") return setOnce(profile().base, value, "base");
        if (keyword == "step") return startStep(value);
        if (keyword == "launch") return startLaunch(value);
        if (open_ == Open::None)
            return fail("\"" + keyword + "\" outside a step (\"step NAME\" first)");
        if (keyword == "program") return setOnce(step().program, value, "program");
        if (keyword == "arguments") return setOnce(step().arguments, value, "arguments");
        if (keyword == "folder") return setOnce(step().folder, value, "folder");
        return fail("unknown keyword \"" + keyword +
                    "\" (profile, workdir, base, step, launch, program, arguments, folder)");
    }

    bool startProfile(const std::string& name) {
        if (!closeProfile()) return false;
        if (name.empty()) return fail("a profile needs a name: \"profile NAME\"");
        if (findProfile(profiles_, name)) return fail("a second profile named \"" + name + "\"");
        profiles_.push_back({});
        profile().name = name;
        inProfile_ = true;
        profileLine_ = number_;
        return true;
    }

    bool startStep(const std::string& name) {
        if (!closeStep()) return false;
        if (name.empty()) return fail("a step needs a name: \"step NAME\"");
        profile().steps.push_back({name, "", "", "", number_});
        open_ = Open::Step;
        return true;
    }

    bool startLaunch(const std::string& rest) {
        if (!closeStep()) return false;
        if (!rest.empty()) return fail("\"launch\" takes nothing after it");
        if (profile().hasLaunch) return fail("a second launch step in profile " + profile().name);
        profile().hasLaunch = true;
        profile().launch = {"launch", "", "", "", number_};
        open_ = Open::Launch;
        return true;
    }

    bool setOnce(std::string& field, const std::string& value, const char* what) {
        if (value.empty()) return fail(std::string("\"") + what + "\" needs a value");
        if (!field.empty()) return fail(std::string("a second \"") + what + "\" line");
        field = value;
        return true;
    }

    bool closeStep() {
        if (open_ != Open::None && step().program.empty()) {
            number_ = step().line;
            return fail("step \"" + step().name + "\" has no \"program\" line");
        }
        open_ = Open::None;
        return true;
    }

    bool closeProfile() {
        if (!closeStep()) return false;
        if (inProfile_ && profile().steps.empty()) {
            number_ = profileLine_;
            return fail("profile \"" + profile().name + "\" has no step");
        }
        return true;
    }

    bool fail(const std::string& message) {
        error_ = file_ + ":" + std::to_string(number_) + ": " + message;
        return false;
    }

    const std::string& file_;
    std::vector<CompileProfile>& profiles_;
    // Which step the keyword lines fill: the profile's last, or its launch.
    enum class Open { None, Step, Launch };
    CompileProfile& profile() { return profiles_.back(); }
    CompileStep& step() {
        return open_ == Open::Launch ? profile().launch : profile().steps.back();
    }

    bool inProfile_ = false;
    Open open_ = Open::None;
    int number_ = 0, profileLine_ = 0;
    std::string error_;
};

std::string folderOfProgram() {
    char path[MAX_PATH];
    const std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    const size_t slash = exe.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
}

}  // namespace

bool parseCompileProfiles(const std::string& text, const std::string& file,
                          std::vector<CompileProfile>& profiles, std::string& error) {
    profiles.clear();
    ProfileParser parser(file, profiles);
    int number = 1;
    for (size_t start = 0; start <= text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (!parser.line(text.substr(start, end - start), number)) break;
        start = end + 1;
    }
    if (parser.error().empty()) parser.finish();
    error = parser.error();
    if (!error.empty()) profiles.clear();
    return error.empty();
}

bool readCompileProfiles(const std::string& path, std::vector<CompileProfile>& profiles,
                         std::string& error) {
    std::string text;
    return readTextFile(path, text, error) && parseCompileProfiles(text, path, profiles, error);
}

const CompileProfile* findProfile(const std::vector<CompileProfile>& profiles,
                                  const std::string& name) {
    for (const CompileProfile& p : profiles)
        if (p.name == name) return &p;
    return nullptr;
}

CompileVariables compileVariables(const std::string& workdir, const std::string& name) {
    const std::string base = workdir + "\\" + name;
    return {base + ".map", base + ".bsp", name, workdir};
}

std::string expandVariables(const std::string& text, const CompileVariables& variables) {
    const std::pair<const char*, const std::string*> values[] = {
        {"${MAP}", &variables.map},
        {"${BSP}", &variables.bsp},
        {"${NAME}", &variables.name},
        {"${WORKDIR}", &variables.workdir}};
    std::string out;
    for (size_t at = 0; at < text.size();) {
        bool replaced = false;
        for (const auto& [token, value] : values)
            if (text.compare(at, std::strlen(token), token) == 0) {
                out += *value;
                at += std::strlen(token);
                replaced = true;
                break;
            }
        if (!replaced) out += text[at++];
    }
    return out;
}

CompileStep expandedStep(const CompileStep& step, const CompileVariables& variables) {
    CompileStep out = step;
    out.program = expandVariables(step.program, variables);
    out.arguments = expandVariables(step.arguments, variables);
    out.folder = step.folder.empty() ? variables.workdir : expandVariables(step.folder, variables);
    return out;
}

std::string defaultProfilesPath() {
    const char* appData = std::getenv("APPDATA");
    const std::string folder =
        appData && *appData ? std::string(appData) + "\\vexalhost" : folderOfProgram();
    return folder + "\\compile-profiles.txt";
}

std::string exampleProfilesText() {
    return "# Compile profiles of vexalhost: fill in the paths of your tools.\n"
           "# ${MAP} the exported level, ${BSP} the compiled output beside it,\n"
           "# ${NAME} the level's name, ${WORKDIR} the folder they are in.\n"
           "# Quote a variable whose path may hold spaces.\n"
           "profile Full\n"
           "step bsp\n"
           "program C:\\tools\\bsp.exe\n"
           "arguments \"${MAP}\" \"${BSP}\"\n"
           "step vis\n"
           "program C:\\tools\\vis.exe\n"
           "arguments \"${BSP}\"\n"
           "step light\n"
           "program C:\\tools\\light.exe\n"
           "arguments -extra \"${BSP}\"\n"
           "launch\n"
           "program C:\\game\\game.exe\n"
           "arguments +map ${NAME}\n"
           "folder C:\\game\n"
           "\n"
           "profile Quick\n"
           "step bsp\n"
           "program C:\\tools\\bsp.exe\n"
           "arguments \"${MAP}\" \"${BSP}\"\n";
}
