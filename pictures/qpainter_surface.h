#pragma once

#include <QColor>
#include <QPainter>

#include "platform/drawing_surface.h"

inline QColor toQColor(Rgb colour) {
    return QColor(colour.r, colour.g, colour.b);
}

// The Board's drawing operations on a QPainter: the window's backing image, a printed or previewed
// page, or the clipboard's SVG and PNG pictures. Lines are one device pixel wide and not smoothed, as
// on the screen the drawing was made for.
class QPainterSurface : public DrawingSurface {
  public:
    QPainterSurface(QPainter& painter, bool printing) : m_pPainter(&painter), m_bPrinting(printing) {}

    bool isPrinting() const override { return m_bPrinting; }
    void fillRect(const Rect& rect, Rgb colour) override;
    void triangle(const Point (&vertices)[3], Rgb fill, bool outline) override;
    void line(Point from, Point to) override;
    void setPixel(Point at, Rgb colour) override;

  protected:
    // For surfaces that open their painter only when something is drawn.
    explicit QPainterSurface(bool printing) : m_bPrinting(printing) {}
    virtual QPainter& painter() { return *m_pPainter; }

  private:
    QPainter* m_pPainter = nullptr;
    bool m_bPrinting;
};
