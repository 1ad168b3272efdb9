#pragma once

#include <vector>

#include "platform/drawing_surface.h"

// A drawing surface that draws nothing and remembers every call, for tests and for runs without a window.
class RecordingSurface : public DrawingSurface {
  public:
    struct Triangle {
        Point vertices[3];
        Rgb fill;
        bool outline;
    };
    struct Line {
        Point from;
        Point to;
    };
    struct Pixel {
        Point at;
        Rgb colour;
    };
    struct Fill {
        Rect rect;
        Rgb colour;
    };

    explicit RecordingSurface(bool printing = false, bool recording = true)
        : m_bPrinting(printing), m_bRecording(recording) {}

    bool isPrinting() const override { return m_bPrinting; }
    void fillRect(const Rect& rect, Rgb colour) override;
    void triangle(const Point (&vertices)[3], Rgb fill, bool outline) override;
    void line(Point from, Point to) override;
    void setPixel(Point at, Rgb colour) override;

    void clear();

    std::vector<Fill> fills;
    std::vector<Triangle> triangles;
    std::vector<Line> lines;
    std::vector<Pixel> pixels;

  private:
    bool m_bPrinting;
    bool m_bRecording;  // false: count nothing, keep nothing (long headless searches)
};
