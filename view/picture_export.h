#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "board/board.h"
#include "board/board_geometry.h"
#include "board/trianzoid_doc.h"
#include "platform/drawing_surface.h"
#include "solutions/solution_range.h"

// Where the pictures of an export go: one file per solution (SVG, PNG) or a sheet of many (PDF). The
// export draws each solution with the view's own drawing onto the surface the sink hands out.
class PictureSink {
  public:
    virtual ~PictureSink() = default;

    // Before the first picture: how many pictures follow, how many solutions the file holds (for the
    // width of the numbers in file names) and the Board they show. False when the target cannot be made.
    virtual bool start(std::int64_t pictures, std::int64_t solutionsInFile, const Board& board) = 0;
    // The largest picture, in the sink's pixels, from (0, 0).
    virtual Rect pictureArea() const = 0;
    // A surface for solution `number` (from 1) of `size` pixels, its origin the picture's top left.
    virtual DrawingSurface* beginPicture(std::int64_t number, const Rect& size) = 0;
    // Around the drawing of one piece: formats that keep pieces apart (SVG groups) use the label.
    virtual void beginPiece(const std::string& /*label*/) {}
    virtual void endPiece() {}
    // False when the picture could not be written.
    virtual bool endPicture() = 0;
    // After the last picture: completes the target; false when that failed.
    virtual bool finish() = 0;
    // A cancelled or failed export: removes what is not complete, so that no half-written file is
    // left under a target's name.
    virtual void abandon() = 0;

    // What went wrong, in Dutch, after a false return.
    std::string failure;
};

enum class ExportOutcome {
    Done,
    Cancelled,
    FileMissing,     // the ".opb" file cannot be opened
    FileEmpty,       // it holds no solutions (a search in letter mode writes none)
    FileDamaged,     // it ends in bytes that are no complete solution
    PiecesMismatch,  // a solution names a piece or cell that the loaded Board and pieces do not have
    RangeBeyondCount,
    PictureTooSmall,  // the chosen size leaves no room for the Board's triangles
    WriteFailed,      // the sink's failure says what
};

struct ExportResult {
    ExportOutcome outcome = ExportOutcome::Done;
    std::int64_t solutionsInFile = 0;  // complete solutions before anything damaged
    std::int64_t written = 0;          // pictures written
    std::int64_t badSolution =
        0;               // PiecesMismatch: the solution (from 1); RangeBeyondCount: the number asked
    std::string detail;  // WriteFailed: the sink's failure
};

struct ExportSettings {
    SolutionRange range;
    bool colour = true;  // false: black and white, as the window shows solutions in black and white
};

// Called after every picture with the pictures done and the total; false stops the export.
using ExportProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

// Draws the chosen solutions of `solutionPath` for the Board and pieces of `doc` (which is not changed)
// into the sink, as the window shows them. The file is read twice from start to end, one solution at a
// time: first to check it all before anything is written, then to draw. Memory does not grow with the
// number of solutions.
ExportResult exportSolutions(const CTrianzoidDoc& doc, const std::string& solutionPath,
                             ExportSettings settings, PictureSink& sink, const ExportProgress& progress = {});

// The outcome for a person, in Dutch; empty for Done and Cancelled.
std::string exportErrorText(const ExportResult& result, const std::string& solutionPath);

// The picture of a Board at a geometry: room for the margin and the triangles with their outlines,
// the size of a window that draws the Board at that geometry.
Rect pictureExtent(const Board& board, const CellGeometry& geometry);
