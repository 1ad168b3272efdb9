#pragma once

#include <QDialog>

#include "pieces/pieces_dialog_logic.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Trianzoids": every piece of the piece file in each of its orientations, with its copies, colour
// number and the orientations that take part. Changes go straight into the document's piece slots
// when the fields are stored (arrows, OK, closing); Escape drops the fields on screen.
class CPiecesDlg : public QDialog {
    Q_OBJECT
  public:
    CPiecesDlg(PieceSet& pieces, bool readOnly, QWidget* parent = nullptr);

    PiecesDialogLogic& logic() { return m_logic; }
    QLineEdit* statusLine() const { return m_pStatus; }
    QLineEdit* colourEdit() const { return m_pColour; }
    QLineEdit* copiesEdit() const { return m_pCopies; }
    QRadioButton* takesPartButton() const { return m_pTakesPart; }
    QRadioButton* excludedButton() const { return m_pExcluded; }
    QPushButton* button(int id) const;

    // RefreshStatus: the status line and the fields from the piece shown.
    void refreshStatus();
    // StoreFields: reads the fields (refusing what is no integer or out of range in the framework's
    // words) and stores them into the piece shown; false when a value lies outside 0 .. 63.
    bool storeFields();

  public slots:
    void accept() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void move(bool (PiecesDialogLogic::*step)());
    void resetToStart();

    PiecesDialogLogic m_logic;
    PieceFields m_fields;  // the members the fields are exchanged with
    bool m_bExchangeFailed = false;
    QLineEdit* m_pStatus = nullptr;
    QLineEdit* m_pColour = nullptr;
    QLineEdit* m_pCopies = nullptr;
    QRadioButton* m_pTakesPart = nullptr;
    QRadioButton* m_pExcluded = nullptr;
    QButtonGroup* m_pRadios = nullptr;
    QPushButton* m_pButtons[6] = {};
};
