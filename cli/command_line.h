#pragma once

#include <string>
#include <vector>

// What the user asked for on the command line of trianzoid-solve.
struct SolveOptions {
    std::string documentPath;  // the Board document (".trz")
    std::string pieceFile;     // --pieces: instead of the piece file named in the document; empty: none
    std::string outputDir;     // --output-dir: folder of the solution files; empty: the current folder
    bool letters = false;      // --letters: one letter line per solution
    bool yes = false;          // --yes: search even when the checkerboard test says it is impossible
    bool quiet = false;        // --quiet: no progress display
};

struct ParsedCommandLine {
    enum class Action { Solve, Help, Version, UsageError };
    Action action = Action::UsageError;
    SolveOptions options;
    std::string error;  // for UsageError: what was wrong, in Dutch
};

// GNU-style options (long options, "--name=value" or "--name value", "--" ends the options).
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string usageLine(const std::string& program);
std::string helpText(const std::string& program);
std::string versionText();
