#pragma once

#include "pieces/piece.h"

// Builds the distinct orientations of a piece from triangleCount and links, in the fixed order of
// the twelve lattice symmetries (start apex-down then apex-up; three turns; plain then mirrored).
// Fills cells, participates, orientationCount and parityImbalance; returns orientationCount.
int GenerateOrientations(Piece& piece);
// Moves orientation k to the origin; for k = 0 it also sets parityImbalance.
void NormalizeOrientation(Piece& piece, int k);
// True when orientation k holds the same set of positions as one of orientations 0 .. k - 1.
bool IsDuplicateOrientation(const Piece& piece, int k);
