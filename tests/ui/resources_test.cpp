// The built DLL loaded by name, as a host loads it: its dialogue templates
// and logo read back from the resources, the fonts its dialogues use, and
// the about dialogue's result.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sdk/crvsdk.h"
#include "tests/ui/dialog_driver.h"
#include "ui/product_texts.h"

namespace {

// Reads the fields of an extended dialogue template in order.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE *bytes) : start_(bytes), at_(bytes) {}
    WORD Word() { return Take<WORD>(); }
    DWORD Dword() { return Take<DWORD>(); }
    short Short() { return Take<short>(); }
    BYTE Byte() { return Take<BYTE>(); }
    // A string or, after 0xFFFF, an ordinal written as "#n".
    std::string NameOrOrdinal() {
        if (Peek() == 0xFFFF) {
            Word();
            std::string ordinal(1, '#');
            ordinal += std::to_string(Word());
            return ordinal;
        }
        return String();
    }
    std::string String() {
        std::string text;
        for (WORD c = Word(); c != 0; c = Word())
            text += c < 0x80 ? static_cast<char>(c) : '?';
        return text;
    }
    void AlignToDword() { at_ = start_ + ((at_ - start_ + 3) & ~3); }
    void Skip(std::size_t count) { at_ += count; }

private:
    template <typename T> T Take() {
        T value;
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    WORD Peek() const {
        WORD value;
        std::memcpy(&value, at_, sizeof value);
        return value;
    }
    const BYTE *start_;
    const BYTE *at_;
};

struct Control {
    DWORD id;
    std::string className;
    DWORD style;
    short x, y, cx, cy;
    std::string text;
    bool operator==(const Control &) const = default;
};

struct Dialogue {
    DWORD style, exStyle;
    short x, y, cx, cy;
    std::string menu, className, caption;
    WORD points, weight;
    BYTE italic, charset;
    std::string face;
    std::vector<Control> controls;
};

std::ostream &operator<<(std::ostream &out, const Control &c) {
    return out << c.id << " " << c.className << " 0x" << std::hex << c.style << std::dec << " "
               << c.x << "," << c.y << "," << c.cx << "," << c.cy << " \"" << c.text << "\"";
}

Dialogue ReadDialogue(const BYTE *bytes) {
    TemplateReader in(bytes);
    Dialogue d{};
    EXPECT_EQ(in.Word(), 1); // version of the extended template
    EXPECT_EQ(in.Word(), 0xFFFF);
    in.Dword(); // help id
    d.exStyle = in.Dword();
    d.style = in.Dword();
    WORD count = in.Word();
    d.x = in.Short(), d.y = in.Short(), d.cx = in.Short(), d.cy = in.Short();
    d.menu = in.NameOrOrdinal();
    d.className = in.NameOrOrdinal();
    d.caption = in.String();
    d.points = in.Word(), d.weight = in.Word(), d.italic = in.Byte(), d.charset = in.Byte();
    d.face = in.String();
    for (WORD i = 0; i < count; ++i) {
        in.AlignToDword();
        in.Dword(); // help id
        in.Dword(); // extended style
        Control c{};
        c.style = in.Dword();
        c.x = in.Short(), c.y = in.Short(), c.cx = in.Short(), c.cy = in.Short();
        c.id = in.Dword();
        c.className = in.NameOrOrdinal();
        c.text = in.NameOrOrdinal();
        in.Skip(in.Word());
        d.controls.push_back(c);
    }
    return d;
}

// Ordinals of the system classes.
const char kButton[] = "#128";
const char kStatic[] = "#130";

const std::vector<Control> kSettingsControls = {
    {9, kButton, 0x50018080, 1, 1, 80, 30, ""},
    {97, kStatic, 0x50020002, 95, 8, 100, 30, "HTML Corvane"},
    {98, kStatic, 0x50020002, 95, 15, 100, 30, "SDKversion"},
    {99, kStatic, 0x50020002, 95, 22, 100, 30, CRV_RIGHTS_NOTICE},
    {101, kButton, 0x50010007, 5, 40, 190, 82, ""},
    {102, kButton, 0x50010003, 13, 51, 174, 11, ""},
    {103, kButton, 0x50010003, 13, 62, 174, 11, ""},
    {104, kButton, 0x50010003, 13, 73, 174, 11, ""},
    {105, kButton, 0x50010003, 13, 84, 174, 11, ""},
    {106, kButton, 0x50010003, 13, 95, 174, 11, ""},
    {107, kButton, 0x50010003, 13, 106, 174, 11, ""},
    {1, kButton, 0x50010001, 145, 127, 50, 15, "OK"},
    {2, kButton, 0x50010000, 90, 127, 50, 15, ""},
};

const std::vector<Control> kAboutControls = {
    {97, kStatic, 0x50020002, 165, 6, 100, 15, "HTML Corvane"},
    {98, kStatic, 0x50020002, 165, 13, 100, 15, ""},
    {99, kStatic, 0x50020002, 165, 20, 100, 15, CRV_RIGHTS_NOTICE},
    {99, kStatic, 0x50020000, 5, 35, 260, 30, CRV_DESCRIPTION},
    {101, kButton, 0x50010007, 5, 64, 260, 75, "Contacts and links"},
    {102, kStatic, 0x50020000, 15, 75, 70, 20, "Author name:"},
    {103, kStatic, 0x50020000, 85, 75, 135, 20, CRV_AUTHOR_NAME},
    {104, kStatic, 0x50020000, 15, 85, 70, 20, "IBAN:"},
    {105, kStatic, 0x50020000, 85, 85, 135, 20, CRV_ACCOUNT_NUMBER},
    {106, kStatic, 0x50020000, 15, 95, 70, 20, "Author's e-mail:"},
    {107, kStatic, 0x50020000, 85, 95, 175, 10, CRV_AUTHOR_MAIL},
    {108, kStatic, 0x50020000, 15, 105, 70, 20, "Author's web:"},
    {109, kStatic, 0x50020100, 85, 105, 135, 8, CRV_PRODUCT_HOST "/"},
    {110, kStatic, 0x50020000, 15, 115, 70, 10, "HTML Corvane's web:"},
    {111, kStatic, 0x50020100, 85, 115, 175, 8, CRV_PRODUCT_HOST "/html/en/corvane.html"},
    {112, kStatic, 0x50020000, 15, 125, 70, 10, "HTML Corvane SDK:"},
    {113, kStatic, 0x50020100, 85, 125, 175, 8, CRV_PRODUCT_HOST "/html/en/crvsdk.html"},
    {120, kButton, 0x50010300, 100, 144, 100, 15, CRV_DONATION_CAPTION},
    {8, kButton, 0x50010001, 205, 144, 60, 15, "Close"},
};

struct DialogueCase {
    int resource;
    DWORD style, exStyle;
    short cx, cy;
    const char *caption;
    const std::vector<Control> *controls;
};

class Library : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryA(CRVSDK_FILE);
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override {
        if (module)
            FreeLibrary(module);
    }
    HMODULE module = nullptr;
};

TEST_F(Library, DialogueTemplatesHoldEveryFieldOfTheirTables) {
    const DialogueCase cases[] = {
        {100, 0x00C00841, 0, 200, 147, "HTML Corvane setting dialog", &kSettingsControls},
        {102, 0x80C80040, 0x00000C01, 270, 164, "About HTML Corvane", &kAboutControls},
    };
    for (const DialogueCase &row : cases) {
        SCOPED_TRACE(row.resource);
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(row.resource), MAKEINTRESOURCEA(5));
        ASSERT_NE(found, nullptr);
        const auto *bytes = static_cast<const BYTE *>(LockResource(LoadResource(module, found)));
        ASSERT_NE(bytes, nullptr);
        Dialogue d = ReadDialogue(bytes);
        EXPECT_EQ(d.style, row.style);
        EXPECT_EQ(d.exStyle, row.exStyle);
        EXPECT_EQ(d.x, 0);
        EXPECT_EQ(d.y, 0);
        EXPECT_EQ(d.cx, row.cx);
        EXPECT_EQ(d.cy, row.cy);
        EXPECT_EQ(d.menu, "");
        EXPECT_EQ(d.className, "");
        EXPECT_EQ(d.caption, row.caption);
        EXPECT_EQ(d.points, 8);
        EXPECT_EQ(d.weight, 0);
        EXPECT_EQ(d.italic, 0);
        EXPECT_EQ(d.charset, 1);
        EXPECT_EQ(d.face, "MS Shell Dlg");
        ASSERT_EQ(d.controls.size(), row.controls->size());
        for (std::size_t i = 0; i < d.controls.size(); ++i)
            EXPECT_EQ(d.controls[i], (*row.controls)[i]) << "control " << i;
    }
}

TEST_F(Library, LogoIsA109By39BlackAndWhiteBitmap) {
    HBITMAP logo = LoadBitmapA(module, MAKEINTRESOURCEA(101));
    ASSERT_NE(logo, nullptr);
    BITMAP info{};
    ASSERT_TRUE(GetObjectA(logo, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 109);
    EXPECT_EQ(info.bmHeight, 39);
    DeleteObject(logo);

    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(101), MAKEINTRESOURCEA(2));
    ASSERT_NE(found, nullptr);
    const auto *header =
        static_cast<const BITMAPINFO *>(LockResource(LoadResource(module, found)));
    EXPECT_EQ(header->bmiHeader.biBitCount, 1);
    const RGBQUAD *palette = header->bmiColors;
    EXPECT_EQ(RGB(palette[0].rgbRed, palette[0].rgbGreen, palette[0].rgbBlue), RGB(0, 0, 0));
    EXPECT_EQ(RGB(palette[1].rgbRed, palette[1].rgbGreen, palette[1].rgbBlue),
              RGB(255, 255, 255));
}

using ShowAbout = decltype(CRVShowAboutDialogue);

ShowAbout *BindShowAbout(HMODULE module) {
    return reinterpret_cast<ShowAbout *>(
        reinterpret_cast<void *>(GetProcAddress(module, "CRVShowAboutDialogue")));
}

struct FontFace {
    std::string face;
    LONG height;
    BYTE italic;
};

FontFace FaceOf(HFONT font) {
    LOGFONTA metrics{};
    GetObjectA(font, sizeof metrics, &metrics);
    return FontFace{metrics.lfFaceName, metrics.lfHeight, metrics.lfItalic};
}

HFONT FontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

TEST_F(Library, HeaderAndLinkFontsLiveAsLongAsTheLibrary) {
    ShowAbout *showAbout = BindShowAbout(module);
    ASSERT_NE(showAbout, nullptr);
    crvtest::OwnerWindow owner;
    HFONT header[3] = {}, links[3] = {};
    HFONT description = nullptr, dialogueFont = nullptr;
    crvtest::RunDriven(
        "About HTML Corvane", owner.Handle(), [&] { return showAbout(0, owner.Handle()); },
        [&](HWND dialog) {
            for (int i = 0; i < 3; ++i) {
                header[i] = FontOf(GetDlgItem(dialog, 97 + i));
                links[i] = FontOf(GetDlgItem(dialog, 109 + 2 * i));
            }
            // The second control with identifier 99, fourth in template order.
            HWND child = GetWindow(dialog, GW_CHILD);
            for (int i = 0; i < 3; ++i)
                child = GetWindow(child, GW_HWNDNEXT);
            description = FontOf(child);
            dialogueFont = FontOf(dialog);
            crvtest::Click(dialog, 8);
        });
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(header[i], header[0]);
        EXPECT_EQ(links[i], links[0]);
    }
    FontFace headerFace = FaceOf(header[0]), linkFace = FaceOf(links[0]);
    EXPECT_EQ(headerFace.face, "Arial");
    EXPECT_EQ(headerFace.height, -9);
    EXPECT_EQ(headerFace.italic, 0);
    EXPECT_EQ(linkFace.face, "MS Shell Dlg");
    EXPECT_EQ(linkFace.height, -9);
    EXPECT_EQ(linkFace.italic, 1);
    EXPECT_EQ(description, dialogueFont);
    EXPECT_NE(description, header[0]);

    EXPECT_EQ(GetObjectType(header[0]), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(GetObjectType(links[0]), static_cast<DWORD>(OBJ_FONT));
    ASSERT_TRUE(FreeLibrary(module));
    module = nullptr;
    EXPECT_EQ(GetObjectType(header[0]), 0u);
    EXPECT_EQ(GetObjectType(links[0]), 0u);
}

struct AboutEnding {
    const char *name;
    std::uint32_t firstArgument;
    std::function<void(HWND)> end;
};

TEST_F(Library, AboutDialogueAnswersOkHoweverItEnds) {
    ShowAbout *showAbout = BindShowAbout(module);
    ASSERT_NE(showAbout, nullptr);
    crvtest::OwnerWindow owner;
    const AboutEnding cases[] = {
        {"Esc", 12345, [](HWND dialog) { crvtest::PressKey(dialog, VK_ESCAPE); }},
        {"Close", 0, [](HWND dialog) { crvtest::Click(dialog, 8); }},
        {"close box", 0xFFFFFFFFu,
         [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Enter", 7, [](HWND dialog) { crvtest::PressKey(dialog, VK_RETURN); }},
    };
    for (const AboutEnding &row : cases) {
        SCOPED_TRACE(row.name);
        bool found = false, ended = false;
        int result = crvtest::RunDriven(
            "About HTML Corvane", owner.Handle(),
            [&] { return showAbout(row.firstArgument, owner.Handle()); },
            [&](HWND dialog) {
                row.end(dialog);
                ended = crvtest::WaitUntilGone(dialog, 2000);
            },
            &found);
        EXPECT_TRUE(found);
        EXPECT_TRUE(ended);
        EXPECT_EQ(result, CRV_OK);
    }
}

} // namespace
