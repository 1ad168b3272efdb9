#include <QApplication>
#include <QCommandLineParser>
#include <csignal>

#include "app/app_icons.h"
#include "app/dutch_translation.h"
#include "app/main_window.h"
#include "app/signal_notifier.h"

int main(int argc, char* argv[]) {
    // A file size limit makes a write of the search fail (it stops there with a message) instead of
    // killing the program with its files cut in the middle of a record.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Local AppWizard-Generated Applications");
    QCoreApplication::setApplicationName("Trianzoid");
    QCoreApplication::setApplicationVersion(TRIANZOID_VERSION);
    QApplication::setWindowIcon(applicationIcon());
    installDutchTranslation(app);

    QCommandLineParser parser;
    parser.setApplicationDescription("Trianzoid: alle betegelingen van een veld van driehoeken zoeken.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("veld", "Het veld (.trz) om te openen.", "[veld.trz]");
    parser.process(app);

    MainWindow window;
    // The end of the session or a kill: a running search is interrupted, its files completed.
    SignalNotifier notifier({SIGTERM, SIGINT, SIGHUP}, [&](int) { window.requestQuit(); });
    const QStringList documents = parser.positionalArguments();
    // A document that cannot be opened ends the program after the message, as a failed command line.
    if (!documents.isEmpty() && !window.openDocument(documents.front())) return 1;
    window.show();
    return QApplication::exec();
}
