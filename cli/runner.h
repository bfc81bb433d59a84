#ifndef CRV_CLI_RUNNER_H
#define CRV_CLI_RUNNER_H

#include <string>
#include <vector>

#include "cli/options.h"
#include "cli/plan.h"
#include "cli/report.h"

namespace crvcli {

// Compresses the items on worker threads, one library instance each, and
// hands every outcome to the reporter in the items' order, so that what is
// printed does not depend on the number of workers. False with the reason
// when not even one library instance can be made.
bool RunAll(const std::vector<Item> &items, const Options &options, Reporter &reporter,
            std::string &error);

} // namespace crvcli

#endif
