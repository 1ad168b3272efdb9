#include "search/parallel_search.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <list>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "search/incremental_search.h"
#include "search/search_events.h"

namespace {

// The values the writer may have queued before a worker waits (4 MB each, whatever the search's length):
// all parts together, of which the part being written may hold as many again. A worker that is ahead
// waits until the writer has caught up or its part is the one being written.
constexpr std::size_t kQueuedLimit = std::size_t{1} << 20;
constexpr auto kPumpInterval = std::chrono::milliseconds(20);

struct Task {
    SearchPart part;
    std::vector<std::int32_t> events;  // not yet consumed
    bool started = false;
    bool finished = false;
    std::atomic<bool> splitWanted{false};
};

}  // namespace

// The parts in the order of the whole search. The front is the part being consumed; a part that gives
// work away puts the new parts right after itself, since everything it still does comes before them.
struct PartSchedule {
    std::mutex mutex;
    std::condition_variable workers;
    std::condition_variable consumer;
    std::condition_variable room;  // the writer took events, or the part being written changed
    std::list<Task> tasks;
    std::size_t queued = 0;  // values in the events of all tasks
    std::atomic<bool> stop{false};
    std::atomic<bool> eventsWanted{false};  // the consumer waits in vain: hand on what is held
    bool started = false;                   // the parts are there: the waiting threads begin
    std::atomic<long long> steps{0};
    std::atomic<int> partsRun{0};
};

namespace {

using Schedule = PartSchedule;

class WorkerHooks : public EventRecorder, public IncrementalSearch::Donor {
  public:
    WorkerHooks(Schedule& schedule, const SearchState& state, std::span<const Piece> pieces)
        : EventRecorder(state, pieces), m_schedule(schedule) {}

    std::list<Task>::iterator task;

    bool interruptRequested() override { return m_schedule.stop.load(std::memory_order_relaxed); }
    // Asked at every step: also where held events are handed on when the consumer waits for them.
    bool wanted() override {
        if (!m_held.empty() && m_schedule.eventsWanted.load(std::memory_order_relaxed)) handOn();
        return task->splitWanted.load(std::memory_order_relaxed);
    }

    void donate(std::span<const std::int32_t> path, std::int64_t from, std::int64_t end) override {
        std::lock_guard lock(m_schedule.mutex);
        Task& given = *m_schedule.tasks.emplace(std::next(task));
        given.part.path.assign(path.begin(), path.end());
        given.part.from = from;
        given.part.end = end;
        given.part.unit = task->part.unit;
        task->splitWanted = false;
        m_schedule.workers.notify_all();
    }

    // Hands on what the part still holds back; called when it is done.
    void finishPart() {
        if (!m_held.empty()) handOn();
    }

  protected:
    // Events are held back and handed on a few thousand at a time, or as soon as the consumer has
    // waited a pump interval for them: one lock and one wake-up per batch instead of per solution, and a
    // trickle of solutions still shows within moments.
    void append(std::span<const std::int32_t> values) override {
        m_held.insert(m_held.end(), values.begin(), values.end());
        if (m_held.size() >= kHoldValues) handOn();
    }

  private:
    static constexpr std::size_t kHoldValues = 4096;

    void handOn() {
        std::unique_lock lock(m_schedule.mutex);
        Task& t = *task;
        const bool wasEmpty = t.events.empty();
        t.events.insert(t.events.end(), m_held.begin(), m_held.end());
        m_schedule.queued += m_held.size();
        m_held.clear();
        if (task == m_schedule.tasks.begin()) {
            m_schedule.eventsWanted.store(false, std::memory_order_relaxed);
            if (wasEmpty) m_schedule.consumer.notify_one();
        }
        // Only the part being written can always be taken from, so it waits for its own events alone.
        m_schedule.room.wait(lock, [&] {
            if (m_schedule.stop.load()) return true;
            if (task == m_schedule.tasks.begin()) return t.events.size() <= kQueuedLimit;
            return m_schedule.queued <= kQueuedLimit;
        });
    }

    Schedule& m_schedule;
    std::vector<std::int32_t> m_held;
};

}  // namespace

// One worker thread's own search: its copy of the pieces, its state, its hooks and its engine.
struct PartWorker {
    PartWorker(PartSchedule& schedule, const std::shared_ptr<const PlacementIndex>& index,
               const PlacementTable& table, std::vector<Piece> own, const SearchState& parent)
        : pieces(std::move(own)),
          state(makeState(table, *index, parent)),
          hooks(schedule, state, pieces),
          engine(index, table, state, pieces, hooks) {}

    static SearchState makeState(const PlacementTable& table, const PlacementIndex& index,
                                 const SearchState& parent) {
        SearchState state;
        state.pieceCount = parent.pieceCount;
        state.totalCopies = parent.totalCopies;
        state.eachTilingOnce = parent.eachTilingOnce;
        state.spareCells = parent.spareCells;
        state.coveredMask.assign(static_cast<std::size_t>(table.wordsPerMask), 0u);
        state.chosenPlacement.assign(static_cast<std::size_t>(index.cells()) + 1, 0);
        return state;
    }

    std::vector<Piece> pieces;
    SearchState state;
    WorkerHooks hooks;
    IncrementalSearch engine;
};

PartRunner::PartRunner(std::shared_ptr<const PlacementIndex> index, const PlacementTable& table,
                       const SearchState& state, std::span<const Piece> pieces, int threads)
    : m_index(std::move(index)),
      m_table(table),
      m_pieceCount(state.pieceCount),
      m_totalCopies(state.totalCopies),
      m_eachTilingOnce(state.eachTilingOnce),
      m_pieces(pieces.begin(), pieces.end()),
      m_threads(std::max(threads, 1)),
      m_schedule(std::make_unique<PartSchedule>()) {
    m_workers.reserve(static_cast<std::size_t>(m_threads));
    for (int i = 0; i < m_threads; ++i)
        m_workers.push_back(std::make_unique<PartWorker>(*m_schedule, m_index, m_table, m_pieces, state));
    // The threads too are made now, and wait for the parts: a system out of threads is out of memory
    // for the search, before it has touched any file.
    m_running.reserve(m_workers.size());
    try {
        for (const std::unique_ptr<PartWorker>& worker : m_workers)
            m_running.emplace_back([this, &w = *worker] { work(w); });
    } catch (const std::system_error&) {
        stopThreads();
        throw std::bad_alloc();
    }
}

PartRunner::~PartRunner() {
    stopThreads();
}

void PartRunner::stopThreads() {
    {
        std::lock_guard lock(m_schedule->mutex);
        m_schedule->stop = true;
    }
    m_schedule->workers.notify_all();
    m_schedule->room.notify_all();
    for (std::thread& t : m_running)
        if (t.joinable()) t.join();
}

void PartRunner::work(PartWorker& worker) {
    Schedule& schedule = *m_schedule;
    SearchState& state = worker.state;
    WorkerHooks& hooks = worker.hooks;
    IncrementalSearch& engine = worker.engine;

    std::unique_lock lock(schedule.mutex);
    schedule.workers.wait(lock, [&] { return schedule.started || schedule.stop; });
    while (!schedule.stop) {
        auto next = std::find_if(schedule.tasks.begin(), schedule.tasks.end(),
                                 [](const Task& t) { return !t.started; });
        if (next != schedule.tasks.end()) {
            next->started = true;
            ++schedule.partsRun;
            hooks.task = next;
            lock.unlock();
            const SearchPart& part = next->part;
            if (part.whole)
                engine.runWhole(&hooks);
            else
                engine.runPart(part.path, part.from, part.end, &hooks);
            hooks.finishPart();
            lock.lock();
            next->finished = true;
            schedule.consumer.notify_one();
            schedule.workers.notify_all();
            continue;
        }
        // Nothing left to start: ask the oldest running part that was not asked yet for work.
        bool running = false;
        for (Task& t : schedule.tasks) {
            if (!t.started || t.finished) continue;
            running = true;
            if (!t.splitWanted) {
                t.splitWanted = true;
                break;
            }
        }
        if (!running) break;
        schedule.workers.wait(lock);
    }
    schedule.steps += state.steps;
}

bool PartRunner::run(std::vector<SearchPart> parts, PartConsumer& consumer) {
    Schedule& schedule = *m_schedule;
    {
        std::lock_guard lock(schedule.mutex);
        for (SearchPart& part : parts) schedule.tasks.emplace_back().part = std::move(part);
        schedule.started = true;
    }
    schedule.workers.notify_all();

    bool completed = true;
    std::vector<std::int32_t> batch;
    auto lastCheck = std::chrono::steady_clock::now();
    std::unique_lock lock(schedule.mutex);
    while (!schedule.tasks.empty()) {
        Task& head = schedule.tasks.front();
        // Waited a whole interval in vain: the workers hand on what they hold at their next step.
        if (head.events.empty() && !head.finished &&
            schedule.consumer.wait_for(lock, kPumpInterval) == std::cv_status::timeout && head.events.empty())
            schedule.eventsWanted.store(true, std::memory_order_relaxed);
        batch.clear();
        batch.swap(head.events);
        schedule.queued -= batch.size();
        const int unit = head.part.unit;
        const bool finished = head.finished;
        if (finished) {
            schedule.tasks.pop_front();
            schedule.workers.notify_all();
        }
        if (!batch.empty() || finished) schedule.room.notify_all();
        lock.unlock();
        bool going = batch.empty() || consumer.consume(unit, batch);
        const auto now = std::chrono::steady_clock::now();
        if (going && now - lastCheck >= kPumpInterval) {
            lastCheck = now;
            going = consumer.keepGoing();
        }
        lock.lock();
        if (!going) {
            completed = false;
            break;
        }
    }
    lock.unlock();
    stopThreads();
    m_steps = schedule.steps;
    m_partsRun = schedule.partsRun;
    return completed;
}

namespace {

class ParallelSearch : public SearchEngine, private PartConsumer {
  public:
    ParallelSearch(int threads, const PlacementTable& table, int freeCellCount, SearchState& state,
                   std::span<Piece> pieces, SearchHooks& hooks)
        : m_state(state),
          m_pieces(pieces),
          m_hooks(hooks),
          m_runner(std::make_shared<const PlacementIndex>(table, freeCellCount), table, state, pieces,
                   threads) {
        m_state.coveredMask.resize(static_cast<std::size_t>(table.wordsPerMask), 0u);
    }

    void run() override {
        SearchPart whole;
        whole.whole = true;
        m_runner.run({whole}, *this);
        m_state.steps += m_runner.steps();
    }

  private:
    bool consume(int, std::span<const std::int32_t> events) override {
        return replayEvents(events, m_state, m_pieces, m_hooks);
    }
    bool keepGoing() override {
        m_hooks.pumpMessages();
        return !m_hooks.interruptRequested();
    }

    SearchState& m_state;
    std::span<Piece> m_pieces;
    SearchHooks& m_hooks;
    PartRunner m_runner;
};

}  // namespace

std::unique_ptr<SearchEngine> makeParallelSearch(int threads, const PlacementTable& table, int freeCellCount,
                                                 SearchState& state, std::span<Piece> pieces,
                                                 SearchHooks& hooks) {
    return std::make_unique<ParallelSearch>(threads, table, freeCellCount, state, pieces, hooks);
}
