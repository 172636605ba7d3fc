// The plug-ins of the default folder, loaded once for the whole run: every target reads
// with the real module in this process.
#pragma once
#include "plugins/plugin_registry.h"

const PluginRegistry& loadedPlugins();
