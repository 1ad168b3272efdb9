#include <gtest/gtest.h>

#include "board/trianzoid_doc.h"
#include "solutions/opl_writer.h"
#include "solutions/solution_files.h"
#include "tests/support/test_support.h"

namespace {

// Every kind of cell in one grid: a two-character label, a one-character one, an empty one, a colour no
// piece slot has, an open cell and a value above the open one; each text ends with one space.
TEST(OplWriter, CellTextsByLabelAndValue) {
    testsupport::TempDir dir;
    CTrianzoidDoc doc;
    doc.m_nPieces = 3;
    doc.m_pieces[0].colorNumber = 3;
    doc.m_pieces[0].label[0] = 'A';
    doc.m_pieces[0].label[1] = 'B';
    doc.m_pieces[1].colorNumber = 5;
    doc.m_pieces[1].label[0] = 'C';
    doc.m_pieces[1].label[1] = '\0';
    doc.m_pieces[2].colorNumber = 6;
    doc.m_pieces[2].label[0] = '\0';
    const std::uint8_t values[2][4] = {{3, 5, 6, 9}, {kOpenCell, kOpenCell + 6, 3, 3}};
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col) doc.cell(col, row) = values[row][col];
    OutputFile file;
    ASSERT_TRUE(file.create(dir.file("t.opl")));
    OplWriter writer(file);
    EXPECT_TRUE(writer.solution({12, {}, doc, 4, 2}));
    EXPECT_TRUE(writer.solution({13, {}, doc, 1, 1}));
    ASSERT_TRUE(file.close());
    EXPECT_EQ(testsupport::readText(dir.file("t.opl")),
              "Oplossing 12\r\n\r\nAB C  ?? \r\n      AB AB \r\n\r\n"
              "Oplossing 13\r\n\r\nAB \r\n\r\n");
}

}  // namespace
