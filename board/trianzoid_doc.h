#pragma once

#include <string>

#include "board/board.h"
#include "pieces/piece_set.h"

class Platform;

// The document: the Board, the piece file last read and its pieces.
class CTrianzoidDoc : public Board, public PieceSet {
  public:
    CTrianzoidDoc() { ResetBoard(); }

    // The Board's defaults and no piece file; the piece slots are left as they are.
    void ResetBoard();

    // After a document has been opened from `documentPath`: reads the piece file named in it again.
    // A stored path that cannot be opened as it stands and is relative or written for another system
    // is also looked for by its file name in the document's folder.
    void reloadPieceFile(const std::string& documentPath, Platform& platform);
};
