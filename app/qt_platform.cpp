#include "app/qt_platform.h"

#include <QApplication>
#include <QColorDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "app/key_codes.h"
#include "app/view_widget.h"
#include "platform/recording_surface.h"

namespace {

// Takes the next key press or mouse button press of any window of the program, so that it reaches no
// window, and ends the waiting loop with its code.
class KeyPressCatcher : public QObject {
  public:
    explicit KeyPressCatcher(QEventLoop& loop) : m_loop(loop) {}
    int code = KeyCode::Other;

  protected:
    // A press from the window system reaches its top-level window first and is consumed there whole;
    // one sent to a widget directly is consumed at that widget.
    bool eventFilter(QObject*, QEvent* event) override {
        if (m_bCaught) return false;
        if (event->type() == QEvent::KeyPress) {
            code = keyCodeForQtKey(static_cast<QKeyEvent*>(event)->key());
        } else if (event->type() == QEvent::MouseButtonPress ||
                   event->type() == QEvent::MouseButtonDblClick) {
            code = KeyCode::Other;
        } else {
            return false;
        }
        m_bCaught = true;
        m_loop.exit(0);
        return true;
    }

  private:
    QEventLoop& m_loop;
    bool m_bCaught = false;
};

}  // namespace

MessageAnswer QtPlatform::messageBox(const std::string& text, const std::string& caption,
                                     MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                    QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::NoButton,
                    m_pOwner);
    // Texts come from files (a piece line, a path): never interpret them as markup.
    box.setTextFormat(Qt::PlainText);
    if (buttons == MessageButtons::YesNo) {
        QPushButton* yes = box.addButton("Ja", QMessageBox::YesRole);
        QPushButton* no = box.addButton("Nee", QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.addButton(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

void QtPlatform::setPaneText(int pane, const std::string& text) {
    if (pane < 0 || pane >= static_cast<int>(m_panes.size())) return;
    if (QLabel* label = m_panes[static_cast<std::size_t>(pane)]) label->setText(QString::fromStdString(text));
}

std::string QtPlatform::paneText(int pane) const {
    if (pane < 0 || pane >= static_cast<int>(m_panes.size())) return {};
    QLabel* label = m_panes[static_cast<std::size_t>(pane)];
    return label ? label->text().toStdString() : std::string();
}

void QtPlatform::beep(BeepSound) {
    ++m_nBeeps;
    QApplication::beep();
}

void QtPlatform::pumpMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int QtPlatform::waitForKeyPress() {
    if (m_bQuitPending) return KeyCode::Other;
    QEventLoop loop;
    KeyPressCatcher catcher(loop);
    qApp->installEventFilter(&catcher);
    QEventLoop* outer = m_pWaitLoop;
    m_pWaitLoop = &loop;
    loop.exec();
    m_pWaitLoop = outer;
    qApp->removeEventFilter(&catcher);
    return m_bQuitPending ? KeyCode::Other : catcher.code;
}

void QtPlatform::setQuitPending(bool pending) {
    m_bQuitPending = pending;
    if (pending && m_pWaitLoop) m_pWaitLoop->exit(0);
}

DrawingSurface& QtPlatform::clientSurface() {
    if (m_pView) return m_pView->clientSurface();
    static RecordingSurface nowhere(false, false);
    return nowhere;
}

void QtPlatform::invalidateView() {
    if (m_pView) m_pView->invalidate();
}

QString qtFileFilter(const std::vector<FileFilter>& filters) {
    QStringList parts;
    for (const FileFilter& filter : filters) {
        QString text = QString::fromStdString(filter.description);
        if (filter.pattern == "*.*") text.replace("(*.*)", "(*)");
        if (!text.contains('(')) text += " (" + QString::fromStdString(filter.pattern) + ")";
        parts << text;
    }
    return parts.join(";;");
}

std::optional<std::string> QtPlatform::chooseFileToOpen(const std::string& title,
                                                        const std::vector<FileFilter>& filters) {
    const QString path = QFileDialog::getOpenFileName(m_pOwner, QString::fromStdString(title), QString(),
                                                      qtFileFilter(filters));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<Rgb> QtPlatform::chooseColour(Rgb initial) {
    const QColor chosen = QColorDialog::getColor(QColor(initial.r, initial.g, initial.b), m_pOwner);
    if (!chosen.isValid()) return std::nullopt;
    return Rgb{static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
               static_cast<std::uint8_t>(chosen.blue())};
}
