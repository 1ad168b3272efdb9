#pragma once

#include <QRect>

class QWidget;

// Places the controls of a dialog as its template gives them, in dialog units: a horizontal unit is a
// quarter of the average width of the dialog font's letters, a vertical unit an eighth of its height.
class DialogUnits {
  public:
    explicit DialogUnits(const QWidget& dialog);
    QRect rect(int x, int y, int width, int height) const;
    int x(int units) const;
    int y(int units) const;

  private:
    double m_dUnitX;
    double m_dUnitY;
};
