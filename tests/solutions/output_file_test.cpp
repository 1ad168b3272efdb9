#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

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

// A solution of 64 pieces is 257 integers: more than one round of the batch's buffer.
TEST(OutputFile, IntegersInOneWriteAreTheSameBytesAsOneByOne) {
    testsupport::TempDir dir;
    std::vector<std::int32_t> values;
    for (std::uint32_t i = 0; i < 257; ++i) values.push_back(static_cast<std::int32_t>(i * 0x81020305u));
    OutputFile batched;
    OutputFile single;
    ASSERT_TRUE(batched.create(dir.file("batched.opb")));
    ASSERT_TRUE(single.create(dir.file("single.opb")));
    batched.writeInt32s(values);
    batched.writeInt32s({});
    for (std::int32_t value : values) single.writeInt32(value);
    EXPECT_TRUE(batched.close());
    EXPECT_TRUE(single.close());
    const auto bytes = testsupport::readBytes(dir.file("batched.opb"));
    EXPECT_EQ(bytes.size(), 4u * values.size());
    EXPECT_EQ(bytes, testsupport::readBytes(dir.file("single.opb")));
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
