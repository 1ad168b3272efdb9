#include "cli/make_puzzle.h"

#include <algorithm>

#include "board/board_shape.h"
#include "board/document_image.h"
#include "board/shape_on_board.h"
#include "board/trianzoid_doc.h"
#include "cli/console_platform.h"
#include "cli/solve.h"
#include "pieces/standard_piece_sets.h"
#include "solutions/picture_files.h"

namespace {

constexpr std::size_t kMaxStoredPath = 259;  // the document's 260 bytes, NUL-terminated

bool isOption(const std::string& argument, const std::string& name) {
    return argument == name || argument.rfind(name + "=", 0) == 0;
}

int writeStandardPieces(const MakePuzzleRequest& request, std::FILE* out, std::FILE* err) {
    const auto sizes = polyiamonds::parseSetSizes(request.what);  // checked by the parser
    const int count = polyiamonds::standardSetCount(*sizes);
    if (count > kMaxPieces) {
        std::fprintf(err,
                     "trianzoid-solve: de grootten %s geven %d trianzoids, meer dan de %d van een "
                     "trianzoidbestand\n",
                     request.what.c_str(), count, kMaxPieces);
        return ExitStatus::Usage;
    }
    std::string text;
    for (const auto& line : polyiamonds::standardSetLines(*sizes)) text += line + '\n';
    if (auto failure = writeFileAtomically(request.target, text)) {
        std::fprintf(err, "Oei: %s\n", failure->c_str());
        return ExitStatus::Error;
    }
    std::fprintf(out, "%d trianzoids naar %s\n", count, request.target.c_str());
    return finishOutput(out, err) ? ExitStatus::Finished : ExitStatus::Error;
}

int writeBoard(const MakePuzzleRequest& request, std::FILE* out, std::FILE* err) {
    const ParsedBoardShape parsed = parseBoardShape(request.what);  // checked by the parser
    const ShapeLayout layout = layOutShape(parsed.shape);
    if (!layout.error.empty()) {
        std::fprintf(err, "trianzoid-solve: %s\n", layout.error.c_str());
        return ExitStatus::Usage;
    }
    CTrianzoidDoc doc;
    makeShapeBoard(doc, layout);
    if (!request.pieceFile.empty()) {
        // Read as the program reads it when the Board is opened: as given, else in the Board's folder.
        ConsolePlatform platform(err, stdin, {});
        doc.m_szPieceFile = request.pieceFile;
        doc.reloadPieceFile(request.target, platform);
        if (platform.errorReported()) return ExitStatus::Error;
        doc.m_szPieceFile = request.pieceFile;
    }
    const auto image = documentImage(doc);
    if (auto failure = writeFileAtomically(request.target, std::string(image.begin(), image.end()))) {
        std::fprintf(err, "Oei: %s\n", failure->c_str());
        return ExitStatus::Error;
    }
    const OpenCellCount open = doc.CountOpenCells();
    std::fprintf(out, "Veld %d bij %d met %d open vakjes naar %s\n", doc.rowLength(), doc.m_nHeight,
                 open.total, request.target.c_str());
    return finishOutput(out, err) ? ExitStatus::Finished : ExitStatus::Error;
}

}  // namespace

MakePuzzleRequest parseMakePuzzle(const std::vector<std::string>& arguments) {
    MakePuzzleRequest request;
    const auto end = std::find(arguments.begin() + std::min<std::size_t>(1, arguments.size()),
                               arguments.end(), std::string("--"));
    for (auto it = arguments.begin() + std::min<std::size_t>(1, arguments.size()); it != end; ++it) {
        if (isOption(*it, "--standard-pieces")) request.kind = MakePuzzleRequest::Kind::StandardPieces;
        if (isOption(*it, "--make-board")) request.kind = MakePuzzleRequest::Kind::Board;
        if (*it == "--help" || *it == "--version") return MakePuzzleRequest{};  // answered as always
    }
    if (request.kind == MakePuzzleRequest::Kind::None) return request;

    const bool board = request.kind == MakePuzzleRequest::Kind::Board;
    const std::string mode = board ? "--make-board" : "--standard-pieces";
    bool seenMode = false;
    auto fail = [&](const std::string& error) {
        request.error = error;
        return request;
    };
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::string name = argument, value;
        const std::size_t equals = argument.find('=');
        const bool withValue = argument.rfind("--", 0) == 0 && equals != std::string::npos;
        if (withValue) name = argument.substr(0, equals), value = argument.substr(equals + 1);
        std::string* field = nullptr;
        if (name == mode && !seenMode) {
            field = &request.what;
            seenMode = true;
        } else if (name == "--to" && request.target.empty()) {
            field = &request.target;
        } else if (name == "--pieces" && board && request.pieceFile.empty()) {
            field = &request.pieceFile;
        } else if (name == "--standard-pieces" || name == "--make-board" || name == "--to" ||
                   name == "--pieces") {
            return fail("optie '" + name + "' hier niet (of niet twee keer) te gebruiken met " + mode);
        } else {
            return fail("'" + argument + "' gaat niet samen met " + mode);
        }
        if (!withValue) {
            if (i + 1 == arguments.size()) return fail("optie '" + name + "' verwacht een waarde");
            value = arguments[++i];
        }
        if (value.empty()) return fail("optie '" + name + "' verwacht een waarde");
        *field = value;
    }
    if (board) {
        const ParsedBoardShape parsed = parseBoardShape(request.what);
        if (!parsed.error.empty()) return fail("--make-board: " + parsed.error);
        if (request.pieceFile.size() > kMaxStoredPath)
            return fail("--pieces: de naam is langer dan " + std::to_string(kMaxStoredPath) + " tekens");
    } else if (!polyiamonds::parseSetSizes(request.what)) {
        return fail("--standard-pieces verwacht grootten van 1 tot en met 9, zoals 6 of 4-6");
    }
    if (request.target.empty())
        return fail(mode + " verwacht --to met de naam van het " +
                    (board ? "veldbestand" : "trianzoidbestand"));
    return request;
}

int makePuzzle(const MakePuzzleRequest& request, std::FILE* out, std::FILE* err) {
    return request.kind == MakePuzzleRequest::Kind::Board ? writeBoard(request, out, err)
                                                          : writeStandardPieces(request, out, err);
}

std::string makePuzzleHelpText() {
    return "Puzzels maken (in plaats van zoeken):\n"
           "  --standard-pieces GROOTTEN  alle vrije trianzoids van deze grootten, zoals 6 of 4-6, elk\n"
           "                     een keer, naar het trianzoidbestand van --to (hoogstens 64 trianzoids)\n"
           "  --make-board VORM  een veld in deze vorm naar het veldbestand van --to; met --pieces BESTAND\n"
           "                     noemt het veld dat trianzoidbestand. VORM is een argument (tussen\n"
           "                     aanhalingstekens): parallelogram AxB, hexagon A,B,C,D,E,F (zijden vanaf\n"
           "                     de bovenkant met de klok mee) of triangle N, eventueel gevolgd door hole\n"
           "                     (het vakje in het midden), hexhole (de zes vakjes om het midden) of\n"
           "                     hole X,Y (het vakje in kolom X, rij Y)\n";
}
