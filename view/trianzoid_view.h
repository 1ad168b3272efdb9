#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/board_geometry.h"
#include "board/board_shape.h"
#include "board/trianzoid_doc.h"
#include "platform/clock.h"
#include "platform/drawing_surface.h"
#include "platform/platform.h"
#include "search/free_cell_index.h"
#include "search/placement_table.h"
#include "search/search_engine.h"
#include "search/search_hooks.h"
#include "search/search_state.h"
#include "search/tiling_classes.h"
#include "solutions/opb_writer.h"
#include "solutions/opl_writer.h"
#include "solutions/output_lock.h"
#include "solutions/solution_file_index.h"
#include "solutions/solution_files.h"
#include "view/search_outcome.h"

// Values of ViewMode.
inline constexpr int kEditing = 1;
inline constexpr int kSearching = 2;
inline constexpr int kInterruptRequested = 3;
inline constexpr int kShowingSolutions = 4;

// Modifier flags of a mouse release.
inline constexpr unsigned MK_SHIFT = 4;
inline constexpr unsigned MK_CONTROL = 8;

// The field-data dialog's three values.
struct FieldData {
    int rowLength = 0;
    int rows = 0;
    int marginPixels = 0;
};

struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// The main view's logic: what is drawn in which mode, mouse editing, the Board commands, the search
// with its state and files, and the solution display. The window of the application only forwards
// events and draws; everything here runs and is tested without one.
class CTrianzoidView : public SearchHooks {
  public:
    CTrianzoidView(CTrianzoidDoc& doc, Platform& platform, Clock& clock);
    ~CTrianzoidView() override;
    CTrianzoidView(const CTrianzoidView&) = delete;
    CTrianzoidView& operator=(const CTrianzoidView&) = delete;

    CTrianzoidDoc& GetDocument() { return m_doc; }
    Platform& platform() { return m_platform; }

    // ---- Mode and settings
    int ViewMode = kEditing;
    int m_nFillColour = 0;  // 0 grey .. 4 yellow; painted as 65 + index
    int m_nReadiness = -1;
    bool m_bSound = true;
    bool m_bLetterSolution = false;
    bool m_bEachTilingOnce =
        false;  // search every tiling once: copies and slots of one shape interchangeable
    bool m_bColourSolutions = false;
    // The document's modified flag: set by what changes the stored Board (mouse edits, the field data,
    // the background, clearing the whole Board, another piece file), cleared by New, Open and Save.
    bool m_bModified = false;
    EngineKind m_engineKind = EngineKind::Fast;
    SearchEngineFactory
        m_engineFactory;         // when set, used instead of m_engineKind (the window leaves it empty)
    std::string m_strOutputDir;  // folder of the solution files; empty: the current folder
    // That folder's full path, as a message names it.
    std::string outputFolderPath() const;

    // ---- Geometry of the last repaint (the window, or the page while printing)
    CellGeometry m_geometry;
    Rect m_rectPrint;

    // ---- Repaint and drawing
    // The whole view on any surface; `clientRect` is the window's client area (ignored when printing).
    void OnDraw(DrawingSurface& dc, const Rect& clientRect);
    void DrawCell(DrawingSurface& dc, int col, int row, int value);
    void DrawPiece(DrawingSurface& dc, const Piece& piece, int orientation, int value, int col0, int row0);
    void DrawEdge(DrawingSurface& dc, Point from, Point to);

    // ---- Readiness and status bar
    int UpdateReadiness();
    // The readiness of the Board and the pieces as they stand now, without touching the status bar.
    int currentReadiness() const;
    // The same with its status text and the open cells the pieces leave (negative: triangles too many).
    struct ReadinessReport {
        int value = -1;
        std::int64_t cellsLeft = 0;
        std::string text;
    };
    ReadinessReport readinessReport() const;
    // After a change of the Board or the pieces while editing: m_nReadiness and the panes follow at once.
    void refreshReadiness();
    // Why the pieces cannot be searched although they count triangles: the first piece to place whose
    // triangles overlap ("Trianzoid 3A (regel 1) heeft driehoekjes op dezelfde plaats"); empty if none.
    std::string pieceFault() const;
    void ShowStatus(const std::string& text);
    void ShowParity(int n);

    // ---- Board editing and commands
    void OnLButtonUp(unsigned nFlags, Point point);
    void PaintCellMirrored(DrawingSurface& dc, int col, int row, int rowLength, int height, unsigned nFlags,
                           int value);
    FieldData fieldData() const;
    // OK of the field-data dialog with values that passed its checks.
    void applyFieldData(const FieldData& data);
    void OnFieldData(const std::function<bool(FieldData&)>& runDialog);
    void OnBackgroundColour();
    // "Veld > Vorm...": the open region becomes the shape (a layout without an error), centred, the rest
    // blocked in the fill colour, the Board made larger where needed; the document is changed. Only
    // while editing; returns whether it acted.
    bool applyBoardShape(const ShapeLayout& layout);
    void ClearPieceCells();  // acts only while editing
    // Sets the modified flag when the document's stored block is no longer `storedBefore`.
    void markModifiedIfChanged(const std::vector<std::uint8_t>& storedBefore);
    // Opens every covered cell of the active area, in any mode, and returns where they are.
    std::vector<CellPos> forgetCoveredCells();
    void forgetCoveredCells(std::vector<CellPos>& covered);  // into `covered`, which keeps its room
    // The same without saying where (for a surface that shows nothing).
    void openCoveredCells();
    static int s_nLastColumn;
    static int s_nLastRow;

    // ---- Pieces
    void OpenPieceFile();
    // Where the piece file dialog starts: the folder of the Board's file, else of the last piece file
    // opened in this run, else the examples folder; empty when there is none of them.
    std::string pieceFileFolder() const;
    std::string m_strDocumentPath;    // the Board's file; empty for a new Board (the window keeps it)
    std::string m_strLastPieceFile;   // the piece file last chosen in this run
    std::string m_strExamplesFolder;  // the installed examples, when there are any
    void ReadPieceFile(const std::string& path);
    // After New or Open: reads the piece file named in the document again.
    void OnInitialUpdate(const std::string& documentPath);

    // ---- Search
    // The search command: the search, then its outcome shown as the window shows it.
    SearchOutcome runSearch(bool waitFlag);
    // The search alone, without the closing message boxes: the caller shows or uses the outcome.
    SearchOutcome search(bool waitFlag);
    // The outcome's error messages, then the closing report "Aantal oplossingen N" of a search that ran.
    void showSearchOutcome(const SearchOutcome& outcome);
    void showSearchErrors(const SearchOutcome& outcome);
    // The steps every search takes first, the driver's and a shard's: where the checkerboard method
    // rules a tiling out (by m_nReadiness), the question whether to go on (false: not); the copy
    // counts of a search state; the numbering of the open cells (m_freeCells) and the table of
    // Placements (m_table) of the Board as it is now, returning the number of open cells (throws
    // std::bad_alloc).
    bool checkerboardAllowsSearch();
    // Packings ("Open vakjes toegestaan"): whether the pieces leave cells over, which then stay open
    // (false without packings and on an exact fit). Where the pieces have more triangles than the
    // Board has open cells the search is refused: `outcome` then says so (Refusal::NoRoom).
    bool packingLeavesCellsOpen(SearchOutcome& outcome) const;
    void prepareCopies(SearchState& state) const;
    int prepareTable(bool showStatus);
    // A search that runs outside the driver (a shard of the command-line solver): the view is in search
    // mode meanwhile, so that an interrupt reaches it and the progress shows it.
    void beginOutsideSearch();
    void endOutsideSearch();
    bool searching() const { return ViewMode == kSearching || ViewMode == kInterruptRequested; }
    // An interrupt from outside the window (the solver's Ctrl+C): taken while a search runs or is
    // prepared, and then true.
    bool requestInterrupt();
    int checkerboardTest(int a);
    void showFirstPieceStatus(int percent, const std::string& name);
    int waitForKeyPress();
    // A key pressed in the view (before translation) and a character typed.
    void OnKeyDown();
    void OnChar(int character);
    void drawPartialTiling(int n);

    FreeCellIndex m_freeCells;
    PlacementTable m_table;
    SearchState m_state;
    std::time_t searchStartTime = 0;
    // Between the first allocation of a search and its start: an interrupt asked for now abandons the
    // search before any file is put in place.
    bool m_bPreparingSearch = false;
    // A write to the solution files failed: the search stops as an interrupt does, and says why.
    bool m_bWriteFailed = false;
    TilingClassCounter m_classCounter;
    TilingCounts m_tilingCounts;  // of the last search, or of the merged parts
    // Whether m_tilingCounts belong to a search that ran ("Tellingen" has something to show).
    bool m_bTilingCountsKnown = false;
    bool m_bSkippedFirst = false;
    bool m_bOnePerSymmetryClass = false;  // search one tiling of each symmetry class (each tiling once too)
    // A search that counts its solutions and tilings and writes no solution file and no log.
    bool m_bCountOnly = false;
    bool m_classCounting = true;  // off: no distinct and unique counts (for measuring what they cost)
    // A search that stops once it has recorded this many solutions (0: no limit); it then ends as a
    // finished search whose counts are incomplete. The window sets none.
    std::int64_t m_nSolutionLimit = 0;
    bool m_bLimitReached = false;        // the last search stopped at m_nSolutionLimit
    bool m_bCellsMayStayOpen = false;    // "Open vakjes toegestaan": packings, surplus cells stay open
    bool m_bCanonicalTest = false;       // record only the least image of each tiling
    PlacementTable m_fullTable;          // the whole table when m_table keeps one Placement per orbit
    std::vector<int> m_placementOrigin;  // per Placement of m_table: its number in m_fullTable

    // ---- Solutions
    void RecordSolution(int n);
    // Asks the search to stop once it has recorded m_nSolutionLimit solutions.
    void stopAtLimit();
    // The writers of a search's files, the one that holds the solution proper first.
    const std::vector<SolutionWriter*>& solutionWriters();
    std::vector<SolutionWriter*> m_writers;  // what solutionWriters() gives
    // The recorder's scratch, kept from one solution to the next for its room.
    struct RecordScratch {
        std::vector<int> whole;
        std::vector<PlacementRecord> records;
        std::vector<CellPos> covered;
    } m_recordScratch;
    // One solution to one writer; false (and the search stops) when a write failed.
    bool writeSolution(SolutionWriter& writer, const SolutionData& solution);
    void ShowSolution(DrawingSurface& dc, int k);
    void OnShowSolutions(bool colour);
    void OnFirstSolution();
    void OnNextSolution();
    void OnPreviousSolution();
    void OnLastSolution();
    void OnDoneSolutions();
    // The counts of the last search, as "Tellingen" shows them.
    std::string tilingCountsText() const;

    int m_nSolutionPieces = 0;
    int m_nCurrentSolution = 0;
    std::string m_szLogName;
    std::string m_szSolutionName;
    OutputFile m_logFile;
    OutputFile m_solutionFile;
    OpbWriter m_opbWriter{m_solutionFile};
    OplWriter m_oplWriter{m_logFile};
    LetterLogWriter m_letterWriter{m_logFile};
    OutputLock m_outputLock;

    // ---- Working state of the search driver and the solution display
    int m_nSearchRowLength = 0;  // the Board's size copied at every search start, for the files
    int m_nSearchHeight = 0;
    std::string m_strSearchSummary;        // the log's last line of the last search
    bool m_bSolutionFileReported = false;  // a missing solution file was reported in this display
    bool m_bEqualSolutionLengths = false;  // every solution of the last search has m_nSolutionPieces
    SolutionFileIndex m_solutionIndex;     // where the solutions lie in m_szSolutionName

    // ---- Command routing for menus, toolbar, accelerators and context menus
    CommandState commandState(int id) const;
    // Carries out a command that needs no dialog of the window; returns false for ids it does not handle.
    bool OnCommand(int id);
    bool canClose() const { return ViewMode == kEditing; }
    // The modes of the next search as SearchMode bits (search/search_modes.h).
    int searchModes() const;
    // The search modes and "Tellingen": their state, and carrying them out.
    CommandState searchModeState(int id) const;
    void OnSearchModeCommand(int id);

    // ---- SearchHooks
    void pumpMessages() override;
    bool interruptRequested() override;
    void onNewDepth(int depth) override;
    void drawPlacement(int value, int placement) override;
    void recordSolution(int depth) override;
    void showFirstPieceStatus(int percent, const Piece& piece) override;

  private:
    int readiness(std::string* status, std::int64_t* cellsLeft = nullptr) const;

    CTrianzoidDoc& m_doc;
    Platform& m_platform;
    Clock& m_clock;
};
