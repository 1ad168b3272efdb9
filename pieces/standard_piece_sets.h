#pragma once

// The standard piece sets: every free polyiamond of the chosen sizes (turned and mirrored shapes being
// the same), one copy each, labelled by size and letter (4A, 4B, ...), in the order of their free forms.

#include <optional>
#include <string>
#include <vector>

#include "pieces/polyiamond_shapes.h"

namespace polyiamonds {

// Every free polyiamond of n triangles, as free forms in increasing order; none for n < 1.
std::vector<Shape> freePolyiamonds(int n);

// The sizes of "6" or "4-6" (1 to 9 triangles, the smaller first); nothing for any other text.
std::optional<std::vector<int>> parseSetSizes(const std::string& text);

// The number of pieces of the standard set of these sizes.
int standardSetCount(const std::vector<int>& sizes);

// The piece file lines of the standard set of these sizes, each with `copies` copies.
std::vector<std::string> standardSetLines(const std::vector<int>& sizes, int copies = 1);

}  // namespace polyiamonds
