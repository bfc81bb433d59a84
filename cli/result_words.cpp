#include "cli/result_words.h"

#include "sdk/crvsdk.h"

namespace crvcli {

std::string ReasonOf(std::int32_t result) {
    switch (result & 0xFF) {
    case CRV_OK:
        return "done";
    case CRV_ERR_BUSY:
        return "the compressor is busy with another job";
    case CRV_ERR_CREATE:
        return "a compressor cannot be set up (out of memory or threads)";
    case CRV_ERR_NO_INSTANCE:
        return "the compressor instance is gone";
    case CRV_ERR_BAD_PROPERTY:
        return "the library refused a compressor setting";
    case CRV_ERR_BAD_DATA_TYPE:
        return "the library does not know this data type";
    case CRV_ERR_READ_FILE:
        return "cannot read the file (missing, unreadable, locked or too large)";
    case CRV_ERR_WRITE_FILE:
        return "cannot write the file (read-only, no permission, disk full or in use); "
               "it was left as it was";
    case CRV_ERR_BAD_BEHAVIOUR:
        return "the library refused the way it was called";
    case CRV_ERR_NOT_BUSY:
        return "the compressor has no job running";
    case CRV_ERR_PRIORITY:
        return "the compressor's thread priority was refused";
    case CRV_ERR_FAILED:
        return "the compressor failed on this text; nothing was written";
    case CRV_ERR_BAD_LANGUAGE:
        return "the library refused the dialogue language";
    case CRV_ERR_CANCELLED:
        return "the settings dialogue was cancelled";
    default:
        return "unexpected result " + std::to_string(result & 0xFF) + " from the library";
    }
}

} // namespace crvcli
