#include "loaded_plugins.h"

const PluginRegistry& loadedPlugins() {
    static PluginRegistry loaded;
    static const bool ready = [] {
        std::string error;
        return loaded.loadFolder(defaultPluginFolder(), error);
    }();
    (void)ready;
    return loaded;
}
