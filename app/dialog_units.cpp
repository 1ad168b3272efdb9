#include "app/dialog_units.h"

#include <QFontMetrics>
#include <QWidget>
#include <cmath>

DialogUnits::DialogUnits(const QWidget& dialog) {
    // The average width of the 52 letters, as the dialog units of a template are measured.
    const QFontMetrics metrics(dialog.font());
    const double average =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
        52.0;
    m_dUnitX = average / 4.0;
    m_dUnitY = metrics.height() / 8.0;
}

int DialogUnits::x(int units) const {
    return static_cast<int>(std::lround(units * m_dUnitX));
}
int DialogUnits::y(int units) const {
    return static_cast<int>(std::lround(units * m_dUnitY));
}

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    return QRect(x(left), y(top), x(width), y(height));
}
