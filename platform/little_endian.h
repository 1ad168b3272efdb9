#pragma once

#include <cstdint>

// Every file of the program stores its integers as little-endian 32-bit values, whatever the machine.
// `Byte` is any one-byte type (char, unsigned char, std::uint8_t).
template <typename Byte>
std::int32_t loadInt32LE(const Byte* bytes) {
    static_assert(sizeof(Byte) == 1);
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = bits << 8 | static_cast<unsigned char>(bytes[i]);
    return static_cast<std::int32_t>(bits);
}

template <typename Byte>
void storeInt32LE(Byte* bytes, std::int32_t value) {
    static_assert(sizeof(Byte) == 1);
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<Byte>(static_cast<unsigned char>(bits >> (8 * i)));
}
