// The plug-in puts up a class page by the helper's class as it was loaded, so a helper named
// outside the catalogue (a "func_detail", the world) shows a light's page; export writes a
// class page's keys only for the classes whose page it is. Such a page is shown greyed, with
// the reason on it, so that no edit goes where the level never sees it.
#pragma once
#include <string>
#include "class_pages.h"

class CommandPanel;

// Why the values of class page shown reach no level for classname, or "" when they do.
std::string classPageNote(PageClass shown, const std::string& classname);
// Greys each class page shown on the panel that does not apply to classname, and gives one
// that does its controls back.
void noteClassPages(CommandPanel& panel, const std::string& classname);
