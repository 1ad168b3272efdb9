#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the user asked for on the command line of trianzoid-solve.
struct SolveOptions {
    std::string documentPath;        // the Board document (".trz")
    std::string pieceFile;           // --pieces: instead of the piece file named in the document; empty: none
    std::string outputDir;           // --output-dir: folder of the solution files; empty: the current folder
    bool letters = false;            // --letters: one letter line per solution
    bool distinct = false;           // --distinct: every tiling once
    bool unique = false;             // --unique: one tiling of each symmetry class
    bool packings = false;           // --packings: every piece placed, the cells left over stay open
    bool countOnly = false;          // --count-only: the counts alone, no solution file and no log
    std::int64_t solutionLimit = 0;  // --limit: stop after this many solutions; 0: no limit
    bool noCounts = false;           // --no-counts: no distinct and unique counts, for measuring their cost
    bool yes = false;                // --yes: search even when the checkerboard test says it is impossible
    bool quiet = false;              // --quiet: no progress display
    int threads = 0;                 // --threads: worker threads of the search; 0: one per core
    bool plainEngine = false;  // --engine plain: the straightforward engine (one thread), for comparison
    bool stats = false;        // --stats: steps, solutions and seconds on standard error at the end
    int shardIndex = 0;        // --shard K/N: only part K (1 .. N) of N, written to a part file
    int shardCount = 0;
    std::string survey;  // --survey: the shape family whose regions are searched, instead of a Board
    std::vector<std::string> mergeParts;  // --merge: part files to join into the files of a whole search

    // --export: pictures of the solutions of an earlier search, instead of a search.
    std::string exportFormat;     // "svg", "png" or "pdf"
    std::string exportSolutions;  // --solutions: "1-20, 35"; empty: all
    std::string exportTarget;     // --to: the folder (SVG, PNG) or the ".pdf" file
    int pictureWidth = 480;       // --size: width of a picture in pixels (SVG, PNG)
    int perPage = 12;             // --per-page: solutions on a page of the sheet (PDF)
    bool letterPaper = false;     // --paper letter (else a4)
    bool landscape = false;       // --landscape
    bool blackAndWhite = false;   // --black-white
};

inline constexpr int kMaxThreads = 256;
inline constexpr int kMaxShards = 100000;
inline constexpr int kMinPictureWidth = 16;
inline constexpr int kMaxPictureWidth = 20000;
inline constexpr int kMaxPerPage = 100;

struct ParsedCommandLine {
    enum class Action { Solve, Merge, Export, Survey, Help, Version, UsageError };
    Action action = Action::UsageError;
    SolveOptions options;
    std::string error;  // for UsageError: what was wrong, in Dutch
};

// GNU-style options (long options, "--name=value" or "--name value", "--" ends the options).
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string usageLine(const std::string& program);
std::string helpText(const std::string& program);
std::string versionText();
// The lines of --help about --survey.
std::string surveyHelpText();
// The options of --export; `allFormats` for trianzoid-export, which makes PNG and PDF too.
std::string exportHelpText(bool allFormats);
