#include "cli/runner.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

#include "cli/process.h"
#include "cli/result_words.h"
#include "sdk/crvsdk.h"

namespace crvcli {

namespace {

// How long to wait for an outcome before the progress line may be redrawn.
constexpr std::chrono::milliseconds kWaitTick{100};
// Outcomes that come in before the reporter is woken to take them.
constexpr std::size_t kOutcomesPerWake = 64;

// The outcomes, filled in by the workers in whatever order they finish.
class Board {
public:
    explicit Board(std::size_t size) : outcomes_(size) {}

    // Wakes the reporter once the outcome it waits for is in and enough have
    // come in to be worth a switch between threads, or when the last one
    // has: waking it for each would cost a switch per file, and its ticks
    // show the progress meanwhile.
    void Put(std::size_t index, Outcome outcome) {
        bool wake;
        {
            std::lock_guard lock(mutex_);
            outcomes_[index] = std::move(outcome);
            ++filled_;
            ++sinceWake_;
            wake = filled_ == outcomes_.size() ||
                   (sinceWake_ >= kOutcomesPerWake && outcomes_[awaited_].has_value());
            if (wake)
                sinceWake_ = 0;
        }
        if (wake)
            changed_.notify_one();
    }

    // The outcome at index once it is there, or none after a tick.
    std::optional<Outcome> Take(std::size_t index) {
        std::unique_lock lock(mutex_);
        awaited_ = index;
        changed_.wait_for(lock, kWaitTick, [&] { return outcomes_[index].has_value(); });
        return std::move(outcomes_[index]);
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<Outcome>> outcomes_;
    std::size_t awaited_ = 0;
    std::size_t filled_ = 0;
    std::size_t sinceWake_ = 0;
};

unsigned WorkerCount(const Options &options, std::size_t items) {
    unsigned wanted =
        options.jobs ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::min<std::size_t>(wanted, items));
}

// Makes up to count instances with the options' properties; the library wants
// this done before any of them is used.
std::vector<std::int32_t> CreateInstances(unsigned count, const Options &options,
                                          std::string &error) {
    std::vector<std::int32_t> ids;
    for (unsigned i = 0; i < count; ++i) {
        std::int32_t id = 0;
        std::int32_t result = CRVCreateInstance(&id);
        if ((result & 0xFF) != CRV_OK) {
            error = ReasonOf(result);
            break;
        }
        CRVSetProperty(id, CRV_PROP_BEEP, 0);
        CRVSetProperty(id, options.setProperties, 1);
        CRVSetProperty(id, options.clearProperties, 0);
        ids.push_back(id);
    }
    return ids;
}

// New files written but not yet in place, over all workers at once: each
// holds its folder open and a slot for its temporary name until its batch is
// put in place.
constexpr std::size_t kNewFilesHeld = 256;
// Bytes of new files a worker writes before it puts them in place, so that the
// temporaries never take much room on the disk.
constexpr std::uint64_t kBatchBytes = 32 << 20;
// Batches a worker holds at once: one being put in place, one being filled.
constexpr std::size_t kBatchesPerWorker = 2;

// New files written and their outcomes, waiting to be put in place together.
struct Pending {
    std::vector<std::size_t> indices;
    std::vector<Outcome> outcomes;
    std::vector<NewFileHandle> files;
    std::uint64_t bytes = 0;
};

// A worker's new files, put in place together so that one sync serves many.
// A full batch is synced and renamed on a thread of its own while the worker
// fills the next, so that compressing and waiting for the disk overlap; the
// worker waits only when the batch before is still not in place.
class Batch {
public:
    Batch(const std::vector<Item> &items, Board &board, std::size_t limit)
        : items_(items), board_(board), limit_(limit) {}
    Batch(const Batch &) = delete;
    Batch &operator=(const Batch &) = delete;
    ~Batch() { Finish(); }

    void Add(std::size_t index, Processed processed) {
        filling_.bytes += processed.outcome.bytesOut;
        filling_.indices.push_back(index);
        filling_.outcomes.push_back(std::move(processed.outcome));
        filling_.files.push_back(std::move(processed.newFile));
        if (filling_.files.size() >= limit_ || filling_.bytes >= kBatchBytes)
            HandOver();
    }

    // Puts every file written so far in place and waits until that is done.
    void Finish() {
        HandOver();
        WaitForCommit();
    }

private:
    void HandOver() {
        if (filling_.files.empty())
            return;
        WaitForCommit();
        committing_ = std::thread(&Batch::PutInPlace, this, std::move(filling_));
        filling_ = Pending{};
    }

    void WaitForCommit() {
        if (committing_.joinable())
            committing_.join();
    }

    void PutInPlace(Pending pending) {
        std::vector<std::string> errors = crvcli::PutInPlace(pending.files);
        // The temporaries left are removed before the outcomes are reported.
        pending.files.clear();
        for (std::size_t i = 0; i < pending.indices.size(); ++i) {
            std::size_t index = pending.indices[i];
            board_.Put(index, Settle(items_[index], std::move(pending.outcomes[i]), errors[i]));
        }
    }

    const std::vector<Item> &items_;
    Board &board_;
    std::size_t limit_;
    Pending filling_;
    std::thread committing_;
};

void Work(std::int32_t id, const std::vector<Item> &items, const Settings &settings,
          std::size_t batchLimit, std::atomic<std::size_t> &next, Board &board) {
    Batch batch(items, board, batchLimit);
    for (std::size_t index; (index = next++) < items.size();) {
        Processed processed = Process(id, items[index], settings);
        if (processed.newFile)
            batch.Add(index, std::move(processed));
        else
            board.Put(index, std::move(processed.outcome));
    }
    batch.Finish();
}

void ReportInOrder(const std::vector<Item> &items, Board &board, Reporter &reporter) {
    for (std::size_t index = 0; index < items.size(); ++index) {
        std::optional<Outcome> outcome;
        while (!(outcome = board.Take(index)))
            reporter.ShowProgress(index, items.size());
        reporter.Add(items[index], *outcome);
        reporter.ShowProgress(index + 1, items.size());
    }
}

} // namespace

bool RunAll(const std::vector<Item> &items, const Options &options, Reporter &reporter,
            std::string &error) {
    std::vector<std::int32_t> ids =
        CreateInstances(WorkerCount(options, items.size()), options, error);
    if (ids.empty() && !items.empty())
        return false;
    Settings settings{options.dryRun, !options.quiet};
    std::atomic<std::size_t> next{0};
    Board board(items.size());
    std::vector<std::thread> workers;
    std::size_t batchLimit = std::max<std::size_t>(
        1, kNewFilesHeld / (kBatchesPerWorker * std::max<std::size_t>(1, ids.size())));
    for (std::int32_t id : ids)
        workers.emplace_back(Work, id, std::cref(items), std::cref(settings), batchLimit,
                             std::ref(next), std::ref(board));
    ReportInOrder(items, board, reporter);
    for (std::thread &worker : workers)
        worker.join();
    for (std::int32_t id : ids)
        CRVDestroyInstance(id);
    return true;
}

} // namespace crvcli
