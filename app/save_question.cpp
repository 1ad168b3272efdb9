#include "app/save_question.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>

SaveAnswer askSaveQuestion(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton("Ja", QMessageBox::YesRole);
    QPushButton* no = box.addButton("Nee", QMessageBox::NoRole);
    QPushButton* cancel = box.addButton("Annuleren", QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes) return SaveAnswer::Save;
    return box.clickedButton() == no ? SaveAnswer::Discard : SaveAnswer::Stay;
}
