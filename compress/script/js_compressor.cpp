// Script compression in one forward pass, writing over the text as it is read.
// Nothing is parsed: the character classes, two depth counters and a flag per
// brace depth decide where white space may go, which line breaks must stay
// (as one carriage return, since they may end a statement), where a semicolon
// is due after an assigned object or function, and when two joined string
// literals can become one. Literals of every kind (strings, templates and
// regular expressions) are copied as they stand.
#include "compress/script/js_compressor.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "compress/script/char_class.h"
#include "compress/script/text_scan.h"
#include "sdk/instance.h"

namespace crv {
namespace {

// The old-browser wrapper: "<!--" opens the script and "//-->" closes it.
constexpr std::string_view kWrapperOpen = "<!--";
constexpr std::string_view kWrapperClose = "//-->";

// A "(" written right behind these starts the parameters of an assigned
// function expression, whose body must end its statement with a ";".
constexpr std::string_view kAssignedFunction = "=function";

// An operand, never an operator, follows these words, so a "/" behind one of
// them opens a regular expression.
constexpr std::array<std::string_view, 13> kOperandKeywords = {
    "return", "typeof", "case", "do", "else", "in", "instanceof",
    "new", "delete", "void", "throw", "yield", "await"};

// "${" substitutions nested deeper than this inside template literals are
// not followed: the rest of the text is then copied as it stands.
constexpr std::size_t kTemplateNesting = 16;

bool IsPlain(char c) { return !HasScriptClass(c, kScriptRunStop); }
bool IsSign(char c) { return c == '+' || c == '-'; }
bool IsQuote(char c) { return c == '"' || c == '\''; }

// Where the copy of a template literal stands: how many templates and "${"
// substitutions are open, and how many braces each substitution has open.
struct TemplateNesting {
    std::array<std::uint32_t, kTemplateNesting> braces{};
    std::size_t substitutions = 0;
    std::size_t templates = 1;

    bool InText() const { return templates > substitutions; }
};

class JsPass {
  public:
    JsPass(char *text, bool removeComments, char **cursorOut, const CompressorInstance *instance)
        : text_(text), read_(text), last_(text - 1), cursorOut_(cursorOut), instance_(instance),
          removeComments_(removeComments) {}

    void Run();

  private:
    char L() const { return *last_; }
    bool Wrote() const { return last_ >= text_; }
    void Publish() { PublishCursor(cursorOut_, last_); }
    void Put(char c);
    void PutWord(std::string_view word);
    void TakeBack();
    void CopyChar() { Put(*read_++); }
    void CopyRest();

    void SkipWrapperLine();
    bool Separate();
    void WriteSeparator(bool lineBreak);
    bool AtStatementLevel() const { return brackets_ == bracketsAtBrace_[braces_]; }

    void CopyToken();
    void CopyPlainRun();
    void CopySpecial(char c);
    void Track(char c);
    void OpenBrace();
    bool SeparatorGoesBefore(char c) const;
    void CopyOrdinary(char c);
    void AfterWritten(char c);
    bool WroteAssignedFunction() const;
    void EndAssignedBlock();

    void CopyString(char quote);
    bool FoldsOnto(char quote) const;
    void CopyTemplate();
    void CopyTemplateText(TemplateNesting &nesting);
    void CopySubstitution(TemplateNesting &nesting);

    void Slash();
    bool OpensRegex() const;
    bool EndsWithOperandKeyword() const;
    void CopyRegex();

    void Finish();

    char *const text_;
    const char *read_;
    char *last_; // the last character written
    char **const cursorOut_;
    const CompressorInstance *const instance_;
    const char *literalStart_ = nullptr; // opening quote of the last string written
    const char *literalEnd_ = nullptr;   // its closing quote
    std::bitset<256> assignedBlock_;     // per brace depth: its "}" ends a statement
    std::array<std::uint8_t, 256> bracketsAtBrace_{}; // bracket depth where that brace opened
    std::uint8_t brackets_ = 0; // parentheses and square brackets, wrapping
    std::uint8_t braces_ = 0;   // wrapping
    const bool removeComments_;
    bool wrapper_ = false;      // "//-->" is due at the end
    bool literalOpen_ = false;  // the text ended inside a literal
};

void JsPass::Put(char c) {
    *++last_ = c;
    Publish();
}

void JsPass::PutWord(std::string_view word) {
    for (char c : word)
        Put(c);
}

void JsPass::TakeBack() {
    --last_;
    Publish();
}

void JsPass::CopyRest() {
    while (*read_ != '\0')
        CopyChar();
}

void JsPass::Run() {
    Publish();
    read_ = SkipWhiteSpace(read_);
    if (*read_ == '<')
        SkipWrapperLine();
    do
        CopyToken();
    while (Separate());
    Finish();
}

// The first line of an old-browser wrapper goes, whatever follows its "<".
// With hideScripts a bare "<!--" stands for it, where that fits in front of
// the line's end: it must not overwrite the unread text behind.
void JsPass::SkipWrapperLine() {
    read_ = SkipToLineEnd(read_);
    wrapper_ = instance_ != nullptr && instance_->hideScripts != 0;
    if (wrapper_ && text_ + kWrapperOpen.size() <= read_)
        PutWord(kWrapperOpen);
}

// The white-space run at read_ becomes one space, one carriage return or
// nothing. A line break may end a statement, so it stays as a carriage return
// at statement level, after a word or after punctuation that can end an
// operand. Inside brackets only a space between two words is kept (counted
// from the innermost brace, so a function body in an argument list is at
// statement level again). Returns false at the end of the text.
bool JsPass::Separate() {
    bool lineBreak = false;
    while (IsWhiteSpace(*read_))
        lineBreak |= IsLineBreak(*read_++);
    if (*read_ == '\0')
        return false;
    if (Wrote())
        WriteSeparator(lineBreak);
    return true;
}

void JsPass::WriteSeparator(bool lineBreak) {
    char last = L();
    if (lineBreak && AtStatementLevel()) {
        if (IsScriptLineEnder(last) || !IsScriptPunctuation(last))
            Put('\r');
    } else if (!IsScriptPunctuation(last)) {
        Put(' ');
    }
}

// Punctuation right behind a separator gets the full treatment, since the
// separator may have to go. Further on, the last character written is the
// one that stood before in the text, and most punctuation is then copied as
// it stands: only brackets, braces, signs, quotes, "/" and "<" need a look.
void JsPass::CopyToken() {
    if (IsScriptPunctuation(*read_))
        CopySpecial(*read_);
    for (;;) {
        CopyPlainRun();
        char c = *read_;
        if (c == '\0' || IsWhiteSpace(c))
            return;
        CopySpecial(c);
    }
}

// The hot loop. Locals keep the compiler from reloading members after every
// character store. The cursor is published once for the run: no other
// thread can tell that from a store per character.
void JsPass::CopyPlainRun() {
    const char *in = read_;
    char *out = last_;
    while (IsPlain(*in))
        *++out = *in++;
    read_ = in;
    last_ = out;
    Publish();
}

void JsPass::CopySpecial(char c) {
    Track(c);
    if (SeparatorGoesBefore(c))
        TakeBack();
    if (IsQuote(c))
        CopyString(c);
    else if (c == '`')
        CopyTemplate();
    else if (c == '/')
        Slash();
    else if (c == '<' && std::strncmp(read_, kWrapperOpen.data(), kWrapperOpen.size()) == 0)
        read_ = SkipToLineEnd(read_);
    else
        CopyOrdinary(c);
}

void JsPass::Track(char c) {
    switch (c) {
    case '(':
    case '[':
        ++brackets_;
        break;
    case ')':
    case ']':
        --brackets_;
        break;
    case '{':
        OpenBrace();
        break;
    case '}':
        --braces_;
        if (L() == ';' && Wrote())
            TakeBack();
        break;
    default:
        break;
    }
}

// "{" right after "=" opens an assigned object literal.
void JsPass::OpenBrace() {
    if (L() == '=')
        assignedBlock_[braces_] = true;
    ++braces_;
    bracketsAtBrace_[braces_] = brackets_;
}

// A separator in front of punctuation is not needed, except where it keeps
// two signs apart ("a+ +b" must not become "a++b") or where a line break
// before "++" or "--" ends the statement before it ("a" LF "++b").
bool JsPass::SeparatorGoesBefore(char c) const {
    char last = L();
    if (!Wrote() || !IsScriptPunctuation(c) || (last != ' ' && last != '\r'))
        return false;
    return !(IsSign(c) && (last_[-1] == c || (last == '\r' && read_[1] == c)));
}

// Two signs that were apart in the text stay apart: "a + +b" gives "a+ +b".
// The space takes the place of what stood between them.
void JsPass::CopyOrdinary(char c) {
    if (IsSign(c) && L() == c && read_[-1] != c)
        Put(' ');
    CopyChar();
    AfterWritten(c);
}

void JsPass::AfterWritten(char c) {
    if (c == '(' && WroteAssignedFunction()) {
        assignedBlock_[braces_] = true;
    } else if (c == '}' && assignedBlock_[braces_]) {
        assignedBlock_[braces_] = false;
        EndAssignedBlock();
    }
}

// Whether the nine characters in front of the "(" just written are
// "=function"; fewer written characters never match.
bool JsPass::WroteAssignedFunction() const {
    const char *start = last_ - kAssignedFunction.size();
    return start >= text_ && std::string_view(start, kAssignedFunction.size()) == kAssignedFunction;
}

// The "}" of an assigned object or function ends its statement, but the line
// break behind it is dropped, so a ";" says so. Before punctuation other than
// a quote the expression goes on ("(x = {})", "a = {}, b", "f = function(){}()")
// and nothing is added. The ";" takes the place of one white-space character
// or of room the output has already given up; without either it is left out.
void JsPass::EndAssignedBlock() {
    char next = *SkipWhiteSpace(read_);
    if (IsScriptPunctuation(next) && !IsQuote(next))
        return;
    if (IsWhiteSpace(*read_))
        ++read_;
    else if (last_ + 1 == read_)
        return;
    Put(';');
}

void JsPass::CopyString(char quote) {
    if (FoldsOnto(quote)) {
        last_ -= 2;
        Publish();
    } else {
        Put(quote);
        literalStart_ = last_;
    }
    ++read_;
    if (CopyQuotedBody(read_, last_, cursorOut_, quote)) {
        CopyChar();
        literalEnd_ = last_;
    } else {
        literalOpen_ = true;
    }
}

// "'a' + 'b'" has been written as "'a'+" so far; the new literal can carry on
// the old one. Not where an operator binds the first literal to what stands
// before it ("1 - '2' + '3'"), nor where "." or "[" binds the second to what
// follows it ("'a' + 'bc'.length"), nor where the join would spell "</script".
bool JsPass::FoldsOnto(char quote) const {
    if (L() != '+' || literalEnd_ == nullptr || literalEnd_ + 1 != last_ || *literalEnd_ != quote)
        return false;
    if (std::string_view("-*/%").find(literalStart_[-1]) != std::string_view::npos)
        return false;
    const char *closing = FindClosingQuote(read_ + 1, quote);
    char after = *closing == '\0' ? '\0' : *SkipWhiteSpace(closing + 1);
    if (after == '.' || after == '[')
        return false;
    return !JoinSpellsEndTag(text_, literalEnd_, read_ + 1, "</script");
}

// A template literal is copied as it stands up to its closing backquote,
// "${...}" substitutions included: they may hold braces, strings and
// templates of their own, which a small stack of brace counts follows.
void JsPass::CopyTemplate() {
    TemplateNesting nesting;
    CopyChar();
    while (nesting.templates != 0 && *read_ != '\0') {
        if (nesting.InText())
            CopyTemplateText(nesting);
        else
            CopySubstitution(nesting);
    }
    literalOpen_ = nesting.templates != 0;
}

void JsPass::CopyTemplateText(TemplateNesting &nesting) {
    char c = *read_;
    if (c == '`') {
        --nesting.templates;
    } else if (c == '\\' && read_[1] != '\0') {
        CopyChar();
    } else if (c == '$' && read_[1] == '{') {
        if (nesting.substitutions == kTemplateNesting) {
            CopyRest();
            return;
        }
        nesting.braces[nesting.substitutions++] = 0;
        CopyChar();
    }
    CopyChar();
}

void JsPass::CopySubstitution(TemplateNesting &nesting) {
    char c = *read_;
    std::uint32_t &braces = nesting.braces[nesting.substitutions - 1];
    if (c == '{') {
        ++braces;
    } else if (c == '}') {
        if (braces == 0)
            --nesting.substitutions;
        else
            --braces;
    } else if (c == '`') {
        ++nesting.templates;
    } else if (IsQuote(c)) {
        CopyChar();
        if (!CopyQuotedBody(read_, last_, cursorOut_, c))
            return;
    }
    CopyChar();
}

// A "/" is a comment, a regular expression or an operator. "\/" outside a
// literal never opens a comment.
void JsPass::Slash() {
    char next = read_[1];
    if (removeComments_ && L() != '\\' && (next == '*' || next == '/'))
        read_ = next == '*' ? SkipBlockComment(read_) : SkipToLineEnd(read_);
    else if (OpensRegex())
        CopyRegex();
    else
        CopyChar();
}

// A "/" where an operand begins opens a regular expression: at the start,
// after an operator or opening punctuation, or after a keyword that an operand
// follows. "++" and "--" end an operand, so a "/" behind them divides.
bool JsPass::OpensRegex() const {
    if (!Wrote())
        return true;
    char last = L();
    if (HasScriptClass(last, kRegexFollows))
        return !(IsSign(last) && last_[-1] == last);
    return EndsWithOperandKeyword();
}

// Whether the output ends with one of the keywords as a word of its own, not
// as the tail of a longer name or a property ("x.in").
bool JsPass::EndsWithOperandKeyword() const {
    if (!IsLetter(L()))
        return false;
    const char *end = last_ + 1;
    auto endsWith = [&](std::string_view word) {
        if (static_cast<std::size_t>(end - text_) < word.size())
            return false;
        const char *start = end - word.size();
        return std::string_view(start, word.size()) == word && !IsScriptWordChar(start[-1]) &&
               start[-1] != '.';
    };
    return std::any_of(kOperandKeywords.begin(), kOperandKeywords.end(), endsWith);
}

// Copied as it stands up to the "/" that closes it: one not escaped by a
// backslash and not inside a "[...]" class. The flags behind it are ordinary
// characters.
void JsPass::CopyRegex() {
    bool inClass = false;
    CopyChar();
    for (char c = *read_; c != '\0'; c = *read_) {
        if (c == '\\' && read_[1] != '\0')
            CopyChar();
        else if (c == '[')
            inClass = true;
        else if (c == ']')
            inClass = false;
        else if (c == '/' && !inClass)
            break;
        CopyChar();
    }
    if (*read_ == '\0') {
        literalOpen_ = true;
        return;
    }
    CopyChar();
}

// "//-->" closes the wrapper where it fits in front of the zero byte. A last
// carriage return or ";" is not needed, unless it belongs to an unclosed
// literal.
void JsPass::Finish() {
    if (wrapper_ && last_ + kWrapperClose.size() < read_)
        PutWord(kWrapperClose);
    bool dropLast = Wrote() && !literalOpen_ && (L() == '\r' || L() == ';');
    if (!dropLast)
        ++last_;
    Publish();
}

} // namespace
} // namespace crv

void CompressJavaScript(char *text, std::uint8_t removeComments, char **cursorOut,
                        const CompressorInstance *instance) {
    crv::JsPass(text, removeComments != 0, cursorOut, instance).Run();
}
