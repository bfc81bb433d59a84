#include "tools/crvshot/capture.h"

#include <cstdint>
#include <vector>

#include "tools/crvshot/png_file.h"

namespace crvshot {

HWND WaitForCaption(const char *caption, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        HWND window = FindWindowA(nullptr, caption);
        if (window && IsWindowVisible(window))
            return window;
        Sleep(50);
    }
    return nullptr;
}

// The screen, not the window's own painting: the dialogues paint part of
// themselves outside WM_PAINT's context, which PrintWindow would miss.
bool CaptureWindow(HWND window, const std::string &fileName) {
    return CaptureWindows({window}, fileName);
}

bool CaptureWindows(const std::vector<HWND> &windows, const std::string &fileName) {
    RECT area{};
    for (HWND window : windows) {
        RECT place;
        GetWindowRect(window, &place);
        UnionRect(&area, &area, &place);
    }
    const int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ before = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(width) * height * 3);
    const auto *pixel = static_cast<const std::uint8_t *>(bits);
    for (int i = 0; i < width * height; ++i, pixel += 4)
        rgb.insert(rgb.end(), {pixel[2], pixel[1], pixel[0]});
    SelectObject(memory, before);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return WritePng(fileName, width, height, rgb);
}

} // namespace crvshot
