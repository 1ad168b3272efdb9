#include "cli/shard_run.h"

#include <sys/resource.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <new>
#include <utility>

#include "board/document_image.h"
#include "cli/console_platform.h"
#include "cli/interrupt_signals.h"
#include "cli/search_options.h"
#include "cli/solve.h"
#include "search/part_file.h"
#include "search/search_events.h"
#include "search/search_modes.h"
#include "view/trianzoid_view.h"

namespace {

std::string partFileName(const CTrianzoidView& view, int rowLength, int height, int index, int count) {
    return solutionFilePath(view.m_strOutputDir, rowLength, height,
                            "deel" + std::to_string(index) + "van" + std::to_string(count));
}

// How a count-only shard counts the solutions of its units, as the search driver would record them.
struct UnitCounting {
    TilingClassCounter& counter;
    const std::vector<int>& placementOrigin;  // of a table cut to orbits; empty: none
    bool canonicalTest = false;
    std::int64_t solutions = 0;
    std::vector<int> chosen;

    void count(std::span<const std::int32_t> events) {
        forEachSolution(events, [this](std::span<const std::int32_t> placements) {
            chosen.assign(placements.begin(), placements.end());
            if (!placementOrigin.empty())
                for (int& j : chosen) j = placementOrigin[static_cast<std::size_t>(j)];
            if (!canonicalTest || counter.canonicalTiling(chosen)) {
                counter.add(chosen);
                ++solutions;
            }
            return true;
        });
    }
    TilingSums take() {
        TilingSums sums = counter.takeSums();
        sums.solutions = std::exchange(solutions, 0);
        return sums;
    }
};

// Writes the shard's units in unit order: each one's planned events first, then what the threads
// deliver for it. A unit is finished once a later one of the shard starts, or at the end. The first
// failed write stops the shard. A count-only shard writes each unit's counts instead of its events.
class PartWriter : public PartConsumer {
  public:
    PartWriter(PartFileWriter& file, const std::vector<ShardUnit>& units, CTrianzoidView& view,
               ConsolePlatform& platform, UnitCounting* counting)
        : m_file(file), m_units(units), m_view(view), m_platform(platform), m_counting(counting) {}

    bool consume(int unit, std::span<const std::int32_t> events) override {
        finishBefore(unit);
        begin();
        write(unit, events);
        return !m_failed;
    }
    bool failed() const { return m_failed; }
    bool keepGoing() override {
        m_platform.pumpMessages();
        return !m_view.interruptRequested();
    }
    // Every unit of the shard before `unit` is finished.
    void finishBefore(int unit) {
        for (; m_next < m_units.size() && m_units[m_next].unit < unit; ++m_next) {
            begin();
            if (m_counting != nullptr && !m_failed &&
                !m_file.counts(m_units[m_next].unit, m_counting->take()))
                m_failed = true;
            if (!m_failed && !m_file.finished(m_units[m_next].unit)) m_failed = true;
            m_begun = false;
        }
    }
    void finishAll() { finishBefore(INT_MAX); }

  private:
    void begin() {
        if (m_begun || m_next >= m_units.size()) return;
        m_begun = true;
        const ShardUnit& u = m_units[m_next];
        if (!u.events.empty()) write(u.unit, u.events);
    }
    void write(int unit, std::span<const std::int32_t> events) {
        if (m_counting != nullptr)
            m_counting->count(events);
        else if (!m_failed && !m_file.events(unit, events))
            m_failed = true;
    }

    PartFileWriter& m_file;
    const std::vector<ShardUnit>& m_units;
    std::size_t m_next = 0;
    bool m_begun = false;
    bool m_failed = false;
    CTrianzoidView& m_view;
    ConsolePlatform& m_platform;
    UnitCounting* m_counting;
};

// Processor seconds of the whole process so far, and its peak resident size in kilobytes.
std::pair<double, long> processUse() {
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + 1e-6 * t.tv_usec; };
    return {seconds(use.ru_utime) + seconds(use.ru_stime), use.ru_maxrss};
}

}  // namespace

int shardTarget(int shardCount) {
    return std::min(64 * std::max(shardCount, 1), 1 << 20);
}

int runShard(CTrianzoidView& view, ConsolePlatform& platform, const SolveOptions& options, std::FILE* out) {
    CTrianzoidDoc& doc = view.GetDocument();
    if (const std::string fault = view.pieceFault(); !fault.empty()) {
        platform.report("Oei: " + fault);
        return ExitStatus::Error;
    }
    // As the search driver decides: packings need room for every piece, and where they leave cells
    // open the checkerboard rule, which is about covering every cell, does not apply.
    SearchOutcome refused;
    const bool cellsStayOpen = view.packingLeavesCellsOpen(refused);
    if (refused.refusal == SearchOutcome::Refusal::NoRoom) {
        view.showSearchErrors(refused);
        return ExitStatus::Error;
    }
    if (!cellsStayOpen && !view.checkerboardAllowsSearch()) return ExitStatus::Refused;

    const int rowLength = std::clamp(doc.rowLength(), 0, BOARD_COLUMNS);
    const int height = std::clamp(static_cast<int>(doc.m_nHeight), 0, BOARD_ROWS);
    // As the search driver prepares a search: everything allocated and planned first, then the file
    // aside its name, put in place when the search starts.
    SearchState state;
    view.prepareCopies(state);
    const int unitCount = shardTarget(options.shardCount);
    int cells = 0;
    ShardPlan plan;
    std::vector<SearchPart> parts;
    long long ownedSteps = 0;  // an expanded step is one step of the search, counted by its unit's shard
    std::unique_ptr<PartRunner> runner;
    PartProblem problem;
    const int modes = view.searchModes();
    TilingClassCounter counter;
    PlacementTable fullTable;
    std::vector<int> placementOrigin;
    bool canonicalTest = false;
    try {
        cells = view.prepareTable(false);
        // The part records the pieces with their own copies; the modes may pool them for the search.
        problem.image = documentImage(doc);
        problem.pieces = doc;
        const std::int64_t triangles = placedTriangles(doc);
        state.eachTilingOnce = (modes & SearchMode::EachTilingOnce) != 0;
        state.spareCells = cellsStayOpen ? static_cast<int>(std::max<std::int64_t>(cells - triangles, 0)) : 0;
        canonicalTest = applySearchModes(modes, triangles == cells || state.spareCells > 0, view.m_table,
                                         view.m_freeCells, doc.m_pieces, doc.m_nPieces, counter, fullTable,
                                         placementOrigin, state.spareCells);
        auto index = std::make_shared<const PlacementIndex>(view.m_table, cells);
        // The planning, too, stops at an interrupt signal; the earlier part file then stays.
        view.beginOutsideSearch();
        plan = planShard(index, view.m_table, state, doc.m_pieces, options.shardIndex, options.shardCount,
                         unitCount, [&] {
                             platform.pumpMessages();
                             return view.interruptRequested();
                         });
        view.endOutsideSearch();
        for (const ShardUnit& unit : plan.units) {
            ownedSteps += unit.steps;
            if (unit.searched) parts.push_back(unit.part);
        }
        runner =
            std::make_unique<PartRunner>(index, view.m_table, state, doc.m_pieces, searchThreads(options));
    } catch (const std::bad_alloc&) {
        view.endOutsideSearch();
        view.m_table = PlacementTable{};
        platform.report("Oei: Onvoldoende geheugen");
        return ExitStatus::Error;
    }
    if (plan.interrupted || interruptSignalled()) return ExitStatus::Interrupted;

    problem.shardIndex = options.shardIndex;
    problem.shardCount = options.shardCount;
    problem.unitCount = unitCount;
    problem.letters = view.m_bLetterSolution;
    problem.modes = modes;
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

    const auto [prepared, preparedKilobytes] = processUse();
    UnitCounting counting{counter, placementOrigin, canonicalTest, 0, {}};
    PartWriter writer(file, plan.units, view, platform, view.m_bCountOnly ? &counting : nullptr);
    view.beginOutsideSearch();  // so that an interrupt signal reaches the run
    const bool completed = runner->run(parts, writer);
    view.endOutsideSearch();
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
    if (options.stats) {
        // Processor time and peak memory up to the start of the shard's own search, and of that search.
        const auto [total, kilobytes] = processUse();
        std::fprintf(stderr,
                     "stappen %lld, threads %d, voorbereiding %.3f s %ld kB, zoeken %.3f s %ld kB "
                     "(processortijd, piekgeheugen)\n",
                     allSteps, searchThreads(options), prepared, preparedKilobytes, total - prepared,
                     kilobytes);
    }
    if (!completed) return ExitStatus::Interrupted;
    return printed ? ExitStatus::Finished : ExitStatus::Error;
}
