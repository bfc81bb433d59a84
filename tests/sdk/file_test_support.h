#ifndef CRV_FILE_TEST_SUPPORT_H
#define CRV_FILE_TEST_SUPPORT_H

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace crvtest {

// A fresh folder for one test, removed with everything in it afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        static int serial = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("crv-file-test-" + std::to_string(++serial) + "-" +
                 std::to_string(reinterpret_cast<std::uintptr_t>(this) & 0xFFFFF));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
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
