#pragma once

#include <string>

namespace testsupport {

// The text of a piece file of 64 pieces of nine triangles, one copy each: the largest piece set a
// piece file can hold. Each piece is a chain, every triangle across an edge of the one before it,
// with its nine triangles on nine different positions.
std::string largestPieceFileText();

}  // namespace testsupport
