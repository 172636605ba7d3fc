// The text format of the key/value cells: each cell's text followed by one bar, in cell
// order. Bars inside a cell are not escaped, so they split that cell at the next split.
#pragma once
#include <cstddef>

constexpr int keyValueCellCount = 16;
// A cell is read with this buffer, so at most 79 of its characters take part.
constexpr size_t keyValueCellSize = 80;

// Joins the cells into text (textSize bytes, terminator included), leaving the bytes after
// the new terminator as they were. A cell that does not fit whole with its bar is left out
// together with every later cell: what is kept then splits back into the same cells.
// Returns how many cells were stored.
int composeKeyValueText(const char* const cells[keyValueCellCount], char* text, size_t textSize);

// Splits text, read no further than textSize bytes even without a terminator, into at most
// sixteen pieces; a piece is the run before a bar and exists only if a bar ends it. A piece
// longer than a cell holds is cut to 79 characters without moving the pieces after it.
// Returns how many pieces were found; the pieces are terminated.
int splitKeyValueText(const char* text, size_t textSize,
                      char pieces[keyValueCellCount][keyValueCellSize]);
