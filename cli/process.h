#ifndef CRV_CLI_PROCESS_H
#define CRV_CLI_PROCESS_H

#include <cstdint>
#include <optional>
#include <string>

#include "cli/plan.h"

namespace crvcli {

struct Outcome {
    enum class Kind { Done, Skipped, Failed };
    Kind kind = Kind::Done;
    std::string reason; // why it was skipped or failed; for one done, a remark
    std::uint64_t bytesIn = 0;
    std::uint64_t bytesOut = 0;
    std::optional<std::uint64_t> gzipIn = std::nullopt; // none when not asked for or zlib failed
    std::optional<std::uint64_t> gzipOut = std::nullopt;
};

struct Settings {
    bool dryRun = false; // compress in memory only
    bool gzip = false;   // measure the gzip sizes
};

// Compresses one item in memory through the library instance and writes the
// result where it goes unless this is a dry run. Whatever goes wrong, out of
// memory included, fails this item only.
Outcome Process(std::int32_t instanceId, const Item &item, const Settings &settings);

} // namespace crvcli

#endif
