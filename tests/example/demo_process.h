#ifndef CRV_TESTS_EXAMPLE_DEMO_PROCESS_H
#define CRV_TESTS_EXAMPLE_DEMO_PROCESS_H

#include <string>

#include <windows.h>

namespace crvtest {

// A folder of its own under the temporary folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
    const std::string &Path() const { return path_; }
    std::string File(const std::string &name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// crvdemo.exe copied into a scratch folder, beside the given crvsdk.dll (or
// none, when dll is empty), and started there. A process still running when
// the object goes is terminated.
class DemoProcess {
public:
    explicit DemoProcess(const std::string &dll);
    ~DemoProcess();
    DemoProcess(const DemoProcess &) = delete;
    DemoProcess &operator=(const DemoProcess &) = delete;

    const ScratchFolder &Folder() const { return folder_; }
    DWORD Id() const { return info_.dwProcessId; }

    // A visible top-level window of the process with this class and caption
    // (an owner is checked by the caller); null when none shows up in time.
    HWND WaitForWindow(const char *className, const char *caption, int timeoutMs = 20000) const;

    // True when the process has ended within the time; its exit code then.
    bool WaitForExit(DWORD *exitCode, int timeoutMs = 20000) const;

    // The number of visible top-level windows of the process.
    int CountVisibleWindows() const;

private:
    ScratchFolder folder_;
    PROCESS_INFORMATION info_{};
};

// The path of a build output given as a POSIX path, as Wine names it.
std::string WindowsPath(const std::string &posixPath);

} // namespace crvtest

#endif
