#include "pieces/piece.h"

std::string labelText(const Piece& piece) {
    std::string text;
    for (char c : piece.label) {
        if (c == '\0') break;
        text += c;
    }
    return text;
}
