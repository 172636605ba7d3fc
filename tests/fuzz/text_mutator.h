// Mutations of map text: bits flipped and bytes that are not text, tokens (quoted texts,
// words, braces and parentheses) duplicated, deleted or swapped, a line repeated many
// times, a cut at any byte, deep brace nesting, numbers made huge or not finite, keys and
// values made very long, and quotes, braces, comment marks and line breaks inserted.
#pragma once
#include "fuzz_target.h"

void mutateText(Bytes& input, std::mt19937_64& random);
