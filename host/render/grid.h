// The construction grid of a viewport.
#pragma once

class SoftwareViewport;

// Draws the grid on the viewport's construction plane beneath everything else. Lines
// every gridSpacing, thinned by eights while they would crowd closer than a few pixels;
// every eighth line (a major one) and the plane's axes brighter.
void drawGrid(SoftwareViewport& view);
