#pragma once

// SHA-256 sums of the solution files of every bundled example, as the program wrote them when these sums
// were taken: the ".opb" file as it is, the ".opl" log with its two times masked. A change in either file
// on any number of threads or in shards shows as a different sum.

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstdint>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace examplesums {

struct Sums {
    const char* board;
    const char* base;  // the solution files' name, "trianzoidLLHH"
    const char* opb;
    const char* opl;
    bool cheap;                // seconds in a debug build; the others are left to be asked for
    bool twoThreadsElsewhere;  // its run on two threads is checked in bundled_examples_test.cpp
};

inline const Sums kSums[] = {
    {"hexiamonds-6x6.trz", "trianzoid1706",
     "33b0f57b7c1706adbc5fe573007dedcbbbef6ed9c6970e9f8d635f634d1e942b",
     "a66bba82e01dd6afd4a88b10382a97616914a89153f6b4899fd7b252fde6e8d4", true, true},
    {"hexiamonds-4x9.trz", "trianzoid2106",
     "6ac036b95d2f3e6b822342a149ae57005d945b56a453adde0073b3bf99a5e815",
     "bed52ba96440228578387114b9a2c303954441a62a3628a2f42b9dd64488c4da", true, true},
    {"hexiamonds-3x12.trz", "trianzoid2706",
     "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855",
     "8c3304ceedf0509d240420c25c45ab5c4fe1f6807d371b74247d42c4165a54c5", true, true},
    {"tetriamonds-x2-hexagon.trz", "trianzoid0706",
     "4957fa3bbcb0d6e2f97dda9634a21a6cfe6ac7749a71fad09e2437f44cc8beee",
     "bbc33dbcf09bf129b97d75ac187c51a65201f24ce2bcff387d5f408a65ad628b", true, true},
    {"pentiamonds-house.trz", "trianzoid0706",
     "5c9a62fd2d94704171176916898a1d3415803dd3ed9b991558f88bd456ecff48",
     "2f2d42a37e2416c03f0f38b91ed14c685dc9cd865c5be31baf10019658d037c8", true, true},
    {"polyiamonds-1-5-bell.trz", "trianzoid1306",
     "729c4024e246270c8acab5cd5f6d21282ee638c299d402aa17591822ffc59d2a",
     "53d7b478d0ab31cbc5029801ae563624749ea07c9b8e0bd310feee3e2d519787", true, true},
    {"tetriamonds-3x2-impossible.trz", "trianzoid0706",
     "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855",
     "8773e7cdf21ecc8e97db08b5fa3f0283860b91f16b1a881f88c220b7316d24ca", true, true},
    {"hexiamonds-hexagon-long.trz", "trianzoid1906",
     "fa71a72b0638b2dee2a871c156f79c0226aae2da1f4850f85540dd3dc53d2826",
     "f6add371dbece61e88605ff273aa2e22265ab2d1180428472190437231877792", false, false},
    {"hexiamonds-hexagon-hole.trz", "trianzoid1308",
     "d31c769e069c16eb73b3b5e8b89bab2955e8307e3d8e97d65b6badaa0037d5ad",
     "5ce588a39f8cbbeeee5a417c28952395ce3dd24b49fea36f383e8afc79a15eab", false, true},
    {"hexiamonds-spare-cells.trz", "trianzoid1906",
     "1481fb5565688d6eca9e19b95c51173f538d5bd8afff68aa24c936dbd3489ba1",
     "ba432e891c13c0cadf48f7a11fd849069b0ae6363852b4d439ee40cb13b7da6b", false, false},
    {"hexiamonds-spare-cells-large.trz", "trianzoid1508",
     "481943d0444f4861580db0083ac778baa05f22f7818ff6d7089d0dcf77a28896",
     "d435e486ac08cd36b0473aa1637953aa6ce4f6e7bb2c78d1f12db9bddfc745ca", false, false},
};

inline void PrintTo(const Sums& sums, std::ostream* os) {
    *os << sums.board;
}

inline const Sums* sumsOf(const std::string& board) {
    for (const Sums& sums : kSums)
        if (board == sums.board) return &sums;
    return nullptr;
}

// The log with the start time, the duration and the end time masked, and the folder of the examples (in
// the piece file's path) written "EXAMPLES".
inline std::string masked(const std::string& log) {
    static const std::regex times(R"(\d\d?-\d\d-\d{4} \d\d:\d\d:\d\d|Duur: \d+:\d\d:\d\d)");
    std::string text = std::regex_replace(log, times, "*");
    const std::string folder = testsupport::examplesDir() + "/";
    for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at))
        text.replace(at, folder.size(), "EXAMPLES/");
    return text;
}

inline std::string sha256(const void* data, std::size_t size) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(data, size, digest, &length, EVP_sha256(), nullptr) != 1) return "";
    std::string hex;
    char pair[3];
    for (unsigned int i = 0; i < length; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}
inline std::string sha256(const std::vector<std::uint8_t>& bytes) {
    return sha256(bytes.data(), bytes.size());
}
inline std::string sha256(const std::string& text) {
    return sha256(text.data(), text.size());
}

// The two files of `board`'s search in `folder` have the sums of the table.
inline void expectSums(const std::string& board, const std::string& folder, const std::string& how) {
    const Sums* sums = sumsOf(board);
    ASSERT_NE(sums, nullptr) << board;
    const std::string base = folder + "/" + sums->base;
    EXPECT_EQ(sha256(testsupport::readBytes(base + ".opb")), sums->opb) << board << ", " << how;
    EXPECT_EQ(sha256(masked(testsupport::readText(base + ".opl"))), sums->opl) << board << ", " << how;
}

}  // namespace examplesums
