#include "app/about_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "app/app_icons.h"
#include "app/dialog_units.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Trianzoid");
    const DialogUnits du(*this);
    setFixedSize(du.x(235), du.y(55));

    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon().pixmap(32, 32));
    icon->setGeometry(du.x(11), du.y(17), 32, 32);

    auto* name = new QLabel("Trianzoid Version " TRIANZOID_VERSION, this);
    name->setGeometry(du.rect(40, 10, 119, 8));
    name->adjustSize();

    auto* ok = new QPushButton("OK", this);
    ok->setGeometry(du.rect(178, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
