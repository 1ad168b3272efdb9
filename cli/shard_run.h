#pragma once

#include <cstdio>

#include "cli/command_line.h"

class CTrianzoidView;
class ConsolePlatform;

// --shard K/N: searches part K of N of the view's document on the worker threads and writes the part
// file "trianzoidLLHH.deelKvanN" into the output folder. Returns the exit status.
int runShard(CTrianzoidView& view, ConsolePlatform& platform, const SolveOptions& options, std::FILE* out);

// The split every shard and the merge agree on: enough parts for every machine to have a few dozen.
int shardTarget(int shardCount);
