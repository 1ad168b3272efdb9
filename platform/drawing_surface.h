#pragma once

#include "platform/colour.h"

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Where the Board is drawn: the window, a printed page, the clipboard picture or a test's recorder.
// The pen is always the black one-pixel pen; "no outline" stands for the null pen.
class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;

    // True for a printer page or a print preview: no background fill, the page's rectangle.
    virtual bool isPrinting() const = 0;

    virtual void fillRect(const Rect& rect, Rgb colour) = 0;
    // A filled triangle, outlined with the black pen when outline is true.
    virtual void triangle(const Point (&vertices)[3], Rgb fill, bool outline) = 0;
    // A black line from `from` to `to`, the end pixel excluded.
    virtual void line(Point from, Point to) = 0;
    virtual void setPixel(Point at, Rgb colour) = 0;
    // False for a surface that shows nothing (a run without a window): the drawing then only stores
    // what it would show into the Board.
    virtual bool showsAnything() const { return true; }
};
