#pragma once

#include <cstdio>
#include <string>
#include <vector>

// trianzoid-solve --standard-pieces SIZES --to FILE.tzp and --make-board SHAPE --to FILE.trz
// [--pieces FILE.tzp]: making a puzzle's piece file or Board instead of searching one.
struct MakePuzzleRequest {
    enum class Kind { None, StandardPieces, Board };
    Kind kind = Kind::None;
    std::string what;       // the sizes or the shape, as given
    std::string target;     // --to
    std::string pieceFile;  // --pieces (a Board only): stored in the Board exactly as given
    std::string error;      // a usage error, in Dutch
};

// Kind::None unless the arguments hold --standard-pieces or --make-board (before a "--"), and neither
// --help nor --version; then the whole command line is read as such a request ("--name value" or
// "--name=value").
MakePuzzleRequest parseMakePuzzle(const std::vector<std::string>& arguments);

// Writes the piece file or the Board (atomically); messages on `err`, a line saying what was written on
// `out`. Returns the exit status: 0 written, 1 a file that cannot be read or written, 2 a request that
// cannot be carried out (more than 64 pieces, a shape that does not fit, a hole that does not exist).
int makePuzzle(const MakePuzzleRequest& request, std::FILE* out, std::FILE* err);

// The lines of --help about these two options.
std::string makePuzzleHelpText();
