#include "session/entity_reading.h"
#include "entity_mapping.h"
#include "helper_chunks.h"

bool isHelperNode(const Node& node) {
    return !node.isOpaque() && isHelperClass(node.classId(), node.superClassId());
}

EntityMark readEntityMark(const Node& node) {
    EntityMark mark;
    mark.node = &node;
    HelperRecord record;
    std::string error;
    if (isHelperNode(node) && readHelperRecord(*node.object(), record, error)) {
        EntityView view = viewEntity(record);
        mark.classname = std::move(view.classname);
        mark.targetName = std::move(view.targetName);
        mark.targets = std::move(view.targets);
        if (pageClassOf(mark.classname) == PageClass::Light)
            mark.lightStyle = record.props.lightStyle;
        return mark;
    }
    CStr className;
    if (!node.isOpaque()) node.object()->getClassName(className);
    mark.classname = node.isOpaque() || !className.data() ? "(unknown)" : className.data();
    return mark;
}

std::string helperClassname(Node& node) {
    HelperRecord record;
    std::string error;
    if (!isHelperNode(node) || !readHelperRecord(*node.object(), record, error)) return "";
    return record.classnameText();
}

PageClass classPageOf(Node& node) { return pageClassOf(helperClassname(node)); }
