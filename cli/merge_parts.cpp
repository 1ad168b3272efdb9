#include "cli/merge_parts.h"

#include "cli/solve.h"

int mergeParts(const SolveOptions&, std::FILE*, std::FILE*) { return ExitStatus::Error; }
