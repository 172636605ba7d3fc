// Mutations of chunked files (a 16-bit id and a 32-bit length covering the header, the
// length's top bit marking a list of sub-chunks): bits and bytes, length fields, cuts at
// chunk boundaries, chunks duplicated, swapped, deleted or wrapped in deep nesting,
// oversized fields and floats that are not finite. Chunks are found by walking the
// bytes as far as they are well formed; container lengths are fixed up after most
// structural changes, so that the reader's checks beyond the framing are reached too.
#pragma once
#include "fuzz_target.h"

void mutateChunks(Bytes& input, std::mt19937_64& random);
