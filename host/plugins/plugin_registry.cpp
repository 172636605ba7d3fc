#include "plugins/plugin_registry.h"

static std::string textOrEmpty(const char* s) { return s ? std::string(s) : std::string(); }

bool PluginRegistry::loadModule(const std::string& path, std::string& error) {
    HMODULE h = LoadLibraryA(path.c_str());
    if (!h) {
        error = path + ": cannot load the module (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    auto description = moduleExport<LibDescriptionFn>(h, "LibDescription");
    auto numClasses = moduleExport<LibNumberClassesFn>(h, "LibNumberClasses");
    auto classDesc = moduleExport<LibClassDescFn>(h, "LibClassDesc");
    auto version = moduleExport<LibVersionFn>(h, "LibVersion");
    if (!description || !numClasses || !classDesc || !version) {
        FreeLibrary(h);
        error = path + ": not a plug-in (an export of the four is missing)";
        return false;
    }
    PluginModule module;
    module.path = path;
    module.handle = h;
    module.description = textOrEmpty(description());
    module.version = version();
    int moduleIndex = static_cast<int>(modules_.size());
    modules_.push_back(module);
    int n = numClasses();
    for (int i = 0; i < n; ++i) {
        ClassDesc* d = classDesc(i);
        if (!d) continue;
        PluginKind kind;
        kind.desc = d;
        kind.module = moduleIndex;
        kind.indexInModule = i;
        kind.className = textOrEmpty(d->className());
        kind.category = textOrEmpty(d->category());
        kind.classId = d->classID();
        kind.superClassId = d->superClassID();
        kinds_.push_back(kind);
    }
    return true;
}

bool PluginRegistry::loadFolder(const std::string& folder, std::string& error) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.dlo").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        error = folder + ": no plug-in modules (*.dlo) found";
        return false;
    }
    std::vector<std::string> names;
    do {
        names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::string firstError;
    for (const std::string& name : names) {
        std::string e;
        if (!loadModule(folder + "\\" + name, e) && firstError.empty()) firstError = e;
    }
    if (modules_.empty()) {
        error = firstError;
        return false;
    }
    return true;
}

const PluginKind* PluginRegistry::findByClassId(Class_ID id, SClass_ID superClassId) const {
    for (const PluginKind& k : kinds_)
        if (k.classId == id && k.superClassId == superClassId) return &k;
    return nullptr;
}

const PluginKind* PluginRegistry::findByName(const std::string& className) const {
    for (const PluginKind& k : kinds_)
        if (_stricmp(k.className.c_str(), className.c_str()) == 0) return &k;
    return nullptr;
}

std::string PluginKind::nodeNameBase() const {
    std::string base;
    for (char c : className)
        if (c != ' ') base += c;
    return base.empty() ? "Node" : base;
}

std::string defaultPluginFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe(path, n);
    size_t slash = exe.find_last_of("\\/");
    return (slash == std::string::npos ? std::string(".") : exe.substr(0, slash)) + "\\plugins";
}
