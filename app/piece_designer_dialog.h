#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "pieces/piece_design.h"

class PieceGridWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// "Trianzoids ontwerpen": the pieces of a piece file drawn on a triangle grid. A list of the pieces, the
// grid of the selected one, its label and copies, buttons to add, remove, duplicate, turn and mirror,
// a line that says what is wrong, the file's Open, Save and Save as, and "Gebruiken", which makes the
// file the Board's piece file.
class PieceDesignerDialog : public QDialog {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<bool()> canUse;                 // the window is editing
        std::function<void(const std::string&)> use;  // read this piece file as the Board's
    };
    // Starts with the piece file `path` when one is given and can be read, else with one empty piece.
    PieceDesignerDialog(const std::string& path, Hooks hooks, QWidget* parent = nullptr);

    const std::vector<DesignedPiece>& design() const { return m_pieces; }
    int currentPiece() const { return m_nCurrent; }
    QString filePath() const { return m_strPath; }
    bool changed() const { return m_bChanged; }

    PieceGridWidget* grid() const { return m_pGrid; }
    QTreeWidget* pieceList() const { return m_pList; }
    QLineEdit* labelEdit() const { return m_pLabel; }
    QSpinBox* copiesBox() const { return m_pCopies; }
    QLabel* problemLine() const { return m_pProblems; }
    QPushButton* useButton() const { return m_pUse; }

    // The actions of the buttons, also for the tests.
    void toggleCell(CellPos gridCell);
    void addPiece();
    void removePiece();
    void duplicatePiece();
    void turnPiece();
    void mirrorPiece();
    bool addStandardSet(const std::string& sizes);
    bool openFile(const QString& path);
    bool saveTo(const QString& path);
    bool save();
    bool saveAs();
    void usePieces();

  public slots:
    void reject() override;

  private:
    void select(int index);
    void recentre();
    void markChanged();
    void refresh();
    bool askToSave();
    bool refuseWithErrors(const QString& what);

    std::vector<DesignedPiece> m_pieces;
    int m_nCurrent = 0;
    CellPos m_offset;  // grid cell = shape cell + offset (an even sum, so directions are kept)
    QString m_strPath;
    bool m_bChanged = false;
    Hooks m_hooks;

    PieceGridWidget* m_pGrid;
    QTreeWidget* m_pList;
    QLineEdit* m_pLabel;
    QSpinBox* m_pCopies;
    QLabel* m_pProblems;
    QPushButton* m_pRemove;
    QPushButton* m_pUse;
};
