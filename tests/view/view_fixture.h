#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "platform/headless_platform.h"
#include "tests/support/hand_pieces.h"
#include "tests/support/test_support.h"
#include "view/trianzoid_view.h"

namespace testsupport {

// A clock that starts at 16-12-1999 14:05:09 (UTC) and moves on by `tick` seconds at every reading.
class FakeClock : public Clock {
  public:
    std::time_t current = 945353109;
    long tick = 0;
    std::time_t now() override {
        const std::time_t t = current;
        current += tick;
        return t;
    }
    std::tm localTime(std::time_t t) override {
        std::tm fields{};
        gmtime_r(&t, &fields);
        return fields;
    }
};

// A view on a document, a headless platform and a fake clock, writing its solution files into a
// fresh folder.
struct ViewFixture {
    TempDir dir;
    CTrianzoidDoc doc;
    HeadlessPlatform platform;
    FakeClock clock;
    CTrianzoidView view{doc, platform, clock};

    ViewFixture() { view.m_strOutputDir = dir.path().string(); }

    void setBoard(const std::vector<std::string>& rows) { drawBoard(doc, rows); }
    void setPieces(const std::vector<Piece>& pieces, const std::string& pieceFile = "stukken.tzp") {
        testsupport::setPieces(doc, pieces);
        doc.m_szPieceFile = pieceFile;
    }
    // The readiness as a repaint in editing mode leaves it, then the search.
    SearchOutcome search(bool wait = false) {
        view.m_nReadiness = view.UpdateReadiness();
        return view.runSearch(wait);
    }
    std::string file(const std::string& name) const { return dir.file(name); }
    const HeadlessPlatform::Message& lastMessage() const { return platform.messages.back(); }
};

}  // namespace testsupport
