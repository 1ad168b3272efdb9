// trianzoid-solve: finds every tiling of a Board document without a window.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/export_run.h"
#include "cli/interrupt_signals.h"
#include "cli/make_puzzle.h"
#include "cli/merge_parts.h"
#include "cli/solve.h"
#include "cli/survey_run.h"

int main(int argc, char** argv) {
    installInterruptHandlers();
    std::string program = "trianzoid-solve";
    std::vector<std::string> arguments(argv, argv + argc);
    const MakePuzzleRequest make = parseMakePuzzle(arguments);
    if (make.kind != MakePuzzleRequest::Kind::None && make.error.empty())
        return makePuzzle(make, stdout, stderr);
    // A usage error of either goes the same way (the default action is UsageError).
    ParsedCommandLine parsed = make.error.empty() ? parseCommandLine(arguments) : ParsedCommandLine{};
    if (!make.error.empty()) parsed.error = make.error;
    switch (parsed.action) {
        case ParsedCommandLine::Action::Help:
            std::fputs(helpText(program).c_str(), stdout);
            return finishOutput(stdout, stderr) ? ExitStatus::Finished : ExitStatus::Error;
        case ParsedCommandLine::Action::Version:
            std::fputs(versionText().c_str(), stdout);
            return finishOutput(stdout, stderr) ? ExitStatus::Finished : ExitStatus::Error;
        case ParsedCommandLine::Action::UsageError:
            std::fprintf(stderr, "%s: %s\n%sMeer informatie met '%s --help'.\n", program.c_str(),
                         parsed.error.c_str(), usageLine(program).c_str(), program.c_str());
            return ExitStatus::Usage;
        case ParsedCommandLine::Action::Solve:
            break;
        case ParsedCommandLine::Action::Merge:
            return mergeParts(parsed.options, stdout, stderr);
        case ParsedCommandLine::Action::Export:
            return runExport(parsed.options, makeSvgSink, stdout, stderr);
        case ParsedCommandLine::Action::Survey:
            return runSurvey(parsed.options, stdout, stderr);
    }
    return solve(parsed.options, stdout, stderr, stdin);
}
