// Link opening end to end: a recording program registered as the browser,
// real clicks on the dialogues, and the address each click started it with.
#include <string_view>

#include <gtest/gtest.h>

#include "sdk/crvsdk.h"
#include "tests/ui/browser_registry.h"
#include "tests/ui/dialog_driver.h"
#include "ui/product_texts.h"

namespace {

using crvtest::BrowserRegistry;
using crvtest::Click;
using crvtest::OwnerWindow;
using crvtest::RecorderCopy;
using crvtest::RunDriven;
using crvtest::TakeRecord;

const char kSettingsCaption[] = "HTML Corvane setting dialog";
const char kAboutCaption[] = "About HTML Corvane";
const char kWarningCaption[] = "HTML Corvane: Error occured";

// Strings joined by appending: GCC 12 warns falsely (-Wrestrict) about some
// string concatenations with operator+.
std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts)
        text.append(part);
    return text;
}

// A press and release of the left button on a link, as the mouse gives it.
void ClickLink(HWND dialog, int id) {
    HWND link = GetDlgItem(dialog, id);
    SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

class LinkOpening : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CRVCreateInstance(&id), CRV_OK); }
    void TearDown() override { EXPECT_EQ(CRVDestroyInstance(id), CRV_OK); }

    // Clicks the settings dialogue's logo and returns what was recorded.
    std::string ClickLogo() {
        std::string record;
        RunDriven(
            kSettingsCaption, owner.Handle(),
            [&] { return CRVShowSettingDialogue(id, owner.Handle()); },
            [&](HWND dialog) {
                Click(dialog, 9);
                record = TakeRecord();
                Click(dialog, IDCANCEL);
            });
        return record;
    }

    // Clicks one control of the about dialogue; what was recorded.
    std::string ClickAbout(int control) {
        std::string record;
        RunDriven(
            kAboutCaption, owner.Handle(),
            [&] { return CRVShowAboutDialogue(0, owner.Handle()); },
            [&](HWND dialog) {
                if (control == 120)
                    Click(dialog, control);
                else
                    ClickLink(dialog, control);
                record = TakeRecord();
                Click(dialog, 8);
            });
        return record;
    }

    BrowserRegistry registry;
    OwnerWindow owner;
    std::int32_t id = 0;
};

struct PrecedenceCase {
    std::vector<const char *> registered;
    const char *started;
};

TEST_F(LinkOpening, FirstRegisteredBrowserOpensEveryLink) {
    const PrecedenceCase cases[] = {
        {{"iexplore.exe", "netscape.exe", "opera.exe"}, "iexplore.exe"},
        {{"netscape.exe", "opera.exe"}, "netscape.exe"},
        {{"opera.exe"}, "opera.exe"},
    };
    const std::pair<int, const char *> clicks[] = {
        {109, CRV_PRODUCT_HOST "/"},
        {111, CRV_PRODUCT_HOST "/html/en/corvane.html"},
        {113, CRV_PRODUCT_HOST "/html/en/crvsdk.html"},
        {120, CRV_PRODUCT_HOST "/html/en/donate.html"},
    };
    for (const PrecedenceCase &row : cases) {
        SCOPED_TRACE(row.started);
        BrowserRegistry only;
        for (const char *name : row.registered)
            only.RegisterBrowser(name, RecorderCopy(Joined({"rec-", name}).c_str()));
        const std::string program = Joined({"rec-", row.started, "\n"});
        EXPECT_EQ(ClickLogo(), Joined({program, CRV_PRODUCT_HOST "/html/en/crvsdk.html\n"}));
        for (const auto &[control, address] : clicks)
            EXPECT_EQ(ClickAbout(control), Joined({program, address, "\n"})) << control;
    }
}

TEST_F(LinkOpening, BrowserPathWithoutTerminatorEndsAtItsLength) {
    registry.RegisterBrowser("opera.exe", RecorderCopy("rec-unterminated.exe"), false);
    EXPECT_EQ(ClickAbout(111), "rec-unterminated.exe\n" CRV_PRODUCT_HOST "/html/en/corvane.html\n");
}

TEST_F(LinkOpening, WithoutAppPathsTheWebAddressHandlerOpensIt) {
    registry.SetWebAddressCommand(Joined({"\"", RecorderCopy("rec-handler.exe"), "\" \"%1\""}));
    EXPECT_EQ(ClickLogo(), "rec-handler.exe\n" CRV_PRODUCT_HOST "/html/en/crvsdk.html\n");
    EXPECT_EQ(ClickAbout(120), "rec-handler.exe\n" CRV_PRODUCT_HOST "/html/en/donate.html\n");
}

struct FailureCase {
    const char *name;
    std::function<void(BrowserRegistry &)> prepare;
};

// Nothing can start: the settings dialogue warns and stays open; the about
// dialogue says nothing.
TEST_F(LinkOpening, WhenNothingStartsOnlyTheSettingsDialogueWarns) {
    const FailureCase cases[] = {
        {"no browser, no handler", [](BrowserRegistry &) {}},
        {"registered browser missing",
         [](BrowserRegistry &registry) {
             registry.RegisterBrowser("iexplore.exe", "C:\\nowhere\\missing-browser.exe");
         }},
    };
    const std::string warning =
        "The URL could not be open, maybe you do not have any web browser installed on your "
        "computer.\r\nPlease install some and visit the product web page on \r" CRV_PRODUCT_HOST
        "/html/en/crvsdk.html";
    for (const FailureCase &row : cases) {
        SCOPED_TRACE(row.name);
        row.prepare(registry);
        std::string text;
        bool stayedOpen = false;
        int result = RunDriven(
            kSettingsCaption, owner.Handle(),
            [&] { return CRVShowSettingDialogue(id, owner.Handle()) & 0xFF; },
            [&](HWND dialog) {
                crvtest::ClickLater(dialog, 9);
                HWND box = crvtest::WaitForWindow(kWarningCaption, dialog);
                ASSERT_NE(box, nullptr);
                text = crvtest::MessageBoxText(box);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                ASSERT_TRUE(crvtest::WaitUntilGone(box));
                stayedOpen = IsWindowVisible(dialog);
                Click(dialog, IDOK);
            });
        EXPECT_EQ(text, warning);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(result, CRV_OK);

        bool boxShown = true;
        RunDriven(
            kAboutCaption, owner.Handle(), [&] { return CRVShowAboutDialogue(0, owner.Handle()); },
            [&](HWND dialog) {
                ClickLink(dialog, 111);
                boxShown = crvtest::WaitForWindow(kWarningCaption, dialog, 1000) != nullptr;
                Click(dialog, 8);
            });
        EXPECT_FALSE(boxShown);
        EXPECT_EQ(TakeRecord(0), "");
    }
}

} // namespace
