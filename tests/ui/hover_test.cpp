// The about dialogue's links under a real mouse: the text turns
// RGB(100, 100, 255) while the mouse is over a link and black when it leaves.
#include <gtest/gtest.h>

#include "sdk/crvsdk.h"
#include "tests/ui/dialog_driver.h"
#include "ui/about_dialog.h"
#include "ui/shared_state.h"

namespace {

const COLORREF kHover = RGB(100, 100, 255);

struct Ink {
    int hover = 0;
    int black = 0;
};

// Counts the pixels of the link's text in either colour.
Ink InkOf(HWND link) {
    RECT area;
    GetClientRect(link, &area);
    HDC context = GetDC(link);
    Ink ink;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            COLORREF pixel = GetPixel(context, x, y);
            ink.hover += pixel == kHover;
            ink.black += pixel == RGB(0, 0, 0);
        }
    ReleaseDC(link, context);
    return ink;
}

void MoveMouseTo(POINT point) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

POINT InsideText(HWND link, int offset) {
    RECT area;
    GetWindowRect(link, &area);
    return POINT{area.left + 6 + offset, (area.top + area.bottom) / 2};
}

bool Lit(HWND link) {
    Ink ink = InkOf(link);
    return ink.hover > 0 && ink.black == 0;
}

bool Dark(HWND link) {
    Ink ink = InkOf(link);
    return ink.black > 0 && ink.hover == 0;
}

TEST(LinkHover, MouseOverALinkLightsItAndLeavingDarkensIt) {
    crvtest::OwnerWindow owner(60, 60);
    MoveMouseTo(POINT{700, 560});
    bool darkBefore = false, lit = false, otherDark = false, darkAfter = false;
    HWND trackedAgain = nullptr;
    unsigned char flagAfterSecondMove = 0;
    crvtest::RunDriven(
        "About HTML Corvane", owner.Handle(),
        [&] { return CRVShowAboutDialogue(0, owner.Handle()); },
        [&](HWND dialog) {
            HWND link = GetDlgItem(dialog, 111);
            HWND other = GetDlgItem(dialog, 113);
            // Both links painted before the mouse comes: the colour follows
            // the flag alone, so a link painting late would light up too.
            darkBefore = crvtest::WaitFor([&] { return Dark(link) && Dark(other); }, 5000);
            MoveMouseTo(InsideText(link, 0));
            lit = crvtest::WaitFor([&] { return Lit(link); }, 5000);
            otherDark = Dark(other);
            // A second move over the same link asks for no tracking.
            crv::ui::LinkTracking.hwndTrack = nullptr;
            MoveMouseTo(InsideText(link, 2));
            Sleep(300);
            trackedAgain = crv::ui::LinkTracking.hwndTrack;
            flagAfterSecondMove = crv::ui::LinkHoverFlag;
            MoveMouseTo(POINT{700, 560});
            darkAfter = crvtest::WaitFor([&] { return Dark(link); }, 5000);
            crvtest::Click(dialog, 8);
        });
    EXPECT_TRUE(darkBefore);
    EXPECT_TRUE(lit);
    EXPECT_TRUE(otherDark);
    EXPECT_EQ(trackedAgain, nullptr);
    EXPECT_EQ(flagAfterSecondMove, 1);
    EXPECT_TRUE(darkAfter);
    EXPECT_EQ(crv::ui::LinkHoverFlag, 0);
}

} // namespace
