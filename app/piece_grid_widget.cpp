#include "app/piece_grid_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

namespace {

constexpr double kHeight = PieceGridWidget::kSide * 0.866;

}  // namespace

PieceGridWidget::PieceGridWidget(QWidget* parent) : QWidget(parent) {
    setFixedSize(2 * kMargin + (kColumns + 1) * kSide / 2,
                 2 * kMargin + static_cast<int>(kRows * kHeight) + 1);
    setFocusPolicy(Qt::StrongFocus);
}

void PieceGridWidget::setCells(const polyiamonds::Shape& cells, QColor colour) {
    m_cells = cells;
    m_colour = colour;
    update();
}

std::array<QPointF, 3> PieceGridWidget::corners(CellPos cell) {
    const double x = kMargin + cell.x * kSide / 2.0, y = kMargin + cell.y * kHeight;
    if (polyiamonds::pointsUp(cell))
        return {QPointF(x + kSide / 2.0, y), QPointF(x, y + kHeight), QPointF(x + kSide, y + kHeight)};
    return {QPointF(x, y), QPointF(x + kSide, y), QPointF(x + kSide / 2.0, y + kHeight)};
}

std::optional<CellPos> PieceGridWidget::cellAt(QPointF point) {
    const int row = static_cast<int>((point.y() - kMargin) / kHeight);
    if (point.y() < kMargin || row >= kRows) return std::nullopt;
    for (int col = 0; col < kColumns; ++col) {
        const auto c = corners({col, row});
        if (QPolygonF({c[0], c[1], c[2]}).containsPoint(point, Qt::OddEvenFill)) return CellPos{col, row};
    }
    return std::nullopt;
}

void PieceGridWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().window());
    for (int row = 0; row < kRows; ++row)
        for (int col = 0; col < kColumns; ++col) {
            const CellPos cell{col, row};
            const bool filled = std::find(m_cells.begin(), m_cells.end(), cell) != m_cells.end();
            const auto c = corners(cell);
            painter.setPen(QPen(QColor(150, 150, 150), 1));
            painter.setBrush(filled ? m_colour : QColor(Qt::white));
            painter.drawPolygon(QPolygonF({c[0], c[1], c[2]}));
        }
    if (hasFocus()) {
        const auto c = corners(m_cursor);
        painter.setPen(QPen(palette().highlight().color(), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolygon(QPolygonF({c[0], c[1], c[2]}));
    }
}

void PieceGridWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (auto cell = cellAt(event->position())) {
        m_cursor = *cell;
        emit toggled(*cell);
    }
}

void PieceGridWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            m_cursor.x = std::max(0, m_cursor.x - 1);
            break;
        case Qt::Key_Right:
            m_cursor.x = std::min(kColumns - 1, m_cursor.x + 1);
            break;
        case Qt::Key_Up:
            m_cursor.y = std::max(0, m_cursor.y - 1);
            break;
        case Qt::Key_Down:
            m_cursor.y = std::min(kRows - 1, m_cursor.y + 1);
            break;
        case Qt::Key_Space:
            emit toggled(m_cursor);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    update();
}
