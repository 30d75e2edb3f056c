// Tile and Cascade (STD:TileWindow, STD:CascadeWindow) of an application
// frame's MDI children, inside its client area at the frame's own size.
// A child the user cannot resize keeps its own size (WindowView::ownSize):
// Tile never shrinks it, Cascade gives every child its own size back (a
// resizable one no larger than the area). A child that does not fit beside
// the others overlaps them, placed so that it lies whole inside the area
// where it fits there at all: brought forward, it shows whole.
#pragma once

class QMdiArea;

namespace platform {

// In a grid of about as many columns as rows, in the order they opened;
// each at its cell's corner, a resizable one the cell's size.
void tileChildren(QMdiArea& area);
// One below and right of another by a caption's height, in their stacking
// order, so each caption shows.
void cascadeChildren(QMdiArea& area);

}  // namespace platform
