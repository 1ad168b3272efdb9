#pragma once

#include <QDialog>

// The about box: the application's icon, its name and version, and OK.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
