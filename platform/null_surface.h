#pragma once

#include "platform/drawing_surface.h"

// For a run without a window (the command-line solver, benchmarks): what the search draws goes nowhere
// (the drawing still stores its values into the Board, which the log's pictures are printed from).
class NullSurface : public DrawingSurface {
  public:
    bool isPrinting() const override { return false; }
    void fillRect(const Rect&, Rgb) override {}
    void triangle(const Point (&)[3], Rgb, bool) override {}
    void line(Point, Point) override {}
    void setPixel(Point, Rgb) override {}
    bool showsAnything() const override { return false; }
};
