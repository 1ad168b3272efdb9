#pragma once

#include "solutions/solution_writer.h"

// The ".opb" solution file: per solution an int32 count n and n records of four int32 (piece slot,
// orientation slot, anchor column, anchor row), all little-endian. No header and no summary.
class OpbWriter : public SolutionWriter {
  public:
    using SolutionWriter::SolutionWriter;
    bool begin(const SearchHeader&) override { return true; }
    bool solution(const SolutionData& solution) override;
    bool end(const std::string&) override { return true; }
};
