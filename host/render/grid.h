// The construction grid of a viewport.
#pragma once

class SoftwareViewport;

// Draws the grid on the viewport's construction plane beneath everything else. Lines
// every gridSpacing, thinned by tens while they would crowd closer than a few pixels;
// every tenth line and the plane's axes brighter.
void drawGrid(SoftwareViewport& view);
