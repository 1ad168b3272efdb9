#include "app/piece_designer_dialog.h"
#include "app/save_question.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSaveFile>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/piece_grid_widget.h"
#include "board/palette.h"
#include "pieces/piece_file_reader.h"
#include "pieces/standard_piece_sets.h"
#include "platform/headless_platform.h"

namespace {

const char kFilter[] = "Trianzoid (*.tzp);;Alle bestanden (*)";

void oops(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, "Oei", text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QPushButton* button(const char* text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false);  // Enter in a field does not press a button
    return b;
}

}  // namespace

PieceDesignerDialog::PieceDesignerDialog(const std::string& path, Hooks hooks, QWidget* parent)
    : QDialog(parent), m_hooks(std::move(hooks)) {
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(12, 12, 12, 12);  // the grid's top-left corner at (12, 12)

    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    m_pGrid = new PieceGridWidget(this);
    left->addWidget(m_pGrid);
    auto* gridLabel = new QLabel(
        "Te&kenveld: een klik, of de spatie bij het kader (pijltjestoetsen), zet een "
        "driehoekje neer of haalt het weg.",
        this);
    gridLabel->setWordWrap(true);
    gridLabel->setBuddy(m_pGrid);
    left->addWidget(gridLabel);
    m_pProblems = new QLabel(this);
    m_pProblems->setWordWrap(true);
    m_pProblems->setTextFormat(Qt::PlainText);
    left->addWidget(m_pProblems);
    left->addStretch();
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* listLabel = new QLabel("Tr&ianzoids:", this);
    right->addWidget(listLabel);
    m_pList = new QTreeWidget(this);
    m_pList->setHeaderLabels({"Naam", "Exemplaren", "Driehoekjes"});
    m_pList->setRootIsDecorated(false);
    m_pList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    listLabel->setBuddy(m_pList);
    right->addWidget(m_pList);

    auto* fields = new QGridLayout;
    m_pLabel = new QLineEdit(this);
    m_pLabel->setMaxLength(2);
    m_pLabel->setValidator(new QRegularExpressionValidator(QRegularExpression("[!-~ ]{0,2}"), m_pLabel));
    m_pCopies = new QSpinBox(this);
    m_pCopies->setRange(0, 63);
    auto* labelLabel = new QLabel("&Naam:", this);
    labelLabel->setBuddy(m_pLabel);
    auto* copiesLabel = new QLabel("&Exemplaren:", this);
    copiesLabel->setBuddy(m_pCopies);
    fields->addWidget(labelLabel, 0, 0);
    fields->addWidget(m_pLabel, 0, 1);
    fields->addWidget(copiesLabel, 1, 0);
    fields->addWidget(m_pCopies, 1, 1);
    right->addLayout(fields);

    auto* pieceButtons = new QGridLayout;
    auto* add = button("&Toevoegen", this);
    m_pRemove = button("&Verwijderen", this);
    auto* duplicate = button("&Dupliceren", this);
    auto* turn = button("D&raaien", this);
    auto* mirror = button("&Spiegelen", this);
    auto* standard = button("St&andaardset...", this);
    QPushButton* const order[] = {add, m_pRemove, duplicate, turn, mirror, standard};
    for (int i = 0; i < 6; ++i) pieceButtons->addWidget(order[i], i / 2, i % 2);
    right->addLayout(pieceButtons);

    auto* fileButtons = new QGridLayout;
    auto* open = button("&Openen...", this);
    auto* saveButton = button("O&pslaan", this);
    auto* saveAsButton = button("Opslaan a&ls...", this);
    m_pUse = button("&Gebruiken", this);
    auto* close = button("Sl&uiten", this);
    fileButtons->addWidget(open, 0, 0);
    fileButtons->addWidget(saveButton, 0, 1);
    fileButtons->addWidget(saveAsButton, 1, 0);
    fileButtons->addWidget(m_pUse, 1, 1);
    fileButtons->addWidget(close, 2, 1);
    right->addLayout(fileButtons);
    columns->addLayout(right);

    connect(m_pGrid, &PieceGridWidget::toggled, this, &PieceDesignerDialog::toggleCell);
    connect(m_pList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) select(m_pList->indexOfTopLevelItem(item));
    });
    connect(m_pLabel, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_pieces[static_cast<std::size_t>(m_nCurrent)].label = text.toStdString();
        markChanged();
    });
    connect(m_pCopies, &QSpinBox::valueChanged, this, [this](int copies) {
        if (m_pieces[static_cast<std::size_t>(m_nCurrent)].copies == copies) return;
        m_pieces[static_cast<std::size_t>(m_nCurrent)].copies = copies;
        markChanged();
    });
    connect(add, &QPushButton::clicked, this, &PieceDesignerDialog::addPiece);
    connect(m_pRemove, &QPushButton::clicked, this, &PieceDesignerDialog::removePiece);
    connect(duplicate, &QPushButton::clicked, this, &PieceDesignerDialog::duplicatePiece);
    connect(turn, &QPushButton::clicked, this, &PieceDesignerDialog::turnPiece);
    connect(mirror, &QPushButton::clicked, this, &PieceDesignerDialog::mirrorPiece);
    connect(standard, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QString sizes = QInputDialog::getText(
            this, "Standaardset",
            "Alle vrije trianzoids van de grootten (zoals 6 of 4-6):", QLineEdit::Normal, "6", &ok);
        if (ok) addStandardSet(sizes.trimmed().toStdString());
    });
    connect(open, &QPushButton::clicked, this, [this] {
        if (!askToSave()) return;
        const QString chosen = QFileDialog::getOpenFileName(this, "Trianzoidbestand openen",
                                                            QFileInfo(m_strPath).absolutePath(), kFilter);
        if (!chosen.isEmpty()) openFile(chosen);
    });
    connect(saveButton, &QPushButton::clicked, this, &PieceDesignerDialog::save);
    connect(saveAsButton, &QPushButton::clicked, this, &PieceDesignerDialog::saveAs);
    connect(m_pUse, &QPushButton::clicked, this, &PieceDesignerDialog::usePieces);
    connect(close, &QPushButton::clicked, this, &PieceDesignerDialog::reject);

    // The Board's piece file when it is there; one that has gone since it was read is not an error here.
    const QString start = QString::fromStdString(path);
    if (path.empty() || !QFileInfo(start).isFile() || !openFile(start)) {
        m_pieces = {DesignedPiece{"A1", 1, {}}};
        m_strPath.clear();
        m_bChanged = false;
        select(0);
    }
    m_pGrid->setFocus();
}

void PieceDesignerDialog::select(int index) {
    if (m_pieces.empty()) m_pieces.push_back({freeLabel(m_pieces), 1, {}});
    m_nCurrent = std::clamp(index, 0, static_cast<int>(m_pieces.size()) - 1);
    recentre();
    refresh();
}

void PieceDesignerDialog::recentre() {
    const polyiamonds::Shape& shape = m_pieces[static_cast<std::size_t>(m_nCurrent)].shape;
    if (shape.empty()) {
        m_offset = {0, 0};
        return;
    }
    int minX = shape[0].x, maxX = minX, minY = shape[0].y, maxY = minY;
    for (CellPos c : shape)
        minX = std::min(minX, c.x), maxX = std::max(maxX, c.x), minY = std::min(minY, c.y),
        maxY = std::max(maxY, c.y);
    int dx = (PieceGridWidget::kColumns - (maxX - minX + 1)) / 2 - minX;
    const int dy = (PieceGridWidget::kRows - (maxY - minY + 1)) / 2 - minY;
    if ((dx + dy) & 1) --dx;
    m_offset = {dx, dy};
}

void PieceDesignerDialog::toggleCell(CellPos gridCell) {
    polyiamonds::Shape& shape = m_pieces[static_cast<std::size_t>(m_nCurrent)].shape;
    const CellPos cell{gridCell.x - m_offset.x, gridCell.y - m_offset.y};
    auto at = std::find(shape.begin(), shape.end(), cell);
    if (at != shape.end())
        shape.erase(at);
    else
        shape.push_back(cell);
    markChanged();
}

void PieceDesignerDialog::addPiece() {
    m_pieces.push_back({freeLabel(m_pieces), 1, {}});
    markChanged();
    select(static_cast<int>(m_pieces.size()) - 1);
}

void PieceDesignerDialog::removePiece() {
    if (m_pieces.size() < 2) return;
    m_pieces.erase(m_pieces.begin() + m_nCurrent);
    markChanged();
    select(m_nCurrent);
}

void PieceDesignerDialog::duplicatePiece() {
    DesignedPiece copy = m_pieces[static_cast<std::size_t>(m_nCurrent)];
    copy.label = freeLabel(m_pieces);
    m_pieces.insert(m_pieces.begin() + m_nCurrent + 1, copy);
    markChanged();
    select(m_nCurrent + 1);
}

void PieceDesignerDialog::turnPiece() {
    polyiamonds::Shape& shape = m_pieces[static_cast<std::size_t>(m_nCurrent)].shape;
    shape = polyiamonds::transformed(shape, 2);  // 60 degrees
    recentre();
    markChanged();
}

void PieceDesignerDialog::mirrorPiece() {
    polyiamonds::Shape& shape = m_pieces[static_cast<std::size_t>(m_nCurrent)].shape;
    shape = polyiamonds::transformed(shape, 1);  // left to right
    recentre();
    markChanged();
}

bool PieceDesignerDialog::addStandardSet(const std::string& text) {
    const auto sizes = polyiamonds::parseSetSizes(text);
    if (!sizes) {
        oops(this, "Geef grootten van 1 tot en met 9, zoals 6 of 4-6.");
        return false;
    }
    // One empty piece, as a new design starts, is replaced.
    const bool replace = m_pieces.size() == 1 && m_pieces[0].shape.empty();
    const std::size_t total = polyiamonds::standardSetCount(*sizes) + (replace ? 0 : m_pieces.size());
    if (total > static_cast<std::size_t>(kMaxPieces)) {
        oops(this, QString("Dat geeft %1 trianzoids, meer dan de %2 van een trianzoidbestand.")
                       .arg(total)
                       .arg(kMaxPieces));
        return false;
    }
    if (replace) m_pieces.clear();
    const int first = static_cast<int>(m_pieces.size());
    for (DesignedPiece& piece : standardSetDesign(*sizes)) m_pieces.push_back(std::move(piece));
    markChanged();
    select(first);
    return true;
}

bool PieceDesignerDialog::openFile(const QString& path) {
    PieceSet read;
    HeadlessPlatform platform;
    ReadPieceFile(read, path.toStdString(), platform);
    if (!platform.messages.empty()) {
        oops(this, QString::fromStdString(platform.messages.front().text));
        return false;
    }
    m_pieces = designOf(read);
    m_strPath = QFileInfo(path).absoluteFilePath();
    m_bChanged = false;
    select(0);
    return true;
}

bool PieceDesignerDialog::refuseWithErrors(const QString& what) {
    const DesignCheck check = checkDesign(m_pieces);
    if (check.errors.empty()) return false;
    QString text = what + " kan nog niet:";
    for (const std::string& error : check.errors) text += "\n" + QString::fromStdString(error);
    oops(this, text);
    return true;
}

bool PieceDesignerDialog::saveTo(const QString& path) {
    if (refuseWithErrors("Opslaan")) return false;
    const std::string text = pieceFileText(m_pieces);
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written)
        written =
            file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
    // commit() renames the finished file over the old one: a failure leaves the old file as it was.
    if (!written || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        oops(this,
             QString("Het trianzoidbestand kan niet worden opgeslagen in %1.\n%2\nEen bestaand bestand is "
                     "niet veranderd.")
                 .arg(QDir::toNativeSeparators(path), reason));
        return false;
    }
    m_strPath = QFileInfo(path).absoluteFilePath();
    m_bChanged = false;
    refresh();
    return true;
}

bool PieceDesignerDialog::save() {
    return m_strPath.isEmpty() ? saveAs() : saveTo(m_strPath);
}

bool PieceDesignerDialog::saveAs() {
    if (refuseWithErrors("Opslaan")) return false;
    QString path =
        QFileDialog::getSaveFileName(this, "Trianzoidbestand opslaan als",
                                     m_strPath.isEmpty() ? QString("trianzoids.tzp") : m_strPath, kFilter);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += ".tzp";
    return saveTo(path);
}

void PieceDesignerDialog::usePieces() {
    if (!m_hooks.canUse || !m_hooks.canUse()) {
        refresh();
        return;
    }
    if (refuseWithErrors("Gebruiken")) return;
    if ((m_bChanged || m_strPath.isEmpty()) && !save()) return;
    if (m_hooks.use) m_hooks.use(m_strPath.toStdString());
    accept();
}

bool PieceDesignerDialog::askToSave() {
    if (!m_bChanged) return true;
    const SaveAnswer answer =
        askSaveQuestion(this, "Trianzoids ontwerpen", "Het ontwerp is gewijzigd.\nWijzigingen opslaan?");
    if (answer == SaveAnswer::Save) return save();
    return answer == SaveAnswer::Discard;
}

void PieceDesignerDialog::reject() {
    if (askToSave()) QDialog::reject();
}

void PieceDesignerDialog::markChanged() {
    m_bChanged = true;
    refresh();
}

void PieceDesignerDialog::refresh() {
    // The list: one row per piece, the current one selected.
    m_pList->blockSignals(true);
    while (m_pList->topLevelItemCount() > static_cast<int>(m_pieces.size()))
        delete m_pList->takeTopLevelItem(0);
    while (m_pList->topLevelItemCount() < static_cast<int>(m_pieces.size())) new QTreeWidgetItem(m_pList);
    for (std::size_t i = 0; i < m_pieces.size(); ++i) {
        QTreeWidgetItem* item = m_pList->topLevelItem(static_cast<int>(i));
        item->setText(0, QString::fromStdString(m_pieces[i].label));
        item->setText(1, QString::number(m_pieces[i].copies));
        item->setText(2, QString::number(m_pieces[i].shape.size()));
    }
    m_pList->setCurrentItem(m_pList->topLevelItem(m_nCurrent));
    m_pList->blockSignals(false);

    const DesignedPiece& piece = m_pieces[static_cast<std::size_t>(m_nCurrent)];
    if (m_pLabel->text().toStdString() != piece.label) m_pLabel->setText(QString::fromStdString(piece.label));
    m_pCopies->blockSignals(true);
    m_pCopies->setValue(piece.copies);
    m_pCopies->blockSignals(false);
    polyiamonds::Shape onGrid;
    for (CellPos c : piece.shape) onGrid.push_back({c.x + m_offset.x, c.y + m_offset.y});
    const Rgb colour = ::palette[static_cast<std::size_t>(m_nCurrent % kMaxPieces)];
    m_pGrid->setCells(onGrid, QColor(colour.r, colour.g, colour.b));

    const DesignCheck check = checkDesign(m_pieces);
    int triangles = 0;
    for (const DesignedPiece& p : m_pieces) triangles += p.copies * static_cast<int>(p.shape.size());
    QString line;
    if (!check.errors.empty()) {
        line = "Nog niet op te slaan: " + QString::fromStdString(check.errors.front());
        if (check.errors.size() > 1) line += QString(" (en nog %1)").arg(check.errors.size() - 1);
    } else {
        line =
            QString("%1 trianzoids, %2 driehoekjes in alle exemplaren").arg(m_pieces.size()).arg(triangles);
    }
    for (const std::string& note : check.notes) line += "\nLet op: " + QString::fromStdString(note);
    m_pProblems->setText(line);

    m_pRemove->setEnabled(m_pieces.size() > 1);
    m_pUse->setEnabled(m_hooks.canUse && m_hooks.canUse());
    const QString name = m_strPath.isEmpty() ? QString("naamloos") : QFileInfo(m_strPath).fileName();
    setWindowTitle("Trianzoids ontwerpen - " + name + (m_bChanged ? " *" : ""));
}
