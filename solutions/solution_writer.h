#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "board/trianzoid_doc.h"
#include "search/placement_table.h"
#include "solutions/solution_files.h"

// What the files of a search begin with: the Board's size, the start, the modes and the pieces.
struct SearchHeader {
    int width = 0;  // the document's width and height, as the user set them
    int height = 0;
    std::string startTime;  // "16-12-1999 14:05:09"
    std::string modes;      // the modes in use, comma-separated; empty for the ordinary search
    std::string pieceFile;
    int pieces = 0;
    int triangles = 0;
    int cells = 0;  // open cells of the Board
};

// One solution as the writers get it: its Placements in the order the search placed them, and the
// Board whose cells hold the colour numbers of this solution's pieces (and nothing of earlier ones).
struct SolutionData {
    std::int64_t number = 0;  // from 1
    std::span<const PlacementRecord> records;
    const CTrianzoidDoc& board;
    int rowLength = 0;  // the part of the Board that was searched
    int height = 0;
};

// The format of one of a search's files, written into an OutputFile that the search driver makes,
// puts in place and closes. Each call ends a record of the file and returns false at once when a write
// failed, so that the search stops at the first failure. The driver chooses the writers of a search in
// CTrianzoidView::solutionWriters(): a new format is a writer of its own and one line there.
class SolutionWriter {
  public:
    explicit SolutionWriter(OutputFile& file) : m_file(file) {}
    virtual ~SolutionWriter() = default;
    SolutionWriter(const SolutionWriter&) = delete;
    SolutionWriter& operator=(const SolutionWriter&) = delete;

    virtual bool begin(const SearchHeader& header) = 0;
    virtual bool solution(const SolutionData& solution) = 0;
    // The log's last line, after the search.
    virtual bool end(const std::string& summary) = 0;

    OutputFile& file() { return m_file; }

  protected:
    OutputFile& m_file;
};
