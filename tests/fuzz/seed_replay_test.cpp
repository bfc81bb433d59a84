// Replays the committed seeds of one fuzz target through that target's own
// entry point, in every build: the target's checks (the cursor stays inside
// the text, the output is never longer, the terminator and the byte before
// stay as they were) are the one rule, and a broken seed aborts the test that
// names it. Under the sanitizer presets, any access outside the buffer shows
// too, as it would while fuzzing.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

std::vector<std::filesystem::path> Seeds() {
    std::vector<std::filesystem::path> seeds;
    for (const auto &entry : std::filesystem::directory_iterator(CRV_SEED_DIR))
        if (entry.is_regular_file())
            seeds.push_back(entry.path());
    std::sort(seeds.begin(), seeds.end());
    return seeds;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path &file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A test name from a file name: letters and digits kept, the rest '_'.
std::string NameOf(const testing::TestParamInfo<std::filesystem::path> &info) {
    std::string name = info.param.filename().string();
    std::replace_if(name.begin(), name.end(),
                    [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

class SeedReplay : public testing::TestWithParam<std::filesystem::path> {};

TEST_P(SeedReplay, KeepsToItsBuffer) {
    const std::vector<std::uint8_t> seed = ReadBytes(GetParam());
    ASSERT_FALSE(seed.empty()) << GetParam() << " is empty or unreadable";
    EXPECT_EQ(LLVMFuzzerTestOneInput(seed.data(), seed.size()), 0);
}

// CRV_SEED_SUITE (CssSeeds, ...) keeps the names of the three replays apart;
// the extra level of macro lets it expand before the names are pasted.
#define CRV_INSTANTIATE_SEEDS(suite)                                                   \
    INSTANTIATE_TEST_SUITE_P(suite, SeedReplay, testing::ValuesIn(Seeds()), NameOf)
CRV_INSTANTIATE_SEEDS(CRV_SEED_SUITE);

// An empty seed folder would make the replay pass by testing nothing.
TEST(CRV_SEED_SUITE, FolderHoldsSeeds) { EXPECT_FALSE(Seeds().empty()) << CRV_SEED_DIR; }

} // namespace
