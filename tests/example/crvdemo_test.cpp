// crvdemo.exe started in a folder of its own and driven only through its
// windows and messages, as a user would: the about dialogue at start, jobs
// through the settings dialogue, failures in message boxes, and the library
// that cannot be bound.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sdk/crvsdk.h"
#include "tests/example/demo_process.h"
#include "tests/example/window_driver.h"

namespace crvtest {
namespace {

constexpr const char *kDialogClass = "#32770";
constexpr const char *kMainClass = "HTMLCorvaneExample";
constexpr const char *kMainCaption = "HTML Corvane Example";
constexpr const char *kAboutCaption = "About HTML Corvane";
constexpr const char *kSettingsCaption = "HTML Corvane setting dialog";
constexpr const char *kErrorCaption = "Error occured";
constexpr const char *kButtonIdle = "Hit this button when done.";
constexpr const char *kButtonBusy = "Compression in progress...\nPlease wait until it beeps.";
constexpr const char *kReadMessage =
    "Can not read the file. Please check whether you put in the correct name.";
constexpr const char *kWriteMessage =
    "Can not write the compressed data into the file. Please check whether the disk is not "
    "full and you are given the write access privilege.";
constexpr int kAboutClose = 8;
constexpr int kMessageBoxText = 0xFFFF;

const char kPage[] = "<html>\n"
                     "  <head>\n"
                     "    <title> A   page </title>\n"
                     "    <!-- a comment -->\n"
                     "    <script type=\"text/javascript\">\n"
                     "      var  total = 1 + 2 ;   // the sum\n"
                     "    </script>\n"
                     "  </head>\n"
                     "  <body onload=\"  start ( ) ; \">\n"
                     "    <p class=\"note\">Some   text</p>\n"
                     "  </body>\n"
                     "</html>\n";
const char kScript[] = "function add ( a , b ) {\n"
                       "    /* adds */\n"
                       "    return a + b ;\n"
                       "}\n"
                       "var x = '<p>' ;\n";
const char kStyle[] = "@media screen and (max-width : 30em) {\n"
                      "  p  { margin : 0 ; }\n"
                      "}\n"
                      "a:hover > b { color : red ; }\n"
                      "/* end */\n";

std::string ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string &path, const std::string &text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool DefaultOn(uint32_t property) {
    return property == CRV_PROP_PROTECT_EVENTS || property == CRV_PROP_BEEP;
}

// What the library makes of text as this data type on a fresh instance, with
// the properties in the mask switched away from their defaults.
std::string Expected(const std::string &text, uint32_t dataType, uint32_t toggled = 0) {
    ScratchFolder folder;
    const std::string file = folder.File("expected");
    WriteFile(file, text);
    int32_t id = 0;
    CRVCreateInstance(&id);
    CRVSetProperty(id, CRV_PROP_BEEP, 0);
    for (uint32_t property = 1; property < 64; property <<= 1)
        if (toggled & property)
            CRVSetProperty(id, property, DefaultOn(property) ? 0 : 1);
    const int result = CRVCompressFile(id, dataType, file.c_str()) & 0xFF;
    CRVDestroyInstance(id);
    return result == CRV_OK ? ReadFile(file) : "failed: " + std::to_string(result);
}

// The program's error boxes have no owner and only an OK button.
void ExpectPlainErrorBox(HWND box) {
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "the box has an owner";
    HWND cancel = GetDlgItem(box, IDCANCEL);
    EXPECT_FALSE(cancel && IsWindowVisible(cancel)) << "more than an OK button";
}

struct MainWindow {
    HWND main, label, edit, group, html, javascript, css, button;
};

// The controls as a user sees them: by class and text.
MainWindow FindControls(HWND main) {
    MainWindow found{};
    found.main = main;
    found.label = FindWindowExA(main, nullptr, "Static", "Type the name of the file to compress:");
    found.edit = FindWindowExA(main, nullptr, "Edit", nullptr);
    found.group = FindWindowExA(main, nullptr, "Button", "Select the data type:");
    found.html = FindWindowExA(found.group, nullptr, "Button", "HTML");
    found.javascript = FindWindowExA(found.group, nullptr, "Button", "JavaScript");
    found.css = FindWindowExA(found.group, nullptr, "Button", "CSS");
    found.button = FindWindowExA(main, nullptr, "Button", kButtonIdle);
    return found;
}

class CrvdemoTest : public ::testing::Test {
protected:
    // The program started beside the built library, its main window found.
    void Start() {
        demo_ = std::make_unique<DemoProcess>(WindowsPath(CRVSDK_DLL));
        window_.main = demo_->WaitForWindow(kMainClass, kMainCaption);
        ASSERT_NE(window_.main, nullptr) << "no main window";
        window_ = FindControls(window_.main);
    }

    HWND About() const { return demo_->WaitForWindow(kDialogClass, kAboutCaption); }

    // Started, with the about dialogue closed and the main window taking input.
    void StartIdle() {
        Start();
        ASSERT_FALSE(HasFatalFailure());
        HWND about = About();
        ASSERT_NE(about, nullptr) << "no about dialogue";
        Click(GetDlgItem(about, kAboutClose));
        ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(window_.main) != FALSE; }));
    }

    // Names the file, presses the button and, in the settings dialogue,
    // clicks the check boxes given, then the button closeWith (OK or Cancel).
    void Press(const std::string &name, const std::vector<int> &checkBoxes, int closeWith) {
        ASSERT_TRUE(SetText(window_.edit, name));
        Click(window_.button);
        HWND settings = demo_->WaitForWindow(kDialogClass, kSettingsCaption);
        ASSERT_NE(settings, nullptr) << "no settings dialogue";
        EXPECT_EQ(GetWindow(settings, GW_OWNER), window_.main);
        EXPECT_EQ(Text(window_.button), kButtonBusy);
        for (int id : checkBoxes)
            Click(GetDlgItem(settings, id));
        Click(GetDlgItem(settings, closeWith));
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(settings); })) << "settings left open";
    }

    // The text of the error box that shows up, closed with OK; empty when the
    // job ended without one.
    std::string ErrorAfterJob() {
        std::string text;
        WaitFor([&] {
            if (HWND box = demo_->WaitForWindow(kDialogClass, kErrorCaption, 0)) {
                ExpectPlainErrorBox(box);
                text = Text(GetDlgItem(box, kMessageBoxText));
                Click(GetDlgItem(box, IDOK));
                return true;
            }
            return Text(window_.button) == kButtonIdle;
        });
        EXPECT_TRUE(WaitFor([&] { return Text(window_.button) == kButtonIdle; }))
            << "the button does not read idle again";
        return text;
    }

    std::unique_ptr<DemoProcess> demo_;
    MainWindow window_{};
};

TEST_F(CrvdemoTest, AboutDialogueOverTheDisabledMainWindowAtStart) {
    Start();
    ASSERT_FALSE(HasFatalFailure());
    HWND about = About();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(GetWindow(about, GW_OWNER), window_.main);
    // Its client area starts where the main window's does.
    POINT aboutOrigin{0, 0}, mainOrigin{0, 0};
    ClientToScreen(about, &aboutOrigin);
    ClientToScreen(window_.main, &mainOrigin);
    EXPECT_EQ(aboutOrigin.x, mainOrigin.x);
    EXPECT_EQ(aboutOrigin.y, mainOrigin.y);
    EXPECT_FALSE(IsWindowEnabled(window_.main)) << "the main window takes input";
    EXPECT_EQ(CheckState(window_.html), BST_CHECKED);
    EXPECT_EQ(CheckState(window_.javascript), BST_UNCHECKED);
    EXPECT_EQ(CheckState(window_.css), BST_UNCHECKED);
    Click(GetDlgItem(about, kAboutClose));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(window_.main) != FALSE; }));
    EXPECT_EQ(demo_->WaitForWindow(kDialogClass, kAboutCaption, 0), nullptr)
        << "the about dialogue is shown again";
}

TEST_F(CrvdemoTest, WindowAndControlsArePlacedAsDesigned) {
    StartIdle();
    ASSERT_FALSE(HasFatalFailure());
    RECT frame = PlaceInParent(window_.main);
    EXPECT_EQ(frame.right - frame.left, 300);
    EXPECT_EQ(frame.bottom - frame.top, 200);
    struct Control {
        HWND MainWindow::*handle;
        HWND MainWindow::*parent;
        RECT place;
        int id;
        bool clientEdge;
    };
    const Control controls[] = {
        {&MainWindow::label, &MainWindow::main, {10, 10, 260, 30}, 0, false},
        {&MainWindow::edit, &MainWindow::main, {10, 30, 280, 50}, 0, true},
        {&MainWindow::group, &MainWindow::main, {10, 55, 280, 105}, 0, false},
        {&MainWindow::html, &MainWindow::group, {10, 20, 80, 40}, 0, false},
        {&MainWindow::javascript, &MainWindow::group, {80, 20, 170, 40}, 0, false},
        {&MainWindow::css, &MainWindow::group, {183, 20, 243, 40}, 0, false},
        {&MainWindow::button, &MainWindow::main, {10, 110, 280, 165}, 100, true},
    };
    for (const Control &control : controls) {
        HWND window = window_.*control.handle;
        ASSERT_NE(window, nullptr) << "control " << &control - controls << " not found";
        SCOPED_TRACE(Text(window));
        EXPECT_EQ(GetParent(window), window_.*control.parent);
        RECT place = PlaceInParent(window);
        EXPECT_EQ(place.left, control.place.left);
        EXPECT_EQ(place.top, control.place.top);
        EXPECT_EQ(place.right, control.place.right);
        EXPECT_EQ(place.bottom, control.place.bottom);
        EXPECT_EQ(GetDlgCtrlID(window), control.id);
        EXPECT_EQ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0,
                  control.clientEdge);
    }
    EXPECT_EQ(Text(window_.edit), "example.html");
    EXPECT_EQ(GetWindowLongA(window_.edit, GWL_STYLE) & ES_AUTOHSCROLL, 0);
    EXPECT_NE(GetWindowLongA(window_.button, GWL_STYLE) & BS_MULTILINE, 0);
}

struct CompressCase {
    const char *what;
    HWND MainWindow::*radio; // the radio button clicked first; null: HTML left checked
    std::vector<int> checkBoxes;
    uint32_t toggled; // the properties those check boxes switch
    const char *file;
    const char *text;
    uint32_t dataType;
};

class CrvdemoCompress : public CrvdemoTest, public ::testing::WithParamInterface<CompressCase> {};

TEST_P(CrvdemoCompress, FileBecomesWhatTheLibraryMakesOfIt) {
    const CompressCase &c = GetParam();
    const std::string expected = Expected(c.text, c.dataType, c.toggled);
    // The case must tell the type and the properties apart from the defaults.
    for (uint32_t other : {CRV_DATA_JAVASCRIPT, CRV_DATA_HTML, CRV_DATA_CSS}) {
        if (other != c.dataType) {
            ASSERT_NE(Expected(c.text, other, c.toggled), expected) << "type " << other;
        }
    }
    if (c.toggled) {
        ASSERT_NE(Expected(c.text, c.dataType), expected);
    }

    StartIdle();
    ASSERT_FALSE(HasFatalFailure());
    const std::string file = demo_->Folder().File(c.file);
    WriteFile(file, c.text);
    if (c.radio) {
        Click(window_.*c.radio);
        ASSERT_TRUE(WaitFor([&] { return CheckState(window_.*c.radio) == BST_CHECKED; }));
    }
    Press(c.file, c.checkBoxes, IDOK);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ErrorAfterJob(), "");
    EXPECT_EQ(ReadFile(file), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CrvdemoCompress,
    ::testing::Values(
        CompressCase{"Html", nullptr, {}, 0, "page.html", kPage, CRV_DATA_HTML},
        CompressCase{"JavaScript", &MainWindow::javascript, {}, 0, "script.js", kScript,
                     CRV_DATA_JAVASCRIPT},
        CompressCase{"Css", &MainWindow::css, {}, 0, "style.css", kStyle, CRV_DATA_CSS},
        CompressCase{"HtmlDeletingCommentsAndCompressingScripts",
                     nullptr,
                     {102, 104},
                     CRV_PROP_DELETE_COMMENTS | CRV_PROP_COMPRESS_SCRIPTS,
                     "page.html",
                     kPage,
                     CRV_DATA_HTML},
        CompressCase{"HtmlWithoutProtectedEvents", nullptr, {103}, CRV_PROP_PROTECT_EVENTS,
                     "page.html", kPage, CRV_DATA_HTML}),
    [](const auto &info) { return std::string(info.param.what); });

TEST_F(CrvdemoTest, CancelLeavesTheFileAndShowsNothing) {
    StartIdle();
    ASSERT_FALSE(HasFatalFailure());
    const std::string file = demo_->Folder().File("page.html");
    WriteFile(file, kPage);
    Press("page.html", {102}, IDCANCEL);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ErrorAfterJob(), "");
    EXPECT_EQ(ReadFile(file), kPage);
}

struct FailureCase {
    const char *what;
    bool createReadOnly; // else the name names no file
    const char *message;
};

class CrvdemoFailure : public CrvdemoTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CrvdemoFailure, MessageThenTheNextPressWorks) {
    const FailureCase &c = GetParam();
    StartIdle();
    ASSERT_FALSE(HasFatalFailure());
    const std::string file = demo_->Folder().File("failing.html");
    if (c.createReadOnly) {
        WriteFile(file, kPage);
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    Press("failing.html", {}, IDOK);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ErrorAfterJob(), c.message);
    if (c.createReadOnly) {
        EXPECT_EQ(ReadFile(file), kPage);
    }

    const std::string next = demo_->Folder().File("next.html");
    WriteFile(next, kPage);
    Press("next.html", {}, IDOK);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ErrorAfterJob(), "");
    EXPECT_EQ(ReadFile(next), Expected(kPage, CRV_DATA_HTML));
}

INSTANTIATE_TEST_SUITE_P(Cases, CrvdemoFailure,
                         ::testing::Values(FailureCase{"NoSuchFile", false, kReadMessage},
                                           FailureCase{"ReadOnlyFile", true, kWriteMessage}),
                         [](const auto &info) { return std::string(info.param.what); });

TEST_F(CrvdemoTest, OnlyTheFirst254CharactersOfTheNameAreUsed) {
    StartIdle();
    ASSERT_FALSE(HasFatalFailure());
    // ".\" steps keep the path short while the name grows to 254 characters.
    std::string name;
    while (name.size() < 254 - 6)
        name += ".\\";
    name += "f.html";
    ASSERT_EQ(name.size(), 254u);
    const std::string file = demo_->Folder().File("f.html");
    WriteFile(file, kPage);
    Press(name + "x", {}, IDOK);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ErrorAfterJob(), "");
    EXPECT_EQ(ReadFile(file), Expected(kPage, CRV_DATA_HTML));
}

TEST_F(CrvdemoTest, ClosingTheWindowEndsTheProgramWithNothingLeft) {
    StartIdle();
    ASSERT_FALSE(HasFatalFailure());
    PostMessageA(window_.main, WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD exitCode = 99;
    ASSERT_TRUE(demo_->WaitForExit(&exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(demo_->CountVisibleWindows(), 0);
}

struct BindingCase {
    const char *what;
    const char *dll; // the crvsdk.dll put beside the program; empty: none
    const char *message;
};

class CrvdemoBinding : public ::testing::TestWithParam<BindingCase> {};

TEST_P(CrvdemoBinding, OneMessageAndExitCodeOne) {
    const BindingCase &c = GetParam();
    DemoProcess demo(*c.dll ? WindowsPath(c.dll) : "");
    HWND box = demo.WaitForWindow(kDialogClass, kErrorCaption);
    ASSERT_NE(box, nullptr) << "no message";
    ExpectPlainErrorBox(box);
    EXPECT_EQ(Text(GetDlgItem(box, kMessageBoxText)), c.message);
    EXPECT_EQ(demo.CountVisibleWindows(), 1) << "more than the message box";
    Click(GetDlgItem(box, IDOK));
    DWORD exitCode = 99;
    ASSERT_TRUE(demo.WaitForExit(&exitCode));
    EXPECT_EQ(exitCode, 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CrvdemoBinding,
    ::testing::Values(
        BindingCase{"NoLibrary", "",
                    "Can not load the library crvsdk.dll. Please put it in the folder of this "
                    "program."},
        BindingCase{"NoAboutDialogue", CRVSDK_DLL_WITHOUT_ABOUT,
                    "The library crvsdk.dll has no entry point CRVShowAboutDialogue. Please use "
                    "the crvsdk.dll that came with this program."},
        BindingCase{"NoVersion", CRVSDK_DLL_WITHOUT_VERSION,
                    "The library crvsdk.dll has no entry point CRVGetVersion. Please use the "
                    "crvsdk.dll that came with this program."}),
    [](const auto &info) { return std::string(info.param.what); });

} // namespace
} // namespace crvtest
