// Loads every *.dlo of a plug-in folder and lists the kinds they offer, through the four
// exports and the class descriptors, as a host does.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "vexsdk/classdesc.h"

struct PluginModule {
    std::string path;
    HMODULE handle = nullptr;
    std::string description;
    uint32_t version = 0;
};

struct PluginKind {
    ClassDesc* desc = nullptr;
    int module = 0;  // index into PluginRegistry::modules()
    int indexInModule = 0;
    std::string className;  // copied: descriptors answer from a shared buffer
    std::string category;
    Class_ID classId;
    SClass_ID superClassId = 0;

    // What a new node of this kind is called before its number: the class name without
    // blanks ("Trigger Once" gives "TriggerOnce").
    std::string nodeNameBase() const;
};

class PluginRegistry {
public:
    // Loads every *.dlo in folder; returns false with a message when none could be loaded.
    bool loadFolder(const std::string& folder, std::string& error);
    // Loads one module; false with a message when it is not a plug-in.
    bool loadModule(const std::string& path, std::string& error);

    const std::vector<PluginModule>& modules() const { return modules_; }
    const std::vector<PluginKind>& kinds() const { return kinds_; }
    // The kind creating objects of this class id (the first one registered), or null.
    const PluginKind* findByClassId(Class_ID id, SClass_ID superClassId) const;
    // The kind listed under this class name (case-insensitive), or null.
    const PluginKind* findByName(const std::string& className) const;

private:
    std::vector<PluginModule> modules_;
    std::vector<PluginKind> kinds_;
};

// An export of a module as a typed function pointer, or null. Name may be an ordinal
// given with MAKEINTRESOURCEA.
template <class Fn>
Fn moduleExport(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The folder "plugins" next to the running executable.
std::string defaultPluginFolder();
