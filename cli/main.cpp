// crvcompress: compresses HTML, JavaScript and CSS files in place through the
// library's exports.
#include <cstdio>
#include <string>

#include "cli/file_io.h"
#include "cli/options.h"
#include "sdk/crvsdk.h"

using namespace crvcli;

namespace {

const char *ReasonOf(std::int32_t result) {
    switch (result & 0xFF) {
    case CRV_ERR_BUSY:
        return "the compressor is busy";
    case CRV_ERR_NO_INSTANCE:
        return "the compressor instance is gone";
    case CRV_ERR_BAD_DATA_TYPE:
        return "unknown data type";
    case CRV_ERR_FAILED:
        return "the compressor failed";
    default:
        return "unexpected result from the library";
    }
}

// Only the CSS compressor is part of this build so far.
bool IsAvailable(std::uint32_t dataType) { return dataType == CRV_DATA_CSS; }

void Report(const std::string &name, const std::string &reason) {
    std::fprintf(stderr, "crvcompress: %s: %s\n", name.c_str(), reason.c_str());
}

// Compresses bytes in place through the instance; false with the reason.
bool Compress(std::int32_t id, std::uint32_t dataType, std::string &bytes, std::string &error) {
    if (bytes.find('\0') != std::string::npos) {
        error = "contains a zero byte, which would end the text early";
        return false;
    }
    // The library writes '>' into the byte before the text.
    std::string buffer = ">" + bytes;
    char *end = nullptr;
    std::int32_t result = CRVCompressRawData(id, dataType, buffer.data() + 1, &end, 1);
    if ((result & 0xFF) != CRV_OK) {
        error = ReasonOf(result);
        return false;
    }
    bytes.assign(buffer.data() + 1, end);
    return true;
}

// Compresses one named input; the reason it failed, or empty.
std::string ProcessPath(std::int32_t id, const Options &options, const std::string &path) {
    bool isStream = path == "-";
    std::uint32_t dataType = options.dataType ? options.dataType : DataTypeOfPath(path);
    if (!dataType)
        return isStream ? "give its type with --type"
                        : "cannot tell the type from the extension; use --type";
    if (!IsAvailable(dataType))
        return std::string(DataTypeName(dataType)) + " compression is not available yet";
    std::string bytes, error;
    if (isStream ? !ReadStream(stdin, bytes, error) : !ReadFile(path, bytes, error))
        return "cannot read: " + error;
    if (!Compress(id, dataType, bytes, error))
        return error;
    if (isStream ? !WriteStream(stdout, bytes, error) : !ReplaceFile(path, bytes, error))
        return "cannot write: " + error;
    return "";
}

std::int32_t CreateInstance(const Options &options) {
    std::int32_t id = 0;
    if ((CRVCreateInstance(&id) & 0xFF) != CRV_OK)
        return 0;
    CRVSetProperty(id, CRV_PROP_BEEP, 0);
    CRVSetProperty(id, options.setProperties, 1);
    CRVSetProperty(id, options.clearProperties, 0);
    return id;
}

} // namespace

int main(int argc, char **argv) {
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "crvcompress: %s\nTry 'crvcompress --help'.\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options.version) {
        std::uint32_t v = CRVGetVersion();
        std::printf("crvcompress (HTML Corvane) %u.%u.%u\n", v >> 16, (v >> 8) & 0xFF, v & 0xFF);
        return 0;
    }
    std::int32_t id = CreateInstance(options);
    if (!id) {
        std::fprintf(stderr, "crvcompress: cannot create a compressor instance\n");
        return 1;
    }
    bool allDone = true;
    for (const std::string &path : options.paths) {
        std::string failure = ProcessPath(id, options, path);
        if (!failure.empty()) {
            Report(path == "-" ? "standard input" : path, failure);
            allDone = false;
        }
    }
    CRVDestroyInstance(id);
    return allDone ? 0 : 1;
}
