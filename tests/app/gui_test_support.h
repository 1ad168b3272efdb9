#pragma once

#include <QPoint>
#include <QString>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "tests/support/test_support.h"

class QWidget;

namespace guitest {

// Runs `answer` on the next modal dialog (message box, file dialog, ...) as soon as it shows; the
// function must close it. Call before the code that opens the dialog.
void onNextModal(std::function<void(QWidget*)> answer);
// The text of the next message box, which is then closed with the button of that text (or the
// default button when `button` is empty). Other dialogs are left alone.
void answerMessageBox(QString* text, const QString& button = QString());
// Drops the answers that found no dialog (called at the end of every window test).
void cancelPendingAnswers();

// A main window as the program shows it, with its view at 640 x 480 pixels and the Board drawn.
class WindowFixture {
  public:
    WindowFixture();
    ~WindowFixture();
    MainWindow& window() { return *m_pWindow; }
    CTrianzoidView& view() { return m_pWindow->view(); }
    CTrianzoidDoc& doc() { return m_pWindow->document(); }
    // Full repaint now, as after a change of the window.
    void redraw();
    // The centre of a cell in the view's pixels, from the geometry of the last repaint.
    QPoint cellCentre(int col, int row);
    void click(int col, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

  private:
    std::unique_ptr<MainWindow> m_pWindow;
};

}  // namespace guitest
