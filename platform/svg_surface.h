#pragma once

#include <string>

#include "platform/drawing_surface.h"

// The Board's drawing operations as an SVG picture, written as text into a string without any library.
// Coordinates are the screen's pixels; the picture is drawn with crisp edges as the window draws it
// (no smoothing), and the black one-pixel lines run through the pixel centres, so that a viewer at the
// picture's own size shows the pixels the window shows. Pieces can be grouped, each group carrying the
// piece's label.
class SvgSurface : public DrawingSurface {
  public:
    // Starts a picture of `width` by `height` pixels in `out` (which is cleared).
    SvgSurface(std::string& out, int width, int height);

    bool isPrinting() const override { return false; }
    void fillRect(const Rect& rect, Rgb colour) override;
    void triangle(const Point (&vertices)[3], Rgb fill, bool outline) override;
    void line(Point from, Point to) override;
    void setPixel(Point at, Rgb colour) override;

    // A group of shapes, for one piece: its label goes into the group's `data-label` and `<title>`.
    void beginGroup(const std::string& label);
    void endGroup();
    // Closes every open group and the picture.
    void finish();

  private:
    std::string& m_out;
    int m_nOpenGroups = 0;
};

// Text for XML character data and attribute values: markup characters as entities, a byte of 128 and
// up as the Latin-1 character it stands for, and control characters that XML does not allow as '?'.
std::string xmlEscaped(const std::string& text);
