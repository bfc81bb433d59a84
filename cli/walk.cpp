#include "cli/walk.h"

#include <algorithm>
#include <system_error>

#include "cli/data_types.h"

namespace fs = std::filesystem;

namespace crvcli {

namespace {

class Walk {
public:
    Walk(const fs::path &root, const std::vector<std::string> &extensions,
         const fs::path &skipFolder)
        : root_(root), extensions_(extensions), skipFolder_(skipFolder) {
        std::error_code code;
        canonicalRoot_ = fs::weakly_canonical(root_, code);
    }

    std::vector<Found> Run() {
        Folder(root_);
        return std::move(found_);
    }

private:
    void Folder(const fs::path &folder);
    void Entry(const fs::directory_entry &entry);
    void Link(const fs::directory_entry &entry);

    bool Chosen(const fs::path &path) const {
        std::string extension = ExtensionOf(path.filename().string());
        return std::find(extensions_.begin(), extensions_.end(), extension) != extensions_.end();
    }

    bool Inside(const fs::path &target) const {
        fs::path relative = target.lexically_relative(canonicalRoot_);
        return !relative.empty() && *relative.begin() != "..";
    }

    fs::path root_;
    fs::path canonicalRoot_;
    const std::vector<std::string> &extensions_;
    fs::path skipFolder_;
    std::vector<Found> found_;
};

void Walk::Folder(const fs::path &folder) {
    std::error_code code;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, code), end; !code && it != end; it.increment(code))
        entries.push_back(*it);
    if (code) {
        found_.push_back({folder, "", "cannot read the folder: " + code.message()});
        return;
    }
    std::sort(entries.begin(), entries.end(), [](const auto &a, const auto &b) {
        return a.path().filename().string() < b.path().filename().string();
    });
    for (const auto &entry : entries)
        Entry(entry);
}

void Walk::Entry(const fs::directory_entry &entry) {
    std::error_code code;
    if (entry.is_symlink(code)) {
        Link(entry);
    } else if (entry.is_directory(code)) {
        if (skipFolder_.empty() || !fs::equivalent(entry.path(), skipFolder_, code))
            Folder(entry.path());
    } else if (Chosen(entry.path())) {
        if (entry.is_regular_file(code))
            found_.push_back({entry.path(), "", ""});
        else
            found_.push_back({entry.path(), "not a regular file; skipped", ""});
    }
}

void Walk::Link(const fs::directory_entry &entry) {
    std::error_code code;
    bool toFolder = fs::is_directory(entry.path(), code);
    if (!toFolder && !Chosen(entry.path()))
        return;
    fs::path target = fs::canonical(entry.path(), code);
    if (code)
        found_.push_back({entry.path(), "symbolic link to nothing; skipped", ""});
    else if (!Inside(target))
        found_.push_back({entry.path(), "symbolic link to outside the folder; skipped", ""});
}

} // namespace

std::vector<Found> WalkFolder(const fs::path &folder, const std::vector<std::string> &extensions,
                              const fs::path &skipFolder) {
    return Walk(folder, extensions, skipFolder).Run();
}

} // namespace crvcli
