#pragma once

#include "solutions/solution_writer.h"

// The ".opl" log, text with CR LF line ends: a header (the start, the modes, the piece file and the
// sizes), per solution "Oplossing N" and the picture of the Board with each covered cell shown by its
// piece's label, and the summary line after an empty line.
class OplWriter : public SolutionWriter {
  public:
    using SolutionWriter::SolutionWriter;
    bool begin(const SearchHeader& header) override;
    bool solution(const SolutionData& solution) override;
    bool end(const std::string& summary) override;

  private:
    std::string m_block;  // a solution's text, kept for its room
};

// The log of a search in letter mode: the header and summary of the log, and per solution one line
// of the piece slots it uses, as the bits of a signed 64-bit number (slot 63 makes it negative), and one
// letter per Placement in the order placed: 'A' for slot 0, 'B' for slot 1, ...
class LetterLogWriter : public OplWriter {
  public:
    using OplWriter::OplWriter;
    bool solution(const SolutionData& solution) override;
};
