#pragma once

#include <QString>
#include <optional>

class QLineEdit;
class QWidget;

// The data exchange of the dialogs' integer fields. A field holds an integer when, apart from blanks
// and tabs around it, it is an optional sign and decimal digits whose value fits in 32 bits.
std::optional<int> parseDialogInteger(const QString& text);

// The texts of the two refusals.
QString notAnIntegerText();
QString integerOutOfRangeText(int min, int max);

// Reads `edit` into `value` and checks min .. max. On a refusal it shows the message, selects the
// field again and returns false. A field that is no integer leaves `value` as it was; an integer out of
// range is stored in `value` all the same (the check follows the reading), and the caller decides.
bool exchangeInteger(QWidget* dialog, QLineEdit* edit, int min, int max, int& value);
