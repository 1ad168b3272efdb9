#include "pieces/piece_design.h"

#include <algorithm>
#include <map>
#include <set>

#include "pieces/piece_lines.h"
#include "pieces/standard_piece_sets.h"

namespace {

constexpr int kMaxDesignCopies = 63;

std::string nameOf(const DesignedPiece& piece, std::size_t index) {
    const bool blank = piece.label.find_first_not_of(' ') == std::string::npos;
    return blank ? "trianzoid " + std::to_string(index + 1) : piece.label;
}

}  // namespace

DesignCheck checkDesign(const std::vector<DesignedPiece>& pieces) {
    DesignCheck check;
    std::map<polyiamonds::Shape, std::string> shapes;  // free form -> the first piece of that shape
    std::set<std::string> labels, reported;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const DesignedPiece& piece = pieces[i];
        const std::string name = nameOf(piece, i);
        const std::set<CellPos> cells(piece.shape.begin(), piece.shape.end());
        const int triangles = static_cast<int>(cells.size());
        if (piece.label.find_first_not_of(' ') == std::string::npos)
            check.errors.push_back(name + ": geen naam");
        if (piece.label.size() > 2) check.errors.push_back(name + ": een naam heeft hoogstens twee tekens");
        if (!labels.insert(piece.label).second && reported.insert(piece.label).second)
            check.errors.push_back("naam " + piece.label + " twee keer gebruikt");
        if (piece.copies < 0 || piece.copies > kMaxDesignCopies)
            check.errors.push_back(name + ": exemplaren van 0 tot en met " +
                                   std::to_string(kMaxDesignCopies));
        if (triangles == 0) {
            check.errors.push_back(name + ": geen driehoekjes");
        } else if (triangles > kMaxTriangles) {
            check.errors.push_back(name + ": meer dan " + std::to_string(kMaxTriangles) + " driehoekjes (" +
                                   std::to_string(triangles) + ")");
        } else if (!polyiamonds::isConnected(piece.shape)) {
            check.errors.push_back(name + ": driehoekjes niet met een zijde verbonden");
        } else {
            auto [first, added] = shapes.emplace(polyiamonds::freeForm(piece.shape), name);
            if (!added) check.notes.push_back(name + ": zelfde vorm als " + first->second);
        }
    }
    if (pieces.size() > static_cast<std::size_t>(kMaxPieces))
        check.errors.push_back("meer dan " + std::to_string(kMaxPieces) + " trianzoids (" +
                               std::to_string(pieces.size()) + ")");
    return check;
}

std::string pieceFileText(const std::vector<DesignedPiece>& pieces) {
    std::string text;
    for (const DesignedPiece& piece : pieces) {
        polyiamonds::Shape cells = piece.shape;
        std::sort(cells.begin(), cells.end());
        cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
        text += polyiamonds::pieceLine(piece.label, piece.copies, cells) + '\n';
    }
    return text;
}

std::vector<DesignedPiece> designOf(const PieceSet& pieces) {
    std::vector<DesignedPiece> design;
    for (int p = 0; p < std::clamp(static_cast<int>(pieces.m_nPieces), 0, kMaxPieces); ++p) {
        const Piece& piece = pieces.m_pieces[static_cast<std::size_t>(p)];
        polyiamonds::Shape shape = polyiamonds::shapeAsDrawn(polyiamonds::shapeOfLinks(
            std::clamp(static_cast<int>(piece.triangleCount), 1, kMaxTriangles), piece.links));
        design.push_back({labelText(piece), piece.copies, shape});
    }
    return design;
}

std::vector<DesignedPiece> standardSetDesign(const std::vector<int>& sizes) {
    std::vector<DesignedPiece> design;
    for (const std::string& line : polyiamonds::standardSetLines(sizes))
        design.push_back({line.substr(0, 2), 1, polyiamonds::shapeAsDrawn(polyiamonds::shapeOfLine(line))});
    return design;
}

std::string freeLabel(const std::vector<DesignedPiece>& pieces) {
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        for (char digit = '1'; digit <= '9'; ++digit) {
            const std::string label{letter, digit};
            if (std::none_of(pieces.begin(), pieces.end(), [&](const auto& p) { return p.label == label; }))
                return label;
        }
    return "??";
}
