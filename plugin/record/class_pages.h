// Which class page a helper's pages carry beside its own and the Map Parameters page: a
// door's for "func_door", a light's for the lights, none for every other classname. The
// plug-in's pages, the map text mapping and the host all ask here.
#pragma once
#include <string>

enum class PageClass { Door, Light, Other };

// By the classname's position in the catalogue (a position outside it: Other).
PageClass pageClassOfIndex(int classIndex);
PageClass pageClassOf(const std::string& classname);
