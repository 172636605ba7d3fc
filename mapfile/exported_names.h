// The name comments export writes: only where import would not give the node its name back
// by its own rule (a quoted comment, the targetname, a plain comment, else CLASSNAME_N in
// file order), so that a level read and written untouched gains no comment.
#pragma once
#include <string>
#include <vector>

// An entity as export writes it, for the name import would give it.
struct NamedEntity {
    std::string classname, targetName;
    std::string comment;          // the comment it is read with, "" for none
    const std::string* nodeName;  // the name to give back; null: any name will do
};

// The comment each entity needs ("" where its name comes back as it is), the entities'
// comments set to what they will be read with.
std::vector<std::string> neededComments(std::vector<NamedEntity>& entities);
