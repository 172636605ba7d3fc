// vexalhost: the reference host. Loads the plug-ins of its folder and drives them.
#include <cstdio>
#include "plugins/plugin_registry.h"

static int listKinds(const PluginRegistry& registry) {
    for (const PluginModule& m : registry.modules())
        std::printf("module %s: \"%s\", version %u\n", m.path.c_str(), m.description.c_str(),
                    m.version);
    std::printf("%-4s %-16s %-10s %-23s %s\n", "#", "kind", "category", "class id", "superclass");
    int i = 0;
    for (const PluginKind& k : registry.kinds())
        std::printf("%-4d %-16s %-10s 0x%08X,0x%08X   0x%X\n", i++, k.className.c_str(),
                    k.category.c_str(), k.classId.PartA(), k.classId.PartB(), k.superClassId);
    return 0;
}

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    PluginRegistry registry;
    std::string error;
    if (!registry.loadFolder(defaultPluginFolder(), error)) {
        std::fprintf(stderr, "vexalhost: %s\n", error.c_str());
        return 1;
    }
    return listKinds(registry);
}
