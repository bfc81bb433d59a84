#include "tests/example/demo_process.h"

#include <atomic>
#include <vector>

#include "tests/example/window_driver.h"

namespace crvtest {

namespace {

std::atomic<int> folderCount{0};

void RemoveFolder(const std::string &path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string file = path + "\\" + found.cFileName;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(file.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

struct WindowSearch {
    DWORD process;
    const char *className;
    const char *caption;
    HWND found;
    int count;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM argument) {
    auto *search = reinterpret_cast<WindowSearch *>(argument);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window))
        return TRUE;
    ++search->count;
    if (!search->className ||
        ClassName(window) != search->className || Text(window) != search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

std::string WindowsPath(const std::string &posixPath) {
    std::string path = "Z:" + posixPath;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "crvdemo-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++folderCount);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveFolder(path_); }

DemoProcess::DemoProcess(const std::string &dll) {
    const std::string program = folder_.File("crvdemo.exe");
    CopyFileA(WindowsPath(CRVDEMO_EXE).c_str(), program.c_str(), FALSE);
    if (!dll.empty())
        CopyFileA(dll.c_str(), folder_.File("crvsdk.dll").c_str(), FALSE);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::vector<char> commandLine(program.begin(), program.end());
    commandLine.push_back('\0');
    CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                   folder_.Path().c_str(), &startup, &info_);
}

DemoProcess::~DemoProcess() {
    if (!info_.hProcess)
        return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

HWND DemoProcess::WaitForWindow(const char *className, const char *caption,
                                int timeoutMs) const {
    WindowSearch search{info_.dwProcessId, className, caption, nullptr, 0};
    WaitFor(
        [&] {
            EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

bool DemoProcess::WaitForExit(DWORD *exitCode, int timeoutMs) const {
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(info_.hProcess, exitCode);
    return true;
}

int DemoProcess::CountVisibleWindows() const {
    WindowSearch search{info_.dwProcessId, nullptr, nullptr, nullptr, 0};
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

} // namespace crvtest
