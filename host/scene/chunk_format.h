// Framing of the reference host's chunked files. Every chunk starts with a 6-byte header,
// little-endian: a 16-bit id and a 32-bit length that covers the header too. The length's
// top bit marks a chunk whose body is a list of sub-chunks rather than data.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

constexpr uint32_t CHUNK_HEADER_SIZE = 6;
constexpr uint32_t CHUNK_LIST_FLAG = 0x80000000u;
constexpr uint32_t CHUNK_MAX_LENGTH = 0x7FFFFFFFu;
// Deeper nesting is refused on both sides: a reader that walks lists recursively must not
// be driven out of stack by a file of nothing but list headers.
constexpr size_t CHUNK_MAX_DEPTH = 64;

// The scene file: a header chunk, one chunk per node, and an end chunk with the node count,
// so that a file cut at a chunk boundary is still seen to be cut.
constexpr uint16_t SCENE_CHUNK_HEADER = 0x4000;     // magic, format version
constexpr uint16_t SCENE_CHUNK_END = 0x4F00;        // number of node chunks
constexpr uint16_t SCENE_CHUNK_NODE = 0x4100;       // list of the chunks below
constexpr uint16_t SCENE_CHUNK_NODE_NAME = 0x4110;  // name bytes, no terminator
constexpr uint16_t SCENE_CHUNK_NODE_TRANSFORM = 0x4120;
constexpr uint16_t SCENE_CHUNK_NODE_STATE = 0x4130;   // NODE_STATE_* bits
constexpr uint16_t SCENE_CHUNK_NODE_CLASS = 0x4140;   // class id (two words), superclass id
constexpr uint16_t SCENE_CHUNK_NODE_OBJECT = 0x4150;  // list: the object's own chunks
// Optional, the host's own: what the node keeps of its map entity (files before it hold
// none and load as they are).
constexpr uint16_t SCENE_CHUNK_NODE_KEPT = 0x4160;

constexpr uint32_t SCENE_FILE_MAGIC = 0x43535856u;  // "VXSC" in file order
constexpr uint32_t SCENE_FILE_VERSION = 1;

constexpr uint32_t NODE_STATE_SELECTED = 1;
constexpr uint32_t NODE_STATE_FROZEN = 2;
constexpr uint32_t NODE_STATE_HIDDEN = 4;

constexpr uint32_t NODE_TRANSFORM_SIZE = 12 * 4 + 4;  // four rows of three floats, flag word

// "0x4100": how messages name a chunk id.
inline std::string chunkIdText(uint16_t id) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", id);
    return text;
}
