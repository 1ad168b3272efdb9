#include "search/search_modes.h"

#include <new>

#include "search/symmetry_class_choice.h"

bool applySearchModes(int modes, bool findsEveryTiling, PlacementTable& table, const FreeCellIndex& index,
                      std::span<Piece> pieces, int pieceCount, TilingClassCounter& counter,
                      PlacementTable& fullTable, std::vector<int>& placementOrigin, int spareCells) {
    const bool onePerClass = (modes & SearchMode::OnePerSymmetryClass) != 0;
    const bool eachOnce = onePerClass || (modes & SearchMode::EachTilingOnce) != 0;
    counter.prepare(table, index, pieces, pieceCount);
    counter.setEachTilingOnce(eachOnce);
    counter.setOnePerSymmetryClass(onePerClass);
    fullTable = PlacementTable{};
    placementOrigin.clear();
    if (eachOnce) poolInterchangeableCopies(pieces, counter.slotClasses());
    if (!onePerClass) return false;
    int single = -1;
    if (findsEveryTiling) {
        try {
            single = chooseSymmetryClass(counter, table, index.freeCellCount, pieces, pieceCount, spareCells);
        } catch (const std::bad_alloc&) {
            single = counter.asymmetricSingleClass();  // the probes did not fit: the first by shape
        }
    }
    if (single < 0) return true;
    try {
        fullTable = table;
        counter.rebind(fullTable);
        placementOrigin = keepPlacements(table, [&](int j) {
            return counter.placementClass(j) != single || counter.orbitRepresentative(j);
        });
    } catch (const std::bad_alloc&) {
        table = std::move(fullTable);
        fullTable = PlacementTable{};
        counter.rebind(table);
        placementOrigin.clear();
        return true;
    }
    return false;
}
