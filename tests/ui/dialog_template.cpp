#include "tests/ui/dialog_template.h"

#include <cstring>

#include <gtest/gtest.h>

namespace crvtest {

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

} // namespace

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

} // namespace crvtest
