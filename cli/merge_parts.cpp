#include "cli/merge_parts.h"

#include <unistd.h>

#include <algorithm>

#include "board/document_image.h"
#include "board/trianzoid_view.h"
#include "cli/console_platform.h"
#include "cli/search_options.h"
#include "cli/solve.h"
#include "search/part_file.h"

namespace {

bool sameSearch(const PartProblem& a, const PartProblem& b) {
    return a.shardCount == b.shardCount && a.unitCount == b.unitCount && a.letters == b.letters &&
           a.freeCells == b.freeCells && a.placements == b.placements && a.fingerprint == b.fingerprint &&
           a.image == b.image && a.pieces.m_szPieceFile == b.pieces.m_szPieceFile &&
           a.pieces.m_nPieces == b.pieces.m_nPieces &&
           a.pieces.m_nPieceTriangles == b.pieces.m_nPieceTriangles;
}

}  // namespace

int mergeParts(const SolveOptions& options, std::FILE* out, std::FILE* err) {
    ConsolePlatform::Settings settings;
    settings.assumeYes = true;  // the shards have already been told to go on
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
    std::vector<int> seen(static_cast<std::size_t>(first.shardCount) + 1, 0);
    for (std::size_t i = 0; i < problems.size(); ++i) {
        if (!sameSearch(problems[i], first)) {
            platform.report("Oei: Deelbestand " + options.mergeParts[i] +
                            " hoort niet bij dezelfde zoektocht als " + options.mergeParts.front());
            return ExitStatus::Error;
        }
        if (seen[static_cast<std::size_t>(problems[i].shardIndex)]++ != 0) {
            platform.report("Oei: Deel " + std::to_string(problems[i].shardIndex) + " van " +
                            std::to_string(first.shardCount) + " is twee keer opgegeven");
            return ExitStatus::Error;
        }
    }
    for (int k = 1; k <= first.shardCount; ++k)
        if (seen[static_cast<std::size_t>(k)] == 0) {
            platform.report("Oei: Deel " + std::to_string(k) + " van " + std::to_string(first.shardCount) +
                            " ontbreekt");
            return ExitStatus::Error;
        }

    // The document and pieces as the shards searched them; their table must be the one the parts name.
    CTrianzoidDoc doc;
    loadDocumentImage(doc, first.image);
    static_cast<PieceSet&>(doc) = first.pieces;
    {
        FreeCellIndex index;
        PlacementTable table;
        const int cells = numberFreeCells(index, doc);
        buildPlacementTable(table, index, doc, std::clamp(doc.rowLength(), 0, BOARD_COLUMNS),
                            std::clamp(static_cast<int>(doc.m_nHeight), 0, BOARD_ROWS));
        if (cells != first.freeCells || table.placementCount != first.placements ||
            tableFingerprint(table, cells) != first.fingerprint) {
            platform.report("Oei: Deelbestand " + options.mergeParts.front() +
                            " klopt niet met zijn eigen veld");
            return ExitStatus::Error;
        }
    }

    SystemClock clock;
    CTrianzoidView view(doc, platform, clock);
    platform.attachView(&view);
    view.m_strOutputDir = options.outputDir;
    view.m_bLetterSolution = first.letters;
    bool incomplete = false;
    view.m_engineFactory = [&](const PlacementTable&, int, SearchState& state, std::span<Piece> pieces,
                               SearchHooks& hooks) {
        return makePartReplay(std::move(parts), state, pieces, hooks, [&] {
            incomplete = true;
            view.ViewMode = kInterruptRequested;
        });
    };
    view.m_nReadiness = view.UpdateReadiness();
    if (view.m_nReadiness < 0) view.m_nReadiness = 0;  // the parts hold the answer; nothing is searched
    platform.startProgress();
    view.runSearch(false);
    platform.clearProgress();
    if (!platform.finalTitle()) {
        if (!platform.errorReported()) platform.report("Oei: Samenvoegen niet gestart");
        return ExitStatus::Error;
    }
    printTilingCounts(view.m_tilingCounts, out);
    std::fprintf(out, "%s\n", view.m_strSearchSummary.c_str());
    std::fflush(out);
    printSearchStats(view, options, err);
    if (incomplete)
        platform.report(
            "Let op: niet alle delen zijn af; de bestanden houden op bij het eerste onafgemaakte deel");
    if (platform.errorReported()) return ExitStatus::Error;
    return incomplete || *platform.finalTitle() != "Klaar" ? ExitStatus::Interrupted : ExitStatus::Finished;
}
