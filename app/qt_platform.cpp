#include "app/qt_platform.h"

#include <QApplication>
#include <QColorDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStringList>

#include "app/key_codes.h"
#include "app/view_widget.h"
#include "platform/recording_surface.h"

namespace {

// Whether a press belongs to the menus: an open popup menu, the menu bar, or a key that works the menu
// bar (Alt, alone or with a letter, and F10). Modal dialogs keep their presses too.
bool forMenusOrDialogs(QObject* watched, QEvent* event) {
    if (QApplication::activePopupWidget() || QApplication::activeModalWidget()) return true;
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Alt || key->key() == Qt::Key_F10 || (key->modifiers() & Qt::AltModifier))
            return true;
        return qobject_cast<QMenuBar*>(QApplication::focusWidget()) != nullptr;
    }
    // A button press reaches the top-level window first: the widget under the pointer decides.
    QWidget* target = qobject_cast<QWidget*>(watched);
    if (!target || target->isWindow()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        target = QApplication::widgetAt(mouse->globalPosition().toPoint());
    }
    for (QWidget* w = target; w; w = w->parentWidget())
        if (qobject_cast<QMenuBar*>(w) || qobject_cast<QMenu*>(w)) return true;
    return false;
}

// Takes the next key press or mouse button press of the program's windows, so that it reaches no
// window, and ends the waiting loop with its code. The menus, the menu bar and modal dialogs get their
// presses as usual.
class KeyPressCatcher : public QObject {
  public:
    explicit KeyPressCatcher(QEventLoop& loop) : m_loop(loop) {}
    int code = KeyCode::Other;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_bCaught) return false;
        switch (event->type()) {
            case QEvent::ShortcutOverride:
                // Keys of the accelerator table (End, Home, F1...) are presses like any other here: the
                // override keeps them from their command, so that the press itself arrives below.
                if (forMenusOrDialogs(watched, event)) return false;
                event->accept();
                return true;
            case QEvent::KeyPress:
                if (forMenusOrDialogs(watched, event)) return false;
                code = keyCodeForQtKey(static_cast<QKeyEvent*>(event)->key());
                break;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                if (forMenusOrDialogs(watched, event)) return false;
                code = KeyCode::Other;
                break;
            default:
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
    // The program is ending (a signal, the end of the session): no box may hold it up.
    if (m_bQuitPending) return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
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

void QtPlatform::endKeyWait() {
    if (m_pWaitLoop) m_pWaitLoop->exit(0);
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
                                                        const std::vector<FileFilter>& filters,
                                                        const std::string& folder) {
    const QString path = QFileDialog::getOpenFileName(m_pOwner, QString::fromStdString(title),
                                                      QString::fromStdString(folder), qtFileFilter(filters));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<Rgb> QtPlatform::chooseColour(Rgb initial) {
    const QColor chosen = QColorDialog::getColor(QColor(initial.r, initial.g, initial.b), m_pOwner);
    if (!chosen.isValid()) return std::nullopt;
    return Rgb{static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
               static_cast<std::uint8_t>(chosen.blue())};
}
