// The settings dialogue on a real window, driven from a second thread while
// the test thread sits in CRVShowSettingDialogue.
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "sdk/instance.h"
#include "tests/ui/dialog_driver.h"
#include "tests/ui/held_job.h"

namespace {

using crvtest::Click;
using crvtest::OwnerWindow;
using crvtest::RunDriven;
using crvtest::TextA;

const char kCaption[] = "HTML Corvane setting dialog";
const int kSwitches[6] = {102, 103, 104, 105, 106, 107};

class SettingsDialogue : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CRVCreateInstance(&id), CRV_OK);
        record = crv::FindInstance(id);
    }
    void TearDown() override { EXPECT_EQ(CRVDestroyInstance(id), CRV_OK); }

    // Shows the dialogue of the instance; drive gets it on a second thread.
    int Show(const std::function<void(HWND)> &drive, bool *found = nullptr) {
        return RunDriven(
            kCaption, owner.Handle(),
            [&] { return CRVShowSettingDialogue(id, owner.Handle()) & 0xFF; }, drive, found);
    }

    // The six switches as the instance holds them, in check box order.
    std::string Switches() const {
        const std::uint8_t values[6] = {record->deleteComments,  record->protectEvents,
                                        record->compressScripts, record->compressStyles,
                                        record->hideScripts,     record->beep};
        std::string text;
        for (std::uint8_t value : values)
            text += static_cast<char>('0' + value);
        return text;
    }

    OwnerWindow owner;
    std::int32_t id = 0;
    crv::CompressorInstance *record = nullptr;
};

std::string Checks(HWND dialog) {
    std::string text;
    for (int box : kSwitches)
        text += static_cast<char>('0' + IsDlgButtonChecked(dialog, box));
    return text;
}

struct LanguageCase {
    std::uint32_t language;
    // Ids 101 to 107, then 2, as Windows-1250 bytes.
    const char *texts[8];
};

const LanguageCase kLanguages[] = {
    {CRV_LANG_ENGLISH,
     {"Compression properties setting", "Delete HTML comments", "Protect events",
      "Compress Java Scripts", "Compress Cascade Style Sheets",
      "Hide Java Script in older browsers", "Beep when compression finishes", "Cancel"}},
    {CRV_LANG_CZECH,
     {"Nastaven\xED vlastnost\xED komprese", "Mazat HTML koment\xE1\xF8"
                                             "e",
      "Chr\xE1nit ud\xE1losti", "Komprimovat Java Script", "Komprimovat Cascade Style Sheets",
      "Skr\xFDvat Java Script ve star\x9A\xED"
      "ch prohl\xED\x9E"
      "e\xE8\xED"
      "ch",
      "P\xEDpnout p\xF8i dokon\xE8"
      "en\xED komprese",
      "Storno"}},
    {CRV_LANG_GERMAN,
     {"Einstellung der Kompressioneigenschaften", "HTML-Notizen l\xF6schen",
      "Events sch\xFCtzen", "Java Script komprimieren", "Cascade Style Sheets komprimieren",
      "Java Script in \xE4lteren Web-Browser verbergen",
      "Piepen wenn die Kompression ist beendet", "Abbruch"}},
};

const int kTextIds[8] = {101, 102, 103, 104, 105, 106, 107, 2};

TEST_F(SettingsDialogue, ShowsTheTextsOfEachLanguageAsTheirBytes) {
    for (const LanguageCase &row : kLanguages) {
        SCOPED_TRACE(row.language);
        ASSERT_EQ(CRVSetLanguage(id, row.language), CRV_OK);
        bool found = false;
        int result = Show(
            [&](HWND dialog) {
                for (int i = 0; i < 8; ++i)
                    EXPECT_EQ(TextA(dialog, kTextIds[i]), row.texts[i]) << kTextIds[i];
                EXPECT_EQ(TextA(dialog, 1), "OK");
                EXPECT_EQ(TextA(dialog, 97), "HTML Corvane");
                EXPECT_EQ(TextA(dialog, 98), "SDK version: 0.4");
                Click(dialog, IDCANCEL);
            },
            &found);
        EXPECT_TRUE(found);
        EXPECT_EQ(result, CRV_ERR_CANCELLED);
    }
}

// Run by ctest a second time under a Czech locale, where Wine's ANSI code
// page is Windows-1250; there the Czech bytes must read back as Czech letters.
TEST_F(SettingsDialogue, CzechLettersUnderTheCzechCodePage) {
    const char *expected = std::getenv("CRV_EXPECT_ANSI_CODE_PAGE");
    if (!expected)
        GTEST_SKIP() << "needs the Czech run";
    ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
    ASSERT_EQ(CRVSetLanguage(id, CRV_LANG_CZECH), CRV_OK);
    const std::pair<int, const wchar_t *> texts[] = {
        {101, L"Nastavení vlastností komprese"},
        {102, L"Mazat HTML komentáře"},
        {103, L"Chránit události"},
        {106, L"Skrývat Java Script ve starších prohlížečích"},
        {107, L"Pípnout při dokončení komprese"},
        {2, L"Storno"},
    };
    Show([&](HWND dialog) {
        for (const auto &[control, text] : texts)
            EXPECT_TRUE(crvtest::TextW(dialog, control) == text) << control;
        Click(dialog, IDCANCEL);
    });
}

TEST_F(SettingsDialogue, OpensInTheMiddleOfTheScreen) {
    RECT area{}, screen{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    Show([&](HWND dialog) {
        GetWindowRect(dialog, &area);
        Click(dialog, IDCANCEL);
    });
    EXPECT_NEAR((area.left + area.right) / 2, (screen.left + screen.right) / 2, 1);
    EXPECT_NEAR((area.top + area.bottom) / 2, (screen.top + screen.bottom) / 2, 1);
}

TEST_F(SettingsDialogue, BoxesStartFromTheInstance) {
    std::string fresh, changed;
    Show([&](HWND dialog) {
        fresh = Checks(dialog);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(fresh, "010001");
    ASSERT_EQ(CRVSetProperty(id, 63, 0), CRV_OK);
    ASSERT_EQ(CRVSetProperty(id, CRV_PROP_COMPRESS_SCRIPTS | CRV_PROP_HIDE_SCRIPTS, 1), CRV_OK);
    Show([&](HWND dialog) {
        changed = Checks(dialog);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(changed, "001010");
}

struct EndingCase {
    const char *name;
    // How the dialogue is ended after boxes 102, 103 and 107 were toggled.
    std::function<void(HWND)> end;
    int result;
    const char *switchesAfter;
};

TEST_F(SettingsDialogue, OkStoresAndTheOtherEndingsDropTheBoxes) {
    const EndingCase cases[] = {
        {"OK", [](HWND dialog) { Click(dialog, IDOK); }, CRV_OK, "100000"},
        {"Enter", [](HWND dialog) { crvtest::PressKey(dialog, VK_RETURN); }, CRV_OK, "100000"},
        {"Cancel", [](HWND dialog) { Click(dialog, IDCANCEL); }, CRV_ERR_CANCELLED, "010001"},
        {"Esc", [](HWND dialog) { crvtest::PressKey(dialog, VK_ESCAPE); }, CRV_ERR_CANCELLED,
         "010001"},
    };
    for (const EndingCase &row : cases) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(CRVSetProperty(id, 63, 0), CRV_OK);
        ASSERT_EQ(CRVSetProperty(id, CRV_PROP_PROTECT_EVENTS | CRV_PROP_BEEP, 1), CRV_OK);
        ASSERT_EQ(CRVSetLanguage(id, CRV_LANG_GERMAN), CRV_OK);
        int result = Show([&](HWND dialog) {
            for (int box : {102, 103, 107})
                Click(dialog, box);
            EXPECT_EQ(Checks(dialog), "100000");
            row.end(dialog);
        });
        EXPECT_EQ(result, row.result);
        EXPECT_EQ(Switches(), row.switchesAfter);
        EXPECT_EQ(record->language, CRV_LANG_GERMAN);
    }
}

TEST_F(SettingsDialogue, OkWithoutChangesKeepsTheInstance) {
    ASSERT_EQ(CRVSetProperty(id, CRV_PROP_DELETE_COMMENTS | CRV_PROP_COMPRESS_STYLES, 1), CRV_OK);
    EXPECT_EQ(Show([](HWND dialog) { Click(dialog, IDOK); }), CRV_OK);
    EXPECT_EQ(Switches(), "110101");
}

TEST_F(SettingsDialogue, BusyWhenCalledShowsNothing) {
    crvtest::HeldJob job(id);
    // A modal dialogue would not have let the call return.
    EXPECT_EQ(CRVShowSettingDialogue(id, owner.Handle()) & 0xFF, CRV_ERR_BUSY);
    EXPECT_EQ(crvtest::WaitForWindow(kCaption, owner.Handle(), 0), nullptr);
    job.Release();
    EXPECT_EQ(Switches(), "010001");
}

TEST_F(SettingsDialogue, BusyWhenClosedDropsTheChoice) {
    std::unique_ptr<crvtest::HeldJob> job;
    int result = Show([&](HWND dialog) {
        Click(dialog, 102);
        job = std::make_unique<crvtest::HeldJob>(id);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(result, CRV_ERR_BUSY);
    ASSERT_TRUE(job);
    job->Release();
    EXPECT_EQ(Switches(), "010001");
}

TEST_F(SettingsDialogue, NoInstanceAndInvalidParent) {
    EXPECT_EQ(CRVShowSettingDialogue(id + 1000, owner.Handle()) & 0xFF, CRV_ERR_NO_INSTANCE);
    const HWND notAWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7ffe));
    ASSERT_FALSE(IsWindow(notAWindow));
    ASSERT_EQ(CRVSetProperty(id, CRV_PROP_DELETE_COMMENTS, 1), CRV_OK);
    EXPECT_EQ(CRVShowSettingDialogue(id, notAWindow) & 0xFF, CRV_ERR_CANCELLED);
    EXPECT_EQ(Switches(), "110001");
}

LRESULT CALLBACK RefuseWindows(int code, WPARAM first, LPARAM second) {
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, first, second);
}

// A hook that refuses every new window makes DialogBoxParamA give -1: there
// is no choice to read then.
TEST_F(SettingsDialogue, DialogueThatCannotBeMadeIsCancelled) {
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const int result = CRVShowSettingDialogue(id, owner.Handle()) & 0xFF;
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(result, CRV_ERR_CANCELLED);
    EXPECT_EQ(Switches(), "010001");
}

} // namespace
