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

// The outcomes, filled in by the workers in whatever order they finish.
class Board {
public:
    explicit Board(std::size_t size) : outcomes_(size) {}

    void Put(std::size_t index, Outcome outcome) {
        {
            std::lock_guard lock(mutex_);
            outcomes_[index] = std::move(outcome);
        }
        changed_.notify_one();
    }

    // The outcome at index once it is there, or none after a tick.
    std::optional<Outcome> Take(std::size_t index) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, kWaitTick, [&] { return outcomes_[index].has_value(); });
        return std::move(outcomes_[index]);
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<Outcome>> outcomes_;
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

void Work(std::int32_t id, const std::vector<Item> &items, const Settings &settings,
          std::atomic<std::size_t> &next, Board &board) {
    for (std::size_t index; (index = next++) < items.size();)
        board.Put(index, Process(id, items[index], settings));
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
    for (std::int32_t id : ids)
        workers.emplace_back(Work, id, std::cref(items), std::cref(settings), std::ref(next),
                             std::ref(board));
    ReportInOrder(items, board, reporter);
    for (std::thread &worker : workers)
        worker.join();
    for (std::int32_t id : ids)
        CRVDestroyInstance(id);
    return true;
}

} // namespace crvcli
