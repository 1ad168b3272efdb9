#pragma once

#include <cstdio>
#include <functional>
#include <memory>

#include "cli/command_line.h"
#include "view/picture_export.h"

// Makes the sink of the format in the options; nothing for a format this program does not make.
using PictureSinkMaker = std::function<std::unique_ptr<PictureSink>(const SolveOptions& options)>;

// The SVG files that trianzoid-solve writes itself.
std::unique_ptr<PictureSink> makeSvgSink(const SolveOptions& options);

// --export: opens the Board as a search does, finds the solution file of its size where the search
// leaves it, and exports the chosen solutions with a progress line on a terminal. The number exported
// goes to `out`, messages to `err`. Returns the exit status.
int runExport(const SolveOptions& options, const PictureSinkMaker& makeSink, std::FILE* out, std::FILE* err);
