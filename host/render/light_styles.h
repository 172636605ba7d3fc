// The game's light styles: each a pattern of brightness letters played at ten steps a
// second, from 'a' (dark) through 'm' (normal) to 'z' (about double).
#pragma once

// The letter a light of this style shows at a moment (seconds, 0 or more). Styles
// outside the game's fixed patterns (those switched by the level) stay at 'm'.
char lightStyleLetter(int style, double seconds);
// A letter's brightness: 0 for 'a', 1 for 'm', 25/12 for 'z'.
float letterBrightness(char letter);
// Whether a style's letter changes at all, so that a view of it only needs redrawing
// while one that does is in sight.
bool lightStyleVaries(int style);
