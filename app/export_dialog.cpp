#include "app/export_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>
#include <memory>
#include <vector>

#include "board/trianzoid_doc.h"
#include "pictures/qt_picture_sinks.h"
#include "solutions/picture_files.h"
#include "view/picture_export.h"

namespace {

void refuse(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, "Oei", text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

ExportDialog::ExportDialog(QWidget* parent, std::int64_t solutionCount, bool colour, const QString& folder)
    : QDialog(parent), m_nSolutionCount(solutionCount), m_strFolder(folder) {
    setWindowTitle("Oplossingen exporteren");
    auto* form = new QFormLayout;

    m_pFormat = new QComboBox;
    m_pFormat->addItems({"PDF-vel (vele oplossingen per pagina)", "SVG (een bestand per oplossing)",
                         "PNG (een afbeelding per oplossing)"});
    form->addRow("&Soort:", m_pFormat);

    m_pAll = new QRadioButton(QString("&Alle %1 oplossingen").arg(solutionCount));
    m_pSome = new QRadioButton("&Reeks:");
    m_pRange = new QLineEdit;
    m_pRange->setPlaceholderText("1-20, 35");
    m_pAll->setChecked(true);
    m_pRange->setEnabled(false);
    connect(m_pSome, &QRadioButton::toggled, m_pRange, &QLineEdit::setEnabled);
    auto* some = new QHBoxLayout;
    some->addWidget(m_pSome);
    some->addWidget(m_pRange);
    form->addRow("Oplossingen:", m_pAll);
    form->addRow("", some);

    m_pColour = new QComboBox;
    m_pColour->addItems({"In kleur", "Zwart-wit"});
    m_pColour->setCurrentIndex(colour ? 0 : 1);
    form->addRow("&Kleur:", m_pColour);

    m_pWidth = new QSpinBox;
    m_pWidth->setRange(16, 20000);
    m_pWidth->setValue(480);
    m_pWidthLabel = new QLabel("&Breedte (pixels):");
    m_pWidthLabel->setBuddy(m_pWidth);
    form->addRow(m_pWidthLabel, m_pWidth);

    m_pPerPage = new QSpinBox;
    m_pPerPage->setRange(1, 100);
    m_pPerPage->setValue(12);
    m_pPerPageLabel = new QLabel("Oplossingen &per pagina:");
    m_pPerPageLabel->setBuddy(m_pPerPage);
    form->addRow(m_pPerPageLabel, m_pPerPage);

    m_pPaper = new QComboBox;
    m_pPaper->addItems({"A4", "Letter"});
    m_pOrientation = new QComboBox;
    m_pOrientation->addItems({"Staand", "Liggend"});
    auto* paper = new QHBoxLayout;
    paper->addWidget(m_pPaper);
    paper->addWidget(m_pOrientation);
    m_pPaperLabel = new QLabel("Pa&pier:");
    m_pPaperLabel->setBuddy(m_pPaper);
    form->addRow(m_pPaperLabel, paper);

    m_pTarget = new QLineEdit;
    auto* browseButton = new QPushButton("B&laderen...");
    connect(browseButton, &QPushButton::clicked, this, &ExportDialog::browse);
    auto* target = new QHBoxLayout;
    target->addWidget(m_pTarget);
    target->addWidget(browseButton);
    m_pTargetLabel = new QLabel;
    m_pTargetLabel->setBuddy(m_pTarget);
    form->addRow(m_pTargetLabel, target);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText("E&xporteren");
    buttons->button(QDialogButtonBox::Cancel)->setText("Annuleren");
    connect(buttons, &QDialogButtonBox::accepted, this, &ExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExportDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_pFormat, &QComboBox::currentIndexChanged, this, &ExportDialog::formatChanged);
    formatChanged();
}

ExportChoice ExportDialog::choice() const {
    ExportChoice choice;
    const int format = m_pFormat->currentIndex();
    choice.format = format == 0   ? ExportChoice::Format::Pdf
                    : format == 1 ? ExportChoice::Format::Svg
                                  : ExportChoice::Format::Png;
    choice.range = m_pSome->isChecked() ? m_pRange->text().trimmed() : QString();
    choice.colour = m_pColour->currentIndex() == 0;
    choice.width = m_pWidth->value();
    choice.perPage = m_pPerPage->value();
    choice.letterPaper = m_pPaper->currentIndex() == 1;
    choice.landscape = m_pOrientation->currentIndex() == 1;
    choice.target = m_pTarget->text().trimmed();
    return choice;
}

void ExportDialog::formatChanged() {
    const bool sheet = m_pFormat->currentIndex() == 0;
    for (QWidget* widget : {static_cast<QWidget*>(m_pWidthLabel), static_cast<QWidget*>(m_pWidth)})
        widget->setVisible(!sheet);
    for (QWidget* widget : {static_cast<QWidget*>(m_pPerPageLabel), static_cast<QWidget*>(m_pPerPage),
                            static_cast<QWidget*>(m_pPaperLabel), static_cast<QWidget*>(m_pPaper),
                            static_cast<QWidget*>(m_pOrientation)})
        widget->setVisible(sheet);
    m_pTargetLabel->setText(sheet ? "&Bestand:" : "&Map:");
    m_pTarget->setText(QDir(m_strFolder).filePath(sheet ? "oplossingen.pdf" : "oplossingen"));
}

void ExportDialog::browse() {
    const bool sheet = m_pFormat->currentIndex() == 0;
    const QString chosen =
        sheet ? QFileDialog::getSaveFileName(this, "Pdf-vel opslaan", m_pTarget->text(),
                                             "Pdf-bestanden (*.pdf)")
              : QFileDialog::getExistingDirectory(this, "Map voor de afbeeldingen", m_pTarget->text());
    if (chosen.isEmpty()) return;
    m_pTarget->setText(QDir::toNativeSeparators(chosen));
    if (sheet) m_strBrowsedFile = QFileInfo(chosen).absoluteFilePath();
}

bool ExportDialog::mayReplace(const ExportChoice& chosen, SolutionRange range) {
    QString question;
    if (chosen.format == ExportChoice::Format::Pdf) {
        const QFileInfo file(chosen.target);
        if (!file.exists() || file.absoluteFilePath() == m_strBrowsedFile) return true;
        question = QString("Bestand %1 bestaat al.\nWilt u het vervangen?").arg(chosen.target);
    } else {
        // The pictures this export writes whose names are taken already.
        const std::string extension = chosen.format == ExportChoice::Format::Svg ? "svg" : "png";
        std::vector<std::int64_t> numbers;
        for (const QString& name : QDir(chosen.target)
                                       .entryList({QString::fromStdString("oplossing-*." + extension)},
                                                  QDir::Files | QDir::System)) {
            const std::int64_t number = name.section('-', 1).section('.', 0, 0).toLongLong();
            if (number >= 1 && number <= m_nSolutionCount &&
                name.toStdString() == pictureFileName(number, m_nSolutionCount, extension))
                numbers.push_back(number);
        }
        std::sort(numbers.begin(), numbers.end());
        QStringList taken;
        for (std::int64_t number : numbers)
            if (range.containsNext(number))
                taken << QString::fromStdString(pictureFileName(number, m_nSolutionCount, extension));
        if (taken.isEmpty()) return true;
        question = QString("De map %1 bevat al %2 van deze afbeeldingen (%3%4).\nWilt u ze vervangen?")
                       .arg(chosen.target)
                       .arg(taken.size())
                       .arg(taken.front())
                       .arg(taken.size() > 1 ? ", ..." : "");
    }
    QMessageBox box(QMessageBox::Warning, "Vervangen", question, QMessageBox::NoButton, this);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton("Ja", QMessageBox::YesRole);
    QPushButton* no = box.addButton("Nee", QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void ExportDialog::accept() {
    const ExportChoice chosen = choice();
    const auto range = SolutionRange::parse(chosen.range.toStdString());
    if (!range) {
        refuse(this, "Geef de oplossingen als nummers en reeksen, zoals 1-20, 35.");
        m_pRange->setFocus();
        return;
    }
    if (range->highest() > m_nSolutionCount) {
        refuse(
            this,
            QString("Oplossing %1 bestaat niet; er zijn er %2.").arg(range->highest()).arg(m_nSolutionCount));
        m_pRange->setFocus();
        return;
    }
    if (chosen.target.isEmpty()) {
        refuse(this,
               chosen.format == ExportChoice::Format::Pdf ? "Geef een bestand op." : "Geef een map op.");
        m_pTarget->setFocus();
        return;
    }
    if (!mayReplace(chosen, *range)) {
        m_pTarget->setFocus();
        return;
    }
    QDialog::accept();
}

QString exportSolutionsFromWindow(QWidget* parent, const CTrianzoidDoc& doc, const std::string& solutionPath,
                                  std::int64_t solutionCount, bool colour) {
    const QString folder = QFileInfo(QString::fromStdString(solutionPath)).absolutePath();
    ExportDialog dialog(parent, solutionCount, colour, folder);
    if (dialog.exec() != QDialog::Accepted) return {};
    const ExportChoice choice = dialog.choice();

    std::unique_ptr<PictureSink> sink;
    switch (choice.format) {
        case ExportChoice::Format::Svg:
            sink = std::make_unique<SvgFolderSink>(choice.target.toStdString(), choice.width);
            break;
        case ExportChoice::Format::Png:
            sink = std::make_unique<PngFolderSink>(choice.target, choice.width);
            break;
        case ExportChoice::Format::Pdf:
            sink = std::make_unique<PdfSheetSink>(
                choice.target, SheetSettings{choice.perPage, choice.letterPaper, choice.landscape});
            break;
    }
    ExportSettings settings;
    settings.range = *SolutionRange::parse(choice.range.toStdString());
    settings.colour = choice.colour;

    // The export runs here, between the window's events: the window keeps painting, and the progress
    // dialog (modal to it) can cancel.
    QProgressDialog progress("Oplossingen exporteren...", "Annuleren", 0, 100, parent);
    progress.setWindowTitle("Exporteren");
    progress.setWindowModality(Qt::WindowModal);
    // Shown at once: until it shows it blocks nothing, and a search started from the window meanwhile
    // would write the file being read.
    progress.setMinimumDuration(0);
    progress.setValue(0);
    const ExportResult result =
        exportSolutions(doc, solutionPath, settings, *sink, [&](std::int64_t done, std::int64_t total) {
            progress.setMaximum(static_cast<int>(std::min<std::int64_t>(total, 1 << 30)));
            progress.setValue(static_cast<int>(std::min<std::int64_t>(done, 1 << 30)));
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        });
    progress.reset();
    if (result.outcome == ExportOutcome::Cancelled) return {};
    if (result.outcome != ExportOutcome::Done) {
        refuse(parent, QString::fromStdString(exportErrorText(result, solutionPath)));
        return {};
    }
    return QString("%1 oplossingen geëxporteerd naar %2")
        .arg(result.written)
        .arg(QDir::toNativeSeparators(choice.target));
}
