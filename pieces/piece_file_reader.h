#pragma once

#include <string>

#include "pieces/piece_set.h"

class Platform;

// Reads a piece file into the slots of `pieces`, reporting a missing or incorrect file in a message box.
// A file that cannot be opened changes nothing; an incorrect one leaves no pieces and a total of 0.
void ReadPieceFile(PieceSet& pieces, const std::string& path, Platform& platform);
