#include "tests/app/gui_test_support.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <vector>

#include "app/view_widget.h"
#include "board/board_geometry.h"

namespace guitest {

namespace {

std::vector<QPointer<QTimer>>& pendingAnswers() {
    static std::vector<QPointer<QTimer>> timers;
    return timers;
}

void waitForModal(std::function<bool(QWidget*)> wanted, std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, wanted, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || !wanted(modal)) return;
        timer->stop();
        timer->deleteLater();
        answer(modal);
    });
    timer->start();
    pendingAnswers().emplace_back(timer);
}

}  // namespace

void onNextModal(std::function<void(QWidget*)> answer) {
    waitForModal([](QWidget*) { return true; }, std::move(answer));
}

void cancelPendingAnswers() {
    for (const QPointer<QTimer>& timer : pendingAnswers()) delete timer.data();
    pendingAnswers().clear();
}

void answerMessageBox(QString* text, const QString& button) {
    waitForModal([](QWidget* modal) { return qobject_cast<QMessageBox*>(modal) != nullptr; },
                 [text, button](QWidget* modal) {
                     auto* box = qobject_cast<QMessageBox*>(modal);
                     if (text) *text = box->text();
                     QAbstractButton* chosen = box->defaultButton();
                     for (QAbstractButton* b : box->buttons())
                         if (!button.isEmpty() && b->text() == button) chosen = b;
                     if (!chosen && !box->buttons().isEmpty()) chosen = box->buttons().front();
                     chosen->click();
                 });
}

namespace {

// Every window starts from no saved settings: no recent files from an earlier test.
std::unique_ptr<MainWindow> freshWindow() {
    QSettings("Local AppWizard-Generated Applications", "Trianzoid").clear();
    return std::make_unique<MainWindow>();
}

}  // namespace

WindowFixture::WindowFixture() : m_pWindow(freshWindow()) {
    m_pWindow->show();
    // The view takes what the menus, toolbar and status bar leave; make that 640 x 480.
    const QSize extra = m_pWindow->size() - m_pWindow->viewWidget()->size();
    m_pWindow->resize(QSize(640, 480) + extra);
    QCoreApplication::processEvents();
    redraw();
}

WindowFixture::~WindowFixture() {
    cancelPendingAnswers();
    view().ViewMode = kEditing;
    view().m_bModified = false;
    m_pWindow->close();
}

void WindowFixture::redraw() {
    m_pWindow->viewWidget()->invalidate();
    m_pWindow->viewWidget()->redrawNow();
}

QPoint WindowFixture::cellCentre(int col, int row) {
    const auto v = CellVertices(view().m_geometry, doc().m_nMargin, col, row);
    return QPoint((v[0].x + v[1].x + v[2].x) / 3, (v[0].y + v[1].y + v[2].y) / 3);
}

void WindowFixture::click(int col, int row, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(m_pWindow->viewWidget(), Qt::LeftButton, modifiers, cellCentre(col, row));
}

}  // namespace guitest
