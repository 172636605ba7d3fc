#include "class_pages.h"
#include "entity_catalogue.h"

PageClass pageClassOfIndex(int classIndex) {
    if (classIndex == CLASS_INDEX_FUNC_DOOR) return PageClass::Door;
    if (classIndex >= CLASS_INDEX_FIRST_LIGHT && classIndex <= CLASS_INDEX_LAST_LIGHT)
        return PageClass::Light;
    return PageClass::Other;
}

PageClass pageClassOf(const std::string& classname) {
    for (int i = 0; entityClassNames[i][0] != '\0'; ++i)
        if (classname == entityClassNames[i]) return pageClassOfIndex(i);
    return PageClass::Other;
}
