#ifndef CRV_BENCH_CHILD_RUN_H
#define CRV_BENCH_CHILD_RUN_H

#include <string>
#include <vector>

// One run of a program, its output thrown away.
struct ChildRun {
    bool started = false;
    int exitStatus = -1;      // -1 when it did not exit normally
    double seconds = 0;       // wall-clock time from start to exit
    double peakMegabytes = 0; // the child's peak resident size
};

ChildRun RunChild(const std::vector<std::string> &arguments);

// Makes everything written so far durable, so that the next run's syncs do
// not pay for an earlier copy.
void FlushFileSystems();

#endif
