// trianzoid-export: pictures of the solutions of an earlier search, as SVG or PNG files or a PDF sheet,
// without a window.
#include <QGuiApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/export_run.h"
#include "cli/interrupt_signals.h"
#include "cli/solve.h"
#include "pictures/qt_picture_sinks.h"

namespace {

const char kProgram[] = "trianzoid-export";

std::string usage() {
    return std::string("Gebruik: ") + kProgram + " --export svg|png|pdf --to DOEL [OPTIES] VELD.trz\n";
}

std::unique_ptr<PictureSink> makeSink(const SolveOptions& options) {
    const QString target = QString::fromStdString(options.exportTarget);
    if (options.exportFormat == "png") return std::make_unique<PngFolderSink>(target, options.pictureWidth);
    if (options.exportFormat == "pdf")
        return std::make_unique<PdfSheetSink>(
            target, SheetSettings{options.perPage, options.letterPaper, options.landscape});
    return makeSvgSink(options);
}

// Qt's own notes (a missing runtime folder of a headless run) are not for the user of a tool.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
    installInterruptHandlers();
    const std::vector<std::string> arguments(argv, argv + argc);
    ParsedCommandLine parsed = parseCommandLine(arguments);
    switch (parsed.action) {
        case ParsedCommandLine::Action::Help:
            std::fputs((usage() + exportHelpText(true) +
                        "  --output-dir MAP   map van de oplossingsbestanden (standaard: de huidige map)\n"
                        "  --pieces BESTAND   dit trianzoidbestand gebruiken in plaats van het bestand uit "
                        "het veld\n"
                        "  --quiet            geen voortgang tonen\n"
                        "\n"
                        "Afsluitstatus: 0 klaar, 1 fout gemeld, 2 verkeerd gebruik, 130 onderbroken.\n")
                           .c_str(),
                       stdout);
            return ExitStatus::Finished;
        case ParsedCommandLine::Action::Version:
            std::printf("%s %s", kProgram, versionText().substr(versionText().find(' ') + 1).c_str());
            return ExitStatus::Finished;
        case ParsedCommandLine::Action::Export:
            break;
        default:
            if (parsed.error.empty()) parsed.error = "--export verwacht svg, png of pdf";
            std::fprintf(stderr, "%s: %s\n%sMeer informatie met '%s --help'.\n", kProgram,
                         parsed.error.c_str(), usage().c_str(), kProgram);
            return ExitStatus::Usage;
    }
    // Fonts and painting need the GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQt);
    QGuiApplication application(argc, argv);
    return runExport(parsed.options, makeSink, stdout, stderr);
}
