#include "cli/plan.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "cli/data_types.h"
#include "cli/walk.h"

namespace fs = std::filesystem;

namespace crvcli {

namespace {

class Planner {
public:
    Planner(const Options &options, std::vector<Item> &items) : options_(options), items_(items) {
        std::error_code code;
        if (!options.outputDir.empty())
            outputFolder_ = fs::weakly_canonical(options.outputDir, code);
    }

    bool Add(const std::string &path, std::string &error);

private:
    void AddFolder(const fs::path &folder);
    void AddFile(const fs::path &input, const fs::path &relative, bool isRegular);
    std::string FirstNaming(std::map<std::string, std::string> &seen, const fs::path &key,
                            const std::string &input);

    const Options &options_;
    std::vector<Item> &items_;
    fs::path outputFolder_;
    std::map<std::string, std::string> inputs_;  // canonical input: its first name
    std::map<std::string, std::string> outputs_; // output: the input it is for
};

bool Planner::Add(const std::string &path, std::string &error) {
    if (path == "-") {
        items_.push_back({"-", "", options_.dataType, "", ""});
        return true;
    }
    std::error_code code;
    fs::file_status status = fs::status(path, code);
    if (!fs::is_directory(status)) {
        AddFile(path, fs::path(path).filename(),
                !fs::exists(status) || fs::is_regular_file(status));
        return true;
    }
    if (!options_.recursive) {
        error = path + " is a folder; use -r to walk it";
        return false;
    }
    AddFolder(path);
    return true;
}

void Planner::AddFolder(const fs::path &folder) {
    for (const Found &found : WalkFolder(folder, options_.extensions, outputFolder_)) {
        if (found.note.empty() && found.failure.empty())
            AddFile(found.path, found.path.lexically_relative(folder), true);
        else
            items_.push_back({found.path.string(), "", 0, found.note, found.failure});
    }
}

// The input that first claimed key, or empty when key is new and now claimed.
std::string Planner::FirstNaming(std::map<std::string, std::string> &seen, const fs::path &key,
                                 const std::string &input) {
    auto [place, isNew] = seen.emplace(key.string(), input);
    return isNew ? "" : place->second;
}

void Planner::AddFile(const fs::path &input, const fs::path &relative, bool isRegular) {
    Item item{input.string(), "", options_.dataType, "", ""};
    if (!item.dataType)
        item.dataType = DataTypeOfPath(item.input);
    if (!options_.outputDir.empty())
        item.output = (fs::path(options_.outputDir) / relative).lexically_normal().string();
    std::error_code code;
    if (!isRegular)
        item.note = "not a regular file; skipped";
    else if (auto first = FirstNaming(inputs_, fs::weakly_canonical(input, code), item.input);
             !first.empty())
        item.note = "the same file as " + first + "; taken once";
    else if (auto rival = item.output.empty() ? "" : FirstNaming(outputs_, item.output, item.input);
             !rival.empty())
        item.failure = "its output " + item.output + " is the output of " + rival + " already";
    items_.push_back(item);
}

} // namespace

bool MakePlan(const Options &options, std::vector<Item> &items, std::string &error) {
    Planner planner(options, items);
    for (const std::string &path : options.paths)
        if (!planner.Add(path, error))
            return false;
    return true;
}

} // namespace crvcli
