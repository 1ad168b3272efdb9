#pragma once

#include <cstdio>

#include "cli/command_line.h"

// trianzoid-solve --survey FAMILY --pieces FILE.tzp [--limit N] [--to FOLDER] [--shard K/N]: every
// region of the family that the pieces might tile (as many open cells as they have triangles, and the
// checkerboard test passed), each searched with --unique --count-only, one row of a tab-separated table
// on `out` per region. The regions are spread over the threads, each searched on one thread, so that
// its steps are those of a search on one thread. Returns the exit status.
int runSurvey(const SolveOptions& options, std::FILE* out, std::FILE* err);

// The header line of the table, without its line end.
inline constexpr const char* kSurveyHeader =
    "nr\tvorm\tvakjes\tsymmetrie\tuniek\tverschillend\tstappen\tseconden";
