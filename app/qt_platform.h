#pragma once

#include <QObject>
#include <QPointer>
#include <array>

#include "platform/platform.h"

class QEventLoop;
class QLabel;
class QWidget;
class ViewWidget;

// The platform of the desktop application: Qt message boxes with Dutch buttons, the main window's
// status panes, the desktop's beep, Qt's event loop for pumping and waiting, and the view's window.
class QtPlatform : public Platform {
  public:
    explicit QtPlatform(QWidget* owner) : m_pOwner(owner) {}

    void attachView(ViewWidget* view) { m_pView = view; }
    void attachPanes(const std::array<QLabel*, 4>& panes) { m_panes = panes; }

    MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                             MessageIcon icon) override;
    void setPaneText(int pane, const std::string& text) override;
    void beep(BeepSound sound) override;
    void pumpMessages() override;
    int waitForKeyPress() override;
    DrawingSurface& clientSurface() override;
    void invalidateView() override;
    std::optional<std::string> chooseFileToOpen(const std::string& title,
                                                const std::vector<FileFilter>& filters,
                                                const std::string& folder) override;
    std::optional<Rgb> chooseColour(Rgb initial) override;

    // A request to end the program that came while it could not end (a search running). Waiting for
    // a key returns at once while one is pending, message boxes are not shown; the main window carries
    // it out when the search ends.
    void setQuitPending(bool pending);
    bool quitPending() const { return m_bQuitPending; }

    std::string paneText(int pane) const;
    // Ends a wait at a solution as a key other than Escape would (a command took its place).
    void endKeyWait();
    // True while waiting for a key at a solution.
    bool waitingForKey() const { return m_pWaitLoop != nullptr; }
    int beepCount() const { return m_nBeeps; }

  private:
    QPointer<QWidget> m_pOwner;
    ViewWidget* m_pView = nullptr;
    std::array<QLabel*, 4> m_panes{};
    bool m_bQuitPending = false;
    QEventLoop* m_pWaitLoop = nullptr;
    int m_nBeeps = 0;
};

// Turns the filters of the core's open-file dialog into Qt's notation; "*.*" becomes "*", so that
// files without an extension are offered too.
QString qtFileFilter(const std::vector<FileFilter>& filters);
