#ifndef CRV_HELD_JOB_H
#define CRV_HELD_JOB_H

#include <cstdint>

#include <windows.h>

#include "sdk/instance.h"

namespace crvtest {

// Keeps an instance busy: a style sheet job whose compressor waits until
// Release(). The instance returns to CRV_CALL_WAIT afterwards.
class HeldJob {
public:
    explicit HeldJob(std::int32_t id);
    ~HeldJob();
    HeldJob(const HeldJob &) = delete;
    HeldJob &operator=(const HeldJob &) = delete;

    // Lets the job finish and waits until the instance is idle.
    void Release();

private:
    std::int32_t id_;
    crv::Compressor saved_;
    bool released_ = false;
    char buffer_[8] = " a{}";
    char *end_ = nullptr;
};

} // namespace crvtest

#endif
