#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "board/board.h"
#include "board/board_geometry.h"
#include "board/trianzoid_doc.h"
#include "platform/drawing_surface.h"
#include "solutions/picture_sink.h"
#include "solutions/solution_range.h"

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
