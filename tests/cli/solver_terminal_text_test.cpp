// What the solver shows of a hostile file reaches the terminal without its control characters.
#include <gtest/gtest.h>

#include "tests/cli/solver_process.h"
#include "tests/support/test_support.h"

namespace {

TEST(SolverTerminalText, ControlCharactersFromFilesAreShownAsQuestionMarks) {
    testsupport::TempDir dir;
    // An incorrect line that would turn the terminal's text red and ring its bell.
    testsupport::writeText(dir.file("kwaad.tzp"), "A1   1 \x1b[31m\a\x7f\n");
    const auto result =
        solverprocess::run(dir.path().string(),
                           {"--pieces", "kwaad.tzp", testsupport::examplesDir() + "/pentiamonds-house.trz"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "Oei: Bestand kwaad.tzp incorrect; Regel: A1   1 ?[31m?? (regel 1)\n");
}

}  // namespace
