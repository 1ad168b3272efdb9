#include "app/board_shape_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {

// The sizes a kind of shape takes, its hint, and the sizes it starts with.
struct KindFacts {
    const char* name;
    int sizes;
    const char* hint;
    std::array<int, 6> start;
};
constexpr std::array<KindFacts, 3> kKinds{{
    {"Parallellogram", 2, "A zijden langs de rijen, B rijen", {6, 6, 1, 1, 1, 1}},
    {"Zeshoek",
     6,
     "zijden vanaf de bovenkant met de klok mee; A + B = D + E, B + C = E + F",
     {3, 4, 3, 4, 3, 4}},
    {"Driehoek", 1, "zijde, punt naar boven", {6, 1, 1, 1, 1, 1}},
}};

}  // namespace

BoardShapeDialog::BoardShapeDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Vorm");
    auto* grid = new QGridLayout(this);

    m_pKind = new QComboBox(this);
    for (const KindFacts& kind : kKinds) m_pKind->addItem(kind.name);
    auto* kindLabel = new QLabel("&Vorm:", this);
    kindLabel->setBuddy(m_pKind);
    grid->addWidget(kindLabel, 0, 0);
    grid->addWidget(m_pKind, 0, 1);

    auto* sizesRow = new QHBoxLayout;
    for (std::size_t i = 0; i < m_sizes.size(); ++i) {
        m_sizeLabels[i] = new QLabel(QString(QChar('A' + static_cast<int>(i))), this);
        m_sizes[i] = new QSpinBox(this);
        m_sizes[i]->setRange(1, 59);
        sizesRow->addWidget(m_sizeLabels[i]);
        sizesRow->addWidget(m_sizes[i]);
    }
    auto* sizesLabel = new QLabel("&Maten:", this);
    sizesLabel->setBuddy(m_sizes[0]);
    grid->addWidget(sizesLabel, 1, 0);
    grid->addLayout(sizesRow, 1, 1);
    m_pSizesHint = new QLabel(this);
    grid->addWidget(m_pSizesHint, 2, 1);

    m_pHole = new QComboBox(this);
    m_pHole->addItems(
        {"Geen", "Het vakje in het midden", "De zes vakjes rond het midden", "Het vakje op kolom, rij"});
    auto* holeLabel = new QLabel("&Gat:", this);
    holeLabel->setBuddy(m_pHole);
    grid->addWidget(holeLabel, 3, 0);
    auto* holeRow = new QHBoxLayout;
    holeRow->addWidget(m_pHole);
    m_pHoleX = new QSpinBox(this);
    m_pHoleY = new QSpinBox(this);
    m_pHoleX->setRange(0, 58);
    m_pHoleY->setRange(0, 29);
    auto* xLabel = new QLabel("&Kolom", this);
    xLabel->setBuddy(m_pHoleX);
    auto* yLabel = new QLabel("&Rij", this);
    yLabel->setBuddy(m_pHoleY);
    for (QWidget* w : std::initializer_list<QWidget*>{xLabel, m_pHoleX, yLabel, m_pHoleY})
        holeRow->addWidget(w);
    grid->addLayout(holeRow, 3, 1);

    m_pResult = new QLabel(this);
    m_pResult->setWordWrap(true);
    grid->addWidget(m_pResult, 4, 0, 1, 2);

    auto* buttons = new QDialogButtonBox(this);
    m_pOk = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    buttons->addButton("Annuleren", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 5, 0, 1, 2);

    connect(m_pKind, &QComboBox::currentIndexChanged, this, &BoardShapeDialog::kindChanged);
    connect(m_pHole, &QComboBox::currentIndexChanged, this, &BoardShapeDialog::refresh);
    for (QSpinBox* box : m_sizes) connect(box, &QSpinBox::valueChanged, this, &BoardShapeDialog::refresh);
    connect(m_pHoleX, &QSpinBox::valueChanged, this, &BoardShapeDialog::refresh);
    connect(m_pHoleY, &QSpinBox::valueChanged, this, &BoardShapeDialog::refresh);
    kindChanged();
    m_pKind->setFocus();
}

BoardShape BoardShapeDialog::shape() const {
    BoardShape shape;
    const int kind = std::max(0, m_pKind->currentIndex());
    shape.kind = static_cast<BoardShape::Kind>(kind);
    for (int i = 0; i < kKinds[static_cast<std::size_t>(kind)].sizes; ++i)
        shape.sizes.push_back(m_sizes[static_cast<std::size_t>(i)]->value());
    shape.hole = static_cast<BoardShape::Hole>(std::max(0, m_pHole->currentIndex()));
    shape.holeCell = {m_pHoleX->value(), m_pHoleY->value()};
    return shape;
}

void BoardShapeDialog::kindChanged() {
    const KindFacts& kind = kKinds[static_cast<std::size_t>(std::max(0, m_pKind->currentIndex()))];
    for (std::size_t i = 0; i < m_sizes.size(); ++i) {
        const bool used = static_cast<int>(i) < kind.sizes;
        m_sizes[i]->blockSignals(true);
        m_sizes[i]->setValue(kind.start[i]);
        m_sizes[i]->blockSignals(false);
        m_sizes[i]->setVisible(used);
        m_sizeLabels[i]->setVisible(used && kind.sizes > 1);
    }
    m_pSizesHint->setText(kind.hint);
    refresh();
}

void BoardShapeDialog::refresh() {
    const bool atCell = m_pHole->currentIndex() == static_cast<int>(BoardShape::Hole::Cell);
    m_pHoleX->setEnabled(atCell);
    m_pHoleY->setEnabled(atCell);
    const ShapeLayout shaped = layout();
    if (!shaped.error.empty()) {
        m_pResult->setText(QString::fromStdString(shaped.error));
    } else {
        m_pResult->setText(QString("%1 open vakjes; het veld wordt minstens %2 bij %3 (%4)")
                               .arg(shaped.region.size())
                               .arg(2 * shaped.width - 1)
                               .arg(shaped.height)
                               .arg(QString::fromStdString(boardShapeText(shape()))));
    }
    m_pOk->setEnabled(shaped.error.empty());
}
