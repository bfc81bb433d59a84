#ifndef CRV_CLI_PROCESS_H
#define CRV_CLI_PROCESS_H

#include <cstdint>
#include <optional>
#include <string>

#include "cli/file_io.h"
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

// An item's outcome, with the new file still to be put in place for it.
struct Processed {
    Outcome outcome;
    NewFileHandle newFile = nullptr; // null when nothing is left to put in place
};

// Compresses one item in memory through the library instance and, unless this
// is a dry run, writes the result to a new file that is yet to take the place
// of what it replaces. Whatever goes wrong, out of memory included, fails
// this item only.
Processed Process(std::int32_t instanceId, const Item &item, const Settings &settings);

// The item's outcome once its new file was put in place, or could not be
// (error says why).
Outcome Settle(const Item &item, Outcome outcome, const std::string &error);

} // namespace crvcli

#endif
