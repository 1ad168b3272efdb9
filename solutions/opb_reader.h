#pragma once

#include <cstdint>
#include <istream>

#include "search/placement_table.h"

// Reading the ".opb" file (see OpbWriter): its little-endian 32-bit integers and its 16-byte placement
// records. False at the end of the file or in a cut record.
bool readLittleEndianInt32(std::istream& in, std::int32_t& value);
bool readPlacementRecord(std::istream& in, PlacementRecord& record);
