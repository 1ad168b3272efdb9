// The core library must build and run without a window system: no core source may include Qt.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "tests/support/test_support.h"

namespace {

std::vector<std::string> qtIncludesIn(const std::filesystem::path& folder) {
    static const std::regex qtInclude(R"(^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/)[^>"]*[>"])");
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        auto ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp") continue;
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line))
            if (std::regex_search(line, qtInclude)) found.push_back(entry.path().string() + ": " + line);
    }
    return found;
}

TEST(CoreIndependence, NoCoreSourceIncludesQt) {
    for (const char* subsystem : {"platform", "pieces", "board", "search", "solutions", "cli"}) {
        auto folder = std::filesystem::path(testsupport::sourceDir()) / subsystem;
        ASSERT_TRUE(std::filesystem::exists(folder)) << folder;
        EXPECT_EQ(qtIncludesIn(folder), std::vector<std::string>{}) << subsystem;
    }
}

TEST(CoreIndependence, DetectorRecognisesQtIncludes) {
    testsupport::TempDir dir;
    testsupport::writeText(dir.file("a.cpp"), "#include <QWidget>\n#include <vector>\n");
    testsupport::writeText(dir.file("b.h"), "  #  include \"QtCore/qstring.h\"\n");
    EXPECT_EQ(qtIncludesIn(dir.path()).size(), 2u);
}

}  // namespace
