// The fast engine's processor-specific kernels, chosen at run time (processor_features.h): the
// four-words-at-a-time overlap of a Placement, and the counts with a population-count
// instruction, with 256-bit vectors and with a vector population count. On other processors each is
// the portable form.
#include <algorithm>
#include <iterator>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "search/incremental_search_bits.h"

using incremental::wordsInUse;

namespace {
// The open cells of group `group` of eight, as the low 8 bits (the cells past the last one closed).
inline unsigned openCells(const std::uint32_t* covered, int cells, int group) {
    auto open = ~(covered[group >> 2] >> ((group & 3) * 8)) & 0xFFu;
    if (cells - group * 8 < 8) open &= (1u << (cells - group * 8)) - 1;
    return open;
}
}  // namespace

#if defined(__x86_64__)
// The same four words at a time, for processors with 256-bit vectors (found at run time).
__attribute__((target("avx2"))) void IncrementalSearch::clearOverlapsWide(const Frame& frame, int placement,
                                                                          int first, int end,
                                                                          const std::uint64_t* from,
                                                                          std::uint64_t* to) const {
    const auto words = static_cast<std::size_t>(frame.words);
    const std::uint16_t* cells = m_index->rowBegin(placement);
    const std::uint16_t* last = m_index->rowEnd(placement);
    // Per lane, the run's first and end bit within the lane's word: below 0 taken as 0, and a shift by 64
    // or more gives 0.
    const __m256i ones = _mm256_set1_epi64x(-1);
    const __m256i zero = _mm256_setzero_si256();
    const __m256i lanes = _mm256_setr_epi64x(0, 64, 128, 192);
    __m256i runFirst = _mm256_sub_epi64(_mm256_set1_epi64x(first), lanes);
    __m256i runEnd = _mm256_sub_epi64(_mm256_set1_epi64x(end), lanes);
    const __m256i step = _mm256_set1_epi64x(256);
    std::size_t w = 0;
    for (; w + 4 <= words; w += 4) {
        const __m256i below = _mm256_blendv_epi8(runFirst, zero, _mm256_cmpgt_epi64(zero, runFirst));
        const __m256i upTo = _mm256_blendv_epi8(runEnd, zero, _mm256_cmpgt_epi64(zero, runEnd));
        __m256i dying = _mm256_andnot_si256(_mm256_sllv_epi64(ones, upTo), _mm256_sllv_epi64(ones, below));
        for (const std::uint16_t* c = cells; c != last; ++c)
            dying = _mm256_or_si256(dying,
                                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(frame.cell(*c) + w)));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(to + w),
            _mm256_andnot_si256(dying, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + w))));
        runFirst = _mm256_sub_epi64(runFirst, step);
        runEnd = _mm256_sub_epi64(runEnd, step);
    }
    for (; w < words; ++w) {
        const auto bit = static_cast<int>(w) * 64;
        const int below = std::clamp(first - bit, 0, 64);
        const int upTo = std::clamp(end - bit, 0, 64);
        std::uint64_t dying =
            (below == 64 ? 0 : ~std::uint64_t{0} << below) & ~(upTo == 64 ? 0 : ~std::uint64_t{0} << upTo);
        for (const std::uint16_t* c = cells; c != last; ++c) dying |= frame.cell(*c)[w];
        to[w] = from[w] & ~dying;
    }
}

// The same eight words at a time for processors with 512-bit vectors. A cell's words are read eight at a
// time from its cache line (a cell has room up to a multiple of eight words; what lies past the frame's
// words there counts for nothing). The read asks for no alignment: on a line it costs the same, and
// storage placed otherwise would only be slower, never a fault. The live set's last words are read
// masked and stored whole, as 0 past the frame's words (a live set has room for them): a masked store
// would make the count wait for it to be written before it could read the live words. (GCC's masked
// loads start from an "undefined" register that its uninitialised-use warning trips over.)
#pragma GCC diagnostic push
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
__attribute__((target("avx512f"))) void IncrementalSearch::clearOverlapsVector(const Frame& frame,
                                                                               int placement, int first,
                                                                               int end,
                                                                               const std::uint64_t* from,
                                                                               std::uint64_t* to) const {
    const int words = frame.words;
    const std::uint16_t* cells = m_index->rowBegin(placement);
    const std::uint16_t* last = m_index->rowEnd(placement);
    const __m512i ones = _mm512_set1_epi64(-1);
    const __m512i zero = _mm512_setzero_si512();
    const __m512i sixtyFour = _mm512_set1_epi64(64);
    // Per lane, the run's first and end bit within the lane's word (clamped to 0 .. 64; a shift by 64
    // gives 0), moved on by eight words at a time.
    __m512i runFirst =
        _mm512_sub_epi64(_mm512_set1_epi64(first), _mm512_setr_epi64(0, 64, 128, 192, 256, 320, 384, 448));
    __m512i runEnd =
        _mm512_sub_epi64(_mm512_set1_epi64(end), _mm512_setr_epi64(0, 64, 128, 192, 256, 320, 384, 448));
    const __m512i step = _mm512_set1_epi64(512);
    for (int w = 0; w < words; w += 8) {
        const auto lanes = static_cast<__mmask8>(words - w >= 8 ? 0xFFu : (1u << (words - w)) - 1);
        const __m512i below = _mm512_min_epi64(_mm512_max_epi64(runFirst, zero), sixtyFour);
        const __m512i upTo = _mm512_min_epi64(_mm512_max_epi64(runEnd, zero), sixtyFour);
        __m512i dying = _mm512_andnot_si512(_mm512_sllv_epi64(ones, upTo), _mm512_sllv_epi64(ones, below));
        for (const std::uint16_t* c = cells; c != last; ++c)
            dying = _mm512_or_si512(dying, _mm512_loadu_si512(frame.cell(*c) + static_cast<std::size_t>(w)));
        _mm512_storeu_si512(to + w, _mm512_andnot_si512(dying, _mm512_maskz_loadu_epi64(lanes, from + w)));
        runFirst = _mm512_sub_epi64(runFirst, step);
        runEnd = _mm512_sub_epi64(runEnd, step);
    }
}
#pragma GCC diagnostic pop
#else
void IncrementalSearch::clearOverlapsWide(const Frame& frame, int placement, int first, int end,
                                          const std::uint64_t* from, std::uint64_t* to) const {
    clearOverlapsVector(frame, placement, first, end, from, to);
}

void IncrementalSearch::clearOverlapsVector(const Frame& frame, int placement, int first, int end,
                                            const std::uint64_t* from, std::uint64_t* to) const {
    clearOverlaps(frame, placement, from, to);
    for (int j = first; j < end; ++j) to[j >> 6] &= ~(std::uint64_t{1} << (j & 63));
}
#endif

#if defined(__x86_64__)
// Sixteen rows or sixty-four pieces at a time, read and written masked: nothing past either end.
__attribute__((target("avx512f,avx512bw,avx512vbmi2,popcnt"))) void incremental::compressRows(
    const std::int32_t* rows, const std::uint8_t* pieces, const std::uint64_t* live, int words,
    std::int32_t* rowsTo, std::uint8_t* piecesTo) {
    for (int w = 0; w < words; ++w) {
        const std::uint64_t bits = live[w];
        if (bits == 0) continue;
        for (int part = 0; part < 4; ++part) {
            const auto lanes = static_cast<__mmask16>(bits >> (16 * part));
            const __m512i packed = _mm512_maskz_compress_epi32(
                lanes, _mm512_maskz_loadu_epi32(lanes, rows + static_cast<std::size_t>(w) * 64 + 16 * part));
            const int n = std::popcount(static_cast<unsigned>(lanes));
            _mm512_mask_storeu_epi32(rowsTo, static_cast<__mmask16>((1u << n) - 1), packed);
            rowsTo += n;
        }
        const int n = std::popcount(bits);
        const __m512i packed = _mm512_maskz_compress_epi8(
            bits, _mm512_maskz_loadu_epi8(bits, pieces + static_cast<std::size_t>(w) * 64));
        _mm512_mask_storeu_epi8(piecesTo, n == 64 ? ~__mmask64{0} : (__mmask64{1} << n) - 1, packed);
        piecesTo += n;
    }
}
#else
void incremental::compressRows(const std::int32_t* rows, const std::uint8_t* pieces,
                               const std::uint64_t* live, int words, std::int32_t* rowsTo,
                               std::uint8_t* piecesTo) {
    for (int w = 0; w < words; ++w)
        for (std::uint64_t bits = live[w]; bits != 0; bits &= bits - 1) {
            const auto bit = static_cast<std::size_t>(w * 64 + std::countr_zero(bits));
            *rowsTo++ = rows[bit];
            *piecesTo++ = pieces[bit];
        }
}
#endif

#if defined(__x86_64__)
__attribute__((target("popcnt"))) int incremental::rowCountPopcount(const std::uint64_t* live, int words) {
    return rowCount(live, words);
}
#else
int incremental::rowCountPopcount(const std::uint64_t* live, int words) {
    return rowCount(live, words);
}
#endif

#if defined(__x86_64__)
// The same, compiled for processors with a population-count instruction (found at run time).
__attribute__((target("popcnt"))) int IncrementalSearch::chooseCellBitsPopcount() {
    return chooseCellBits();
}

// The same for eight cells at a time, for processors with a vector population count (found at run time):
// word by word, the live word against that word of eight columns side by side, so that a cell's count
// builds up in its own lane and is never summed across a vector. Covered cells count no rows (no live
// row covers them); they are left out by the lane mask. Each lane keeps the fewest rows it has seen and
// the first cell with them, without a branch; the lanes are compared once, at the end.
// (GCC's own reductions of a vector start from an "undefined" register that its uninitialised-use warning
// trips over.)
#pragma GCC diagnostic push
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
namespace {

__attribute__((always_inline)) inline __mmask8 openLanes(const std::uint32_t* covered, int cells, int group) {
    return static_cast<__mmask8>(openCells(covered, cells, group));
}

// Live rows per cell of a group of eight, each in its own lane: the live words broadcast from memory.
__attribute__((target("avx512f,avx512vpopcntdq"), always_inline)) inline __m512i groupCounts(
    const std::uint64_t* column, const std::uint64_t* live, int words) {
    __m512i counts = _mm512_setzero_si512();
    for (int w = 0; w < words; ++w, column += 8) {
        const __m512i rows =
            _mm512_and_si512(_mm512_set1_epi64(static_cast<long long>(live[w])), _mm512_loadu_si512(column));
        counts = _mm512_add_epi64(counts, _mm512_popcnt_epi64(rows));
    }
    return counts;
}

struct GroupScan {
    int cell;       // the first open cell with the fewest live rows; -2 when no cell is open
    int deadGroup;  // >= 0: a group with an open cell without live rows (cell is then -1)
};

// The same with the frame's W words broadcast into registers already (W = 0: from memory).
template <int W>
__attribute__((target("avx512f,avx512vpopcntdq"), always_inline)) inline __m512i groupCountsOf(
    const std::uint64_t* column, const __m512i* broadcast, const std::uint64_t* live, int words) {
    if constexpr (W == 0) {
        return groupCounts(column, live, words);
    } else {
        __m512i counts = _mm512_setzero_si512();
        for (int w = 0; w < W; ++w)
            counts = _mm512_add_epi64(counts, _mm512_popcnt_epi64(_mm512_and_si512(
                                                  broadcast[w], _mm512_loadu_si512(column + 8 * w))));
        return counts;
    }
}

// The likeliest group for a dead end (`first`, -1 for none) first, then every group in cell order, the
// first one's counts kept for their turn. With W > 0 the frame has W words, broadcast once into registers
// rather than once per group; W = 0 reads them from memory (any number).
template <int W>
__attribute__((target("avx512f,avx512vpopcntdq"))) GroupScan scanGroups(const std::uint64_t* columns,
                                                                        int words, const std::uint64_t* live,
                                                                        const std::uint32_t* covered,
                                                                        int cells, int first) {
    __m512i broadcast[W == 0 ? 1 : W];
    if constexpr (W > 0)
        for (int w = 0; w < W; ++w) broadcast[w] = _mm512_set1_epi64(static_cast<long long>(live[w]));
    const auto groupWords = static_cast<std::size_t>(words) * 8;
    const auto countGroup = [&](int group) __attribute__((target("avx512f,avx512vpopcntdq"))) {
        return groupCountsOf<W>(columns + static_cast<std::size_t>(group) * groupWords, broadcast, live,
                                words);
    };
    __m512i firstCounts = _mm512_setzero_si512();
    if (const __mmask8 lanes = first >= 0 ? openLanes(covered, cells, first) : 0; lanes != 0) {
        firstCounts = countGroup(first);
        if (_mm512_mask_testn_epi64_mask(lanes, firstCounts, firstCounts) != 0) return {-1, first};
    }
    const int groups = (cells + 7) / 8;
    __m512i best = _mm512_set1_epi64(kNoCount);
    __m512i bestCell = _mm512_setzero_si512();
    __m512i lanesCells = _mm512_setr_epi64(0, 1, 2, 3, 4, 5, 6, 7);
    const __m512i eight = _mm512_set1_epi64(8);
    for (int group = 0; group < groups; ++group, lanesCells = _mm512_add_epi64(lanesCells, eight)) {
        const __mmask8 lanes = openLanes(covered, cells, group);
        if (lanes == 0) continue;
        const __m512i counts = group == first ? firstCounts : countGroup(group);
        if (_mm512_mask_testn_epi64_mask(lanes, counts, counts) != 0) return {-1, group};
        const __mmask8 fewer = _mm512_mask_cmplt_epu64_mask(lanes, counts, best);
        best = _mm512_mask_mov_epi64(best, fewer, counts);
        bestCell = _mm512_mask_mov_epi64(bestCell, fewer, lanesCells);
    }
    const auto fewest = static_cast<std::uint64_t>(_mm512_reduce_min_epu64(best));
    if (fewest == kNoCount) return {-2, -1};
    const __mmask8 at = _mm512_cmpeq_epu64_mask(best, _mm512_set1_epi64(static_cast<long long>(fewest)));
    return {static_cast<int>(_mm512_mask_reduce_min_epu64(at, bestCell)), -1};
}

using ScanGroups = GroupScan (*)(const std::uint64_t*, int, const std::uint64_t*, const std::uint32_t*, int,
                                 int);
// By the frame's words: up to 16 held in registers, more read from memory.
constexpr ScanGroups kScans[] = {
    &scanGroups<0>,  &scanGroups<1>,  &scanGroups<2>,  &scanGroups<3>,  &scanGroups<4>,  &scanGroups<5>,
    &scanGroups<6>,  &scanGroups<7>,  &scanGroups<8>,  &scanGroups<9>,  &scanGroups<10>, &scanGroups<11>,
    &scanGroups<12>, &scanGroups<13>, &scanGroups<14>, &scanGroups<15>, &scanGroups<16>};
constexpr int kScanWords = static_cast<int>(std::size(kScans));

}  // namespace

__attribute__((target("avx512f,avx512vpopcntdq"))) int IncrementalSearch::chooseCellBitsVector() {
    const std::uint64_t* live = liveSet(m_placed);
    const Frame& frame = frameOf(m_placed);
    const int groups = (m_cells + 7) / 8;
    const GroupScan scan = kScans[frame.words < kScanWords ? frame.words : 0](
        frame.columnData, frame.words, live, m_state.coveredMask.data(), m_cells,
        std::min(m_firstGroup, groups - 1));
    if (scan.deadGroup >= 0) noteDeadGroup(scan.deadGroup);
    if (scan.cell >= 0) m_state.bestCell = scan.cell;
    return scan.cell;
}
#pragma GCC diagnostic pop

// The same eight cells at a time for processors with 256-bit vectors but no vector population count
// (found at run time): each byte's bits are counted by table lookup on its two halves, the byte counts of a
// cell built up over at most 31 words (8 bits a word, so they never pass 255) and then summed into the
// cell's 64-bit lane. Only the live words that are not 0 are counted, as in the scalar count.
namespace {
__attribute__((target("avx2"), always_inline)) inline __m256i byteCounts(__m256i rows) {
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i bitsIn = _mm256_setr_epi8(0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4,  //
                                            0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4);
    return _mm256_add_epi8(_mm256_shuffle_epi8(bitsIn, _mm256_and_si256(rows, nibble)),
                           _mm256_shuffle_epi8(bitsIn, _mm256_and_si256(_mm256_srli_epi16(rows, 4), nibble)));
}

// Where an open lane has fewer rows than its best so far, or as few in a lower cell: that count and cell.
__attribute__((target("avx2"), always_inline)) inline void keep(__m256i& best, __m256i& bestCell,
                                                                __m256i counts, __m256i cells, __m256i open) {
    const __m256i fewer = _mm256_or_si256(
        _mm256_cmpgt_epi64(best, counts),
        _mm256_and_si256(_mm256_cmpeq_epi64(best, counts), _mm256_cmpgt_epi64(bestCell, cells)));
    const __m256i take = _mm256_and_si256(fewer, open);
    best = _mm256_blendv_epi8(best, counts, take);
    bestCell = _mm256_blendv_epi8(bestCell, cells, take);
}
}  // namespace

__attribute__((target("avx2"))) int IncrementalSearch::chooseCellBitsWide() {
    const std::uint64_t* live = liveSet(m_placed);
    const Frame& frame = frameOf(m_placed);
    std::uint16_t* words = m_liveWords.data();
    const int wordCount = wordsInUse(live, frame.words, words);
    const __m256i zero = _mm256_setzero_si256();
    const std::uint32_t* covered = m_state.coveredMask.data();
    // The groups are counted starting where a dead end is likeliest. Each lane keeps the fewest rows it has
    // seen and the lowest cell with them (the groups do not come in cell order), so the order of counting
    // changes nothing else.
    __m256i bestLow = _mm256_set1_epi64x(kNoCount);
    __m256i bestHigh = bestLow;
    __m256i cellLow = _mm256_set1_epi64x(kNoCount);
    __m256i cellHigh = cellLow;
    const __m256i laneLow = _mm256_setr_epi64x(1, 2, 4, 8);
    const __m256i laneHigh = _mm256_setr_epi64x(16, 32, 64, 128);
    const __m256i offsetLow = _mm256_setr_epi64x(0, 1, 2, 3);
    const __m256i offsetHigh = _mm256_setr_epi64x(4, 5, 6, 7);
    const int groups = (m_cells + 7) / 8;
    for (int k = 0, group = std::min(m_firstGroup, groups - 1); k < groups;
         ++k, group = group + 1 == groups ? 0 : group + 1) {
        const unsigned open = openCells(covered, m_cells, group);
        if (open == 0) continue;
        const std::uint64_t* column = frame.group(group);
        __m256i low = zero;
        __m256i high = zero;
        for (int i = 0; i < wordCount;) {
            const int end = std::min(wordCount, i + 31);
            __m256i lowBytes = zero;
            __m256i highBytes = zero;
            for (; i < end; ++i) {
                const std::size_t w = words[i];
                const __m256i rows = _mm256_set1_epi64x(static_cast<long long>(live[w]));
                const auto* at = reinterpret_cast<const __m256i*>(column + w * 8);
                lowBytes =
                    _mm256_add_epi8(lowBytes, byteCounts(_mm256_and_si256(rows, _mm256_loadu_si256(at))));
                highBytes = _mm256_add_epi8(highBytes,
                                            byteCounts(_mm256_and_si256(rows, _mm256_loadu_si256(at + 1))));
            }
            low = _mm256_add_epi64(low, _mm256_sad_epu8(lowBytes, zero));
            high = _mm256_add_epi64(high, _mm256_sad_epu8(highBytes, zero));
        }
        // An open cell without rows is a dead end; the choice among the rest waits for the last group.
        const auto none =
            static_cast<unsigned>(_mm256_movemask_pd(_mm256_castsi256_pd(_mm256_cmpeq_epi64(low, zero)))) |
            static_cast<unsigned>(_mm256_movemask_pd(_mm256_castsi256_pd(_mm256_cmpeq_epi64(high, zero))))
                << 4;
        if ((none & open) != 0) {
            noteDeadGroup(group);
            return -1;
        }
        const __m256i lanes = _mm256_set1_epi64x(static_cast<long long>(open));
        const __m256i first = _mm256_set1_epi64x(group * 8);
        keep(bestLow, cellLow, low, _mm256_add_epi64(first, offsetLow),
             _mm256_cmpeq_epi64(_mm256_and_si256(lanes, laneLow), laneLow));
        keep(bestHigh, cellHigh, high, _mm256_add_epi64(first, offsetHigh),
             _mm256_cmpeq_epi64(_mm256_and_si256(lanes, laneHigh), laneHigh));
    }
    keep(bestLow, cellLow, bestHigh, cellHigh, _mm256_set1_epi64x(-1));
    alignas(32) std::int64_t best[4];
    alignas(32) std::int64_t cell[4];
    _mm256_store_si256(reinterpret_cast<__m256i*>(best), bestLow);
    _mm256_store_si256(reinterpret_cast<__m256i*>(cell), cellLow);
    std::size_t at = 0;
    for (std::size_t l = 1; l < 4; ++l)
        if (best[l] < best[at] || (best[l] == best[at] && cell[l] < cell[at])) at = l;
    if (best[at] == kNoCount) return -2;
    m_state.bestCell = static_cast<int>(cell[at]);
    return m_state.bestCell;
}
#else
int IncrementalSearch::chooseCellBitsWide() {
    return chooseCellBits();
}

int IncrementalSearch::chooseCellBitsPopcount() {
    return chooseCellBits();
}

int IncrementalSearch::chooseCellBitsVector() {
    return chooseCellBits();
}
#endif
