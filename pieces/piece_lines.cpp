#include "pieces/piece_lines.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace polyiamonds {

std::string linkChain(const Shape& shape) {
    static const char letters[] = "ROL";
    if (shape.empty()) return "?";
    std::vector<Cell> order{shape.front()};
    std::string links;
    for (std::size_t head = 0; head < order.size(); ++head) {
        auto around = neighbours(order[head]);
        for (std::size_t d = 0; d < around.size(); ++d) {
            const Cell c = around[d];
            const bool inShape = std::find(shape.begin(), shape.end(), c) != shape.end();
            const bool placed = std::find(order.begin(), order.end(), c) != order.end();
            if (!inShape || placed) continue;
            if (!links.empty()) links += ' ';
            links += static_cast<char>('0' + head);
            links += letters[d];
            order.push_back(c);
        }
    }
    return order.size() == shape.size() ? links : "?";
}

std::string pieceLine(const std::string& label, int copies, const Shape& shape) {
    char head[32];
    std::snprintf(head, sizeof head, "%-2.2s %3d %d", label.c_str(), copies, static_cast<int>(shape.size()));
    std::string line = head;
    const std::string links = linkChain(normalise(shape));
    if (!links.empty()) line += ' ' + links;
    return line;
}

Shape shapeAsDrawn(const Shape& read) {
    auto firstInRows = [](const Shape& shape) {
        return std::none_of(shape.begin() + 1, shape.end(), [&](Cell c) {
            return c.y < shape[0].y || (c.y == shape[0].y && c.x < shape[0].x);
        });
    };
    if (read.empty() || firstInRows(read)) return read;
    Shape turned;
    for (Cell c : read) turned.push_back(cellOf(applySymmetry(centroid(c), 6)));
    return firstInRows(turned) ? toOrigin(turned) : read;
}

Shape shapeOfLinks(int triangleCount, const PieceLink* links) {
    Shape shape{Cell{0, 0}};
    for (int j = 0; j + 1 < triangleCount; ++j) {
        const PieceLink link = links[j];
        if (link.parent > j) return {};
        shape.push_back(neighbours(shape[link.parent])[link.direction % 3]);
    }
    return shape;
}

Shape shapeOfLine(const std::string& line, int* copies) {
    if (line.size() < 8 || line[7] < '1' || line[7] > '9') return {};
    const int n = line[7] - '0';
    if (copies) *copies = std::atoi(line.c_str() + 3);
    PieceLink links[kMaxTriangles];
    for (int j = 0; j + 1 < n; ++j) {
        const std::size_t at = 9 + 3 * static_cast<std::size_t>(j);
        if (line.size() < at + 2) return {};
        const int parent = line[at] - '0';
        static const char letters[] = "ROLrol";
        const char* found = line[at + 1] == '\0' ? nullptr : std::strchr(letters, line[at + 1]);
        if (parent < 0 || parent > j || found == nullptr) return {};
        links[j] = {static_cast<std::uint8_t>(parent), static_cast<std::uint8_t>((found - letters) % 3)};
    }
    return shapeOfLinks(n, links);
}

}  // namespace polyiamonds
