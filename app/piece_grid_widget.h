#pragma once

#include <QColor>
#include <QWidget>
#include <array>
#include <optional>

#include "pieces/polyiamond_shapes.h"

// The piece designer's drawing field: a fixed grid of the Board's triangles in which a click, or Space
// on the cell under the keyboard cursor (moved with the arrow keys), adds or removes a triangle.
class PieceGridWidget : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kColumns = 17, kRows = 8;
    static constexpr int kSide = 36, kMargin = 6;  // pixels; the side even

    explicit PieceGridWidget(QWidget* parent = nullptr);

    // The triangles shown, in grid cells, and their colour.
    void setCells(const polyiamonds::Shape& cells, QColor colour);
    const polyiamonds::Shape& cells() const { return m_cells; }
    CellPos cursor() const { return m_cursor; }

    // The corners of a cell and the cell at a point of the widget.
    static std::array<QPointF, 3> corners(CellPos cell);
    static std::optional<CellPos> cellAt(QPointF point);

  signals:
    void toggled(CellPos cell);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    polyiamonds::Shape m_cells;
    QColor m_colour;
    CellPos m_cursor{kColumns / 2, kRows / 2};
};
