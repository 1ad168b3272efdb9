#include "board/board_shape.h"

#include <algorithm>
#include <sstream>

#include "board/board.h"

namespace {

constexpr int kMaxSize = 99;  // more than any side that fits a Board

// A whole number 1 .. kMaxSize in digits only; -1 otherwise.
int sizeOf(const std::string& text) {
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const int value = std::stoi(text);
    return value >= 1 && value <= kMaxSize ? value : -1;
}

// Numbers separated by `separator`, each 1 .. kMaxSize (0 .. kMaxSize with `zeroAllowed`).
std::vector<int> numbersOf(const std::string& text, char separator, bool zeroAllowed = false) {
    std::vector<int> numbers;
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = text.find(separator, from);
        const std::string part = text.substr(from, end == std::string::npos ? std::string::npos : end - from);
        const int value = zeroAllowed && part == "0" ? 0 : sizeOf(part);
        if (value < 0) return {};
        numbers.push_back(value);
        if (end == std::string::npos) return numbers;
        from = end + 1;
    }
}

std::string joined(const std::vector<int>& numbers, char separator) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) text.push_back(separator);
        text.append(std::to_string(numbers[i]));
    }
    return text;
}

}  // namespace

ShapeLayout layOutRegion(Region region) {
    ShapeLayout layout;
    region = polyiamonds::toOrigin(std::move(region));
    int columns = 0, rows = 0;
    for (CellPos c : region) columns = std::max(columns, c.x + 1), rows = std::max(rows, c.y + 1);
    layout.width = std::max(3, (columns + 2) / 2);  // row length 2W - 1 >= columns
    layout.height = std::max(6, rows + (rows & 1));
    layout.region = std::move(region);
    if (2 * layout.width - 1 > BOARD_COLUMNS || layout.height > BOARD_ROWS)
        layout.error = "De vorm past niet op een veld van " + std::to_string(BOARD_COLUMNS) + " bij " +
                       std::to_string(BOARD_ROWS) + " (nodig: " + std::to_string(2 * layout.width - 1) +
                       " bij " + std::to_string(layout.height) + ")";
    return layout;
}

ParsedBoardShape parseBoardShape(const std::string& text) {
    ParsedBoardShape parsed;
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    const std::string forms = "parallelogram AxB, hexagon A,B,C,D,E,F of triangle N";
    if (words.empty()) {
        parsed.error = "geen vorm opgegeven (" + forms + ")";
        return parsed;
    }
    BoardShape& shape = parsed.shape;
    const std::string size = words.size() > 1 ? words[1] : "";
    if (words[0] == "parallelogram") {
        shape.kind = BoardShape::Kind::Parallelogram;
        shape.sizes = numbersOf(size, 'x');
        if (shape.sizes.size() != 2) parsed.error = "parallelogram verwacht AxB, zoals 9x4";
    } else if (words[0] == "hexagon") {
        shape.kind = BoardShape::Kind::Hexagon;
        shape.sizes = numbersOf(size, ',');
        if (shape.sizes.size() != 6) {
            parsed.error = "hexagon verwacht zes zijden van minstens 1, zoals 3,4,3,4,3,4";
        } else if (!hexagonCloses({shape.sizes[0], shape.sizes[1], shape.sizes[2], shape.sizes[3],
                                   shape.sizes[4], shape.sizes[5]})) {
            parsed.error =
                "de zijden " + size + " sluiten niet: A + B moet D + E zijn en B + C moet E + F zijn";
        }
    } else if (words[0] == "triangle") {
        shape.kind = BoardShape::Kind::Triangle;
        shape.sizes = numbersOf(size, ',');
        if (shape.sizes.size() != 1) parsed.error = "triangle verwacht een zijde N van minstens 1";
    } else {
        parsed.error = "onbekende vorm '" + words[0] + "' (" + forms + ")";
    }
    if (!parsed.error.empty()) return parsed;

    if (words.size() == 3 && words[2] == "hole") {
        shape.hole = BoardShape::Hole::Centre;
    } else if (words.size() == 3 && words[2] == "hexhole") {
        shape.hole = BoardShape::Hole::AroundCentre;
    } else if (words.size() == 4 && words[2] == "hole") {
        const std::vector<int> at = numbersOf(words[3], ',', true);
        if (at.size() != 2) {
            parsed.error = "hole verwacht een vakje X,Y, zoals hole 3,2";
            return parsed;
        }
        shape.hole = BoardShape::Hole::Cell;
        shape.holeCell = {at[0], at[1]};
    } else if (words.size() != 2) {
        parsed.error = "na de maten komt alleen hole, hexhole of hole X,Y";
    }
    return parsed;
}

std::string boardShapeText(const BoardShape& shape) {
    std::string text;
    switch (shape.kind) {
        case BoardShape::Kind::Parallelogram:
            text = "parallelogram " + joined(shape.sizes, 'x');
            break;
        case BoardShape::Kind::Hexagon:
            text = "hexagon " + joined(shape.sizes, ',');
            break;
        case BoardShape::Kind::Triangle:
            text = "triangle " + joined(shape.sizes, ',');
            break;
    }
    switch (shape.hole) {
        case BoardShape::Hole::None:
            break;
        case BoardShape::Hole::Centre:
            text += " hole";
            break;
        case BoardShape::Hole::AroundCentre:
            text += " hexhole";
            break;
        case BoardShape::Hole::Cell:
            text += " hole " + std::to_string(shape.holeCell.x) + "," + std::to_string(shape.holeCell.y);
            break;
    }
    return text;
}

ShapeLayout layOutShape(const BoardShape& shape) {
    const std::vector<int>& s = shape.sizes;
    Region region;
    // A shape too large for any Board is refused before its cells are made.
    bool tooLarge = false;
    switch (shape.kind) {
        case BoardShape::Kind::Parallelogram:
            tooLarge = s.size() != 2 || s[0] > BOARD_COLUMNS || s[1] > BOARD_ROWS;
            if (!tooLarge) region = parallelogramRegion(s[0], s[1]);
            break;
        case BoardShape::Kind::Hexagon:
            tooLarge = s.size() != 6 || !hexagonCloses({s[0], s[1], s[2], s[3], s[4], s[5]}) ||
                       s[1] + s[2] > BOARD_ROWS || s[0] + s[1] + s[2] > BOARD_COLUMNS;
            if (!tooLarge) region = hexagonRegion({s[0], s[1], s[2], s[3], s[4], s[5]});
            break;
        case BoardShape::Kind::Triangle:
            tooLarge = s.size() != 1 || s[0] > BOARD_ROWS;
            if (!tooLarge) region = triangleRegion(s[0]);
            break;
    }
    if (shape.kind == BoardShape::Kind::Hexagon && s.size() == 6 &&
        !hexagonCloses({s[0], s[1], s[2], s[3], s[4], s[5]})) {
        ShapeLayout layout;
        layout.error =
            "De zijden " + joined(s, ',') + " sluiten niet: A + B moet D + E zijn en B + C moet E + F zijn";
        return layout;
    }
    if (tooLarge) {
        ShapeLayout layout;
        layout.error = "De vorm past niet op een veld van " + std::to_string(BOARD_COLUMNS) + " bij " +
                       std::to_string(BOARD_ROWS);
        return layout;
    }
    ShapeLayout layout = layOutRegion(std::move(region));
    if (!layout.error.empty()) return layout;

    Region& cells = layout.region;
    auto remove = [&](CellPos c) {
        auto at = std::find(cells.begin(), cells.end(), c);
        if (at == cells.end()) return false;
        cells.erase(at);
        return true;
    };
    switch (shape.hole) {
        case BoardShape::Hole::None:
            break;
        case BoardShape::Hole::Centre: {
            auto centre = centreCell(cells);
            if (!centre || !remove(*centre))
                layout.error =
                    "Deze vorm heeft geen vakje in het midden (het midden ligt op een rand of hoek)";
            break;
        }
        case BoardShape::Hole::AroundCentre: {
            auto around = cellsAroundCentre(cells);
            bool all = around.has_value();
            if (all)
                for (CellPos c : *around)
                    all = std::find(cells.begin(), cells.end(), c) != cells.end() && all;
            if (all) {
                for (CellPos c : *around) remove(c);
            } else {
                layout.error = "Deze vorm heeft geen hoek met zes vakjes in het midden";
            }
            break;
        }
        case BoardShape::Hole::Cell:
            if (!remove(shape.holeCell))
                layout.error = "Het vakje " + std::to_string(shape.holeCell.x) + "," +
                               std::to_string(shape.holeCell.y) + " hoort niet bij de vorm";
            break;
    }
    return layout;
}
