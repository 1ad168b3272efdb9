#include "app/test_snapshots.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QSaveFile>
#include <QTextStream>
#include <QTimer>

#include "app/main_window.h"
#include "app/view_widget.h"

TestSnapshots::TestSnapshots(MainWindow& window) : m_window(window) {
    m_strDir = qEnvironmentVariable("TRIANZOID_SNAPSHOT_DIR");
    if (m_strDir.isEmpty()) return;
    QTimer::singleShot(300, this, &TestSnapshots::writeLayout);
}

void TestSnapshots::writeLayout() {
    if (m_strDir.isEmpty()) return;
    QSaveFile file(m_strDir + "/layout.txt");
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return;
    QTextStream out(&file);
    auto line = [&](const QString& name, const QRect& local, const QWidget* widget) {
        const QPoint topLeft = widget->mapToGlobal(local.topLeft());
        out << name << ' ' << topLeft.x() << ' ' << topLeft.y() << ' ' << local.width() << ' '
            << local.height() << '\n';
    };
    const ViewWidget* view = m_window.viewWidget();
    line("view", view->rect(), view);
    const QList<QAction*> menus = m_window.menuBar()->actions();
    for (qsizetype i = 0; i < menus.size(); ++i)
        line(QString("menu%1").arg(i), m_window.menuBar()->actionGeometry(menus[i]), m_window.menuBar());
    out << "status " << m_window.pane(0)->text() << '\n';
    out << "title " << m_window.windowTitle() << '\n';
    out.flush();
    file.commit();
}

void TestSnapshots::takeSnapshot() {
    if (m_strDir.isEmpty()) return;
    QWidget* shown = QApplication::activeModalWidget();
    if (!shown) shown = &m_window;
    const QString name = QString("%1/snapshot-%2.png").arg(m_strDir).arg(++m_nTaken);
    shown->grab().save(name + ".part", "PNG");
    QFile::rename(name + ".part", name);
    writeLayout();
}
