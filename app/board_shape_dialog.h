#pragma once

#include <QDialog>
#include <array>

#include "board/board_shape.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// "Vorm": a parallelogram, hexagon or triangle with its sizes and an optional hole. A line under the
// fields says what the shape gives, or why it cannot be made; OK only for a shape that can be.
class BoardShapeDialog : public QDialog {
    Q_OBJECT
  public:
    explicit BoardShapeDialog(QWidget* parent = nullptr);

    BoardShape shape() const;
    ShapeLayout layout() const { return layOutShape(shape()); }

    QComboBox* kindBox() const { return m_pKind; }
    QComboBox* holeBox() const { return m_pHole; }
    QSpinBox* sizeBox(int index) const { return m_sizes[static_cast<std::size_t>(index)]; }
    QLabel* resultLine() const { return m_pResult; }
    QPushButton* okButton() const { return m_pOk; }

  private:
    void kindChanged();
    void refresh();

    QComboBox* m_pKind;
    std::array<QSpinBox*, 6> m_sizes{};
    std::array<QLabel*, 6> m_sizeLabels{};
    QLabel* m_pSizesHint;
    QComboBox* m_pHole;
    QSpinBox* m_pHoleX;
    QSpinBox* m_pHoleY;
    QLabel* m_pResult;
    QPushButton* m_pOk;
};
