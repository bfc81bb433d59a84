#include "cli/file_io.h"

#include <algorithm>

#include <windows.h>

#include "cli/temporaries.h"
#include "cli/test_seams.h"

namespace crvcli {

struct InputFile {
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::string path;
    BY_HANDLE_FILE_INFORMATION information{};
};

void InputFileCloser::operator()(InputFile *file) const {
    if (file->handle != INVALID_HANDLE_VALUE)
        CloseHandle(file->handle);
    delete file;
}

struct NewFile {
    std::string path;      // the name it takes
    std::string temporary; // empty once it has taken the name
    bool keepInput = false;
    int slot = -1;
};

void NewFileCloser::operator()(NewFile *file) const {
    if (!file->temporary.empty())
        DeleteFileA(file->temporary.c_str());
    ForgetTemporary(file->slot);
    delete file;
}

namespace {

constexpr int kNameAttempts = 16;

std::string Reason(DWORD code) {
    char text[256];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text, nullptr);
    while (length > 0 &&
           (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == '.'))
        --length;
    return length ? std::string(text, length) : "system error " + std::to_string(code);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
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

enum class Creation { Written, NameTaken, Failed };

Creation WriteNewFile(const std::string &path, std::string_view bytes, std::string &error) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        error = Reason(code);
        return code == ERROR_FILE_EXISTS ? Creation::NameTaken : Creation::Failed;
    }
    bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
    if (!ok)
        error = Reason(GetLastError());
    CloseHandle(file);
    return ok ? Creation::Written : Creation::Failed;
}

std::string Beside(const std::string &path, const std::string &name) {
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? name : path.substr(0, slash + 1) + name;
}

std::string NameOf(const std::string &path) {
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes a temporary beside path, made durable here: Windows has no one call
// that syncs many files without rights most users lack.
NewFileHandle WriteBeside(const std::string &path, std::string_view bytes, bool keepInput,
                          std::string &error) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string temporary = Beside(path, TemporaryNameFor(NameOf(path)));
        Creation written = WriteNewFile(temporary, bytes, error);
        if (written == Creation::NameTaken)
            continue;
        NewFileHandle file(new NewFile{path, temporary, keepInput, -1});
        file->slot = RememberTemporary(-1, temporary);
        if (written != Creation::Written)
            return nullptr;
        return file;
    }
    error = "no free name for a new file beside it";
    return nullptr;
}

} // namespace

Opened OpenInput(const std::string &location) {
    InputHandle file(new InputFile);
    file->path = location;
    Opened opened;
    file->handle = CreateFileA(location.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file->handle == INVALID_HANDLE_VALUE) {
        opened.error = "cannot read the file: " + Reason(GetLastError());
        return opened;
    }
    if (GetFileType(file->handle) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file->handle, &file->information) ||
        (file->information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        opened.skip = "not a regular file; skipped";
    else
        opened.file = std::move(file);
    return opened;
}

std::uint64_t SizeOf(const InputFile &file) {
    return (static_cast<std::uint64_t>(file.information.nFileSizeHigh) << 32) |
           file.information.nFileSizeLow;
}

std::uint64_t LinkCount(const InputFile &file) { return file.information.nNumberOfLinks; }

bool ReadInput(InputFile &file, char *buffer, std::uint64_t size, std::string &error) {
    std::uint64_t done = 0;
    while (done < size) {
        DWORD piece = static_cast<DWORD>(std::min<std::uint64_t>(size - done, 1u << 30));
        DWORD read = 0;
        if (!::ReadFile(file.handle, buffer + done, piece, &read, nullptr)) {
            error = "cannot read the file: " + Reason(GetLastError());
            return false;
        }
        if (read == 0) {
            error = "the file became shorter while it was read; it was left as it was";
            return false;
        }
        done += read;
    }
    return true;
}

NewFileHandle ReplaceInput(InputHandle file, std::string_view bytes, std::string &error) {
    if (file->information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        error = "the file is read-only";
        return nullptr;
    }
    std::string path = file->path;
    // The input may not be replaced while it is open without delete sharing.
    file.reset();
    return WriteBeside(path, bytes, true, error);
}

NewFileHandle WriteCopy(const InputFile &, const std::string &path, std::string_view bytes,
                        std::string &error) {
    return WriteBeside(path, bytes, false, error);
}

// Over an input through ReplaceFile, which keeps the input's attributes and
// security, else by a rename.
std::vector<std::string> PutInPlace(std::vector<NewFileHandle> &files) {
    std::vector<std::string> errors(files.size());
    HoldForTest(kHoldBeforeRename);
    for (std::size_t i = 0; i < files.size(); ++i) {
        NewFile &file = *files[i];
        bool ok = file.keepInput
                      ? ReplaceFileA(file.path.c_str(), file.temporary.c_str(), nullptr,
                                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                      : MoveFileExA(file.temporary.c_str(), file.path.c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (ok)
            file.temporary.clear();
        else
            errors[i] = Reason(GetLastError());
    }
    return errors;
}

} // namespace crvcli
