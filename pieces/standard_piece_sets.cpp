#include "pieces/standard_piece_sets.h"

#include <algorithm>
#include <set>

#include "pieces/piece_lines.h"

namespace polyiamonds {

std::vector<Shape> freePolyiamonds(int n) {
    if (n < 1) return {};
    // Grows each shape of one triangle less by one neighbouring triangle in every possible way.
    std::set<Shape> level{freeForm({Cell{0, 0}})};
    for (int size = 2; size <= n; ++size) {
        std::set<Shape> next;
        for (const Shape& shape : level)
            for (Cell c : shape)
                for (Cell d : neighbours(c)) {
                    if (std::find(shape.begin(), shape.end(), d) != shape.end()) continue;
                    Shape grown = shape;
                    grown.push_back(d);
                    next.insert(freeForm(grown));
                }
        level = std::move(next);
    }
    return {level.begin(), level.end()};
}

std::optional<std::vector<int>> parseSetSizes(const std::string& text) {
    auto size = [](char c) { return c >= '1' && c <= '0' + kMaxTriangles ? c - '0' : -1; };
    int from = -1, to = -1;
    if (text.size() == 1) {
        from = to = size(text[0]);
    } else if (text.size() == 3 && text[1] == '-') {
        from = size(text[0]);
        to = size(text[2]);
    }
    if (from < 1 || to < from) return std::nullopt;
    std::vector<int> sizes;
    for (int n = from; n <= to; ++n) sizes.push_back(n);
    return sizes;
}

int standardSetCount(const std::vector<int>& sizes) {
    int count = 0;
    for (int n : sizes) count += static_cast<int>(freePolyiamonds(n).size());
    return count;
}

std::vector<std::string> standardSetLines(const std::vector<int>& sizes, int copies) {
    std::vector<std::string> lines;
    for (int n : sizes) {
        int index = 0;
        for (const Shape& shape : freePolyiamonds(n)) {
            // Beyond Z (sizes of more than 26 shapes, never more than 64 pieces in one file) lowercase.
            const char letter = static_cast<char>(index < 26 ? 'A' + index : 'a' + (index - 26) % 26);
            lines.push_back(pieceLine(std::to_string(n) + letter, copies, shape));
            ++index;
        }
    }
    return lines;
}

}  // namespace polyiamonds
