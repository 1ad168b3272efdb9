#include "cli/shard_run.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <new>

#include "board/document_image.h"
#include "board/trianzoid_view.h"
#include "cli/console_platform.h"
#include "cli/interrupt_signals.h"
#include "cli/search_options.h"
#include "cli/solve.h"
#include "search/part_file.h"
#include "search/search_events.h"

namespace {

std::string partFileName(const CTrianzoidView& view, int rowLength, int height, int index, int count) {
    return solutionFilePath(view.m_strOutputDir, rowLength, height,
                            "deel" + std::to_string(index) + "van" + std::to_string(count));
}

// Writes the shard's units in unit order: the ones known from the split as they come due, the others
// as the threads deliver them. A unit is finished once a later one of the shard starts, or at the end.
class PartWriter : public PartConsumer {
  public:
    PartWriter(PartFileWriter& file, const std::vector<SearchUnit>& units, std::vector<int> owned,
               CTrianzoidView& view, ConsolePlatform& platform)
        : m_file(file), m_units(units), m_owned(std::move(owned)), m_view(view), m_platform(platform) {}

    // The first failed write stops the shard.
    bool consume(int unit, std::span<const std::int32_t> events) override {
        finishBefore(unit);
        if (!m_failed && !m_file.events(unit, events)) m_failed = true;
        return !m_failed;
    }
    bool failed() const { return m_failed; }
    bool keepGoing() override {
        m_platform.pumpMessages();
        return m_view.ViewMode != kInterruptRequested;
    }
    // Every owned unit before `unit` is finished; computed ones are written on the way.
    void finishBefore(int unit) {
        while (m_next < m_owned.size() && m_owned[m_next] < unit) finish(m_owned[m_next++]);
        if (m_next < m_owned.size() && m_owned[m_next] == unit &&
            m_units[static_cast<std::size_t>(unit)].computed)
            finish(m_owned[m_next++]);
    }
    void finishAll() { finishBefore(INT_MAX); }

  private:
    void finish(int unit) {
        const SearchUnit& u = m_units[static_cast<std::size_t>(unit)];
        if (u.computed && !u.events.empty() && !m_file.events(unit, u.events)) m_failed = true;
        if (!m_file.finished(unit)) m_failed = true;
    }

    PartFileWriter& m_file;
    const std::vector<SearchUnit>& m_units;
    std::vector<int> m_owned;
    std::size_t m_next = 0;
    bool m_failed = false;
    CTrianzoidView& m_view;
    ConsolePlatform& m_platform;
};

}  // namespace

int shardTarget(int shardCount) {
    return std::min(64 * std::max(shardCount, 1), 1 << 20);
}

int runShard(CTrianzoidView& view, ConsolePlatform& platform, const SolveOptions& options, std::FILE* out) {
    CTrianzoidDoc& doc = view.GetDocument();
    if (view.checkerboardTest(view.m_nReadiness) != 0 &&
        platform.messageBox("Volgens de dambordmethode is een oplossing onmogelijk\nToch doorgaan?",
                            "Dit lukt nooit", MessageButtons::YesNo,
                            MessageIcon::Exclamation) == MessageAnswer::No)
        return ExitStatus::Refused;

    const int rowLength = std::clamp(doc.rowLength(), 0, BOARD_COLUMNS);
    const int height = std::clamp(static_cast<int>(doc.m_nHeight), 0, BOARD_ROWS);
    // As the search driver prepares a search: everything allocated first, then the file aside its
    // name, put in place when the search starts.
    SearchState state;
    state.pieceCount = std::clamp(static_cast<int>(doc.m_nPieces), 0, kMaxPieces);
    std::int64_t copies = 0;
    for (int p = 0; p < state.pieceCount; ++p) copies += doc.m_pieces[static_cast<std::size_t>(p)].copies;
    state.totalCopies = static_cast<int>(std::clamp<std::int64_t>(copies, INT_MIN, INT_MAX));
    int cells = 0;
    long long steps = 0;
    std::vector<SearchUnit> units;
    std::vector<int> owned;
    std::vector<SearchPart> parts;
    long long ownedSteps = 0;
    std::unique_ptr<PartRunner> runner;
    PartProblem problem;
    try {
        cells = numberFreeCells(view.m_freeCells, doc);
        buildPlacementTable(view.m_table, view.m_freeCells, doc, rowLength, height);
        auto index = std::make_shared<const PlacementIndex>(view.m_table, cells);
        units = splitSearch(index, view.m_table, state, doc.m_pieces, shardTarget(options.shardCount), steps);
        for (std::size_t u = 0; u < units.size(); ++u) {
            if (!unitOfShard(u, options.shardIndex, options.shardCount)) continue;
            owned.push_back(static_cast<int>(u));
            if (units[u].computed)
                ++ownedSteps;  // an expanded step is one step of the search
            else
                parts.push_back(units[u].part);
        }
        runner =
            std::make_unique<PartRunner>(index, view.m_table, state, doc.m_pieces, searchThreads(options));
        problem.image = documentImage(doc);
        problem.pieces = doc;
    } catch (const std::bad_alloc&) {
        view.m_table = PlacementTable{};
        platform.report("Oei: Onvoldoende geheugen");
        return ExitStatus::Error;
    }

    problem.shardIndex = options.shardIndex;
    problem.shardCount = options.shardCount;
    problem.unitCount = static_cast<int>(units.size());
    problem.letters = view.m_bLetterSolution;
    problem.freeCells = cells;
    problem.placements = view.m_table.placementCount;
    problem.fingerprint = tableFingerprint(view.m_table, cells);
    const std::string path = partFileName(view, rowLength, height, options.shardIndex, options.shardCount);
    PartFileWriter file;
    if (!file.create(path, problem)) {
        platform.report("Oei: " + path + ": Bestand niet te schrijven: " + file.errorText());
        return ExitStatus::Error;
    }
    if (interruptSignalled()) return ExitStatus::Interrupted;  // the earlier part file stays
    if (!file.putInPlace()) {
        platform.report("Oei: " + path + ": Bestand niet te schrijven: " + file.errorText());
        return ExitStatus::Error;
    }

    PartWriter writer(file, units, owned, view, platform);
    view.ViewMode = kSearching;  // so that an interrupt signal reaches the run
    const bool completed = runner->run(parts, writer);
    view.ViewMode = kEditing;
    if (completed) writer.finishAll();
    const long long allSteps = runner->steps() + ownedSteps;
    runner.reset();
    const bool written = file.close(completed && !writer.failed(), allSteps) && !writer.failed();
    view.m_table = PlacementTable{};
    // A part file that could not be written whole, or that is gone, is no part of the search.
    if (!written) {
        platform.report("Oei: Fout bij het schrijven van " + path + ": " + file.errorText());
        return ExitStatus::Error;
    }
    const bool printed = printResultLine(out,
                                         std::string(completed ? "Klaar" : "Onderbroken") + " deel " +
                                             std::to_string(options.shardIndex) + " van " +
                                             std::to_string(options.shardCount) + ": " + path + ".",
                                         stderr);
    if (options.stats) std::fprintf(stderr, "stappen %lld, threads %d\n", allSteps, searchThreads(options));
    if (!completed) return ExitStatus::Interrupted;
    return printed ? ExitStatus::Finished : ExitStatus::Error;
}
