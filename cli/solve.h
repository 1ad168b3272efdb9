#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "board/trianzoid_doc.h"
#include "cli/command_line.h"

class ConsolePlatform;

// Exit statuses of trianzoid-solve.
namespace ExitStatus {
inline constexpr int Finished = 0;
inline constexpr int Error = 1;    // an error the program reported: a file missing, incorrect, not writable
inline constexpr int Usage = 2;    // wrong use of the command line
inline constexpr int Refused = 3;  // impossible by the checkerboard test, and not told to go on
inline constexpr int Interrupted = 130;  // stopped by a signal
}  // namespace ExitStatus

// Opens the document as the application does, runs the search and prints the log's summary line on
// `out`; messages and progress go to `err`, a question's answer comes from `in`. Returns the exit status.
int solve(const SolveOptions& options, std::FILE* out, std::FILE* err, std::FILE* in);

// Writes `line` and a line end on `out` and flushes it. A closed or full standard output is an error:
// reported on `err` ("Oei: Standaarduitvoer niet te schrijven: schijf vol") and false.
bool printResultLine(std::FILE* out, const std::string& line, std::FILE* err);
// The same for what was written on `out` before.
bool finishOutput(std::FILE* out, std::FILE* err);
// Reads the Board document and its pieces as the application opens them (or the pieces of --pieces);
// false after a reported error.
bool openBoardDocument(const SolveOptions& options, ConsolePlatform& platform, CTrianzoidDoc& doc);
struct TilingCounts;
// The two count lines of a search: distinct tilings, and unique up to the Board's symmetry.
void printTilingCounts(const TilingCounts& counts, std::FILE* out);
// "Gestopt: grens --limit N bereikt.", after the summary of a search that stopped at its limit.
std::string limitReachedLine(std::int64_t limit);
