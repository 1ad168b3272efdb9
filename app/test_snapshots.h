#pragma once

#include <QObject>
#include <QString>

class MainWindow;

// For the tests in a real X server, active only when TRIANZOID_SNAPSHOT_DIR names a folder: writes
// layout.txt there (where the view and the menu titles are on the screen) once the window shows, and
// on SIGUSR1 saves a picture of the active dialog, else of the main window, as snapshot-N.png.
class TestSnapshots : public QObject {
    Q_OBJECT
  public:
    explicit TestSnapshots(MainWindow& window);
    // Asked by the signal: the picture and the layout.
    void takeSnapshot();
    void writeLayout();

  private:
    MainWindow& m_window;
    QString m_strDir;
    int m_nTaken = 0;
};
