#ifndef CRV_FILE_TEST_SUPPORT_H
#define CRV_FILE_TEST_SUPPORT_H

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace crvtest {

// A fresh folder for one test, removed with everything in it afterwards.
class ScratchFolder {
public:
    // Tests run in parallel processes: a folder that exists already belongs
    // to another test, so the next name is tried rather than the folder taken.
    ScratchFolder() {
        static int serial = 0;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        do {
            path_ = std::filesystem::temp_directory_path() /
                    ("crv-file-test-" + std::to_string(stamp) + "-" + std::to_string(++serial));
        } while (!std::filesystem::create_directory(path_));
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string Write(const std::string &name, const std::string &bytes) const {
        std::string file = (path_ / name).string();
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    const std::filesystem::path &Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string &file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The platform's way of making a file read-only for everyone, and back.
void MakeReadOnly(const std::string &file, bool readOnly);

} // namespace crvtest

#endif
