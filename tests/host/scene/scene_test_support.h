// Shared pieces of the scene tests: the helper in a node, and a way to find a chunk in a
// saved file.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "plugins/plugin_registry.h"
#include "scene/chunk_reader.h"
#include "scene/scene.h"
#include "entity/entity_helper.h"
#include "helper_nodes.h"
#include "test_files.h"

// The plug-in's helper in a node made from its descriptor.
inline VexalEntityHelper* helperOf(Node* node) {
    return static_cast<VexalEntityHelper*>(node->object());
}

// Offset of the chunk reached by entering, at each level, the first chunk with that id
// (after skipping `skip` of them at the top level); -1 when there is none.
inline long chunkOffset(const std::vector<unsigned char>& bytes, std::vector<uint16_t> path,
                        int skip = 0) {
    MemorySource source(bytes);
    source.skip(14);  // the file header
    ChunkReader r(source);
    for (size_t level = 0; level < path.size(); ++level) {
        for (;;) {
            if (r.nextChunk() != IO_OK) return -1;
            if (r.chunkId() == path[level] && (level > 0 || skip-- == 0)) break;
            r.leaveChunk();
        }
    }
    return static_cast<long>(r.chunkOffset());
}

inline void putWord(std::vector<unsigned char>& bytes, long offset, uint32_t word) {
    std::memcpy(bytes.data() + offset, &word, 4);
}
