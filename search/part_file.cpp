#include "search/part_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xxhash.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstring>
#include <new>

#include "board/document_image.h"
#include "platform/little_endian.h"
#include "search/search_events.h"
#include "search/search_modes.h"

namespace {

constexpr char kMagic[8] = {'T', 'Z', 'D', 'E', 'E', 'L', '0', '3'};
constexpr char kOldMagic[8] = {'T', 'Z', 'D', 'E', 'E', 'L', '0', '1'};
constexpr char kModelessMagic[8] = {'T', 'Z', 'D', 'E', 'E', 'L', '0', '2'};
constexpr std::size_t kHashSize = 8;
constexpr std::size_t kMaxName = 4096;
constexpr int kMaxUnits = 1 << 24;
constexpr int kMaxShardCount = 1 << 20;
constexpr int kMaxCoordinate = 64;

// Piece fields in a fixed order, for writing and reading alike.
template <class Field>
void pieceFields(Piece& piece, Field&& field) {
    field(piece.colorNumber);
    field(piece.copies);
    field(piece.orientationCount);
    field(piece.triangleCount);
    field(piece.parityImbalance);
    for (auto& flag : piece.participates) field(flag);
    for (auto& row : piece.cells)
        for (auto& cell : row) {
            field(cell.x);
            field(cell.y);
        }
}

bool pieceValid(const Piece& piece) {
    if (piece.colorNumber < 0 || piece.colorNumber > 63) return false;
    if (piece.orientationCount < 0 || piece.orientationCount > kMaxOrientations) return false;
    if (piece.triangleCount < 0 || piece.triangleCount > kMaxTriangles) return false;
    for (auto flag : piece.participates)
        if (flag != 0 && flag != 1) return false;
    for (const auto& row : piece.cells)
        for (const auto& cell : row)
            if (cell.x < -kMaxCoordinate || cell.x > kMaxCoordinate || cell.y < -kMaxCoordinate ||
                cell.y > kMaxCoordinate)
                return false;
    for (const auto& link : piece.links)
        if (link.parent >= kMaxTriangles || link.direction > 2) return false;
    return true;
}

class Reader {
  public:
    explicit Reader(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_bytes.size(); }
    std::size_t left() const { return m_bytes.size() - m_at; }
    bool bytes(void* out, std::size_t n) {
        if (!m_ok || left() < n) return m_ok = false;
        std::memcpy(out, m_bytes.data() + m_at, n);
        m_at += n;
        return true;
    }
    std::int32_t int32() {
        std::uint8_t b[4] = {};
        bytes(b, 4);
        return loadInt32LE(b);
    }
    std::uint64_t uint64() {
        const auto low = static_cast<std::uint32_t>(int32());
        const auto high = static_cast<std::uint32_t>(int32());
        return std::uint64_t{high} << 32 | low;
    }

  private:
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_at = 0;
    bool m_ok = true;
};

}  // namespace

std::uint64_t tableFingerprint(const PlacementTable& table, int freeCells) {
    // FNV-1a over the open-cell count, the mask width and every record: two tables with the same
    // records in the same order make the same search.
    std::uint64_t hash = 14695981039346656037ull;
    auto mix = [&hash](std::int32_t value) {
        for (int i = 0; i < 4; ++i) {
            hash ^= static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
            hash *= 1099511628211ull;
        }
    };
    mix(freeCells);
    mix(table.wordsPerMask);
    mix(table.placementCount);
    for (const PlacementRecord& r : table.records) {
        mix(r.piece);
        mix(r.orientation);
        mix(r.anchorX);
        mix(r.anchorY);
    }
    return hash;
}

struct PartFileWriter::Hash {
    Hash() : state(XXH3_createState()) {
        if (state == nullptr) throw std::bad_alloc();
        XXH3_64bits_reset(state);
    }
    ~Hash() { XXH3_freeState(state); }
    Hash(const Hash&) = delete;
    Hash& operator=(const Hash&) = delete;
    XXH3_state_t* state;
};

PartFileWriter::PartFileWriter() : m_hash(std::make_unique<Hash>()) {}

PartFileWriter::~PartFileWriter() = default;

void PartFileWriter::bytes(const void* data, std::size_t size) {
    XXH3_64bits_update(m_hash->state, data, size);
    m_file.write(data, size);
}

void PartFileWriter::int32(std::int32_t value) {
    unsigned char b[4];
    storeInt32LE(b, value);
    bytes(b, 4);
}

bool PartFileWriter::create(const std::string& path, const PartProblem& problem) {
    if (!m_file.createAside(path)) return false;
    XXH3_64bits_reset(m_hash->state);
    bytes(kMagic, sizeof kMagic);
    for (int value : {problem.shardIndex, problem.shardCount, problem.unitCount, problem.letters ? 1 : 0,
                      problem.modes, problem.freeCells, problem.placements})
        int32(value);
    int32(static_cast<std::int32_t>(problem.fingerprint & 0xffffffffu));
    int32(static_cast<std::int32_t>(problem.fingerprint >> 32));
    bytes(problem.image.data(), problem.image.size());
    const std::string name = problem.pieces.m_szPieceFile.substr(0, kMaxName);
    int32(static_cast<std::int32_t>(name.size()));
    bytes(name.data(), name.size());
    int32(problem.pieces.m_nPieces);
    int32(problem.pieces.m_nPieceTriangles);
    for (Piece piece : problem.pieces.m_pieces) {
        const unsigned char label[2] = {static_cast<unsigned char>(piece.label[0]),
                                        static_cast<unsigned char>(piece.label[1])};
        bytes(label, 2);
        for (const PieceLink& link : piece.links) {
            const unsigned char linkBytes[2] = {link.parent, link.direction};
            bytes(linkBytes, 2);
        }
        pieceFields(piece, [this](std::int32_t& field) { int32(field); });
    }
    m_file.endRecord();
    return true;
}

bool PartFileWriter::events(int unit, std::span<const std::int32_t> values) {
    int32(unit);
    int32(0);
    int32(static_cast<std::int32_t>(values.size()));
    for (std::int32_t value : values) int32(value);
    return m_file.endRecord();
}

bool PartFileWriter::finished(int unit) {
    int32(unit);
    int32(1);
    return m_file.endRecord();
}

void PartFileWriter::uint64(std::uint64_t value) {
    int32(static_cast<std::int32_t>(value & 0xffffffffu));
    int32(static_cast<std::int32_t>(value >> 32));
}

bool PartFileWriter::counts(int unit, const TilingSums& sums) {
    int32(unit);
    int32(3);
    uint64(static_cast<std::uint64_t>(sums.solutions));
    uint64(sums.classDistinct);
    uint64(sums.classUnique);
    int32(static_cast<std::int32_t>(sums.buckets.size()));
    for (const TilingSums::Bucket& bucket : sums.buckets) {
        uint64(bucket.multiplicity);
        uint64(bucket.finds);
        uint64(bucket.fixed);
    }
    return m_file.endRecord();
}

bool PartFileWriter::close(bool completed, long long steps) {
    int32(-1);
    int32(2);
    int32(completed ? 1 : 0);
    int32(static_cast<std::int32_t>(steps & 0xffffffff));
    int32(static_cast<std::int32_t>(steps >> 32));
    const std::uint64_t hash = XXH3_64bits_digest(m_hash->state);
    int32(static_cast<std::int32_t>(hash & 0xffffffffu));
    int32(static_cast<std::int32_t>(hash >> 32));
    m_file.endRecord();
    return m_file.close();
}

SolutionRule solutionRule(const PartProblem& problem) {
    SolutionRule rule;
    rule.cells = problem.freeCells;
    // As the search driver counts them: every copy, negative counts too, held in range.
    std::int64_t copies = 0;
    for (int p = 0; p < std::clamp(static_cast<int>(problem.pieces.m_nPieces), 0, kMaxPieces); ++p)
        copies += problem.pieces.m_pieces[static_cast<std::size_t>(p)].copies;
    rule.triangles = placedTriangles(problem.pieces);
    rule.totalCopies = static_cast<int>(std::clamp<std::int64_t>(copies, INT_MIN, INT_MAX));
    if ((problem.modes & SearchMode::CellsMayStayOpen) != 0 && rule.triangles < rule.cells)
        rule.spareCells = static_cast<int>(rule.cells - rule.triangles);
    return rule;
}

bool partSolutionsValid(const PartData& part, const PlacementTable& table, const PieceSet& pieces,
                        const SolutionRule& rule) {
    std::vector<std::uint32_t> covered(static_cast<std::size_t>(table.wordsPerMask));
    std::array<std::int64_t, kMaxPieces> used{};
    auto valid = [&](std::span<const std::int32_t> solution) {
        std::fill(covered.begin(), covered.end(), 0u);
        used.fill(0);
        for (const std::int32_t j : solution) {
            if (j < 0 || j >= table.placementCount) return false;
            const std::uint32_t* mask = table.mask(j);
            for (std::size_t w = 0; w < covered.size(); ++w) {
                if ((covered[w] & mask[w]) != 0) return false;
                covered[w] |= mask[w];
            }
            const auto piece = static_cast<std::size_t>(table.records[static_cast<std::size_t>(j)].piece);
            // The search places no piece without copies left, and none with a count below 1.
            if (++used[piece] > std::max(pieces.m_pieces[piece].copies, 0)) return false;
        }
        // Recorded once every copy is placed, or once no more cells are left uncovered than may stay
        // open; never with more Placements than copies.
        int filled = 0;
        for (const std::uint32_t word : covered) filled += std::popcount(word);
        const auto placed = static_cast<std::int64_t>(solution.size());
        return placed <= std::max(rule.totalCopies, 0) &&
               (placed >= rule.totalCopies || rule.cells - filled <= rule.spareCells);
    };
    for (const PartData::Unit& unit : part.units)
        if (!forEachSolution(unit.events, valid)) return false;
    return true;
}

namespace {

// Whether a count-only unit's counts are ones its search could have made: every solution recorded
// once, as one tiling of its class (one per symmetry class: the class's distinct tilings are 1 to 12,
// the Board's symmetries at most) or in its bucket (left in place by 1 to 12 symmetries).
bool countsPossible(const TilingSums& sums, int modes) {
    const auto solutions = static_cast<std::uint64_t>(sums.solutions);
    if ((modes & SearchMode::OnePerSymmetryClass) != 0)
        return sums.buckets.empty() && sums.classUnique == solutions && sums.classDistinct >= solutions &&
               sums.classDistinct / 12 <= solutions;
    std::uint64_t finds = 0;
    for (const TilingSums::Bucket& bucket : sums.buckets)
        if (__builtin_add_overflow(finds, bucket.finds, &finds) || bucket.fixed < bucket.finds ||
            bucket.fixed / 12 > bucket.finds)
            return false;
    return sums.classDistinct == 0 && sums.classUnique == 0 && finds == solutions;
}

}  // namespace

std::optional<std::pair<PartProblem, PartData>> readPartFile(const std::string& path, std::string& error) {
    // Only a regular file is read, and only as many bytes as it has: a folder, a device or a pipe given
    // as a part is refused before anything is allocated for it.
    std::vector<std::uint8_t> content;
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
            if (fd >= 0) ::close(fd);
            error = "Deelbestand " + path + " is niet te lezen";
            return std::nullopt;
        }
        content.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (done < content.size()) {
            const ssize_t n = ::read(fd, content.data() + done, content.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        ::close(fd);
        content.resize(done);
    }
    const std::string broken = "Deelbestand " + path + " is geen geldig deelbestand";
    if (content.size() >= sizeof kOldMagic && std::memcmp(content.data(), kOldMagic, sizeof kOldMagic) == 0) {
        error =
            "Deelbestand " + path + " is van een oudere versie, zonder controlegetal; maak dit deel opnieuw";
        return std::nullopt;
    }
    if (content.size() >= sizeof kModelessMagic &&
        std::memcmp(content.data(), kModelessMagic, sizeof kModelessMagic) == 0) {
        error =
            "Deelbestand " + path + " is van een oudere versie, zonder de zoekmodus; maak dit deel opnieuw";
        return std::nullopt;
    }
    if (content.size() < sizeof kMagic + kHashSize ||
        std::memcmp(content.data(), kMagic, sizeof kMagic) != 0) {
        error = broken;
        return std::nullopt;
    }
    // The hash first: a part whose bytes changed is damaged, whatever they now say.
    const std::size_t body = content.size() - kHashSize;
    std::uint64_t stored = 0;
    for (std::size_t i = 0; i < kHashSize; ++i) stored |= std::uint64_t{content[body + i]} << (8 * i);
    if (XXH3_64bits(content.data(), body) != stored) {
        error = "Deelbestand " + path + " is beschadigd of onvolledig (controlegetal klopt niet)";
        return std::nullopt;
    }
    content.resize(body);
    Reader r(std::move(content));
    char magic[8] = {};
    r.bytes(magic, sizeof magic);
    PartProblem problem;
    PartData data;
    problem.shardIndex = data.shardIndex = r.int32();
    problem.shardCount = data.shardCount = r.int32();
    problem.unitCount = data.unitCount = r.int32();
    const std::int32_t letters = r.int32();
    problem.letters = letters == 1;
    problem.modes = r.int32();
    problem.freeCells = r.int32();
    problem.placements = r.int32();
    problem.fingerprint = r.uint64();
    problem.image.resize(kDocumentImageSize);
    r.bytes(problem.image.data(), problem.image.size());
    const std::int32_t nameLength = r.int32();
    bool valid = r.ok() && problem.shardCount >= 1 && problem.shardCount <= kMaxShardCount &&
                 problem.shardIndex >= 1 && problem.shardIndex <= problem.shardCount &&
                 problem.unitCount >= 0 && problem.unitCount <= kMaxUnits && (letters == 0 || letters == 1) &&
                 (problem.modes & ~SearchMode::All) == 0 && problem.freeCells >= 0 &&
                 problem.freeCells <= BOARD_CELLS && problem.placements >= 0 && nameLength >= 0 &&
                 static_cast<std::size_t>(nameLength) <= kMaxName;
    if (valid) {
        problem.pieces.m_szPieceFile.resize(static_cast<std::size_t>(nameLength));
        r.bytes(problem.pieces.m_szPieceFile.data(), problem.pieces.m_szPieceFile.size());
        problem.pieces.m_nPieces = r.int32();
        problem.pieces.m_nPieceTriangles = r.int32();
        valid = problem.pieces.m_nPieces >= 0 && problem.pieces.m_nPieces <= kMaxPieces;
        for (Piece& piece : problem.pieces.m_pieces) {
            unsigned char label[2] = {};
            r.bytes(label, 2);
            piece.label[0] = static_cast<char>(label[0]);
            piece.label[1] = static_cast<char>(label[1]);
            for (PieceLink& link : piece.links) {
                unsigned char bytes[2] = {};
                r.bytes(bytes, 2);
                link = {bytes[0], bytes[1]};
            }
            pieceFields(piece, [&r](std::int32_t& field) { field = r.int32(); });
            valid = valid && pieceValid(piece);
        }
    }
    // The records: units in increasing order, all of this shard, each finished at most once.
    const int maxDepth = problem.freeCells;
    int lastUnit = -1;
    bool closed = false;
    bool truncated = false;
    while (valid && r.ok() && !closed) {
        const std::int32_t unit = r.int32();
        const std::int32_t kind = r.int32();
        if (!r.ok()) break;
        if (kind == 2) {
            const std::int32_t completed = r.int32();
            data.completed = completed == 1;
            data.steps = static_cast<long long>(r.uint64());
            closed = r.ok() && unit == -1 && (completed == 0 || completed == 1) && r.atEnd();
            break;
        }
        const bool newUnit = unit != lastUnit;
        if (unit < 0 || unit >= problem.unitCount ||
            !unitOfShard(static_cast<std::size_t>(unit), problem.shardIndex, problem.shardCount) ||
            unit < lastUnit || (newUnit && !data.units.empty() && !data.units.back().finished) ||
            (!newUnit && data.units.back().finished)) {
            valid = false;
            break;
        }
        if (newUnit) {
            data.units.push_back({unit, {}, false, false, {}});
            lastUnit = unit;
        }
        const bool countOnly = (problem.modes & SearchMode::CountOnly) != 0;
        PartData::Unit& current = data.units.back();
        if (kind == 1) {
            current.finished = true;
        } else if (kind == 3 && countOnly && !current.counted) {
            // A count-only unit's counts: a count of solutions that is not negative, and no more
            // buckets than are left to read.
            current.counted = true;
            current.counts.solutions = static_cast<std::int64_t>(r.uint64());
            current.counts.classDistinct = r.uint64();
            current.counts.classUnique = r.uint64();
            const std::int32_t k = r.int32();
            if (!r.ok() || current.counts.solutions < 0 || k < 0 ||
                static_cast<std::size_t>(k) > r.left() / 24) {
                truncated = r.ok() && k >= 0;
                valid = false;
                break;
            }
            current.counts.buckets.resize(static_cast<std::size_t>(k));
            for (TilingSums::Bucket& bucket : current.counts.buckets) {
                bucket.multiplicity = r.uint64();
                bucket.finds = r.uint64();
                bucket.fixed = r.uint64();
                valid = valid && bucket.multiplicity > 0;
            }
            valid = valid && countsPossible(current.counts, problem.modes);
            if (!valid) break;
        } else if (kind == 0 && !countOnly) {
            const std::int32_t n = r.int32();
            if (n < 0 || static_cast<std::size_t>(n) > r.left() / 4) {
                truncated = n >= 0;
                valid = false;
                break;
            }
            std::vector<std::int32_t>& events = data.units.back().events;
            const std::size_t from = events.size();
            events.resize(from + static_cast<std::size_t>(n));
            for (std::size_t i = from; i < events.size(); ++i) events[i] = r.int32();
            if (!eventsValid(std::span<const std::int32_t>(events).subspan(from), problem.placements,
                             problem.pieces.m_nPieces, maxDepth)) {
                valid = false;
                break;
            }
        } else {
            valid = false;
        }
    }
    truncated = truncated || !r.ok() || (valid && !closed);
    if (!valid || !closed) {
        error =
            truncated ? "Deelbestand " + path + " is onvolledig (afgebroken tijdens het schrijven)" : broken;
        return std::nullopt;
    }
    return std::make_pair(std::move(problem), std::move(data));
}
