#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

#include "solutions/solution_range.h"

class CTrianzoidDoc;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;

// What the user chose in "Oplossingen exporteren".
struct ExportChoice {
    enum class Format { Svg, Png, Pdf };
    Format format = Format::Pdf;
    QString range;  // empty: all
    bool colour = true;
    int width = 480;   // SVG, PNG: pixels
    int perPage = 12;  // PDF
    bool letterPaper = false;
    bool landscape = false;
    QString target;  // a folder (SVG, PNG) or the ".pdf" file
};

// The dialog of "E&xporteren...": format, all solutions or a range, colour or black and white, the size
// of a picture or the solutions on a page, and the target. OK refuses a range that is not a list of
// numbers or names a solution beyond the count, and an empty target, with a message.
class ExportDialog : public QDialog {
    Q_OBJECT
  public:
    ExportDialog(QWidget* parent, std::int64_t solutionCount, bool colour, const QString& folder);
    ExportChoice choice() const;
    void accept() override;

  private:
    void formatChanged();
    void browse();
    // Before an existing PDF or existing pictures are replaced: the question, true to go on. A PDF that
    // Browse... chose has been asked about there.
    bool mayReplace(const ExportChoice& chosen, SolutionRange range);

    std::int64_t m_nSolutionCount;
    QString m_strFolder;
    QString m_strBrowsedFile;  // the PDF whose replacing the file dialog asked about
    QComboBox* m_pFormat;
    QRadioButton* m_pAll;
    QRadioButton* m_pSome;
    QLineEdit* m_pRange;
    QComboBox* m_pColour;
    QLabel* m_pWidthLabel;
    QSpinBox* m_pWidth;
    QLabel* m_pPerPageLabel;
    QSpinBox* m_pPerPage;
    QLabel* m_pPaperLabel;
    QComboBox* m_pPaper;
    QComboBox* m_pOrientation;
    QLabel* m_pTargetLabel;
    QLineEdit* m_pTarget;
};

// Asks what to export and exports the solutions of `solutionPath` for the Board and pieces of `doc`,
// with a progress dialog that can cancel; reports a failure in a message box. Returns the text for the
// status bar after a finished export, empty otherwise.
QString exportSolutionsFromWindow(QWidget* parent, const CTrianzoidDoc& doc, const std::string& solutionPath,
                                  std::int64_t solutionCount, bool colour);
