// The '// NAME' line that export writes before an entity and import reads back as the
// node's name. The plain line cannot give every name back: the reader trims a comment and
// refuses control bytes in it, and import prefers an entity's targetname to it. Such a name
// is written quoted, '\' and control bytes escaped ('// "\x01 door"'), and import takes a
// quoted comment before anything else.
#pragma once
#include <string>
#include <string_view>

// The comment for a node of this name whose entity's targetname is targetName ("": none).
std::string nameComment(const std::string& name, const std::string& targetName);

// The name a quoted comment gives; false when the comment is not one.
bool readQuotedName(std::string_view comment, std::string& name);
