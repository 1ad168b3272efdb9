#include "cli/export_run.h"

#include <unistd.h>

#include <chrono>

#include "cli/console_platform.h"
#include "cli/interrupt_signals.h"
#include "cli/solve.h"
#include "solutions/picture_files.h"
#include "solutions/solution_files.h"
#include "view/picture_export.h"

std::unique_ptr<PictureSink> makeSvgSink(const SolveOptions& options) {
    if (options.exportFormat != "svg") return nullptr;
    return std::make_unique<SvgFolderSink>(options.exportTarget, options.pictureWidth);
}

int runExport(const SolveOptions& options, const PictureSinkMaker& makeSink, std::FILE* out, std::FILE* err) {
    ConsolePlatform platform(err, stdin, ConsolePlatform::Settings{});
    std::unique_ptr<PictureSink> sink = makeSink(options);
    if (!sink) {
        platform.report("Oei: " + options.exportFormat + " maakt trianzoid-export, niet dit programma");
        return ExitStatus::Usage;
    }
    CTrianzoidDoc doc;
    if (!openBoardDocument(options, platform, doc)) return ExitStatus::Error;

    ExportSettings settings;
    settings.range = *SolutionRange::parse(options.exportSolutions);  // checked with the command line
    settings.colour = !options.blackAndWhite;
    const std::string path = solutionFilePath(options.outputDir, doc.rowLength(), doc.m_nHeight, "opb");

    const bool showProgress = !options.quiet && isatty(fileno(err));
    auto lastDraw = std::chrono::steady_clock::now();
    bool drawn = false;
    const ExportProgress progress = [&](std::int64_t done, std::int64_t total) {
        if (interruptSignalled()) return false;
        const auto now = std::chrono::steady_clock::now();
        if (showProgress && (done == total || now - lastDraw > std::chrono::milliseconds(100))) {
            std::fprintf(err, "\rExporteren: %lld/%lld", static_cast<long long>(done),
                         static_cast<long long>(total));
            std::fflush(err);
            lastDraw = now;
            drawn = true;
        }
        return true;
    };
    const ExportResult result = exportSolutions(doc, path, settings, *sink, progress);
    if (drawn) std::fputs("\n", err);

    if (result.outcome == ExportOutcome::Cancelled) {
        platform.report("Onderbroken na " + std::to_string(result.written) + " oplossingen");
        return ExitStatus::Interrupted;
    }
    if (result.outcome != ExportOutcome::Done) {
        platform.report("Oei: " + exportErrorText(result, path));
        return ExitStatus::Error;
    }
    std::fprintf(out, "%lld oplossingen geëxporteerd naar %s\n", static_cast<long long>(result.written),
                 options.exportTarget.c_str());
    return ExitStatus::Finished;
}
