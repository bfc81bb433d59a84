#include "tests/sdk/job_step_script.h"

#include <condition_variable>
#include <mutex>

namespace crvtest {

namespace {

// The hook is a plain function that a thread may still be calling when its
// script ends, so it finds the script only through these. A step with no
// action waiting passes without taking the lock: on Windows a worker may be
// terminated right after its job.
std::mutex scriptLock;
std::condition_variable actionLeft;
JobStepScript *current = nullptr;
std::atomic<crv::CompressorInstance *> watched{nullptr};
std::atomic<int> waitingActions{0};

} // namespace

JobStepScript::JobStepScript(std::int32_t instanceId) : record_(crv::FindInstance(instanceId)) {
    {
        std::lock_guard job(record_->jobLock);
        firstSerial_ = record_->jobSerial + 1;
    }
    std::lock_guard lock(scriptLock);
    current = this;
    watched = record_;
    crv::jobStepHook.store(&JobStepScript::Reach);
}

JobStepScript::~JobStepScript() {
    std::unique_lock lock(scriptLock);
    crv::jobStepHook.store(nullptr);
    current = nullptr;
    watched = nullptr;
    waitingActions = 0;
    actionLeft.wait(lock, [this] { return inside_ == 0; });
}

void JobStepScript::On(crv::JobStep step, std::function<void()> action) {
    std::lock_guard lock(scriptLock);
    actions_.emplace(step, std::move(action));
    ++waitingActions;
}

void JobStepScript::Reach(crv::CompressorInstance *record, std::uint32_t jobSerial,
                          crv::JobStep step) {
    if (watched.load() != record || waitingActions.load() == 0)
        return;
    std::function<void()> action;
    JobStepScript *script = nullptr;
    {
        std::lock_guard lock(scriptLock);
        script = current;
        // Jobs handed over before the script began are not its business.
        if (!script || record != script->record_ ||
            static_cast<std::int32_t>(jobSerial - script->firstSerial_) < 0)
            return;
        auto found = script->actions_.lower_bound(step);
        if (found == script->actions_.end() || found->first != step)
            return;
        action = std::move(found->second);
        script->actions_.erase(found);
        --waitingActions;
        ++script->inside_;
    }
    action();
    std::lock_guard lock(scriptLock);
    --script->inside_;
    actionLeft.notify_all();
}

} // namespace crvtest
