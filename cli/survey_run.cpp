#include "cli/survey_run.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "board/document_image.h"
#include "board/shape_family.h"
#include "board/shape_on_board.h"
#include "board/trianzoid_doc.h"
#include "cli/console_platform.h"
#include "cli/interrupt_signals.h"
#include "cli/search_options.h"
#include "cli/solve.h"
#include "pieces/piece_file_reader.h"
#include "platform/clock.h"
#include "solutions/picture_files.h"
#include "view/trianzoid_view.h"

namespace {

struct SurveyEntry {
    int nr = 0;
    const FamilyRegion* region = nullptr;
};

// What the search of one region gave; `row` empty while it is not searched, or when it was stopped.
struct SurveyResult {
    std::string row;
    bool tiles = false;
    std::string error;  // a search that did not start, or a Board that could not be written
};

// The Board of a region with the survey's pieces, as --make-board writes it.
CTrianzoidDoc regionDocument(const CTrianzoidDoc& pieces, const FamilyRegion& region) {
    CTrianzoidDoc doc = pieces;
    makeShapeBoard(doc, region.layout);
    return doc;
}

std::string countText(std::uint64_t count, bool atLimit) {
    return std::to_string(count) + (atLimit ? "+" : "");
}

SurveyResult searchRegion(const SurveyEntry& entry, const CTrianzoidDoc& pieces, const SolveOptions& options,
                          std::FILE* err) {
    SurveyResult result;
    CTrianzoidDoc doc = regionDocument(pieces, *entry.region);
    ConsolePlatform::Settings settings;
    settings.assumeYes = true;  // the checkerboard test is passed already
    ConsolePlatform platform(err, stdin, settings);
    SystemClock clock;
    CTrianzoidView view(doc, platform, clock);
    platform.attachView(&view);
    view.m_bOnePerSymmetryClass = true;
    view.m_bCountOnly = true;
    view.m_classCounting = !options.noCounts;
    view.m_nSolutionLimit = options.solutionLimit;
    view.m_engineKind = options.plainEngine ? EngineKind::Reference : EngineKind::Fast;
    view.m_nReadiness = view.UpdateReadiness();
    const auto start = std::chrono::steady_clock::now();
    const SearchOutcome outcome = view.search(false);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    if (!outcome.started() || !outcome.errors.empty()) {
        if (!interruptSignalled())
            result.error = boardShapeText(entry.region->shape) + ": " +
                           (outcome.errors.empty() ? "Zoeken niet gestart" : outcome.errors.front().text);
        return result;
    }
    if (outcome.end != SearchOutcome::End::Finished) return result;  // interrupted: no row
    const std::string shape = boardShapeText(entry.region->shape);
    char secondsText[32];
    std::snprintf(secondsText, sizeof secondsText, "%.3f", seconds.count());
    result.tiles = outcome.solutions > 0;
    result.row = std::to_string(entry.nr) + "\t" + shape + "\t" +
                 std::to_string(entry.region->layout.region.size()) + "\t" +
                 std::to_string(entry.region->symmetries) + "\t" +
                 countText(outcome.counts.unique, outcome.limitReached) + "\t" +
                 countText(outcome.counts.distinct, outcome.limitReached) + "\t" +
                 std::to_string(view.m_state.steps) + "\t" + secondsText;
    if (result.tiles && !options.exportTarget.empty()) {
        CTrianzoidDoc board = regionDocument(pieces, *entry.region);
        board.m_szPieceFile = options.pieceFile;
        const auto image = documentImage(board);
        std::string name = shape;
        std::replace(name.begin(), name.end(), ' ', '_');
        const std::string path = (std::filesystem::path(options.exportTarget) / (name + ".trz")).string();
        if (auto failure = writeFileAtomically(path, std::string(image.begin(), image.end())))
            result.error = *failure;
    }
    return result;
}

}  // namespace

int runSurvey(const SolveOptions& options, std::FILE* out, std::FILE* err) {
    ConsolePlatform platform(err, stdin, {});
    CTrianzoidDoc pieces;
    ReadPieceFile(pieces, options.pieceFile, platform);
    if (platform.errorReported()) return ExitStatus::Error;
    const std::int64_t triangles = placedTriangles(pieces);
    const std::optional<ShapeFamily> family = parseShapeFamily(options.survey);  // checked by the parser
    if (!family || triangles < 1 || triangles > BOARD_COLUMNS * BOARD_ROWS) {
        platform.report("Oei: Geen trianzoids om te leggen");
        return ExitStatus::Error;
    }
    if (!options.exportTarget.empty()) {
        std::error_code error;
        std::filesystem::create_directories(options.exportTarget, error);
        if (error) {
            platform.report("Oei: Map " + options.exportTarget + " niet te maken: " + error.message());
            return ExitStatus::Error;
        }
    }

    // The regions the checkerboard test leaves, numbered; this shard's share of them.
    const std::vector<FamilyRegion> regions = familyRegions(*family, static_cast<int>(triangles));
    std::vector<SurveyEntry> entries;
    int nr = 0;
    for (const FamilyRegion& region : regions) {
        CTrianzoidDoc doc = regionDocument(pieces, region);
        SystemClock clock;
        CTrianzoidView view(doc, platform, clock);
        if (const std::string fault = view.pieceFault(); !fault.empty()) {
            platform.report("Oei: " + fault);
            return ExitStatus::Error;
        }
        if (view.checkerboardTest(view.currentReadiness()) != 0) continue;
        ++nr;
        if (options.shardCount == 0 || (nr - options.shardIndex) % options.shardCount == 0)
            entries.push_back({nr, &region});
    }

    std::fprintf(out, "%s\n", kSurveyHeader);
    if (!finishOutput(out, err)) return ExitStatus::Error;

    // Each worker takes the next region; the rows are printed in their order as they come.
    std::vector<SurveyResult> results(entries.size());
    std::vector<bool> done(entries.size(), false);
    std::mutex mutex;
    std::condition_variable changed;
    std::atomic<std::size_t> next{0};
    std::atomic<bool> outputFailed{false};  // no more regions are taken: their rows could not be shown
    const int workers = static_cast<int>(
        std::min<std::size_t>(static_cast<std::size_t>(searchThreads(options)), entries.size()));
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w)
        threads.emplace_back([&] {
            for (std::size_t i = next++; i < entries.size() && !interruptSignalled() && !outputFailed;
                 i = next++) {
                SurveyResult result = searchRegion(entries[i], pieces, options, err);
                std::lock_guard lock(mutex);
                results[i] = std::move(result);
                done[i] = true;
                changed.notify_all();
            }
        });

    const bool progress = !options.quiet && isatty(fileno(err));
    std::size_t printed = 0, finished = 0, tiling = 0;
    bool errorSeen = false;
    auto printRow = [&](const SurveyResult& result) {
        if (!result.error.empty()) {
            if (progress) std::fputs("\r\033[K", err);
            std::fprintf(err, "Oei: %s\n", result.error.c_str());
            errorSeen = true;
        }
        if (!result.row.empty()) std::fprintf(out, "%s\n", result.row.c_str());
        if (!finishOutput(out, err)) outputFailed = true;
    };
    {
        std::unique_lock lock(mutex);
        while (finished < entries.size() && !interruptSignalled() && !outputFailed) {
            changed.wait_for(lock, std::chrono::milliseconds(200));
            finished = static_cast<std::size_t>(std::count(done.begin(), done.end(), true));
            for (; printed < entries.size() && done[printed]; ++printed) {
                if (results[printed].tiles) ++tiling;
                printRow(results[printed]);
            }
            if (progress) {
                std::fprintf(err, "\rOverzicht: %zu van %zu vormen gezocht, %zu met een betegeling\033[K",
                             finished, entries.size(), tiling);
                std::fflush(err);
            }
        }
    }
    for (std::thread& thread : threads) thread.join();
    if (progress) std::fputs("\r\033[K", err);
    // After an interrupt: the rows of the regions searched to their end, in their order.
    for (; printed < entries.size() && !outputFailed; ++printed)
        if (done[printed]) printRow(results[printed]);
    if (interruptSignalled()) return ExitStatus::Interrupted;
    return outputFailed || errorSeen ? ExitStatus::Error : ExitStatus::Finished;
}
