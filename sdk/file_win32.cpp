// Files on Win32: reading whole, and replacing content through a new file.
#include <new>
#include <string>

#include <windows.h>

#include "sdk/platform.h"

namespace crv::platform {

struct File {
    HANDLE handle;
};

namespace {

// The folder part of a file name, for a new file beside it.
std::string FolderOf(const char *fileName) {
    std::string name = fileName;
    auto slash = name.find_last_of("\\/:");
    if (slash == std::string::npos)
        return ".";
    return name.substr(0, slash + 1);
}

bool WriteAll(HANDLE handle, const char *bytes, std::uint64_t size) {
    while (size > 0) {
        DWORD chunk = size < 0x40000000u ? static_cast<DWORD>(size) : 0x40000000u;
        DWORD written = 0;
        if (!WriteFile(handle, bytes, chunk, &written, nullptr) || written == 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

// Writes the new file, not shared while it is written, and flushes it.
bool WriteNewFile(const std::string &name, const char *bytes, std::uint64_t size,
                  DWORD attributes) {
    HANDLE handle = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                attributes, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    bool ok = WriteAll(handle, bytes, size) && FlushFileBuffers(handle);
    return CloseHandle(handle) && ok;
}

// ReplaceFile keeps the original's attributes, times and security; where the
// file system cannot do that, a plain replacing move still keeps the data safe.
bool PutInPlace(const char *fileName, const std::string &temporary) {
    if (ReplaceFileA(fileName, temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr))
        return true;
    return MoveFileExA(temporary.c_str(), fileName,
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// Whether the file may be written and replaced now: not read-only, and not
// held by another without sharing. Asked first, so that no new file is made
// in vain (and nothing is left of a failed replacement).
bool CanReplace(const char *fileName) {
    HANDLE handle = CreateFileA(fileName, GENERIC_WRITE | DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}

} // namespace

// Only files on disk are read: reading a pipe or a device (CON, COM1) would
// block or answer without end.
File *OpenForReading(const char *fileName) {
    HANDLE handle = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return nullptr;
    }
    auto *file = new (std::nothrow) File{handle};
    if (!file)
        CloseHandle(handle);
    return file;
}

bool GetFileSize(File *file, std::uint64_t &size) {
    LARGE_INTEGER length;
    if (!GetFileSizeEx(file->handle, &length))
        return false;
    size = static_cast<std::uint64_t>(length.QuadPart);
    return true;
}

bool ReadExactly(File *file, char *bytes, std::uint64_t size) {
    while (size > 0) {
        DWORD chunk = size < 0x40000000u ? static_cast<DWORD>(size) : 0x40000000u;
        DWORD read = 0;
        if (!ReadFile(file->handle, bytes, chunk, &read, nullptr) || read == 0)
            return false;
        bytes += read;
        size -= read;
    }
    return true;
}

void CloseFile(File *file) {
    CloseHandle(file->handle);
    delete file;
}

bool ReplaceFileContent(const char *fileName, const char *bytes, std::uint64_t size) {
    DWORD attributes = GetFileAttributesA(fileName);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) ||
        !CanReplace(fileName))
        return false;
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(FolderOf(fileName).c_str(), "crv", 0, temporary))
        return false;
    if (WriteNewFile(temporary, bytes, size, FILE_ATTRIBUTE_NORMAL) &&
        PutInPlace(fileName, temporary))
        return true;
    DeleteFileA(temporary);
    return false;
}

} // namespace crv::platform
