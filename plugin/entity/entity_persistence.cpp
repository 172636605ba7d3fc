// The helper's chunks in the host's scene file: one field per chunk, raw little-endian bytes.
#include <cstring>
#include "entity_helper.h"

namespace {

void writeFieldChunk(ISave* isave, uint16_t id, const void* field, uint32_t size) {
    uint32_t written = 0;
    isave->startChunk(id);
    isave->writeBlock(field, size, &written);
    isave->finishChunk();
}

// Replaces a field only with a whole value: a chunk shorter than the field leaves the field
// as it was, as if the chunk were missing, rather than half old and half new bytes. Bytes
// beyond the field's size stay unread; leaving the chunk skips them.
template <class Field>
void readFieldChunk(ILoad* iload, Field& field) {
    unsigned char incoming[sizeof(Field)];
    uint32_t read = 0;
    iload->readBlock(incoming, sizeof incoming, &read);
    if (read == sizeof incoming) std::memcpy(&field, incoming, sizeof incoming);
}

}  // namespace

IOResult VexalEntityHelper::Save(ISave* isave) {
    writeFieldChunk(isave, CHUNK_SHOW_AXIS, &showAxis, sizeof showAxis);
    writeFieldChunk(isave, CHUNK_AXIS_LENGTH, &axisLength, sizeof axisLength);
    writeFieldChunk(isave, CHUNK_CLASSNAME, classname, sizeof classname);
    writeFieldChunk(isave, CHUNK_PROPS, &props, sizeof props);
    return IO_OK;
}

IOResult VexalEntityHelper::Load(ILoad* iload) {
    while (iload->nextChunk() == IO_OK) {
        switch (iload->chunkId()) {
            case CHUNK_SHOW_AXIS:
                readFieldChunk(iload, showAxis);
                break;
            case CHUNK_AXIS_LENGTH:
                readFieldChunk(iload, axisLength);
                break;
            case CHUNK_CLASSNAME:
                readFieldChunk(iload, classname);
                // A foreign name of 80 characters would otherwise run into the next field.
                classname[sizeof classname - 1] = '\0';
                lookupClassIndex();
                break;
            case CHUNK_PROPS:
                readFieldChunk(iload, props);
                break;
            default:
                break;
        }
        IOResult closed = iload->leaveChunk();
        if (closed != IO_OK) return closed;
    }
    return IO_OK;
}
