#include "search/symmetry_class_choice.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "search/incremental_search.h"
#include "search/placement_index.h"
#include "search/search_hooks.h"
#include "search/search_state.h"

namespace {

// The probes together take at most about this many steps (a few milliseconds, the time of a small
// search): deeper levels tell more, but each costs several times the one above.
constexpr std::int64_t kProbeSteps = 30'000;
// Above this many Placements, summed over the candidate cuts (each a copy of the table with its index and
// an engine, all held while the probes go deeper), the first class in the order of shapes is taken without
// probing: some tens of megabytes at the most.
constexpr std::int64_t kProbedPlacements = 250'000;

class SilentHooks : public SearchHooks {
  public:
    void pumpMessages() override {}
    bool interruptRequested() override { return false; }
    void onNewDepth(int) override {}
    void drawPlacement(int, int) override {}
    void recordSolution(int) override {}
    void showFirstPieceStatus(int, const Piece&) override {}
};

struct Cut {
    PlacementTable table;
    std::shared_ptr<const PlacementIndex> index;
    SearchState state;
    std::unique_ptr<IncrementalSearch> search;  // one for every depth: a search leaves it as it found it
    std::int64_t steps = 0;                     // of the deepest probe so far
};

}  // namespace

// The probe is the search itself with its depth cut: a search that takes as many Placements as it may
// place ends there, so with that number lowered to `depth` it walks the first `depth` levels of the tree
// and no more.
int chooseSymmetryClass(const TilingClassCounter& counter, const PlacementTable& table, int freeCells,
                        std::span<Piece> pieces, int pieceCount, int spareCells) {
    const std::vector<int> classes = counter.asymmetricSingleClasses();
    if (classes.size() < 2 ||
        static_cast<std::int64_t>(classes.size()) * table.placementCount > kProbedPlacements)
        return classes.empty() ? -1 : classes.front();
    int totalCopies = 0;
    for (int p = 0; p < pieceCount; ++p) totalCopies += pieces[static_cast<std::size_t>(p)].copies;
    SilentHooks hooks;
    // Without frames: renumbering the live rows pays over a subtree, and a probe's are cut short.
    IncrementalSearch::Form form;
    form.frameWords = std::numeric_limits<int>::max();
    std::vector<Cut> cuts(classes.size());
    for (std::size_t i = 0; i < classes.size(); ++i) {
        Cut& cut = cuts[i];
        cut.table = table;
        keepPlacements(cut.table, [&](int j) {
            return counter.placementClass(j) != classes[i] || counter.orbitRepresentative(j);
        });
        cut.index = std::make_shared<const PlacementIndex>(cut.table, freeCells);
        cut.state.coveredMask.assign(static_cast<std::size_t>(cut.table.wordsPerMask), 0u);
        cut.state.candidateCounts.assign(static_cast<std::size_t>(freeCells), 0);
        cut.state.chosenPlacement.assign(static_cast<std::size_t>(freeCells) + 1, 0);
        cut.state.pieceCount = pieceCount;
        cut.state.eachTilingOnce = true;
        cut.state.spareCells = spareCells;
        cut.search =
            std::make_unique<IncrementalSearch>(cut.index, cut.table, cut.state, pieces, hooks, form);
    }
    auto probe = [&](Cut& cut, int depth) {
        cut.state.totalCopies = depth;
        cut.state.steps = 0;
        cut.search->run();
        return cut.state.steps;
    };
    std::size_t best = 0;
    std::int64_t spent = 0;  // steps of all probes so far
    std::int64_t last = 0;   // steps of all probes one level up
    for (int depth = 1; depth <= totalCopies; ++depth) {
        std::int64_t sum = 0;
        for (Cut& cut : cuts) sum += cut.steps;
        // The next level costs about as many times the last as the last did the one above it; a level
        // that took no more steps than the one above ended every probe's search.
        if (depth > 1 && (sum == last || spent + (last > 0 ? sum * sum / last : sum) > kProbeSteps)) break;
        last = sum;
        for (Cut& cut : cuts) {
            cut.steps = probe(cut, depth);
            spent += cut.steps;
        }
        best = 0;
        for (std::size_t i = 1; i < cuts.size(); ++i)
            if (cuts[i].steps < cuts[best].steps) best = i;
    }
    return classes[best];
}
