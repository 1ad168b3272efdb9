#include <gtest/gtest.h>

#include <filesystem>

#include "solutions/solution_files.h"
#include "tests/support/test_support.h"

namespace {

TEST(OutputFile, WritesBytesAndLittleEndianIntegers) {
    testsupport::TempDir dir;
    OutputFile file;
    ASSERT_TRUE(file.create(dir.file("a.opb")));
    EXPECT_TRUE(file.isOpen());
    file.writeInt32(3);
    file.writeInt32(-2);
    file.writeText("x\r\n");
    EXPECT_TRUE(file.close());
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(testsupport::readBytes(dir.file("a.opb")),
              (std::vector<std::uint8_t>{3, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 'x', '\r', '\n'}));
    // Creating again truncates.
    ASSERT_TRUE(file.create(dir.file("a.opb")));
    EXPECT_TRUE(file.close());
    EXPECT_EQ(std::filesystem::file_size(dir.file("a.opb")), 0u);
}

TEST(OutputFile, CreationFailureAndWritesWithoutAFile) {
    testsupport::TempDir dir;
    OutputFile file;
    EXPECT_FALSE(file.create(dir.file("no/such/folder/a.opl")));
    EXPECT_FALSE(file.isOpen());
    file.writeText("lost");  // nothing to write to: no effect
    EXPECT_TRUE(file.close());
    EXPECT_EQ(file.path(), dir.file("no/such/folder/a.opl"));
}

TEST(OutputFile, AFullDiskIsNotSuccess) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    OutputFile file;
    ASSERT_TRUE(file.create("/dev/full"));
    file.writeText(std::string(100, 'x'));
    EXPECT_FALSE(file.close());
    EXPECT_TRUE(file.failed());
    // The next file starts without the old failure.
    testsupport::TempDir dir;
    ASSERT_TRUE(file.create(dir.file("b.opl")));
    EXPECT_FALSE(file.failed());
    EXPECT_TRUE(file.close());
}

}  // namespace
