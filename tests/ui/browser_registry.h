#ifndef CRV_BROWSER_REGISTRY_H
#define CRV_BROWSER_REGISTRY_H

#include <string>
#include <vector>

#include <windows.h>

// The machine's browser registration, replaced for a test and put back
// afterwards: the three App Paths keys and the command that opens web
// addresses.
namespace crvtest {

class BrowserRegistry {
public:
    BrowserRegistry();
    ~BrowserRegistry();
    BrowserRegistry(const BrowserRegistry &) = delete;
    BrowserRegistry &operator=(const BrowserRegistry &) = delete;

    // Registers program under App Paths as name (e.g. "opera.exe"); with
    // terminated false the stored value lacks its terminating zero.
    void RegisterBrowser(const char *name, const std::string &program, bool terminated = true);

    // The command the system runs for an http address; "%1" is the address.
    void SetWebAddressCommand(const std::string &command);

private:
    struct SavedKey {
        std::string path;
        bool existed;
        std::vector<std::pair<std::string, std::vector<BYTE>>> values;
        std::vector<DWORD> types;
    };
    static SavedKey Save(const std::string &path);
    static void Restore(const SavedKey &key);

    std::vector<SavedKey> saved_;
};

// A copy of the recording program under the given name, in a folder of the
// test's own; returns its full path.
std::string RecorderCopy(const char *name);

// What the recorder wrote (program name, a line feed, the address, a line
// feed); empty when nothing started within timeoutMs. The record is removed.
std::string TakeRecord(int timeoutMs = 10000);

// Forgets any record left over.
void ClearRecord();

} // namespace crvtest

#endif
