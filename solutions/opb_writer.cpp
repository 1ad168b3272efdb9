#include "solutions/opb_writer.h"

#include <cstdint>
#include <vector>

bool OpbWriter::solution(const SolutionData& solution) {
    std::vector<std::int32_t> values;
    values.reserve(1 + 4 * solution.records.size());
    values.push_back(static_cast<std::int32_t>(solution.records.size()));
    for (const PlacementRecord& r : solution.records)
        values.insert(values.end(), {r.piece, r.orientation, r.anchorX, r.anchorY});
    m_file.writeInt32s(values);
    return m_file.endRecord();
}
