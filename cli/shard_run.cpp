#include "cli/shard_run.h"

#include <sys/resource.h>

#include <algorithm>
#include <climits>
#include <new>

#include "board/document_image.h"
#include "board/trianzoid_view.h"
#include "cli/console_platform.h"
#include "cli/search_options.h"
#include "cli/solve.h"
#include "search/part_file.h"
#include "search/search_events.h"

namespace {

std::string partFileName(const CTrianzoidView& view, int rowLength, int height, int index, int count) {
    return solutionFilePath(view.m_strOutputDir, rowLength, height,
                            "deel" + std::to_string(index) + "van" + std::to_string(count));
}

// Writes the shard's units in unit order: each one's planned events first, then what the threads
// deliver for it. A unit is finished once a later one of the shard starts, or at the end.
class PartWriter : public PartConsumer {
  public:
    PartWriter(PartFileWriter& file, const std::vector<ShardUnit>& units, CTrianzoidView& view,
               ConsolePlatform& platform)
        : m_file(file), m_units(units), m_view(view), m_platform(platform) {}

    bool consume(int unit, std::span<const std::int32_t> events) override {
        finishBefore(unit);
        begin();
        m_file.events(unit, events);
        return true;
    }
    bool keepGoing() override {
        m_platform.pumpMessages();
        return m_view.ViewMode != kInterruptRequested;
    }
    // Every unit of the shard before `unit` is finished.
    void finishBefore(int unit) {
        for (; m_next < m_units.size() && m_units[m_next].unit < unit; ++m_next) {
            begin();
            m_file.finished(m_units[m_next].unit);
            m_begun = false;
        }
    }
    void finishAll() { finishBefore(INT_MAX); }

  private:
    void begin() {
        if (m_begun || m_next >= m_units.size()) return;
        m_begun = true;
        const ShardUnit& u = m_units[m_next];
        if (!u.events.empty()) m_file.events(u.unit, u.events);
    }

    PartFileWriter& m_file;
    const std::vector<ShardUnit>& m_units;
    std::size_t m_next = 0;
    bool m_begun = false;
    CTrianzoidView& m_view;
    ConsolePlatform& m_platform;
};

}  // namespace

int shardTarget(int shardCount) {
    return std::min(64 * std::max(shardCount, 1), 1 << 20);
}

namespace {

// Processor seconds of the whole process so far, and its peak resident size in kilobytes.
std::pair<double, long> processUse() {
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + 1e-6 * t.tv_usec; };
    return {seconds(use.ru_utime) + seconds(use.ru_stime), use.ru_maxrss};
}

}  // namespace

int runShard(CTrianzoidView& view, ConsolePlatform& platform, const SolveOptions& options, std::FILE* out) {
    CTrianzoidDoc& doc = view.GetDocument();
    if (view.checkerboardTest(view.m_nReadiness) != 0 &&
        platform.messageBox("Volgens de dambordmethode is een oplossing onmogelijk\nToch doorgaan?",
                            "Dit lukt nooit", MessageButtons::YesNo,
                            MessageIcon::Exclamation) == MessageAnswer::No)
        return ExitStatus::Refused;

    const int rowLength = std::clamp(doc.rowLength(), 0, BOARD_COLUMNS);
    const int height = std::clamp(static_cast<int>(doc.m_nHeight), 0, BOARD_ROWS);
    SearchState state;
    std::shared_ptr<const PlacementIndex> index;
    int cells = 0;
    try {
        cells = numberFreeCells(view.m_freeCells, doc);
        buildPlacementTable(view.m_table, view.m_freeCells, doc, rowLength, height);
        index = std::make_shared<const PlacementIndex>(view.m_table, cells);
    } catch (const std::bad_alloc&) {
        platform.report("Oei: Onvoldoende geheugen");
        return ExitStatus::Error;
    }
    // As the search driver prepares a search.
    state.pieceCount = std::clamp(static_cast<int>(doc.m_nPieces), 0, kMaxPieces);
    std::int64_t copies = 0;
    for (int p = 0; p < state.pieceCount; ++p) copies += doc.m_pieces[static_cast<std::size_t>(p)].copies;
    state.totalCopies = static_cast<int>(std::clamp<std::int64_t>(copies, INT_MIN, INT_MAX));

    // The planning, too, stops at an interrupt signal; the part file then has no unit finished.
    const int unitCount = shardTarget(options.shardCount);
    view.ViewMode = kSearching;
    const ShardPlan plan = planShard(index, view.m_table, state, doc.m_pieces, options.shardIndex,
                                     options.shardCount, unitCount, [&] {
                                         platform.pumpMessages();
                                         return view.ViewMode == kInterruptRequested;
                                     });
    view.ViewMode = kEditing;
    std::vector<SearchPart> parts;
    long long ownedSteps = 0;  // an expanded step is one step of the search, counted by its unit's shard
    for (const ShardUnit& unit : plan.units) {
        ownedSteps += unit.steps;
        if (unit.searched) parts.push_back(unit.part);
    }

    PartProblem problem;
    problem.shardIndex = options.shardIndex;
    problem.shardCount = options.shardCount;
    problem.unitCount = unitCount;
    problem.letters = view.m_bLetterSolution;
    problem.freeCells = cells;
    problem.placements = view.m_table.placementCount;
    problem.fingerprint = tableFingerprint(view.m_table, cells);
    problem.image = documentImage(doc);
    problem.pieces = doc;
    const std::string path = partFileName(view, rowLength, height, options.shardIndex, options.shardCount);
    PartFileWriter file;
    if (!file.create(path, problem)) {
        platform.report("Bestand niet te schrijven: " + path);
        return ExitStatus::Error;
    }

    const auto [prepared, preparedKilobytes] = processUse();
    PartWriter writer(file, plan.units, view, platform);
    PartRunner runner(index, view.m_table, state, doc.m_pieces, searchThreads(options));
    view.ViewMode = kSearching;  // so that an interrupt signal reaches the run
    const bool completed = !plan.interrupted && runner.run(parts, writer);
    view.ViewMode = kEditing;
    if (completed) writer.finishAll();
    const bool written = file.close(completed, runner.steps() + ownedSteps);
    view.m_table = PlacementTable{};
    if (!written) {
        platform.report("Oei: Fout bij het schrijven van " + path);
        return ExitStatus::Error;
    }
    std::fprintf(out, "%s deel %d van %d: %s.\n", completed ? "Klaar" : "Onderbroken", options.shardIndex,
                 options.shardCount, path.c_str());
    std::fflush(out);
    if (options.stats) {
        // Processor time and peak memory up to the start of the shard's own search, and of that search.
        const auto [total, kilobytes] = processUse();
        std::fprintf(stderr,
                     "stappen %lld, threads %d, voorbereiding %.3f s %ld kB, zoeken %.3f s %ld kB "
                     "(processortijd, piekgeheugen)\n",
                     runner.steps() + ownedSteps, searchThreads(options), prepared, preparedKilobytes,
                     total - prepared, kilobytes);
    }
    return completed ? ExitStatus::Finished : ExitStatus::Interrupted;
}
