#include <QApplication>
#include <QCommandLineParser>
#include <csignal>

#include "app/app_icons.h"
#include "app/main_window.h"
#include "app/signal_notifier.h"
#include "app/test_snapshots.h"

int main(int argc, char* argv[]) {
    // A file size limit makes a write of the search fail (it stops there with a message) instead of
    // killing the program with its files cut in the middle of a record.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Local AppWizard-Generated Applications");
    QCoreApplication::setApplicationName("Trianzoid");
    QCoreApplication::setApplicationVersion("1.1a");
    QApplication::setWindowIcon(applicationIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription("Trianzoid: alle betegelingen van een veld van driehoeken zoeken.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("veld", "Het veld (.trz) om te openen.", "[veld.trz]");
    parser.process(app);

    MainWindow window;
    TestSnapshots snapshots(window);
    SignalNotifier notifier({SIGTERM, SIGINT, SIGHUP, SIGUSR1}, [&](int number) {
        if (number == SIGUSR1)
            snapshots.takeSnapshot();
        else
            window.requestQuit();
    });
    const QStringList documents = parser.positionalArguments();
    // A document that cannot be opened ends the program after the message, as a failed command line.
    if (!documents.isEmpty() && !window.openDocument(documents.front())) return 1;
    window.show();
    return QApplication::exec();
}
