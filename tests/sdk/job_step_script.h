#ifndef CRV_JOB_STEP_SCRIPT_H
#define CRV_JOB_STEP_SCRIPT_H

#include <functional>
#include <map>

#include "sdk/instance.h"

namespace crvtest {

// Runs an action in the thread that reaches a step of one instance's jobs,
// once per action: a test holds a worker or a host call at the exact step
// where a race would fall. Other instances and steps, and jobs handed over
// before the script began, pass.
class JobStepScript {
public:
    explicit JobStepScript(std::int32_t instanceId);
    // Waits for every thread inside an action to leave it.
    ~JobStepScript();
    JobStepScript(const JobStepScript &) = delete;
    JobStepScript &operator=(const JobStepScript &) = delete;

    // A thread that reaches step runs the first action given for it that no
    // thread has run yet; may be called while jobs run.
    void On(crv::JobStep step, std::function<void()> action);


private:
    static void Reach(crv::CompressorInstance *record, std::uint32_t jobSerial, crv::JobStep step);

    crv::CompressorInstance *record_;
    std::uint32_t firstSerial_ = 0;
    std::multimap<crv::JobStep, std::function<void()>> actions_;
    int inside_ = 0;
};

} // namespace crvtest

#endif
