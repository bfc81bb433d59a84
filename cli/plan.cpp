#include "cli/plan.h"

#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "cli/data_types.h"
#include "cli/walk.h"

namespace fs = std::filesystem;

namespace crvcli {

namespace {

// The absolute path without links, dots or a trailing separator, so that two
// spellings of one folder compare equal ("." and "./" become the folder's name).
fs::path Canonical(const fs::path &path) {
    std::error_code code;
    fs::path canonical = fs::weakly_canonical(path, code);
    if (code)
        canonical = fs::absolute(path, code);
    canonical = canonical.lexically_normal();
    return canonical.has_relative_path() && !canonical.has_filename() ? canonical.parent_path()
                                                                      : canonical;
}

bool IsWithin(const fs::path &path, const fs::path &folder) {
    fs::path relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

class Planner {
public:
    Planner(const Options &options, std::vector<Item> &items) : options_(options), items_(items) {}

    bool Add(const std::string &path, std::string &error);
    void RefuseOutputsOverInputs();

private:
    void AddFolder(const fs::path &folder);
    void AddFile(const fs::path &input, const fs::path &relative, bool isRegular,
                 const fs::path &location);
    std::string FirstNaming(std::map<std::string, std::string> &seen, const fs::path &key,
                            const std::string &input);

    const Options &options_;
    std::vector<Item> &items_;
    std::map<std::string, std::string> inputs_;  // canonical input: its first name
    std::map<std::string, std::string> outputs_; // output: the input it is for
};

bool Planner::Add(const std::string &path, std::string &error) {
    if (path == "-") {
        items_.push_back({"-", "", "", options_.dataType, "", ""});
        return true;
    }
    std::error_code code;
    fs::file_status status = fs::status(path, code);
    if (code == std::errc::too_many_symbolic_link_levels) {
        items_.push_back({path, path, "", 0, "", "a loop of symbolic links; left as it is"});
        return true;
    }
    if (!fs::is_directory(status)) {
        AddFile(path, fs::path(path).filename(),
                !fs::exists(status) || fs::is_regular_file(status), Canonical(path));
        return true;
    }
    if (!options_.recursive) {
        error = path + " is a folder; use -r to walk it";
        return false;
    }
    AddFolder(path);
    return true;
}

// A walk enters no linked folder and takes no linked file, so a file it
// finds lies where its path below the folder says: one canonical path for
// the folder serves them all, without a look at each file's links.
void Planner::AddFolder(const fs::path &folder) {
    const fs::path canonicalFolder = Canonical(folder);
    for (const Found &found : WalkFolder(folder, options_.extensions, options_.dryRun)) {
        fs::path relative = found.path.lexically_relative(folder);
        if (found.note.empty() && found.failure.empty())
            AddFile(found.path, relative, true, canonicalFolder / relative);
        else
            items_.push_back({found.path.string(), found.path.string(), "", 0, found.note,
                              found.failure, found.aside});
    }
}

// The input that first claimed key, or empty when key is new and now claimed.
std::string Planner::FirstNaming(std::map<std::string, std::string> &seen, const fs::path &key,
                                 const std::string &input) {
    auto [place, isNew] = seen.emplace(key.string(), input);
    return isNew ? "" : place->second;
}

void Planner::AddFile(const fs::path &input, const fs::path &relative, bool isRegular,
                      const fs::path &location) {
    Item item{input.string(), location.string(), "", options_.dataType, "", ""};
    if (!item.dataType)
        item.dataType = DataTypeOfPath(item.input);
    if (!options_.outputDir.empty())
        item.output = (fs::path(options_.outputDir) / relative).lexically_normal().string();
    if (!isRegular)
        item.note = "not a regular file; skipped";
    else if (auto first = FirstNaming(inputs_, item.location, item.input); !first.empty())
        item.note = "the same file as " + first + "; taken once";
    else if (auto rival = item.output.empty() ? "" : FirstNaming(outputs_, item.output, item.input);
             !rival.empty())
        item.failure = "its output " + item.output + " is the output of " + rival + " already";
    items_.push_back(item);
}

// An output that would land on an input, named or found, is not written.
void Planner::RefuseOutputsOverInputs() {
    for (Item &item : items_)
        if (!item.output.empty() && item.note.empty() && item.failure.empty() &&
            inputs_.contains(Canonical(item.output).string()))
            item.failure = "its output " + item.output + " is an input; nothing was written";
}

// The reason the output folder may not be used with these inputs, or empty.
std::string OutputOverInputs(const Options &options) {
    fs::path output = Canonical(options.outputDir);
    for (const std::string &path : options.paths) {
        std::error_code code;
        if (path == "-" || !fs::is_directory(path, code))
            continue;
        fs::path input = Canonical(path);
        if (output == input)
            return "the output folder " + options.outputDir + " is the input " + path +
                   "; choose a folder outside it";
        if (IsWithin(output, input))
            return "the output folder " + options.outputDir + " lies inside the input " + path +
                   "; choose a folder outside it";
    }
    return "";
}

} // namespace

bool MakePlan(const Options &options, std::vector<Item> &items, std::string &error) {
    if (!options.outputDir.empty() && !(error = OutputOverInputs(options)).empty())
        return false;
    Planner planner(options, items);
    for (const std::string &path : options.paths)
        if (!planner.Add(path, error))
            return false;
    planner.RefuseOutputsOverInputs();
    return true;
}

} // namespace crvcli
