#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "search/cache_aligned.h"
#include "search/placement_index.h"
#include "search/search_engine.h"

// The search with an incremental candidate index. It makes exactly the choices of the plain search
// (which recounts every candidate at every step) and calls the hooks at exactly the same points, but
// keeps the counts up to date as Placements come and go.
//
// For every column of the exact-cover matrix (an open cell) the search needs the number of live rows
// through it, where a row (a Placement) is live when none of its cells is covered and its piece has
// copies left (a count other than 0). The live rows are kept as the front of one array, the rows that
// died deeper in the search behind them, layer by layer (a stack):
// - placing a Placement partitions the live rows into survivors and the rows it kills (those that
//   overlap it, and all rows of its piece when that piece has no copies left); each killed row takes
//   one off the count of each of its cells;
// - taking it away gives the layer of rows it killed their counts back and moves the boundary back.
// The scan touches only live rows, which are few once a search is a few levels deep, and its overlap
// test reads only the mask words the placed piece occupies. On small tables (up to a few hundred cells)
// the live rows are a bit set instead, one per depth: placing clears the rows of the placed cells' column
// bit sets in a few dozen word operations, and a cell's count is the population count of the live set
// and its column, taken only when a cell is chosen (eight cells at a time where the processor has wide
// vectors). A step whose live rows fill half its words or less numbers them afresh
// (a frame), so that its subtree counts over those few words. Choosing a cell is one pass over the
// uncovered cells; the candidates are read from the cell's column in table order, skipping dead rows.
//
// The candidates of a step are numbered 0 .. total - 1 in the order they are tried (piece by piece,
// each remaining copy a run of its own). Because the state is the same before every candidate, a
// candidate is fully named by the Placements above it and its number; that is what lets the search
// be cut into independent parts (`runPart`) and lets a running part give away its untried candidates
// (`Donor`).
//
// Packings (state.spareCells > 0) follow the plain search: leaving the chosen cell open is the last
// candidate of a step while cells may still stay open, and a cell without live rows is chosen first and
// has only that candidate. Leaving a cell open kills the live rows through it, as a placed piece kills
// those through its cells, and is undone the same way. In a path a cell n left open is the value -1 - n.
// How the incremental search keeps its counts. Every form makes the same search; the tests run them all.
struct IncrementalSearchForm {
    bool bitParallel = true;  // false keeps to the live-row array even on a small table
    int vectorBits = 512;     // the widest vectors that count eight cells at a time, where the
                              // processor has them: 512, 256, or 0 for one cell and word at a time
    bool bitExtract = true;   // renumbers frames with the processor's bit-extract instruction, where
                              // it has a fast one
    int frameWords = 16;      // live sets of fewer words are not renumbered into a new frame
};

class IncrementalSearch : public SearchEngine {
  public:
    // Told at every step whether another thread wants work; if so, the search gives away the later
    // half of the untried candidates at its shallowest level that has any.
    class Donor {
      public:
        virtual ~Donor() = default;
        virtual bool wanted() = 0;
        // Candidates [from, end) of the step at `depth` below `path` (path.size() == depth) are no longer
        // this search's: they follow, in order, after everything it still does.
        virtual void donate(std::span<const std::int32_t> path, std::int64_t from, std::int64_t end) = 0;
    };

    using Form = IncrementalSearchForm;
    IncrementalSearch(const PlacementTable& table, int freeCellCount, SearchState& state,
                      std::span<Piece> pieces, SearchHooks& hooks, Form form = {});
    IncrementalSearch(std::shared_ptr<const PlacementIndex> index, const PlacementTable& table,
                      SearchState& state, std::span<Piece> pieces, SearchHooks& hooks, Form form = {});
    void run() override;
    // The whole search, giving work away to `donor` when asked.
    void runWhole(Donor* donor);

    // Candidates [from, end) of the step reached by placing `path`, exactly as the whole search would try
    // them there, without the step itself (its depth check, cell choice and solution test belong to
    // whoever ran it). `path` must be a sequence the search itself can reach. Before it starts,
    // shownDepth is set to the depth of that step, so that onNewDepth reports every step that goes
    // deeper than the part has been so far.
    void runPart(std::span<const std::int32_t> path, std::int64_t from, std::int64_t end, Donor* donor);
    // The number of candidates of the step reached by placing `path` (0 when that step records a solution
    // or is a dead end). Calls no hook.
    std::int64_t candidateCount(std::span<const std::int32_t> path);
    // Only the first step of the search (depth 0), with its hooks; returns its number of candidates (0
    // when it recorded a solution or is a dead end).
    std::int64_t runFirstStep();
    // Only the step below candidate `candidate` of the step reached by `path`, with its hooks, as the
    // whole search would run it there (with the depth-0 status when path is empty). Returns the
    // Placement of that candidate and the number of candidates of the step below it.
    std::pair<std::int32_t, std::int64_t> runStepBelow(std::span<const std::int32_t> path,
                                                       std::int64_t candidate);

  private:
    struct Segment {
        int piece;
        int start;  // into Level::live
        int size;
        std::int64_t base;   // number of the segment's first candidate
        std::int64_t count;  // size x copies
    };
    struct Level {
        std::vector<std::int32_t> live;
        std::vector<Segment> segments;
        std::int64_t total = 0;
        std::int64_t pieceTotal = 0;  // candidates that place a piece; a last one may leave `cell` open
        int cell = 0;
        std::int64_t next = 0;  // the candidate being tried
        std::int64_t end = 0;   // lowered when later candidates are given away
    };

    void searchStep(int depth);
    bool enterStep(int depth);
    // The cell of the step: chooseCell's, or in a packing the lowest cell without live rows.
    int stepCell();
    int emptyOpenCell() const;
    void collectCandidates(int depth, int cell);
    void collectPieceCandidates(int depth, int cell);
    void tryOpenCell(int depth, int cell);
    // Places a path value (a Placement, or -1 - n for cell n left open) at `depth`, and takes it away.
    void enterValue(int depth, std::int32_t value);
    void leaveValue(std::int32_t value);
    void placeOpenCell(int cell);
    void unplaceOpenCell(int cell);
    void restoreLayer();
    void tryCandidates(int depth, std::int64_t from, std::int64_t end);
    void tryPieceCandidates(int depth, std::int64_t from);
    // Candidate i of level `depth`: its piece slot and Placement.
    std::pair<int, std::int32_t> candidateAt(int depth, std::int64_t i) const;
    bool collectAt(int depth);
    void placePath(std::span<const std::int32_t> path);
    void removePath(std::span<const std::int32_t> path);
    void donateShallowest(int depth);
    int chooseCell();
    int chooseCellBits();
    int chooseCellBitsPortable();
    int chooseCellBitsPopcount();
    int chooseCellBitsVector();
    int chooseCellBitsWide();
    void place(int placement, int piece);
    void unplace(int placement, int piece);
    void kill(std::int32_t row);
    // Kills the live rows for which dies(row) holds, moving them behind the live ones (a new depth).
    template <class Dies>
    void killLiveRows(Dies dies);
    void placeBits(int placement, int piece);
    void togglePlacement(int value, int placement);
    void init(Form form);

    std::shared_ptr<const PlacementIndex> m_index;
    const PlacementTable& m_table;
    int m_cells;
    SearchState& m_state;
    std::span<Piece> m_pieces;
    SearchHooks& m_hooks;
    int m_pieceSlots;

    std::vector<std::int32_t> m_rows;     // live rows first, then the layers of rows killed at each depth
    std::vector<std::int32_t> m_liveEnd;  // per placed Placement: where the live rows ended before it
    int m_placed = 0;
    std::int32_t m_live = 0;            // live rows: m_rows[0 .. m_live - 1]
    std::vector<std::uint8_t> m_dead;   // per row
    std::vector<std::int32_t> m_count;  // live rows per cell
    std::int32_t* m_counts = nullptr;   // the counts now in force
    // On small tables the same in bit-parallel form: per depth the live rows as a bit set, so that taking
    // a Placement away is only going back one depth. The bits number the rows of a frame: the whole table
    // at first, and once the live rows fill less than half of a frame's words, a new frame numbering only
    // those rows (ascending, so in table order), with every column over that numbering. The steps below
    // then work on a few words instead of the whole table.
    struct Frame {
        int words = 0;
        // The columns as in the index, eight cells side by side: word w of cell c at
        // column(c)[w * 8], so that the words of a group of eight cells follow each other.
        const std::uint64_t* columnData = nullptr;
        CacheAlignedVector<std::uint64_t> columns;  // their storage, except for the whole table's
        // The same cell by cell: cell c's `words` words from cellData + c * cellStride (`words` up to a
        // multiple of eight, so that every cell's words start on a cache line).
        const std::uint64_t* cellData = nullptr;
        std::size_t cellStride = 0;
        CacheAlignedVector<std::uint64_t> cellColumns;
        std::vector<std::int32_t> rows;            // frame bit -> table row
        std::vector<std::uint8_t> pieces;          // frame bit -> its row's piece slot
        std::array<int, kMaxPieces> pieceBegin{};  // frame bits of a piece: [pieceBegin, pieceEnd)
        std::array<int, kMaxPieces> pieceEnd{};

        const std::uint64_t* group(int g) const {
            return columnData + static_cast<std::size_t>(g) * 8 * static_cast<std::size_t>(words);
        }
        const std::uint64_t* column(int c) const { return group(c / 8) + c % 8; }
        const std::uint64_t* cell(int c) const { return cellData + static_cast<std::size_t>(c) * cellStride; }
    };
    void makeFrame(int depth);
    const std::uint64_t* liveSet(int depth) const {
        return m_liveBits.data() + static_cast<std::size_t>(depth) * m_livePitch;
    }
    const Frame& frameOf(int depth) const {
        return m_frames[static_cast<std::size_t>(m_frameAt[static_cast<std::size_t>(depth)])];
    }
    void numberRows(const Frame& parent, Frame& frame, const std::uint64_t* live);
    void scatterColumns(const Frame& parent, Frame& frame, const std::uint64_t* live);
    void extractColumns(const Frame& parent, Frame& frame, const std::uint64_t* live);
    void clearOverlaps(const Frame& frame, int placement, const std::uint64_t* from, std::uint64_t* to) const;
    // The same, and the rows [first, end) of the frame (the piece's, once it has no copies left).
    void clearOverlapsVector(const Frame& frame, int placement, int first, int end, const std::uint64_t* from,
                             std::uint64_t* to) const;
    void clearOverlapsWide(const Frame& frame, int placement, int first, int end, const std::uint64_t* from,
                           std::uint64_t* to) const;
    bool m_bits = false;
    bool m_compressRows = false;  // 512-bit compress instructions renumber the frames' rows
    int m_rowWords = 0;           // the words of the whole table
    std::size_t m_livePitch = 0;  // words per depth in m_liveBits: those, up to a multiple of 8
    CacheAlignedVector<std::uint64_t> m_liveBits;  // per depth, in the numbering of that depth's frame
    std::vector<Frame> m_frames;                   // a stack: each frame numbers part of the one before
    std::vector<int> m_frameAt;                    // per depth: its frame
    std::vector<std::uint16_t> m_liveWords;        // scratch: the words of the live set that are not 0
    std::vector<std::int32_t> m_rowsBefore;        // scratch: live rows before each word of a frame
    // Not read any more (the counts keep their best per lane); kept because without it the members after
    // it move, and on the development machine the search then measured 2 to 7 % slower (bench/README.md);
    // with the columns on cache lines, 0.2 to 1 %.
    std::vector<std::uint64_t> m_cellCounts;
    bool m_hardwarePopcount = false;
    bool m_vectorPopcount = false;  // 512-bit vectors with a population count of their own
    bool m_wideCount = false;       // else 256-bit vectors, counted by table lookup
    bool m_bitExtract = false;      // a fast bit-extract instruction renumbers the frames' columns
    // The count looks first at the group of eight cells where an open cell without rows is likeliest: for
    // the Placement placed last, the group where its last dead end was found (at first its own first
    // cell's). Only the order of counting depends on it, never the choice.
    int m_firstGroup = 0;
    std::int32_t m_lastPlacement = -1;      // the Placement placed last, or -1 (a cell left open)
    std::vector<std::uint8_t> m_deadGroup;  // per Placement
    void noteDeadGroup(int group) {
        if (m_lastPlacement >= 0)
            m_deadGroup[static_cast<std::size_t>(m_lastPlacement)] = static_cast<std::uint8_t>(group);
    }
    int m_frameWords = 16;
    std::vector<std::uint8_t> m_covered;  // per cell, in the live-row form (the bit-set form reads the mask)
    std::vector<Level> m_levels;          // one per depth; never reallocated during a search

    bool m_interrupted = false;  // an interrupt was seen; requests are never withdrawn
    Donor* m_donor = nullptr;
    int m_partDepth = 0;               // the shallowest level whose candidates this search may give away
    int m_spare = 0;                   // packings: cells that may still stay open
    int m_openCells = 0;               // cells left open on the path
    std::vector<std::int32_t> m_path;  // per level: the Placement tried, or -1 - n for cell n left open
};
