// What a node keeps of the map entity it came from beyond the helper's record: its brushes
// and patches as read, the pairs the record has no room for, whether it carried an "origin"
// (and that text), the entity's own text, and for the world the lines before the first
// entity and after the last. The host stores it as bytes beside the node; export writes it
// back, the text as read where nothing changed.
#pragma once
#include <cstddef>
#include <string>
#include <vector>
#include "map_text.h"
#include "vexsdk/geom.h"

struct KeptEntity {
    bool world = false;          // read from the map's worldspawn
    std::string header;          // the world's: the map's text before its first entity
    std::vector<MapLine> pairs;  // beyond the record's room, in map order
    bool hadOrigin = false;
    std::string originText;            // as read: written back while the node stays at anchor
    std::vector<std::string> brushes;  // brush and patch texts as read, braces included
    Point3 anchor;        // the node's position when read: its brushes move by position - anchor
    std::string source;   // the entity's text as read (entitySource); empty: made in the host
    std::string trailer;  // the world's: the map's text after its last entity
};

// Where the brush text stands with the node at 0 0 0: the game places the brushes of an
// entity with an origin relative to it; the others' text is where they stand with the node
// at its anchor.
Point3 brushTextOrigin(const KeptEntity& kept);

// What a copy of the node keeps: the same, but its entity's text from the opening brace on
// and no world's header or trailer, which stay with the original.
KeptEntity copiedKept(const KeptEntity& kept);

std::vector<unsigned char> encodeKeptEntity(const KeptEntity& kept);
// False with a message when the bytes are not what encodeKeptEntity makes.
bool decodeKeptEntity(const unsigned char* data, size_t size, KeptEntity& kept, std::string& error);
