#include "app/field_data_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/dialog_integer.h"
#include "app/dialog_units.h"

CFieldDataDlg::CFieldDataDlg(const FieldData& data, QWidget* parent) : QDialog(parent), m_data(data) {
    setWindowTitle("Veldgegevens");
    const DialogUnits du(*this);
    setFixedSize(du.x(193), du.y(89));

    auto* group = new QGroupBox("Aantal driehoeken", this);
    group->setGeometry(du.rect(3, 9, 99, 44));
    auto label = [&](const char* text, int x, int y) {
        auto* l = new QLabel(text, this);
        l->setGeometry(du.rect(x, y, 60, 10));
    };
    auto edit = [&](int value, int x, int y) {
        auto* e = new QLineEdit(QString::number(value), this);
        e->setGeometry(du.rect(x, y, 18, 12));
        return e;
    };
    label("Breedte (oneven)", 9, 23);
    m_pRowLength = edit(data.rowLength, 70, 18);
    label("Hoogte (even)", 9, 38);
    m_pRows = edit(data.rows, 70, 36);
    label("Margepixels", 9, 66);
    m_pMargin = edit(data.marginPixels, 70, 63);
    // The group box is created first so that the labels and edits lie above it.
    group->lower();

    auto* ok = new QPushButton("OK", this);
    ok->setGeometry(du.rect(135, 6, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setGeometry(du.rect(135, 23, 50, 14));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(m_pRowLength, m_pRows);
    setTabOrder(m_pRows, m_pMargin);
    setTabOrder(m_pMargin, ok);
    setTabOrder(ok, cancel);
    m_pRowLength->setFocus();
    m_pRowLength->selectAll();
}

void CFieldDataDlg::accept() {
    FieldData read = m_data;
    if (!exchangeInteger(this, m_pRowLength, kMinRowLength, kMaxRowLength, read.rowLength)) return;
    if (!exchangeInteger(this, m_pRows, kMinRows, kMaxRows, read.rows)) return;
    if (!exchangeInteger(this, m_pMargin, kMinMargin, kMaxMargin, read.marginPixels)) return;
    m_data = read;
    QDialog::accept();
}
