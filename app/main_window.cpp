#include "app/main_window.h"
#include "app/save_question.h"

#include <algorithm>
#include <array>
#include <utility>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QSvgGenerator>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include "app/about_dialog.h"
#include "app/app_icons.h"
#include "app/board_shape_dialog.h"
#include "app/command_table.h"
#include "app/export_dialog.h"
#include "app/field_data_dialog.h"
#include "app/piece_designer_dialog.h"
#include "app/pieces_dialog.h"
#include "app/qt_platform.h"
#include "app/view_widget.h"
#include "board/document_image.h"
#include "pictures/qpainter_surface.h"
#include "view/command_facts.h"
#include "view/command_ids.h"

namespace {

constexpr int kRecentFileCount = 10;
constexpr const char* kApplicationTitle = "Trianzoid";
constexpr const char* kUntitled = "Naamloos";
constexpr const char* kDocumentFilter = "Trianzoid Files (*.trz)";

QSettings applicationSettings() {
    return QSettings("Local AppWizard-Generated Applications", "Trianzoid");
}

// The search modes of the "Zoeken" menu, kept in the settings from one run to the next.
constexpr const char* kSearchModesGroup = "Settings";
constexpr std::array<std::pair<int, const char*>, 3> kSearchModeKeys{{
    {Cmd::EachTilingOnce, "EachTilingOnce"},
    {Cmd::OnePerSymmetryClass, "UniqueUpToSymmetry"},
    {Cmd::CellsMayStayOpen, "CellsMayStayOpen"},
}};

bool isSearchMode(int id) {
    return std::any_of(kSearchModeKeys.begin(), kSearchModeKeys.end(),
                       [id](const auto& mode) { return mode.first == id; });
}

bool isRecentFile(int id) {
    return id >= Cmd::FileMru1 && id < Cmd::FileMru1 + kRecentFileCount;
}

// Commands of the accelerator table that this program has no handler for: their keys do nothing.
bool hasNoHandler(int id) {
    return commandFacts(id).handler == CommandHandler::None;
}

QKeySequence acceleratorKeys(const QString& keys) {
    if (keys == "Num++") return QKeySequence(Qt::KeypadModifier | Qt::Key_Plus);
    if (keys == "Num+-") return QKeySequence(Qt::KeypadModifier | Qt::Key_Minus);
    return QKeySequence::fromString(keys, QKeySequence::PortableText);
}

void oops(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, "Oei", text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

MainWindow::MainWindow() {
    m_pPlatform = std::make_unique<QtPlatform>(this);
    m_pView = std::make_unique<CTrianzoidView>(m_doc, *m_pPlatform, m_clock);
    m_pViewWidget = new ViewWidget(*m_pView, this);
    setCentralWidget(m_pViewWidget);
    m_pPlatform->attachView(m_pViewWidget);
    connect(m_pViewWidget, &ViewWidget::edited, this, [this] { afterCommand(); });

    setWindowIcon(applicationIcon());
    buildMenus();
    buildToolBar();
    buildStatusBar();
    buildAccelerators();

    QSettings settings = applicationSettings();
    settings.beginGroup("Recent File List");
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file = settings.value(QString("File%1").arg(i)).toString();
        if (!file.isEmpty()) m_recentFiles << file;
    }
    settings.endGroup();
    rebuildRecentFiles();
    loadSearchModes();

    setAcceptDrops(true);
    qApp->installEventFilter(this);

    m_pIdleTimer = new QTimer(this);
    m_pIdleTimer->setInterval(200);
    connect(m_pIdleTimer, &QTimer::timeout, this, &MainWindow::refreshCommandStates);
    m_pIdleTimer->start();

    resize(640, 520);
    m_pView->m_strExamplesFolder = examplesFolder().toStdString();
    setCurrentFile(QString());
    m_pView->OnInitialUpdate(std::string());
    m_pViewWidget->setFocus();
    refreshCommandStates();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    m_pPlatform->attachView(nullptr);
    m_pPlatform->attachPanes({});
}

// ---- Building the window

QAction* MainWindow::makeAction(int id, const QString& text, const char* prompt, QObject* parent) {
    auto* action = new QAction(text, parent);
    if (prompt) {
        const QString full = QString::fromUtf8(prompt);
        const qsizetype newline = full.indexOf('\n');
        action->setStatusTip(full.left(newline));
        if (newline >= 0) action->setToolTip(full.mid(newline + 1));
    }
    action->setData(id);
    action->setCheckable(commandFacts(id).checkable);
    connect(action, &QAction::triggered, this, [this, id] { dispatch(id); });
    m_actions.emplace_back(id, action);
    return action;
}

QMenu* MainWindow::buildPopup(const QString& title, std::span<const MenuEntry> entries, QWidget* parent) {
    auto* menu = new QMenu(title, parent);
    for (const MenuEntry& entry : entries) {
        if (entry.id == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = makeAction(entry.id, QString::fromUtf8(entry.text), entry.prompt, menu);
        menu->addAction(action);
        if (entry.id == Cmd::FileMru1) m_pRecentPlaceholder = action;
    }
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::refreshCommandStates);
    connect(menu, &QMenu::aboutToHide, this, [this] { showHint(QString()); });
    return menu;
}

void MainWindow::buildMenus() {
    for (const MenuTable& table : mainMenuTable()) {
        QMenu* menu = buildPopup(QString::fromUtf8(table.title), table.entries, menuBar());
        menuBar()->addMenu(menu);
        if (m_pRecentPlaceholder && !m_pRecentMenu) m_pRecentMenu = menu;
    }
    m_pEditingContextMenu = buildPopup(QString(), editingContextMenuTable(), this);
    m_pSolutionsContextMenu = buildPopup(QString(), solutionsContextMenuTable(), this);
    m_pViewWidget->setContextMenus(m_pEditingContextMenu, m_pSolutionsContextMenu);
}

void MainWindow::buildToolBar() {
    m_pToolBar = new QToolBar("Werkbalk", this);
    m_pToolBar->setObjectName("toolbar");
    m_pToolBar->setIconSize(QSize(16, 15));
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (const ToolButtonEntry& button : toolBarTable()) {
        if (button.id == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* action = makeAction(button.id, QString(), button.prompt, m_pToolBar);
        action->setIcon(toolbarIcon(button.id));
        m_pToolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        m_panes[i] = new QLabel(bar);
        m_panes[i]->setTextFormat(Qt::PlainText);  // labels from piece files are text, not markup
    }
    m_panes[0]->setText(idleStatusText());
    m_panes[0]->setMinimumWidth(1);
    bar->addWidget(m_panes[0], 1);
    const int widths[] = {70, 20, 50};
    for (std::size_t i = 1; i < m_panes.size(); ++i) {
        m_panes[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_panes[i]->setFixedWidth(widths[i - 1]);
        bar->addPermanentWidget(m_panes[i]);
    }
    m_pPlatform->attachPanes(m_panes);
}

void MainWindow::buildAccelerators() {
    for (const AcceleratorEntry& accelerator : acceleratorTable()) {
        auto* action = new QAction(this);
        action->setShortcut(acceleratorKeys(QString::fromUtf8(accelerator.keys)));
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = accelerator.id;
        connect(action, &QAction::triggered, this, [this, id] { dispatch(id); });
        addAction(action);
    }
}

// ---- Commands

CommandState MainWindow::commandStateFor(int id) const {
    if (id == Cmd::ViewToolbar) return {true, m_pToolBar && !m_pToolBar->isHidden()};
    if (id == Cmd::ViewStatusBar) return {true, !statusBar()->isHidden()};
    if (hasNoHandler(id)) return {false, false};
    if (isRecentFile(id))
        return {!m_recentFiles.isEmpty() && m_pView->commandState(Cmd::FileMru1).enabled, false};
    return m_pView->commandState(id);
}

void MainWindow::refreshCommandStates() {
    for (const auto& [id, action] : m_actions) {
        const CommandState state = commandStateFor(id);
        action->setEnabled(state.enabled);
        if (action->isCheckable()) action->setChecked(state.checked);
    }
}

std::vector<QAction*> MainWindow::actionsFor(int id) const {
    std::vector<QAction*> found;
    for (const auto& [actionId, action] : m_actions)
        if (actionId == id) found.push_back(action);
    return found;
}

void MainWindow::dispatch(int id) {
    if (!commandStateFor(id).enabled) {
        refreshCommandStates();
        return;
    }
    ++m_nCommandDepth;
    switch (id) {
        case Cmd::FileNew:
            if (maybeSave()) newDocument();
            break;
        case Cmd::FileOpen:
            openWithDialog();
            break;
        case Cmd::FileSave:
            save();
            break;
        case Cmd::FileSaveAs:
            saveAs();
            break;
        case Cmd::FilePrint:
            print();
            break;
        case Cmd::FilePrintPreview:
            printPreview();
            break;
        case Cmd::FilePageSetup:
            pageSetup();
            break;
        case Cmd::AppExit:
            close();
            break;
        case Cmd::ViewToolbar:
            m_pToolBar->setVisible(m_pToolBar->isHidden());
            break;
        case Cmd::ViewStatusBar:
            statusBar()->setVisible(statusBar()->isHidden());
            break;
        case Cmd::AppAbout: {
            AboutDialog about(this);
            about.exec();
            break;
        }
        case Cmd::HelpFinder:
            openManual();
            break;
        case Cmd::FieldData:
        case Cmd::PopupFieldData:
            fieldDataDialog();
            break;
        case Cmd::BoardToClipboard:
            copyToClipboard();
            break;
        case Cmd::DesignPieces:
            designPieces();
            break;
        case Cmd::BoardShape: {
            BoardShapeDialog dialog(this);
            if (dialog.exec() == QDialog::Accepted && m_pView->applyBoardShape(dialog.layout()))
                m_pViewWidget->invalidate();
            break;
        }
        case Cmd::ShowPieces:
        case Cmd::ShowPiecesOrientations:
            showPieces();
            break;
        case Cmd::ExportSolutions: {
            const QString done = exportSolutionsFromWindow(
                this, m_doc, m_pView->m_szSolutionName, m_pView->m_state.solutionCount,
                m_pView->ViewMode != kShowingSolutions || m_pView->m_bColourSolutions);
            if (!done.isEmpty()) statusBar()->showMessage(done, 8000);
            break;
        }
        default:
            if (isRecentFile(id)) {
                const int index = id - Cmd::FileMru1;
                if (index < m_recentFiles.size() && maybeSave()) openDocument(m_recentFiles[index]);
            } else if (commandFacts(id).handler == CommandHandler::View) {
                m_pView->OnCommand(id);
                if (isSearchMode(id)) saveSearchModes();
            }
            break;
    }
    --m_nCommandDepth;
    // At a solution of "Zoeken speciaal" the menus work; a command that interrupts the search or turns
    // the waiting off also ends this wait.
    if (m_pPlatform->waitingForKey() && (m_pView->ViewMode != kSearching || !m_pView->m_state.waitForKey))
        m_pPlatform->endKeyWait();
    afterCommand();
}

void MainWindow::afterCommand() {
    if (m_nCommandDepth > 0) return;
    const bool searching = m_pView->ViewMode == kSearching || m_pView->ViewMode == kInterruptRequested;
    if (m_pPlatform->quitPending() && !searching) {
        m_pPlatform->setQuitPending(false);
        QCoreApplication::exit(0);
        return;
    }
    refreshCommandStates();
    updateTitle();
}

void MainWindow::requestQuit() {
    const bool searching = m_pView->ViewMode == kSearching || m_pView->ViewMode == kInterruptRequested;
    if (!searching) {
        QCoreApplication::exit(0);
        return;
    }
    // The search is interrupted as by Escape, so that its files are complete; the program ends when the
    // search has returned. A search may wait inside a dialog or a menu opened on top of it: they close.
    m_pView->ViewMode = kInterruptRequested;
    m_pPlatform->setQuitPending(true);
    for (int i = 0; i < 16; ++i) {
        QWidget* open = QApplication::activePopupWidget();
        if (!open) open = QApplication::activeModalWidget();
        if (!open) break;
        if (auto* dialog = qobject_cast<QDialog*>(open))
            dialog->reject();
        else
            open->close();
    }
}

void MainWindow::loadSearchModes() {
    QSettings settings = applicationSettings();
    settings.beginGroup(kSearchModesGroup);
    // Through the commands, so that the modes stay consistent (one per symmetry class implies each once).
    for (const auto& [id, key] : kSearchModeKeys)
        if (settings.value(key, false).toBool() != m_pView->commandState(id).checked)
            m_pView->OnSearchModeCommand(id);
    settings.endGroup();
}

void MainWindow::saveSearchModes() {
    QSettings settings = applicationSettings();
    settings.beginGroup(kSearchModesGroup);
    for (const auto& [id, key] : kSearchModeKeys) settings.setValue(key, m_pView->commandState(id).checked);
    settings.endGroup();
}

void MainWindow::fieldDataDialog() {
    m_pView->OnFieldData([this](FieldData& data) {
        CFieldDataDlg dialog(data, this);
        if (dialog.exec() != QDialog::Accepted) return false;
        data = dialog.values();
        return true;
    });
}

void MainWindow::designPieces() {
    PieceDesignerDialog::Hooks hooks;
    hooks.canUse = [this] { return m_pView->ViewMode == kEditing; };
    hooks.use = [this](const std::string& path) {
        // As "Open trianzoidbestand" does: the pieces read, the readiness recomputed.
        if (m_pView->ViewMode != kEditing) return;
        m_pView->ReadPieceFile(path);
        m_pViewWidget->invalidate();
    };
    PieceDesignerDialog dialog(m_doc.m_szPieceFile, hooks, this);
    dialog.exec();
}

void MainWindow::showPieces() {
    // While a search runs the copies are its counters of copies still to place: the dialog only shows.
    const bool searching = m_pView->ViewMode == kSearching || m_pView->ViewMode == kInterruptRequested;
    CPiecesDlg dialog(m_doc, searching, this);
    dialog.exec();
    // The copies and orientations may have changed: the readiness follows at once.
    m_pView->refreshReadiness();
    m_pViewWidget->invalidate();
}

QString MainWindow::manualPath() {
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList candidates{appDir + "/../share/doc/trianzoid/handleiding.html",
                                 QStringLiteral(TRIANZOID_MANUAL_SOURCE)};
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile()) return QFileInfo(candidate).canonicalFilePath();
    return candidates.front();
}

QString MainWindow::examplesFolder() {
    const QFileInfo installed(QCoreApplication::applicationDirPath() + "/../share/trianzoid/examples");
    return installed.isDir() ? installed.canonicalFilePath() : QString();
}

void MainWindow::openManual() {
    const QString path = manualPath();
    if (!QFileInfo(path).isFile()) {
        oops(this, QString("De handleiding %1 is er niet").arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        oops(this,
             QString("Er is geen browser te starten om de handleiding te tonen.\nDe handleiding staat in %1")
                 .arg(QDir::toNativeSeparators(path)));
}

// ---- The document's files

QString MainWindow::documentName() const {
    return m_strCurrentFile.isEmpty() ? QString(kUntitled) : QFileInfo(m_strCurrentFile).fileName();
}

void MainWindow::updateTitle() {
    setWindowTitle(documentName() + " - " + kApplicationTitle);
}

void MainWindow::setCurrentFile(const QString& path) {
    m_strCurrentFile = path;
    m_pView->m_strDocumentPath = path.toStdString();
    updateTitle();
}

bool MainWindow::maybeSave() {
    if (!m_pView->m_bModified) return true;
    const SaveAnswer answer =
        askSaveQuestion(this, kApplicationTitle, QString("Wijzigingen in %1 opslaan?").arg(documentName()));
    if (answer == SaveAnswer::Save) return save();
    return answer == SaveAnswer::Discard;
}

void MainWindow::newDocument() {
    m_doc.ResetBoard();
    m_pView->m_bModified = false;
    setCurrentFile(QString());
    m_pView->OnInitialUpdate(std::string());
    m_pViewWidget->invalidate();
}

bool MainWindow::openDocument(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        oops(this, QString("Het veld %1 kan niet worden geopend.\n%2")
                       .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    // At most the document's stored block; what follows it is not read.
    const QByteArray bytes = file.read(static_cast<qint64>(kDocumentImageSize));
    if (file.error() != QFileDevice::NoError) {
        oops(this, QString("Het veld %1 kan niet worden gelezen.\n%2")
                       .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    // A file that is no Board is refused whole: the Board shown stays as it was.
    const std::span<const std::uint8_t> image(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                              static_cast<std::size_t>(bytes.size()));
    if (const auto fault = documentImageFault(image)) {
        oops(this,
             QString::fromStdString(notADocumentText(QDir::toNativeSeparators(path).toStdString(), *fault)));
        return false;
    }
    if (!loadDocumentImage(m_doc, image)) return false;
    m_pView->m_bModified = false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    setCurrentFile(absolute);
    addRecentFile(absolute);
    m_pView->OnInitialUpdate(absolute.toStdString());
    m_pViewWidget->invalidate();
    return true;
}

bool MainWindow::saveDocument(const QString& path) {
    const std::vector<std::uint8_t> image = documentImage(m_doc);
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written)
        written = file.write(reinterpret_cast<const char*>(image.data()),
                             static_cast<qint64>(image.size())) == static_cast<qint64>(image.size());
    // commit() renames the finished file over the old one, so a failure leaves the old file as it was.
    if (!written || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        oops(
            this,
            QString("Het veld kan niet worden opgeslagen in %1.\n%2\nEen bestaand bestand is niet veranderd.")
                .arg(QDir::toNativeSeparators(path), reason));
        return false;
    }
    m_pView->m_bModified = false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    setCurrentFile(absolute);
    addRecentFile(absolute);
    return true;
}

bool MainWindow::save() {
    if (m_strCurrentFile.isEmpty()) return saveAs();
    return saveDocument(m_strCurrentFile);
}

bool MainWindow::saveAs() {
    const QString suggested = m_strCurrentFile.isEmpty() ? QString(kUntitled) + ".trz" : m_strCurrentFile;
    QString path = QFileDialog::getSaveFileName(this, "Opslaan als", suggested, kDocumentFilter);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += ".trz";
    return saveDocument(path);
}

void MainWindow::openWithDialog() {
    const QString dir = m_strCurrentFile.isEmpty() ? QString() : QFileInfo(m_strCurrentFile).absolutePath();
    const QString path =
        QFileDialog::getOpenFileName(this, "Openen", dir, QString(kDocumentFilter) + ";;Alle bestanden (*)");
    if (path.isEmpty() || !maybeSave()) return;
    openDocument(path);
}

void MainWindow::addRecentFile(const QString& path) {
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kRecentFileCount) m_recentFiles.removeLast();
    QSettings settings = applicationSettings();
    settings.beginGroup("Recent File List");
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QString("File%1").arg(i);
        if (i <= m_recentFiles.size())
            settings.setValue(key, m_recentFiles[i - 1]);
        else
            settings.remove(key);
    }
    settings.endGroup();
    rebuildRecentFiles();
}

void MainWindow::rebuildRecentFiles() {
    if (!m_pRecentMenu || !m_pRecentPlaceholder) return;
    for (QAction* action : m_recentActions) {
        std::erase_if(m_actions, [action](const auto& entry) { return entry.second == action; });
        m_pRecentMenu->removeAction(action);
        delete action;
    }
    m_recentActions.clear();
    m_pRecentPlaceholder->setVisible(m_recentFiles.isEmpty());
    const QList<QAction*> entries = m_pRecentMenu->actions();
    const qsizetype at = entries.indexOf(m_pRecentPlaceholder);
    QAction* before = at + 1 < entries.size() ? entries[at + 1] : nullptr;
    for (int i = 0; i < m_recentFiles.size(); ++i) {
        // "&1" .. "&9", then "1&0", as the framework numbers them.
        const QString number = i < 9 ? QString("&%1").arg(i + 1) : QString("1&0");
        const QString text = number + " " + QDir::toNativeSeparators(m_recentFiles[i]).replace("&", "&&");
        QAction* action = makeAction(Cmd::FileMru1 + i, text, promptFor(Cmd::FileMru1), m_pRecentMenu);
        m_pRecentMenu->insertAction(before, action);
        m_recentActions.push_back(action);
    }
}

// ---- Printing and the clipboard

bool MainWindow::printPage(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    QPainterSurface surface(painter, true);
    // The printable area of the page, in the printer's pixels, from the painter's origin.
    m_pView->m_rectPrint = Rect{0, 0, printer.width(), printer.height()};
    m_pView->OnDraw(surface, Rect{0, 0, m_pViewWidget->width(), m_pViewWidget->height()});
    const bool ok = painter.end();
    // Printing leaves the page's cell size in the view; the screen gets its own back.
    m_pViewWidget->invalidate();
    return ok;
}

void MainWindow::print() {
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!printPage(m_printer)) oops(this, "Het veld kan niet worden afgedrukt.");
}

void MainWindow::printPreview() {
    QPrintPreviewDialog dialog(&m_printer, this);
    dialog.setWindowTitle("Afdrukvoorbeeld");
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { printPage(*printer); });
    dialog.exec();
    m_pViewWidget->invalidate();
}

void MainWindow::pageSetup() {
    QPageSetupDialog dialog(&m_printer, this);
    dialog.exec();
}

void MainWindow::copyToClipboard() {
    const Rect client{0, 0, m_pViewWidget->width(), m_pViewWidget->height()};
    const QSize size(client.width(), client.height());

    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(windowTitle());
    {
        QPainter painter(&generator);
        QPainterSurface surface(painter, false);
        m_pView->OnDraw(surface, client);
    }

    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QPainterSurface surface(painter, false);
        m_pView->OnDraw(surface, client);
    }

    auto* mime = new QMimeData;
    mime->setData("image/svg+xml", svg.data());
    mime->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(mime);
}

// ---- Events

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_pView->canClose() || !maybeSave()) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (openDroppedFiles(event->mimeData()->urls())) event->acceptProposedAction();
}

bool MainWindow::openDroppedFiles(const QList<QUrl>& urls) {
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) continue;
        if (commandStateFor(Cmd::FileOpen).enabled && maybeSave()) openDocument(url.toLocalFile());
        afterCommand();
        return true;
    }
    return false;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Escape that no child took (the view without the focus) still interrupts a search.
    if (event->key() == Qt::Key_Escape) {
        m_pView->OnChar(27);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// The prompts of menu entries and toolbar buttons go straight into pane 0, not into a message of the
// status bar that would hide the pane: whatever the program writes there next replaces the prompt, so
// a prompt whose end never arrives cannot stay.
bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        showHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::showHint(const QString& hint) {
    if (!hint.isEmpty()) {
        m_strHint = hint;
        m_panes[0]->setText(hint);
    } else if (!m_strHint.isEmpty()) {
        // When the prompt goes, the idle text comes back, unless something was written over it.
        if (m_panes[0]->text() == m_strHint) m_panes[0]->setText(idleStatusText());
        m_strHint.clear();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool searching = m_pView->ViewMode == kSearching || m_pView->ViewMode == kInterruptRequested;
    if (event->type() == QEvent::Quit && watched == qApp && searching) {
        // The end of the session: the search is interrupted and the program ends after it.
        requestQuit();
        return true;
    }
    // Key presses of the main window, whichever of its widgets has the focus, reach its window first.
    // Open menus and modal dialogs keep theirs.
    if (event->type() == QEvent::KeyPress && watched == static_cast<QObject*>(windowHandle()) &&
        !QApplication::activePopupWidget() && !QApplication::activeModalWidget()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_pView->ViewMode == kSearching) {
            // Any key switches the drawing of every step; Escape interrupts. The key then goes where it
            // goes (Escape also ends the menu bar's keyboard mode).
            m_pView->OnKeyDown();
            if (key->key() == Qt::Key_Escape) m_pView->OnChar(27);
        }
        // The grey + and - of the keypad page through the solutions. On X11 a shortcut with the keypad
        // modifier never matches, so they are taken here.
        if ((key->modifiers() & Qt::KeypadModifier) && !(key->modifiers() & ~Qt::KeypadModifier)) {
            if (key->key() == Qt::Key_Plus || key->key() == Qt::Key_Minus) {
                dispatch(key->key() == Qt::Key_Plus ? Cmd::NextSolution : Cmd::PreviousSolution);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
