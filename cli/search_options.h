#pragma once

#include <cstdio>

#include "cli/command_line.h"

class CTrianzoidView;

// The engine of the search as the options ask: the straightforward one, the fast one on one thread, or
// the fast one on several threads (one per core unless --threads says otherwise).
void applySearchOptions(CTrianzoidView& view, const SolveOptions& options);
// The number of worker threads the options ask for.
int searchThreads(const SolveOptions& options);
// --stats: "stappen S, oplossingen N" on `err`.
void printSearchStats(const CTrianzoidView& view, const SolveOptions& options, std::FILE* err);
