#include "app/app_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include "board/palette.h"
#include "view/command_ids.h"

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

void drawPage(QPainter& p) {
    const QPolygonF page{{3.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 13.5}, {3.5, 13.5}};
    p.setBrush(Qt::white);
    p.drawPolygon(page);
    p.drawPolyline(QPolygonF{{10.5, 1.5}, {10.5, 4.5}, {13.5, 4.5}});
}

void drawFolder(QPainter& p) {
    p.setBrush(QColor(240, 210, 100));
    p.drawPolygon(QPolygonF{{0.5, 3.5}, {5.5, 3.5}, {6.5, 4.5}, {12.5, 4.5}, {12.5, 13.5}, {0.5, 13.5}});
    p.setBrush(QColor(255, 235, 150));
    p.drawPolygon(QPolygonF{{2.5, 7.5}, {15.5, 7.5}, {12.5, 13.5}, {0.5, 13.5}});
}

void drawDisk(QPainter& p) {
    p.setBrush(QColor(40, 60, 140));
    p.drawRect(QRectF(1.5, 1.5, 12, 12));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 8, 5));
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(4.5, 9.5, 6, 4));
}

// A small piece of three triangles: what a piece file holds.
void drawPieceFile(QPainter& p) {
    drawFolder(p);
    p.setBrush(QColor(palette[1].r, palette[1].g, palette[1].b));
    p.drawPolygon(QPolygonF{{5.5, 1.5}, {9.5, 8.5}, {1.5, 8.5}});
    p.setBrush(QColor(palette[3].r, palette[3].g, palette[3].b));
    p.drawPolygon(QPolygonF{{5.5, 1.5}, {13.5, 1.5}, {9.5, 8.5}});
}

void drawPrinter(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 0.5, 7, 6));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(1.5, 5.5, 13, 6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 9.5, 9, 4));
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(QPointF(12.5, 7.5));
}

void drawQuestion(QPainter& p) {
    p.setBrush(QColor(255, 255, 200));
    p.drawEllipse(QRectF(1.5, 0.5, 13, 13));
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 160));
    p.drawText(QRectF(1.5, 0.5, 13, 13), Qt::AlignCenter, "?");
}

// A blocked cell in its fill colour.
void drawFillColour(QPainter& p, int index) {
    const Rgb c = palette[static_cast<std::size_t>(65 + index)];
    p.setBrush(QColor(c.r, c.g, c.b));
    p.drawPolygon(QPolygonF{{1.5, 1.5}, {14.5, 1.5}, {8, 13.5}});
}

void drawIcon(QPainter& p, int id) {
    p.setPen(QPen(Qt::black, 1.0));
    switch (id) {
        case Cmd::FileNew:
            drawPage(p);
            break;
        case Cmd::FileOpen:
            drawFolder(p);
            break;
        case Cmd::FileSave:
            drawDisk(p);
            break;
        case Cmd::OpenPieceFile:
            drawPieceFile(p);
            break;
        case Cmd::FilePrint:
            drawPrinter(p);
            break;
        case Cmd::AppAbout:
            drawQuestion(p);
            break;
        default:
            if (id >= Cmd::ToolFillGrey && id <= Cmd::ToolFillYellow)
                drawFillColour(p, id - Cmd::ToolFillGrey);
            break;
    }
}

QPixmap renderIcon(int id, int scale) {
    QPixmap pixmap(kWidth * scale, kHeight * scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, scale > 1);
    p.scale(scale, scale);
    drawIcon(p, id);
    return pixmap;
}

}  // namespace

QIcon toolbarIcon(int id) {
    QIcon icon;
    icon.addPixmap(renderIcon(id, 1));
    icon.addPixmap(renderIcon(id, 2));
    return icon;
}

// The resources of a static library are registered by hand.
static void registerResources() {
    Q_INIT_RESOURCE(trianzoid);
}

QIcon applicationIcon() {
    static const bool registered = (registerResources(), true);
    (void)registered;
    return QIcon(":/icons/trianzoid.svg");
}
