#pragma once

// The pieces of a piece file as the piece designer edits them: label, copies and shape, what keeps
// them from being saved, and the file they are saved as.

#include <string>
#include <vector>

#include "pieces/piece_set.h"
#include "pieces/polyiamond_shapes.h"

struct DesignedPiece {
    std::string label;  // one or two characters
    int copies = 1;
    polyiamonds::Shape shape;  // anywhere on the lattice
};

struct DesignCheck {
    std::vector<std::string> errors;  // what keeps the design from being saved, in Dutch
    std::vector<std::string> notes;   // allowed, but said: "6B: zelfde vorm als 6A"
};

// Empty pieces, more than 9 triangles, triangles not joined edge to edge, a missing label or one used
// twice, copies outside 0 .. 63 and more than 64 pieces are errors; two pieces of the same shape (turned
// and mirrored shapes being the same) a note.
DesignCheck checkDesign(const std::vector<DesignedPiece>& pieces);

// The piece file of a design without errors: one line per piece, each ending in a line feed.
std::string pieceFileText(const std::vector<DesignedPiece>& pieces);

// The valid pieces of a piece set, their shapes as they were drawn.
std::vector<DesignedPiece> designOf(const PieceSet& pieces);

// The standard set of these sizes (one copy each).
std::vector<DesignedPiece> standardSetDesign(const std::vector<int>& sizes);

// A label that no piece of the design has: "A1", "A2", ..., "Z9".
std::string freeLabel(const std::vector<DesignedPiece>& pieces);
