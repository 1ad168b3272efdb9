#include "app/dialog_integer.h"

#include <QLineEdit>
#include <QMessageBox>
#include <limits>

std::optional<int> parseDialogInteger(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto blank = [&](qsizetype at) { return at < n && (text[at] == ' ' || text[at] == '\t'); };
    while (blank(i)) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const qsizetype firstDigit = i;
    long long value = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
        ++i;
    }
    if (i == firstDigit) return std::nullopt;
    while (blank(i)) ++i;
    if (i != n) return std::nullopt;
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(value);
}

QString notAnIntegerText() {
    return QStringLiteral("Please enter an integer.");
}

QString integerOutOfRangeText(int min, int max) {
    return QStringLiteral("Please enter an integer between %1 and %2.").arg(min).arg(max);
}

namespace {

void refuse(QWidget* dialog, QLineEdit* edit, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Trianzoid"), text, QMessageBox::Ok, dialog);
    box.exec();
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

}  // namespace

bool exchangeInteger(QWidget* dialog, QLineEdit* edit, int min, int max, int& value) {
    const std::optional<int> read = parseDialogInteger(edit->text());
    if (!read) {
        refuse(dialog, edit, notAnIntegerText());
        return false;
    }
    value = *read;
    if (*read < min || *read > max) {
        refuse(dialog, edit, integerOutOfRangeText(min, max));
        return false;
    }
    return true;
}
