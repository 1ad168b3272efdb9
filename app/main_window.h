#pragma once

#include <QMainWindow>
#include <QPrinter>
#include <QStringList>
#include <QUrl>
#include <memory>
#include <utility>
#include <vector>

#include "board/trianzoid_doc.h"
#include "platform/clock.h"
#include "view/trianzoid_view.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class QtPlatform;
class ViewWidget;

// The main window (the frame of the single document): menus, toolbar and status bar built from the
// command table, the document's files, printing, the clipboard and the help. Every command goes to
// dispatch(), which asks the view whether it is enabled and lets the view carry out what needs no
// window of its own.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow();
    ~MainWindow() override;

    CTrianzoidDoc& document() { return m_doc; }
    CTrianzoidView& view() { return *m_pView; }
    QtPlatform& platform() { return *m_pPlatform; }
    ViewWidget* viewWidget() const { return m_pViewWidget; }
    QToolBar* toolBar() const { return m_pToolBar; }
    QMenu* editingContextMenu() const { return m_pEditingContextMenu; }
    QMenu* solutionsContextMenu() const { return m_pSolutionsContextMenu; }
    QLabel* pane(int index) const { return m_panes[static_cast<std::size_t>(index)]; }

    // Carries out a command of a menu, button, key or popup, when it is enabled.
    void dispatch(int id);
    // Enabled and checked as the window shows them.
    CommandState commandStateFor(int id) const;
    // Enabling and check marks of every menu entry and toolbar button.
    void refreshCommandStates();
    // The actions that carry a command: main menu, toolbar, context menus and keys.
    std::vector<QAction*> actionsFor(int id) const;

    // The document's files. Each reports its own failure to the user and returns false.
    void newDocument();
    bool openDocument(const QString& path);
    bool saveDocument(const QString& path);
    QString currentFile() const { return m_strCurrentFile; }
    QString documentName() const;
    QStringList recentFiles() const { return m_recentFiles; }
    // Files dropped on the window: the first local one is opened like Open does (not during a search).
    bool openDroppedFiles(const QList<QUrl>& urls);

    // The page: the view's drawing at the page's cell size, without a background.
    bool printPage(QPrinter& printer);
    QPrinter& printer() { return m_printer; }
    // The view's drawing to the clipboard as SVG and as a PNG image.
    void copyToClipboard();

    // A request to end the program (a signal, the session): carried out at once while editing,
    // otherwise when the search has ended.
    void requestQuit();
    // Where "&Hulponderwerpen" finds the manual.
    static QString manualPath();
    // The examples installed beside the program, where the piece file dialog starts for a new Board;
    // empty when there are none.
    static QString examplesFolder();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAction* makeAction(int id, const QString& text, const char* prompt, QObject* parent);
    QMenu* buildPopup(const QString& title, std::span<const struct MenuEntry> entries, QWidget* parent);
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void buildAccelerators();
    void rebuildRecentFiles();
    void addRecentFile(const QString& path);
    void setCurrentFile(const QString& path);
    void updateTitle();
    bool maybeSave();
    bool save();
    bool saveAs();
    void openWithDialog();
    void print();
    void printPreview();
    void pageSetup();
    void fieldDataDialog();
    // The search modes of the "Zoeken" menu from and to the settings.
    void loadSearchModes();
    void saveSearchModes();
    void showPieces();
    // "Trianzoids ontwerpen...": the piece designer, on the Board's piece file.
    void designPieces();
    void openManual();
    void afterCommand();
    // A prompt of a menu entry or toolbar button in pane 0; an empty one ends it.
    void showHint(const QString& hint);

    CTrianzoidDoc m_doc;
    SystemClock m_clock;
    std::unique_ptr<QtPlatform> m_pPlatform;
    std::unique_ptr<CTrianzoidView> m_pView;
    ViewWidget* m_pViewWidget = nullptr;
    QToolBar* m_pToolBar = nullptr;
    std::array<QLabel*, 4> m_panes{};
    QMenu* m_pRecentMenu = nullptr;  // the "&Bestand" menu, which holds the recent files
    QAction* m_pRecentPlaceholder = nullptr;
    std::vector<QAction*> m_recentActions;
    QMenu* m_pEditingContextMenu = nullptr;
    QMenu* m_pSolutionsContextMenu = nullptr;
    std::vector<std::pair<int, QAction*>> m_actions;
    QTimer* m_pIdleTimer = nullptr;
    QPrinter m_printer{QPrinter::HighResolution};
    QString m_strCurrentFile;
    QStringList m_recentFiles;
    int m_nCommandDepth = 0;
    QString m_strHint;  // the prompt shown in pane 0, while it shows
};
