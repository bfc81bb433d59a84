#include "cli/temporaries.h"

#include <cstdio>
#include <filesystem>
#include <random>

namespace crvcli {

namespace {

constexpr char kMark[] = ".crvcompress-";
constexpr char kEnd[] = ".tmp";
constexpr std::size_t kRandomDigits = 8;
// Leaves room for the mark within the 255 bytes a file name may have.
constexpr std::size_t kLongestBase = 200;

bool AllOf(const std::string &text, const char *allowed) {
    return !text.empty() && text.find_first_not_of(allowed) == std::string::npos;
}

} // namespace

std::string TemporaryNameFor(const std::string &fileName) {
    thread_local std::mt19937 random{std::random_device{}()};
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, "%s%lu-%08x%s", kMark, CurrentProcessId(),
                  static_cast<unsigned>(random()), kEnd);
    return fileName.substr(0, kLongestBase) + suffix;
}

std::optional<unsigned long> MakerOfTemporary(const std::string &fileName) {
    std::size_t mark = fileName.rfind(kMark);
    std::size_t end = fileName.size() - (sizeof kEnd - 1);
    if (mark == std::string::npos || mark == 0 || !fileName.ends_with(kEnd))
        return std::nullopt;
    std::size_t start = mark + sizeof kMark - 1;
    std::size_t dash = fileName.find('-', start);
    if (dash == std::string::npos || dash > end || end - dash - 1 != kRandomDigits)
        return std::nullopt;
    std::string id = fileName.substr(start, dash - start);
    if (id.size() > 10 || !AllOf(id, "0123456789") ||
        !AllOf(fileName.substr(dash + 1, kRandomDigits), "0123456789abcdef"))
        return std::nullopt;
    return std::stoul(id);
}

bool IsStaleTemporary(const std::string &path) {
    std::optional<unsigned long> maker =
        MakerOfTemporary(std::filesystem::path(path).filename().string());
    return maker && *maker != CurrentProcessId() && !ProcessIsRunning(*maker);
}

} // namespace crvcli
