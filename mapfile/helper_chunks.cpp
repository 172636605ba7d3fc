#include "helper_chunks.h"
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// A save stream that decodes as the helper writes: the bytes of the classname and record
// chunks go straight to their fields, and only a chunk of exactly a field's size counts.
class RecordSave : public ISave {
public:
    explicit RecordSave(HelperRecord& record) : record_(record) {}

    void startChunk(uint16_t id) override {
        if (open_) failed_ = true;
        open_ = true;
        id_ = id;
        length_ = 0;
    }
    IOResult writeBlock(const void* buf, uint32_t nbytes, uint32_t* written) override {
        if (written) *written = 0;
        if (!open_) {
            failed_ = true;
            return IO_ERROR;
        }
        if (length_ + nbytes <= sizeof buffer_) std::memcpy(buffer_ + length_, buf, nbytes);
        length_ += nbytes;
        if (written) *written = nbytes;
        return IO_OK;
    }
    void finishChunk() override {
        if (!open_) failed_ = true;
        open_ = false;
        if (id_ == CHUNK_CLASSNAME && length_ == sizeof record_.classname) {
            std::memcpy(record_.classname, buffer_, length_);
            hasName = true;
        } else if (id_ == CHUNK_PROPS && length_ == sizeof record_.props) {
            std::memcpy(&record_.props, buffer_, length_);
            hasProps = true;
        } else if (id_ == CHUNK_SHOW_AXIS && length_ == sizeof record_.showAxis) {
            std::memcpy(&record_.showAxis, buffer_, length_);
        } else if (id_ == CHUNK_AXIS_LENGTH && length_ == sizeof record_.axisLength) {
            std::memcpy(&record_.axisLength, buffer_, length_);
        }
    }
    bool failed() const { return failed_ || open_; }

    bool hasName = false, hasProps = false;

private:
    HelperRecord& record_;
    unsigned char buffer_[sizeof(EntityProps)];
    uint64_t length_ = 0;
    uint16_t id_ = 0;
    bool open_ = false;
    bool failed_ = false;
};

struct Chunk {
    uint16_t id;
    std::vector<unsigned char> bytes;
};

// A load stream over composed chunks, read as the host's file reader hands them out.
class MemoryLoad : public ILoad {
public:
    explicit MemoryLoad(const std::vector<Chunk>& chunks) : chunks_(chunks) {}
    IOResult nextChunk() override {
        if (open_ || next_ == chunks_.size()) return IO_END;
        open_ = true;
        read_ = 0;
        return IO_OK;
    }
    uint16_t chunkId() override { return open_ ? chunks_[next_].id : 0; }
    IOResult readBlock(void* buf, uint32_t nbytes, uint32_t* read) override {
        if (read) *read = 0;
        if (!open_) return IO_ERROR;
        const std::vector<unsigned char>& bytes = chunks_[next_].bytes;
        const size_t take = std::min<size_t>(nbytes, bytes.size() - read_);
        if (take) std::memcpy(buf, bytes.data() + read_, take);
        read_ += take;
        if (read) *read = static_cast<uint32_t>(take);
        return take == nbytes ? IO_OK : IO_ERROR;
    }
    IOResult leaveChunk() override {
        if (!open_) return IO_ERROR;
        open_ = false;
        ++next_;
        return IO_OK;
    }

private:
    const std::vector<Chunk>& chunks_;
    size_t next_ = 0, read_ = 0;
    bool open_ = false;
};

Chunk composeChunk(uint16_t id, const void* field, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(field);
    return {id, std::vector<unsigned char>(bytes, bytes + size)};
}

}  // namespace

std::string HelperRecord::classnameText() const {
    return std::string(classname, strnlen(classname, sizeof classname));
}

void HelperRecord::setClassname(const std::string& name) {
    std::memset(classname, 0, sizeof classname);
    std::memcpy(classname, name.data(), std::min(name.size(), sizeof classname - 1));
}

Class_ID helperClassId() { return Class_ID(ENTITY_CLASS_ID_A, ENTITY_CLASS_ID_B); }

bool isHelperClass(Class_ID classId, SClass_ID superClassId) {
    return classId == helperClassId() && superClassId == HELPER_CLASS_ID;
}

bool readHelperRecord(Object& helper, HelperRecord& record, std::string& error) {
    RecordSave save(record);
    if (helper.Save(&save) != IO_OK || save.failed()) {
        error = "the helper's save failed";
        return false;
    }
    if (!save.hasName || !save.hasProps) error = "the helper saved no classname or no record chunk";
    return save.hasName && save.hasProps;
}

Object* makeHelper(ClassDesc& firstDescriptor, const HelperRecord& record, std::string& error) {
    Animatable* made = firstDescriptor.create(1);
    Object* helper = made ? dynamic_cast<Object*>(made) : nullptr;
    if (!helper || !isHelperClass(helper->ClassID(), helper->SuperClassID())) {
        if (made) made->DeleteThis();
        error = "the plug-in's first descriptor made no helper";
        return nullptr;
    }
    const std::vector<Chunk> chunks = {
        composeChunk(CHUNK_CLASSNAME, record.classname, sizeof record.classname),
        composeChunk(CHUNK_PROPS, &record.props, sizeof record.props)};
    MemoryLoad load(chunks);
    if (helper->Load(&load) != IO_OK) {
        helper->DeleteThis();
        error = "the helper rejected its chunks";
        return nullptr;
    }
    return helper;
}

bool freshHelperRecord(ClassDesc& firstDescriptor, HelperRecord& record, std::string& error) {
    Animatable* made = firstDescriptor.create(1);
    Object* helper = made ? dynamic_cast<Object*>(made) : nullptr;
    const bool ok = helper && readHelperRecord(*helper, record, error);
    if (!helper) error = "the plug-in's first descriptor made no helper";
    if (made) made->DeleteThis();
    return ok;
}
