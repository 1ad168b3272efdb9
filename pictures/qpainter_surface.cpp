#include "pictures/qpainter_surface.h"

#include <QPen>
#include <QPoint>
#include <QPolygon>

namespace {

// A cosmetic pen: one device pixel wide whatever the painter's scale.
QPen blackPen() {
    QPen pen(Qt::black);
    pen.setWidth(0);
    return pen;
}

}  // namespace

void QPainterSurface::fillRect(const Rect& rect, Rgb colour) {
    painter().fillRect(QRect(rect.left, rect.top, rect.width(), rect.height()), toQColor(colour));
}

void QPainterSurface::triangle(const Point (&vertices)[3], Rgb fill, bool outline) {
    QPainter& p = painter();
    p.setPen(outline ? blackPen() : QPen(Qt::NoPen));
    p.setBrush(toQColor(fill));
    const QPoint points[3] = {
        {vertices[0].x, vertices[0].y}, {vertices[1].x, vertices[1].y}, {vertices[2].x, vertices[2].y}};
    p.drawPolygon(points, 3);
}

void QPainterSurface::line(Point from, Point to) {
    QPainter& p = painter();
    p.setPen(blackPen());
    p.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}

void QPainterSurface::setPixel(Point at, Rgb colour) {
    QPainter& p = painter();
    QPen pen(toQColor(colour));
    pen.setWidth(0);
    p.setPen(pen);
    p.drawPoint(at.x, at.y);
}
