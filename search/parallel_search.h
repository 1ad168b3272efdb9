#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <thread>
#include <vector>

#include "search/placement_index.h"
#include "search/search_engine.h"

// One independent part of the search tree: either the whole search, or candidates [from, end) of the
// step reached by placing `path`. `unit` names the part for whoever consumes its events; pieces of a
// part that a thread gives away keep its unit.
struct SearchPart {
    std::vector<std::int32_t> path;
    std::int64_t from = 0;
    std::int64_t end = 0;
    bool whole = false;
    int unit = 0;
};

// Receives the events of the parts (search_events.h) on the thread that runs the parts, in the order of
// the whole search: all events of a part come before those of the next part.
class PartConsumer {
  public:
    virtual ~PartConsumer() = default;
    // False stops the run.
    virtual bool consume(int unit, std::span<const std::int32_t> events) = 0;
    // Called at least every few hundredths of a second while the run goes on; false stops it.
    virtual bool keepGoing() = 0;
};

// Runs parts of one search on worker threads, each with its own search state and its own copy of the
// pieces, and hands their events over in order. A thread without work asks a running part to give
// away the later half of its untried candidates at its shallowest level, so lopsided trees are cut
// deeper just where they are big. Memory stays bounded whatever the length of the search: once the
// consumer has a fixed amount of events queued, a thread that is ahead of it waits.
struct PartWorker;
struct PartSchedule;
class PartRunner {
  public:
    // Makes every thread, with its search state and engine arrays, at once, so that running out of
    // memory or threads shows here (as std::bad_alloc) and never once the search runs.
    PartRunner(std::shared_ptr<const PlacementIndex> index, const PlacementTable& table,
               const SearchState& state, std::span<const Piece> pieces, int threads);
    ~PartRunner();
    PartRunner(const PartRunner&) = delete;
    PartRunner& operator=(const PartRunner&) = delete;
    // Runs the parts in order, once; returns false when the consumer stopped it.
    bool run(std::vector<SearchPart> parts, PartConsumer& consumer);
    long long steps() const { return m_steps; }
    // Parts run, the ones given away included.
    int partsRun() const { return m_partsRun; }

  private:
    void work(PartWorker& worker);
    void stopThreads();

    std::shared_ptr<const PlacementIndex> m_index;
    const PlacementTable& m_table;
    int m_pieceCount;
    int m_totalCopies;
    bool m_eachTilingOnce;
    std::vector<Piece> m_pieces;  // as they were when the runner was made; every thread copies them
    int m_threads;
    std::unique_ptr<PartSchedule> m_schedule;
    std::vector<std::unique_ptr<PartWorker>> m_workers;
    std::vector<std::thread> m_running;
    long long m_steps = 0;
    int m_partsRun = 0;
};

// The whole search on `threads` worker threads, with exactly the hook calls of the single-threaded
// search that matter for what it writes: the same solutions in the same order and the same redraws at a
// new depth. Only the pumps differ: the calling thread pumps while it waits. Stepwise drawing and "next
// first" do not apply: they are the window's, and the window searches on one thread.
std::unique_ptr<SearchEngine> makeParallelSearch(int threads, const PlacementTable& table, int freeCellCount,
                                                 SearchState& state, std::span<Piece> pieces,
                                                 SearchHooks& hooks);
