#ifndef CRV_CAPTURE_H
#define CRV_CAPTURE_H

#include <string>
#include <vector>

#include <windows.h>

namespace crvshot {

// A visible top-level window with this caption, of any process; null when
// none shows up within timeoutMs.
HWND WaitForCaption(const char *caption, int timeoutMs);

// Saves what the screen shows of the window, frame included, as a PNG file.
bool CaptureWindow(HWND window, const std::string &fileName);

// The same for the smallest rectangle around all the windows, such as a
// dialogue together with its owner.
bool CaptureWindows(const std::vector<HWND> &windows, const std::string &fileName);

} // namespace crvshot

#endif
