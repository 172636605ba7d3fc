#include "entity/entity_helper.h"

// Not written yet: the parameter pages.
void VexalEntityHelper::beginEdit(HostInterface*, uint32_t, Animatable*) {}
void VexalEntityHelper::endEdit(HostInterface*, uint32_t, Animatable*) {}
void VexalEntityHelper::addClassPanel(HostInterface*) {}
void VexalEntityHelper::addKeyValuePanel(HostInterface*) {}
void VexalEntityHelper::removeKeyValuePanel(HostInterface*, uint32_t) {}
void VexalEntityHelper::removeClassPanel(HostInterface*, uint32_t) {}
void VexalEntityHelper::notifyAndRedraw() {}
