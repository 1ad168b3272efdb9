// A document may name anything as its piece file. Only a regular file is read again when the document
// is opened: a pipe would make the opening wait for a writer for ever, a device could be read without
// end, and a folder is no file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/view/view_fixture.h"

namespace {

TEST(HostilePiecePath, PipesDevicesAndFoldersAreNotThere) {
    testsupport::TempDir dir;
    const std::string pipe = dir.file("stukken.tzp");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {pipe, std::string("/dev/zero"), dir.path().string()}) {
        testsupport::ViewFixture f;
        f.doc.m_szPieceFile = path;
        f.doc.m_nPieces = 12;  // as stored in the document
        f.view.OnInitialUpdate(dir.file("veld.trz"));
        ASSERT_EQ(f.platform.messages.size(), 1u) << path;
        EXPECT_EQ(f.lastMessage().text, "Bestand " + path + " is er niet");
        EXPECT_EQ(f.lastMessage().caption, "Oei");
        EXPECT_EQ(f.lastMessage().icon, MessageIcon::Exclamation);
        EXPECT_EQ(f.doc.m_nPieces, 0);
        EXPECT_EQ(f.doc.m_nPieceTriangles, 0);
    }
}

}  // namespace
