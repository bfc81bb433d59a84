// Opening a web address in a browser.
#include <windows.h>

#include <shellapi.h>

#include "ui/open_url.h"

namespace crv::ui {

namespace {

const char kAppPaths[] = "software\\microsoft\\windows\\currentversion\\app paths";
const char *const kBrowsers[] = {"iexplore.exe", "netscape.exe", "opera.exe"};

// ShellExecuteA reports success with a value above 32.
bool Started(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; }

// The program path of the first browser key that opens, read from its
// default value; false when no key opens or its value cannot be read.
bool FindRegisteredBrowser(char (&path)[256]) {
    HKEY appPaths = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAppPaths, 0, KEY_READ, &appPaths) != ERROR_SUCCESS)
        return false;
    HKEY browser = nullptr;
    for (const char *name : kBrowsers) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(appPaths, name, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            browser = key;
            break;
        }
    }
    bool found = false;
    if (browser) {
        DWORD size = sizeof path - 1;
        found = RegQueryValueExA(browser, nullptr, nullptr, nullptr,
                                 reinterpret_cast<BYTE *>(path), &size) == ERROR_SUCCESS;
        // The stored value need not carry its terminator.
        if (found)
            path[size] = '\0';
        RegCloseKey(browser);
    }
    RegCloseKey(appPaths);
    return found;
}

} // namespace

bool OpenUrlInBrowser(const char *address) {
    char browser[256];
    if (FindRegisteredBrowser(browser))
        return Started(ShellExecuteA(nullptr, "open", browser, address, nullptr, SW_SHOWNORMAL));
    // Many systems register none of the three: the address's own handler then.
    return Started(ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL));
}

} // namespace crv::ui
