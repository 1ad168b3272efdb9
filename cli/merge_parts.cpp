#include "cli/merge_parts.h"

#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <new>
#include <set>

#include "board/document_image.h"
#include "cli/console_platform.h"
#include "cli/search_options.h"
#include "cli/solve.h"
#include "search/part_file.h"
#include "search/search_modes.h"
#include "solutions/time_text.h"
#include "view/trianzoid_view.h"

namespace {

bool sameSearch(const PartProblem& a, const PartProblem& b) {
    return a.shardCount == b.shardCount && a.unitCount == b.unitCount && a.letters == b.letters &&
           a.freeCells == b.freeCells && a.placements == b.placements && a.fingerprint == b.fingerprint &&
           a.image == b.image && a.pieces.m_szPieceFile == b.pieces.m_szPieceFile &&
           a.pieces.m_nPieces == b.pieces.m_nPieces &&
           a.pieces.m_nPieceTriangles == b.pieces.m_nPieceTriangles;
}

}  // namespace

namespace {

// Count-only parts: their units' counts added up in unit order, as far as the shards finished them (as
// the files of a merge stop at the first unfinished unit).
int mergeCounts(std::vector<PartData>& parts, TilingClassCounter& counter, std::FILE* out, std::FILE* err,
                const SolveOptions& options) {
    SystemClock clock;
    const std::time_t start = clock.now();
    std::sort(parts.begin(), parts.end(),
              [](const PartData& a, const PartData& b) { return a.shardIndex < b.shardIndex; });
    const int count = parts.front().shardCount;
    std::vector<std::size_t> next(parts.size(), 0);
    std::int64_t solutions = 0;
    long long steps = 0;
    bool complete = true;
    for (int unit = 0; unit < parts.front().unitCount && complete; ++unit) {
        const PartData& part = parts[static_cast<std::size_t>(unit % count)];
        std::size_t& at = next[static_cast<std::size_t>(unit % count)];
        complete = at < part.units.size() && part.units[at].unit == unit && part.units[at].finished &&
                   part.units[at].counted;
        if (!complete) break;
        counter.addSums(part.units[at].counts);
        solutions += part.units[at].counts.solutions;
        ++at;
    }
    for (const PartData& part : parts) steps += part.steps;
    const std::time_t end = clock.now();
    printTilingCounts(counter.counts(complete), out);
    const std::string summary = std::string(complete ? "Klaar" : "Onderbroken") +
                                ". Duur: " + formatDuration(static_cast<long>(end - start)) +
                                ", aantal oplossingen " + std::to_string(solutions) + ", op " +
                                formatDateTime(clock.localTime(end));
    const bool printed = printResultLine(out, summary, err);
    if (options.stats)
        std::fprintf(err, "stappen %lld, oplossingen %lld, threads %d\n", steps,
                     static_cast<long long>(solutions), searchThreads(options));
    if (!complete) {
        std::fprintf(
            err,
            "Let op: niet alle delen zijn af; de tellingen houden op bij het eerste onafgemaakte deel\n");
        return ExitStatus::Interrupted;
    }
    return printed ? ExitStatus::Finished : ExitStatus::Error;
}

int mergeChecked(const SolveOptions& options, std::FILE* out, std::FILE* err) {
    ConsolePlatform::Settings settings;
    settings.assumeYes = options.yes;
    settings.goOn = true;  // the shards have already been told to go on
    settings.progress = !options.quiet && isatty(fileno(err));
    ConsolePlatform platform(err, stdin, settings);

    std::vector<PartProblem> problems;
    std::vector<PartData> parts;
    for (const std::string& path : options.mergeParts) {
        std::string error;
        auto read = readPartFile(path, error);
        if (!read) {
            platform.report("Oei: " + error);
            return ExitStatus::Error;
        }
        problems.push_back(std::move(read->first));
        parts.push_back(std::move(read->second));
    }
    const PartProblem& first = problems.front();
    // The modes are those the parts were searched in; --distinct, --unique, --packings or --count-only may
    // only confirm them.
    const int asked = (options.distinct || options.unique ? SearchMode::EachTilingOnce : 0) |
                      (options.unique ? SearchMode::OnePerSymmetryClass : 0);
    if ((asked != 0 && asked != (first.modes & ~(SearchMode::CellsMayStayOpen | SearchMode::CountOnly))) ||
        (options.packings && (first.modes & SearchMode::CellsMayStayOpen) == 0) ||
        (options.countOnly && (first.modes & SearchMode::CountOnly) == 0)) {
        platform.report("Oei: Deelbestand " + options.mergeParts.front() +
                        " is in een andere modus gezocht dan gevraagd");
        return ExitStatus::Error;
    }
    // Each part once, and all of them: the count the parts give is trusted only up to the parts there.
    std::set<int> seen;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        if ((problems[i].modes ^ first.modes) == SearchMode::CountOnly) {
            const bool counts = (problems[i].modes & SearchMode::CountOnly) != 0;
            platform.report("Oei: Deelbestand " + options.mergeParts[counts ? i : 0] +
                            " bevat alleen tellingen (--count-only) en " +
                            options.mergeParts[counts ? 0 : i] + " oplossingen; die gaan niet samen");
            return ExitStatus::Error;
        }
        if (problems[i].modes != first.modes) {
            platform.report("Oei: Deelbestand " + options.mergeParts[i] +
                            " is in een andere modus gezocht dan " + options.mergeParts.front() +
                            "; delen van verschillende modi gaan niet samen");
            return ExitStatus::Error;
        }
        if (!sameSearch(problems[i], first)) {
            platform.report("Oei: Deelbestand " + options.mergeParts[i] +
                            " hoort niet bij dezelfde zoektocht als " + options.mergeParts.front());
            return ExitStatus::Error;
        }
        if (!seen.insert(problems[i].shardIndex).second) {
            platform.report("Oei: Deel " + std::to_string(problems[i].shardIndex) + " van " +
                            std::to_string(first.shardCount) + " is twee keer opgegeven");
            return ExitStatus::Error;
        }
    }
    for (int k = 1; k <= first.shardCount && k <= static_cast<int>(problems.size()) + 1; ++k)
        if (seen.count(k) == 0) {
            platform.report("Oei: Deel " + std::to_string(k) + " van " + std::to_string(first.shardCount) +
                            " ontbreekt");
            return ExitStatus::Error;
        }

    // The document and pieces as the shards searched them; their table must be the one the parts name.
    CTrianzoidDoc doc;
    const bool boardRead = loadDocumentImage(doc, first.image);
    static_cast<PieceSet&>(doc) = first.pieces;
    if (!boardRead) {
        platform.report("Oei: Deelbestand " + options.mergeParts.front() + " klopt niet met zijn eigen veld");
        return ExitStatus::Error;
    }
    {
        FreeCellIndex index;
        PlacementTable table;
        const int cells = numberFreeCells(index, doc);
        buildPlacementTable(table, index, doc, std::clamp(doc.rowLength(), 0, BOARD_COLUMNS),
                            std::clamp(static_cast<int>(doc.m_nHeight), 0, BOARD_ROWS));
        // The table and the pieces of the parts' modes, as the shards and the merge's own search make them.
        PieceSet pieces = first.pieces;
        const SolutionRule rule = solutionRule(first);
        TilingClassCounter counter;
        PlacementTable fullTable;
        std::vector<int> origin;
        applySearchModes(first.modes, rule.triangles == cells || rule.spareCells > 0, table, index,
                         pieces.m_pieces, pieces.m_nPieces, counter, fullTable, origin, rule.spareCells);
        if (cells != first.freeCells || table.placementCount != first.placements ||
            tableFingerprint(table, cells) != first.fingerprint) {
            platform.report("Oei: Deelbestand " + options.mergeParts.front() +
                            " klopt niet met zijn eigen veld");
            return ExitStatus::Error;
        }
        // Every solution again, on the table of the parts' own Board: no cell covered twice, and no more
        // cells left open than the modes let stay open.
        for (std::size_t i = 0; i < parts.size(); ++i)
            if (!partSolutionsValid(parts[i], table, pieces, rule)) {
                platform.report("Oei: Deelbestand " + options.mergeParts[i] +
                                " bevat een oplossing die geen betegeling is");
                return ExitStatus::Error;
            }
        if ((first.modes & SearchMode::CountOnly) != 0) return mergeCounts(parts, counter, out, err, options);
    }

    SystemClock clock;
    CTrianzoidView view(doc, platform, clock);
    platform.attachView(&view);
    view.m_strOutputDir = options.outputDir;
    view.m_bLetterSolution = first.letters;
    view.m_bEachTilingOnce = (first.modes & SearchMode::EachTilingOnce) != 0;
    view.m_bOnePerSymmetryClass = (first.modes & SearchMode::OnePerSymmetryClass) != 0;
    view.m_bCellsMayStayOpen = (first.modes & SearchMode::CellsMayStayOpen) != 0;
    bool incomplete = false;
    view.m_engineFactory = [&](const PlacementTable&, int, SearchState& state, std::span<Piece> pieces,
                               SearchHooks& hooks) {
        return makePartReplay(std::move(parts), state, pieces, hooks, [&] {
            incomplete = true;
            view.requestInterrupt();
        });
    };
    platform.startProgress();
    const SearchOutcome outcome = view.search(false);
    platform.clearProgress();
    view.showSearchErrors(outcome);
    if (!outcome.started()) {
        if (outcome.errors.empty()) platform.report("Oei: Samenvoegen niet gestart");
        return ExitStatus::Error;
    }
    printTilingCounts(outcome.counts, out);
    const bool printed = printResultLine(out, outcome.summary, err);
    printSearchStats(view, options, err);
    if (incomplete)
        platform.report(
            "Let op: niet alle delen zijn af; de bestanden houden op bij het eerste onafgemaakte deel");
    if (!outcome.errors.empty()) return ExitStatus::Error;
    if (incomplete || outcome.end != SearchOutcome::End::Finished) return ExitStatus::Interrupted;
    return printed ? ExitStatus::Finished : ExitStatus::Error;
}

}  // namespace

int mergeParts(const SolveOptions& options, std::FILE* out, std::FILE* err) {
    try {
        return mergeChecked(options, out, err);
    } catch (const std::bad_alloc&) {
        std::fprintf(err, "Oei: Onvoldoende geheugen\n");
        return ExitStatus::Error;
    }
}
