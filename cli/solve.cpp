#include "cli/solve.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "board/document_image.h"
#include "board/trianzoid_doc.h"
#include "cli/console_platform.h"
#include "cli/interrupt_signals.h"
#include "cli/search_options.h"
#include "cli/shard_run.h"
#include "pieces/piece_file_reader.h"
#include "platform/file_error_text.h"
#include "view/trianzoid_view.h"

namespace {

// The document file's bytes, at most one image's worth: a longer one is read no further, as the
// application reads it. Nothing when it cannot be read.
// (Read with stdio: the first file stream of a process sets up the C++ locales, a tenth of a millisecond
// that nothing else in a solver's run needs.)
std::optional<std::vector<std::uint8_t>> readDocumentFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return std::nullopt;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes(kDocumentImageSize);
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), in.get());
    if (std::ferror(in.get()) != 0) return std::nullopt;
    bytes.resize(read);
    return bytes;
}

}  // namespace

bool finishOutput(std::FILE* out, std::FILE* err) {
    errno = 0;
    if (std::fflush(out) == 0 && !std::ferror(out)) return true;
    const int error = errno != 0 ? errno : EIO;
    std::fprintf(err, "Oei: Standaarduitvoer niet te schrijven: %s\n", fileErrorText(error).c_str());
    std::fflush(err);
    return false;
}

bool printResultLine(std::FILE* out, const std::string& line, std::FILE* err) {
    std::fprintf(out, "%s\n", line.c_str());
    return finishOutput(out, err);
}

bool openBoardDocument(const SolveOptions& options, ConsolePlatform& platform, CTrianzoidDoc& doc) {
    // The document, as the application opens one: the stored block, then the pieces of its piece file.
    auto image = readDocumentFile(options.documentPath);
    if (!image) {
        platform.report("Oei: Bestand " + options.documentPath + " is er niet");
        return false;
    }
    if (const auto fault = documentImageFault(*image)) {
        platform.report("Oei: " + notADocumentText(options.documentPath, *fault));
        return false;
    }
    if (!loadDocumentImage(doc, *image)) return false;
    if (!options.pieceFile.empty()) {
        ReadPieceFile(doc, options.pieceFile, platform);
    } else if (doc.m_szPieceFile.empty()) {
        platform.report("Oei: Veld " + options.documentPath +
                        " noemt geen trianzoidbestand; geef er een met --pieces");
        return false;
    } else {
        doc.reloadPieceFile(options.documentPath, platform);
    }
    return !platform.errorReported();
}

std::string limitReachedLine(std::int64_t limit) {
    return "Gestopt: grens --limit " + std::to_string(limit) + " bereikt.";
}

void printTilingCounts(const TilingCounts& counts, std::FILE* out) {
    std::fputs(tilingCountLines(counts).c_str(), out);
}

int solve(const SolveOptions& options, std::FILE* out, std::FILE* err, std::FILE* in) {
    ConsolePlatform::Settings settings;
    settings.assumeYes = options.yes;
    settings.progress = !options.quiet && isatty(fileno(err));
    settings.canAsk = isatty(fileno(in)) && isatty(fileno(err));
    ConsolePlatform platform(err, in, settings);

    CTrianzoidDoc doc;
    if (!openBoardDocument(options, platform, doc)) return ExitStatus::Error;

    SystemClock clock;
    CTrianzoidView view(doc, platform, clock);
    platform.attachView(&view);
    view.m_strOutputDir = options.outputDir;
    view.m_bLetterSolution = options.letters;
    applySearchOptions(view, options);

    // What the window's repaint does before the search commands are enabled.
    view.m_nReadiness = view.UpdateReadiness();
    const CTrianzoidView::ReadinessReport readiness = view.readinessReport();
    if (view.m_nReadiness < 0) {
        platform.report("Oei: Geen trianzoids om te leggen (" + readiness.text + ")");
        return ExitStatus::Error;
    }
    // (A piece the search refuses says so itself, below.)
    if (readiness.cellsLeft != 0 && !options.quiet && view.pieceFault().empty())
        platform.report("Let op: " + readiness.text);

    if (options.shardCount > 0) {
        platform.startProgress();
        const int status = runShard(view, platform, options, out);
        platform.clearProgress();
        return status;
    }
    platform.startProgress();
    const SearchOutcome outcome = view.search(false);
    platform.clearProgress();
    view.showSearchErrors(outcome);

    if (!outcome.started()) {
        if (interruptSignalled()) return ExitStatus::Interrupted;
        if (outcome.refusal == SearchOutcome::Refusal::Checkerboard) return ExitStatus::Refused;
        if (outcome.errors.empty()) platform.report("Oei: Zoeken niet gestart");
        return ExitStatus::Error;
    }
    // The counts, and the log's last line as the driver wrote it.
    printTilingCounts(outcome.counts, out);
    bool printed = printResultLine(out, outcome.summary, err);
    if (outcome.limitReached)
        printed = printResultLine(out, limitReachedLine(options.solutionLimit), err) && printed;
    printSearchStats(view, options, err);

    if (!outcome.errors.empty()) return ExitStatus::Error;
    if (platform.interruptDelivered() || outcome.end != SearchOutcome::End::Finished)
        return ExitStatus::Interrupted;
    return printed ? ExitStatus::Finished : ExitStatus::Error;
}
