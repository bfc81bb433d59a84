#include "cli/process.h"

#include "cli/data_types.h"
#include "cli/file_io.h"
#include "cli/gzip_size.h"
#include "cli/result_words.h"
#include "sdk/crvsdk.h"

namespace crvcli {

namespace {

Outcome Failed(const std::string &reason) { return {Outcome::Kind::Failed, reason}; }

// Why the item cannot be compressed before anything is read, or empty.
std::string Refusal(const Item &item) {
    if (!item.failure.empty())
        return item.failure;
    if (!item.dataType)
        return "cannot tell the type from the extension; use --type";
    return "";
}

// Compresses bytes in place in memory; the library's result code.
std::int32_t CompressInMemory(std::int32_t id, std::uint32_t dataType, std::string &bytes) {
    // The library writes '>' into the byte before the text.
    std::string buffer = ">" + bytes;
    char *end = nullptr;
    std::int32_t result = CRVCompressRawData(id, dataType, buffer.data() + 1, &end, 1);
    if ((result & 0xFF) == CRV_OK)
        bytes.assign(buffer.data() + 1, end);
    return result & 0xFF;
}

// Compresses the file in place, then reads the result back for the figures.
std::string CompressFile(std::int32_t id, const Item &item, std::string &bytes) {
    std::int32_t result = CRVCompressFile(id, item.dataType, item.input.c_str()) & 0xFF;
    if (result != CRV_OK)
        return ReasonOf(result);
    std::string error;
    bytes.clear();
    if (!ReadFile(item.input, bytes, error))
        return "compressed, but cannot read it back: " + error;
    return "";
}

// Compresses in memory and writes the result where it goes.
std::string CompressCopy(std::int32_t id, const Item &item, bool dryRun, std::string &bytes) {
    std::int32_t result = CompressInMemory(id, item.dataType, bytes);
    if (result != CRV_OK)
        return ReasonOf(result);
    std::string error;
    if (dryRun)
        return "";
    if (item.input == "-" && !WriteStream(stdout, bytes, error))
        return "cannot write standard output: " + error;
    if (item.input != "-" && !WriteFileSafely(item.output, bytes, error))
        return "cannot write " + item.output + ": " + error;
    return "";
}

std::string Read(const Item &item, std::string &bytes) {
    std::string error;
    if (item.input == "-")
        return ReadStream(stdin, bytes, error) ? "" : "cannot read standard input: " + error;
    return ReadFile(item.input, bytes, error) ? "" : "cannot read the file: " + error;
}

} // namespace

Outcome Process(std::int32_t instanceId, const Item &item, const Settings &settings) {
    if (!item.note.empty())
        return {Outcome::Kind::Skipped, item.note};
    if (std::string refusal = Refusal(item); !refusal.empty())
        return Failed(refusal);
    std::string bytes;
    if (std::string error = Read(item, bytes); !error.empty())
        return Failed(error);
    if (bytes.find('\0') != std::string::npos)
        return Failed("contains a zero byte, which would end the text early; left as it was");
    Outcome outcome;
    outcome.bytesIn = bytes.size();
    if (settings.gzip)
        outcome.gzipIn = GzipSize(bytes);
    bool inPlace = item.input != "-" && item.output.empty() && !settings.dryRun;
    std::string error = inPlace ? CompressFile(instanceId, item, bytes)
                                : CompressCopy(instanceId, item, settings.dryRun, bytes);
    if (!error.empty())
        return Failed(error);
    outcome.bytesOut = bytes.size();
    if (settings.gzip)
        outcome.gzipOut = GzipSize(bytes);
    return outcome;
}

} // namespace crvcli
