#include "solutions/opb_reader.h"

#include "platform/little_endian.h"

bool readLittleEndianInt32(std::istream& in, std::int32_t& value) {
    unsigned char bytes[4];
    if (!in.read(reinterpret_cast<char*>(bytes), 4)) return false;
    value = loadInt32LE(bytes);
    return true;
}

bool readPlacementRecord(std::istream& in, PlacementRecord& r) {
    return readLittleEndianInt32(in, r.piece) && readLittleEndianInt32(in, r.orientation) &&
           readLittleEndianInt32(in, r.anchorX) && readLittleEndianInt32(in, r.anchorY);
}
