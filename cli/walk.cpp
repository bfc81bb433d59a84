#include "cli/walk.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <utility>

#include "cli/data_types.h"
#include "cli/temporaries.h"

namespace fs = std::filesystem;

namespace crvcli {

namespace {

class Walk {
public:
    Walk(const fs::path &root, const std::vector<std::string> &extensions, bool dryRun)
        : root_(root), extensions_(extensions), dryRun_(dryRun) {
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
    void File(const fs::directory_entry &entry);
    void Link(const fs::directory_entry &entry);
    void Aside(const fs::path &path, const std::string &note) {
        found_.push_back({path, note, "", true});
    }

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
    bool dryRun_;
    std::vector<Found> found_;
};

void Walk::Folder(const fs::path &folder) {
    std::error_code code;
    // Each name taken out once, not once per comparison of the sort.
    std::vector<std::pair<std::string, fs::directory_entry>> entries;
    for (fs::directory_iterator it(folder, code), end; !code && it != end; it.increment(code))
        entries.emplace_back(it->path().filename().string(), *it);
    if (code) {
        found_.push_back({folder, "", "cannot read the folder: " + code.message()});
        return;
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &entry : entries)
        Entry(entry.second);
}

void Walk::Entry(const fs::directory_entry &entry) {
    std::error_code code;
    if (entry.is_symlink(code))
        Link(entry);
    else if (entry.is_directory(code))
        Folder(entry.path());
    else
        File(entry);
}

void Walk::File(const fs::directory_entry &entry) {
    std::error_code code;
    bool regular = entry.is_regular_file(code);
    if (regular && IsStaleTemporary(entry.path().string())) {
        if (dryRun_)
            Aside(entry.path(), "a temporary file left by an interrupted run; a run that "
                                "writes removes it");
        else if (fs::remove(entry.path(), code))
            Aside(entry.path(), "a temporary file left by an interrupted run; removed");
        else
            found_.push_back({entry.path(), "", "cannot remove this temporary file left by an "
                                                "interrupted run: " + code.message()});
    } else if (!Chosen(entry.path())) {
        Aside(entry.path(), "not of the extensions taken; skipped");
    } else if (regular) {
        found_.push_back({entry.path(), "", ""});
    } else {
        found_.push_back({entry.path(), "not a regular file; skipped", ""});
    }
}

void Walk::Link(const fs::directory_entry &entry) {
    std::error_code code;
    fs::path target = fs::canonical(entry.path(), code);
    bool toFolder = !code && fs::is_directory(target, code);
    if (!toFolder && !Chosen(entry.path()))
        Aside(entry.path(), "a symbolic link, not of the extensions taken; skipped");
    else if (code == std::errc::too_many_symbolic_link_levels)
        found_.push_back({entry.path(), "a loop of symbolic links; skipped", ""});
    else if (code)
        found_.push_back({entry.path(), "symbolic link to nothing; skipped", ""});
    else if (!Inside(target))
        found_.push_back({entry.path(), "symbolic link to outside the folder; skipped", ""});
    else
        Aside(entry.path(), "a symbolic link to " +
                                std::string(toFolder ? "a folder" : "a file") +
                                " inside the folder, taken under its own name; skipped");
}

} // namespace

std::vector<Found> WalkFolder(const fs::path &folder, const std::vector<std::string> &extensions,
                              bool dryRun) {
    return Walk(folder, extensions, dryRun).Run();
}

} // namespace crvcli
