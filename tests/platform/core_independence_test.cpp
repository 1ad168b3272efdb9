// The core library must build and run without a window system: no core or view source may include Qt,
// and the core never includes the view above it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "tests/support/test_support.h"

namespace {

const std::regex qtInclude(R"(^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/)[^>"]*[>"])");
const std::regex viewInclude(R"(^\s*#\s*include\s*[<"](\.\./)*view/[^>"]*[>"])");

std::vector<std::string> includesIn(const std::filesystem::path& folder, const std::regex& include) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        auto ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp") continue;
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line))
            if (std::regex_search(line, include)) found.push_back(entry.path().string() + ": " + line);
    }
    return found;
}

TEST(CoreIndependence, NoCoreSourceIncludesQtOrTheView) {
    for (const char* subsystem : {"platform", "pieces", "board", "search", "solutions", "view", "cli"}) {
        auto folder = std::filesystem::path(testsupport::sourceDir()) / subsystem;
        ASSERT_TRUE(std::filesystem::exists(folder)) << folder;
        EXPECT_EQ(includesIn(folder, qtInclude), std::vector<std::string>{}) << subsystem;
        if (std::string(subsystem) != "view" && std::string(subsystem) != "cli") {
            EXPECT_EQ(includesIn(folder, viewInclude), std::vector<std::string>{}) << subsystem;
        }
    }
}

TEST(CoreIndependence, TheWindowAndTheExporterShareOnlyALibraryBelowThem) {
    const std::regex appOrExport(R"(^\s*#\s*include\s*"(app|export)/)");
    for (const char* folder : {"app", "export", "pictures"}) {
        auto found = includesIn(std::filesystem::path(testsupport::sourceDir()) / folder, appOrExport);
        std::erase_if(found, [&](const std::string& line) {
            return line.find(std::string("include \"") + folder + "/") != std::string::npos;
        });
        EXPECT_EQ(found, std::vector<std::string>{}) << folder;
    }
}

TEST(CoreIndependence, DetectorRecognisesQtIncludes) {
    testsupport::TempDir dir;
    testsupport::writeText(dir.file("a.cpp"), "#include <QWidget>\n#include <vector>\n");
    testsupport::writeText(dir.file("b.h"),
                           "  #  include \"QtCore/qstring.h\"\n#include \"view/command_ids.h\"\n");
    EXPECT_EQ(includesIn(dir.path(), qtInclude).size(), 2u);
    EXPECT_EQ(includesIn(dir.path(), viewInclude).size(), 1u);
}

}  // namespace
