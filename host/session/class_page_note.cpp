#include "session/class_page_note.h"
#include "entity_mapping.h"
#include "panel/command_panel.h"
#include "session/record_page_values.h"

std::string classPageNote(PageClass shown, const std::string& classname) {
    if (shown == PageClass::Other || shown == exportedClassPage(classname)) return "";
    const std::string values = shown == PageClass::Door ? "Door values" : "Light values";
    const std::string whom = classname.empty() ? "a helper without a classname" : classname;
    return values + " do not apply to " + whom + ": the game ignores them.";
}

void noteClassPages(CommandPanel& panel, const std::string& classname) {
    for (PageClass page : {PageClass::Door, PageClass::Light})
        if (HWND shown = panel.page(classPageTitle(page)))
            panel.setPageNote(shown, classPageNote(page, classname));
}
