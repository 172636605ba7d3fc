#include "entity_helper.h"

// Not written yet: the helper's chunks.
IOResult VexalEntityHelper::Save(ISave*) { return IO_OK; }
IOResult VexalEntityHelper::Load(ILoad*) { return IO_OK; }
