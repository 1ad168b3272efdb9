#pragma once

#include <cstdio>

#include "cli/command_line.h"

// --merge: joins the part files of a search split with --shard into the solution files of the whole
// search, byte for byte those of a single run (times aside). Returns the exit status.
int mergeParts(const SolveOptions& options, std::FILE* out, std::FILE* err);
