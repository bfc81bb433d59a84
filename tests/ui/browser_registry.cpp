#include "tests/ui/browser_registry.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace crvtest {

namespace {

const char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const char kWebCommand[] = "Software\\Classes\\http\\shell\\open\\command";
const char *const kBrowsers[] = {"iexplore.exe", "netscape.exe", "opera.exe"};

std::string TestFolder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "crv-ui-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string RecordFile() {
    static const std::string file = [] {
        std::string path = TestFolder() + "\\record.txt";
        SetEnvironmentVariableA("CRV_RECORD_FILE", path.c_str());
        return path;
    }();
    return file;
}

void SetDefaultValue(const std::string &path, const std::string &value, bool terminated) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                   static_cast<DWORD>(value.size() + (terminated ? 1 : 0)));
    RegCloseKey(key);
}

void DeleteKey(const std::string &path) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}

} // namespace

BrowserRegistry::BrowserRegistry() {
    for (const char *name : kBrowsers)
        saved_.push_back(Save(std::string(kAppPaths) + name));
    saved_.push_back(Save(kWebCommand));
    for (const SavedKey &key : saved_)
        DeleteKey(key.path);
    ClearRecord();
}

BrowserRegistry::~BrowserRegistry() {
    for (const SavedKey &key : saved_) {
        DeleteKey(key.path);
        Restore(key);
    }
}

BrowserRegistry::SavedKey BrowserRegistry::Save(const std::string &path) {
    SavedKey saved{path, false, {}, {}};
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return saved;
    saved.existed = true;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameSize = sizeof name, type = 0, dataSize = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, &dataSize) !=
            ERROR_SUCCESS)
            break;
        std::vector<BYTE> data(dataSize);
        nameSize = sizeof name;
        RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data.data(), &dataSize);
        saved.values.emplace_back(name, data);
        saved.types.push_back(type);
    }
    RegCloseKey(key);
    return saved;
}

void BrowserRegistry::Restore(const SavedKey &saved) {
    if (!saved.existed)
        return;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, saved.path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    for (std::size_t i = 0; i < saved.values.size(); ++i) {
        const auto &[name, data] = saved.values[i];
        RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, saved.types[i], data.data(),
                       static_cast<DWORD>(data.size()));
    }
    RegCloseKey(key);
}

void BrowserRegistry::RegisterBrowser(const char *name, const std::string &program,
                                      bool terminated) {
    SetDefaultValue(std::string(kAppPaths) + name, program, terminated);
}

void BrowserRegistry::SetWebAddressCommand(const std::string &command) {
    SetDefaultValue(kWebCommand, command, true);
}

std::string RecorderCopy(const char *name) {
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string folder(program, std::strrchr(program, '\\'));
    std::string copy = TestFolder() + "\\" + name;
    CopyFileA((folder + "\\url_recorder.exe").c_str(), copy.c_str(), FALSE);
    return copy;
}

void ClearRecord() { DeleteFileA(RecordFile().c_str()); }

std::string TakeRecord(int timeoutMs) {
    const std::string file = RecordFile();
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
        std::ifstream in(file, std::ios::binary);
        if (in) {
            std::stringstream text;
            text << in.rdbuf();
            in.close();
            DeleteFileA(file.c_str());
            return text.str();
        }
        Sleep(20);
    }
    return "";
}

} // namespace crvtest
