#pragma once

#include <QDialog>

#include "view/trianzoid_view.h"

class QLineEdit;

// "Veldgegevens": the Board's row length, number of rows and margin. OK succeeds only when every
// field holds an integer in its range; the first field that does not is refused in the framework's
// words and selected again.
class CFieldDataDlg : public QDialog {
    Q_OBJECT
  public:
    CFieldDataDlg(const FieldData& data, QWidget* parent = nullptr);

    FieldData values() const { return m_data; }
    QLineEdit* rowLengthEdit() const { return m_pRowLength; }
    QLineEdit* rowsEdit() const { return m_pRows; }
    QLineEdit* marginEdit() const { return m_pMargin; }

    static constexpr int kMinRowLength = 5, kMaxRowLength = 59;
    static constexpr int kMinRows = 5, kMaxRows = 30;
    static constexpr int kMinMargin = 2, kMaxMargin = 400;

  public slots:
    void accept() override;

  private:
    FieldData m_data;
    QLineEdit* m_pRowLength;
    QLineEdit* m_pRows;
    QLineEdit* m_pMargin;
};
