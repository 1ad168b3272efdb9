#pragma once

#include <cstdint>
#include <string>

#include "board/board.h"
#include "board/board_geometry.h"
#include "platform/drawing_surface.h"

// Where the pictures of an export go: one file per solution (SVG, PNG) or a sheet of many (PDF). The
// export draws each solution with the view's own drawing onto the surface the sink hands out.
class PictureSink {
  public:
    virtual ~PictureSink() = default;

    // Before the first picture: how many pictures follow, how many solutions the file holds (for the
    // width of the numbers in file names) and the Board they show. False when the target cannot be made.
    virtual bool start(std::int64_t pictures, std::int64_t solutionsInFile, const Board& board) = 0;
    // The largest picture, in the sink's pixels, from (0, 0).
    virtual Rect pictureArea() const = 0;
    // The width every picture has, as the user chose it (the Board drawn in it as large as fits, the
    // rest background); 0 where pictures are as wide as the Board needs (a sheet's grid).
    virtual int pictureWidth() const { return 0; }
    // A surface for solution `number` (from 1) of `size` pixels, its origin the picture's top left.
    virtual DrawingSurface* beginPicture(std::int64_t number, const Rect& size) = 0;
    // Around the drawing of one piece: formats that keep pieces apart (SVG groups) use the label.
    virtual void beginPiece(const std::string& /*label*/) {}
    virtual void endPiece() {}
    // False when the picture could not be written.
    virtual bool endPicture() = 0;
    // After the last picture: completes the target; false when that failed.
    virtual bool finish() = 0;
    // A cancelled or failed export: removes what is not complete, so that no half-written file is
    // left under a target's name.
    virtual void abandon() = 0;

    // What went wrong, in Dutch, after a false return.
    std::string failure;
};
