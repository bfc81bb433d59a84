#include "cli/file_io.h"

#include <algorithm>

#include <windows.h>

namespace crvcli {

namespace {

std::string Reason(DWORD code) {
    char text[256];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text, nullptr);
    while (length > 0 &&
           (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == '.'))
        --length;
    return length ? std::string(text, length) : "system error " + std::to_string(code);
}

bool WriteAll(HANDLE file, const std::string &bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, piece, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

NewFile WriteNewFile(const std::string &path, const std::string &bytes, std::string &error) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        error = Reason(code);
        return code == ERROR_FILE_EXISTS ? NewFile::NameTaken : NewFile::Failed;
    }
    bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
    if (!ok)
        error = Reason(GetLastError());
    CloseHandle(file);
    return ok ? NewFile::Written : NewFile::Failed;
}

bool RenameOver(const std::string &from, const std::string &to, std::string &error) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = Reason(GetLastError());
    return false;
}

} // namespace crvcli
