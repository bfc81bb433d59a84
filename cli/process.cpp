#include "cli/process.h"

#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>
#include <string_view>

#include "cli/file_io.h"
#include "cli/gzip_size.h"
#include "cli/result_words.h"
#include "cli/test_seams.h"
#include "sdk/crvsdk.h"

namespace crvcli {

namespace {

constexpr char kUntouched[] = "; it was left as it was";
constexpr char kNothingOut[] = "; nothing was written to standard output";

// What a failure leaves: the file as it was, or nothing on standard output.
const char *After(const Item &item) { return item.input == "-" ? kNothingOut : kUntouched; }

Outcome Failed(const std::string &reason) { return {Outcome::Kind::Failed, reason}; }
Outcome Skipped(const std::string &reason) { return {Outcome::Kind::Skipped, reason}; }

// Why the item cannot be compressed before anything is read, or empty.
std::string Refusal(const Item &item) {
    if (!item.failure.empty())
        return item.failure;
    if (!item.dataType)
        return "cannot tell the type from the extension; use --type";
    return "";
}

// Compresses the text after the first byte of buffer (the byte the library
// writes '>' into) in place; the output, or empty with the reason in error.
std::string_view Compress(std::int32_t id, std::uint32_t dataType, std::string &buffer,
                          std::string &error) {
    char *text = buffer.data() + 1;
    char *end = nullptr;
    std::int32_t result = CRVCompressRawData(id, dataType, text, &end, 1) & 0xFF;
    if (result != CRV_OK) {
        error = ReasonOf(result);
        return {};
    }
    return {text, static_cast<std::size_t>(end - text)};
}

Outcome ProcessStream(std::int32_t id, const Item &item, const Settings &settings) {
    std::string buffer = ">", error;
    if (!ReadStream(stdin, LargestText(), buffer, error))
        return Failed(error + kNothingOut);
    Outcome outcome;
    outcome.bytesIn = buffer.size() - 1;
    outcome.gzipIn = settings.gzip ? GzipSize(std::string_view(buffer).substr(1)) : std::nullopt;
    std::string_view output = Compress(id, item.dataType, buffer, error);
    if (!error.empty())
        return Failed(error + kNothingOut);
    if (!settings.dryRun && !WriteStream(stdout, output, error))
        return Failed("cannot write standard output: " + error);
    outcome.bytesOut = output.size();
    outcome.gzipOut = settings.gzip ? GzipSize(output) : std::nullopt;
    return outcome;
}

// Reads the whole file after the first byte of buffer.
std::string Read(InputFile &file, std::string &buffer) {
    std::uint64_t size = SizeOf(file);
    if (size > LargestText())
        return "larger than the largest text the library takes (" + std::to_string(LargestText()) +
               " bytes)" + kUntouched;
    buffer.assign(static_cast<std::size_t>(size) + 1, '>');
    std::string error;
    if (!ReadInput(file, buffer.data() + 1, size, error))
        return error;
    if (std::memchr(buffer.data() + 1, '\0', size))
        return std::string("contains a zero byte, which would end the text early") + kUntouched;
    return "";
}

// The new file for the output, or null with the reason in failure.
NewFileHandle Write(InputHandle file, const Item &item, std::string_view output,
                    std::string &failure) {
    std::string error;
    NewFileHandle written;
    if (item.output.empty()) {
        if (!(written = ReplaceInput(std::move(file), output, error)))
            failure = error + kUntouched;
    } else if (!MakeParentFolders(item.output, error) ||
               !(written = WriteCopy(*file, item.output, output, error))) {
        failure = "cannot write " + item.output + ": " + error;
    }
    return written;
}

Processed ProcessFile(std::int32_t id, const Item &item, const Settings &settings) {
    Opened opened = OpenInput(item.location);
    if (!opened.skip.empty())
        return {Skipped(opened.skip)};
    if (!opened.error.empty())
        return {Failed(opened.error)};
    InputFile &file = *opened.file;
    bool inPlace = item.output.empty() && !settings.dryRun;
    if (std::uint64_t links = LinkCount(file); inPlace && links > 1)
        return {Skipped("has " + std::to_string(links) +
                        " hard links, which a rewrite would split; skipped")};
    std::string buffer;
    if (std::string error = Read(file, buffer); !error.empty())
        return {Failed(error)};
    // A hash rather than a copy, which would double the memory a file needs;
    // only a file rewritten in place needs it.
    std::size_t inputHash =
        inPlace ? std::hash<std::string_view>{}(std::string_view(buffer).substr(1)) : 0;
    Outcome outcome;
    outcome.bytesIn = buffer.size() - 1;
    outcome.gzipIn = settings.gzip ? GzipSize(std::string_view(buffer).substr(1)) : std::nullopt;
    std::string error;
    std::string_view output = Compress(id, item.dataType, buffer, error);
    if (!error.empty())
        return {Failed(error)};
    outcome.bytesOut = output.size();
    outcome.gzipOut = settings.gzip ? GzipSize(output) : std::nullopt;
    if (settings.dryRun)
        return {outcome};
    if (inPlace && output.size() == outcome.bytesIn &&
        std::hash<std::string_view>{}(output) == inputHash) {
        outcome.reason = "unchanged, so not rewritten";
        return {outcome};
    }
    std::string failure;
    NewFileHandle written = Write(std::move(opened.file), item, output, failure);
    if (!written)
        return {Failed(failure)};
    return {outcome, std::move(written)};
}

} // namespace

Processed Process(std::int32_t instanceId, const Item &item, const Settings &settings) {
    if (!item.note.empty())
        return {Skipped(item.note)};
    if (std::string refusal = Refusal(item); !refusal.empty())
        return {Failed(refusal)};
    try {
        return item.input == "-" ? Processed{ProcessStream(instanceId, item, settings)}
                                 : ProcessFile(instanceId, item, settings);
    } catch (const std::bad_alloc &) {
        return {Failed(std::string("not enough memory for it") + After(item))};
    } catch (const std::length_error &) {
        return {Failed(std::string("too large to hold in memory here") + After(item))};
    }
}

Outcome Settle(const Item &item, Outcome outcome, const std::string &error) {
    if (error.empty())
        return outcome;
    return Failed(item.output.empty() ? error + kUntouched
                                      : "cannot write " + item.output + ": " + error);
}

} // namespace crvcli
