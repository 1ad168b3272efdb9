#include "app/pieces_dialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "app/dialog_integer.h"
#include "app/dialog_units.h"
#include "board/palette.h"
#include "pictures/qpainter_surface.h"

namespace {

// Button identifiers of the template, in the order of m_pButtons.
constexpr int kButtonIds[6] = {1025, 1, 1013, 1014, 1015, 1016};

}  // namespace

CPiecesDlg::CPiecesDlg(PieceSet& pieces, bool readOnly, QWidget* parent)
    : QDialog(parent), m_logic(pieces, readOnly) {
    setWindowTitle(QString::fromStdString(pieces.m_szPieceFile));
    const DialogUnits du(*this);
    setFixedSize(du.x(305), du.y(207));

    auto group = [&](const char* title, int x, int y, int w, int h) {
        auto* box = new QGroupBox(title, this);
        box->setGeometry(du.rect(x, y, w, h));
        box->lower();
    };
    auto push = [&](int index, const char* text, int x, int y) {
        auto* b = new QPushButton(text, this);
        b->setGeometry(du.rect(x, y, 50, 14));
        b->setAutoDefault(false);
        m_pButtons[index] = b;
        return b;
    };
    auto label = [&](const char* text, int x, int y) {
        auto* l = new QLabel(text, this);
        QRect at = du.rect(x, y, 44, 11);
        at.setWidth(std::max(at.width(), l->sizeHint().width()));  // a wider font must not cut the text
        l->setGeometry(at);
    };
    auto edit = [&](int x, int y, int w) {
        auto* e = new QLineEdit(this);
        e->setGeometry(du.rect(x, y, w, 12));
        return e;
    };

    connect(push(0, "Beginwaarde", 187, 7), &QPushButton::clicked, this, &CPiecesDlg::resetToStart);
    connect(push(1, "OK", 241, 7), &QPushButton::clicked, this, &CPiecesDlg::accept);
    group("Trianzoid", 181, 29, 117, 72);
    QPushButton* nextPiece = push(2, ">>", 187, 43);
    nextPiece->setDefault(true);  // Enter moves to the next piece
    connect(nextPiece, &QPushButton::clicked, this, [this] { move(&PiecesDialogLogic::nextPiece); });
    connect(push(3, "<<", 241, 43), &QPushButton::clicked, this,
            [this] { move(&PiecesDialogLogic::previousPiece); });
    label("Exemplaren:", 188, 68);
    m_pCopies = edit(238, 65, 19);
    label("Kleurnummer:", 188, 87);
    m_pColour = edit(238, 84, 19);
    group("Rotatie trianzoid", 181, 111, 117, 61);
    connect(push(4, ">>", 187, 124), &QPushButton::clicked, this,
            [this] { move(&PiecesDialogLogic::nextOrientation); });
    connect(push(5, "<<", 241, 124), &QPushButton::clicked, this,
            [this] { move(&PiecesDialogLogic::previousOrientation); });
    m_pTakesPart = new QRadioButton("Doet mee", this);
    m_pTakesPart->setGeometry(du.rect(187, 148, 50, 14));
    m_pExcluded = new QRadioButton("Uitgesloten", this);
    m_pExcluded->setGeometry(du.rect(241, 148, 50, 14));
    m_pRadios = new QButtonGroup(this);
    m_pRadios->addButton(m_pTakesPart, 0);
    m_pRadios->addButton(m_pExcluded, 1);
    m_pStatus = edit(7, 188, 291);
    m_pStatus->setReadOnly(true);

    // While a search uses the copies as its counters the dialog only shows; without pieces there is
    // nothing to edit either.
    const bool editable = !readOnly && m_logic.hasPieces();
    m_pCopies->setReadOnly(!editable);
    m_pColour->setReadOnly(!editable);
    m_pTakesPart->setEnabled(editable);
    m_pExcluded->setEnabled(editable);
    m_pButtons[0]->setEnabled(!readOnly);
    nextPiece->setFocus();
}

QPushButton* CPiecesDlg::button(int id) const {
    for (int i = 0; i < 6; ++i)
        if (kButtonIds[i] == id) return m_pButtons[i];
    return nullptr;
}

void CPiecesDlg::refreshStatus() {
    m_pStatus->setText(QString::fromStdString(m_logic.statusText()));
    if (!m_logic.hasPieces()) {
        m_pColour->clear();
        m_pCopies->clear();
        return;
    }
    m_fields = m_logic.fields();
    // The radio group shows "none" for -1.
    m_pRadios->setExclusive(false);
    m_pTakesPart->setChecked(m_fields.excluded == 0);
    m_pExcluded->setChecked(m_fields.excluded == 1);
    m_pRadios->setExclusive(true);
    m_pColour->setText(QString::number(m_fields.colorNumber));
    m_pCopies->setText(QString::number(m_fields.copies));
}

bool CPiecesDlg::storeFields() {
    m_bExchangeFailed = false;
    if (m_logic.readOnly() || !m_logic.hasPieces()) return true;
    // The exchange in the template's order; it stops at the first refused field, and the members not
    // read keep their values. Its outcome is not consulted: the range check below decides.
    m_fields.excluded = m_pRadios->checkedId();
    if (!exchangeInteger(this, m_pColour, PiecesDialogLogic::kMinField, PiecesDialogLogic::kMaxField,
                         m_fields.colorNumber) ||
        !exchangeInteger(this, m_pCopies, PiecesDialogLogic::kMinField, PiecesDialogLogic::kMaxField,
                         m_fields.copies))
        m_bExchangeFailed = true;
    return m_logic.store(m_fields);
}

void CPiecesDlg::move(bool (PiecesDialogLogic::*step)()) {
    if (!storeFields()) return;
    if (!(m_logic.*step)()) return;
    update();
    refreshStatus();
}

void CPiecesDlg::resetToStart() {
    m_logic.resetToStart();
    refreshStatus();
    update();
}

void CPiecesDlg::accept() {
    if (!storeFields() || m_bExchangeFailed) return;
    QDialog::accept();
}

void CPiecesDlg::closeEvent(QCloseEvent* event) {
    if (!storeFields() || m_bExchangeFailed) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CPiecesDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    refreshStatus();
}

void CPiecesDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPainterSurface surface(painter, false);
    const PiecesDrawingGeometry geometry = PiecesDialogLogic::geometryFor(width(), height());
    auto cell = [&](int x, int y, int colour) {
        const auto corners = PiecesDialogLogic::triangle(geometry, x, y);
        const Point vertices[3] = {corners[0], corners[1], corners[2]};
        surface.triangle(vertices,
                         ::palette[static_cast<std::size_t>(PiecesDialogLogic::drawingColour(colour))], true);
    };
    for (int x = 0; x < PiecesDialogLogic::kCanvasColumns; ++x)
        for (int y = 0; y < PiecesDialogLogic::kCanvasRows; ++y) cell(x, y, PiecesDialogLogic::kEmptyColour);
    for (const CellPos& at : m_logic.shownCells()) cell(at.x, at.y, m_logic.shownColour());
}
