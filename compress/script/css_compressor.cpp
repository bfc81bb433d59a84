// Style sheet compression in one forward pass, writing over the text as it is
// read. Nothing is parsed: white space, comments and a few semicolons go, and
// two joined string literals become one. A space survives where the character
// classes say it separates two words, and a little bookkeeping of braces,
// brackets and at-rules keeps the spaces whose loss would change the meaning
// (descendant combinators, "and (" in media queries, signs inside calc()).
//
// Whether a white-space run leaves a space is settled once the character after
// the run is known, so a space once written is never taken back.
//
// A block holds either rules or declarations. In a block of declarations each
// item (what follows "{", ";" or "}") may still be a nested style rule, whose
// selector needs the same spaces as one at the top; the item is told apart
// from a declaration as it is copied (see CssPass::ClassifyAtSeparator).
#include "compress/script/css_compressor.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cassert>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "compress/script/char_class.h"
#include "compress/script/css_run_copy.h"
#include "compress/script/text_scan.h"

namespace crv {
namespace {

// Whether s begins with the lower-case word, in any case, as a whole name.
bool StartsWithWord(const char *s, std::string_view word) {
    for (char c : word)
        if (LowerAsciiLetter(*s++) != c)
            return false;
    return !IsNameChar(*s);
}

// The blocks of these at-rules hold rules rather than declarations, so a space
// inside them may be a descendant combinator. name follows the "@".
bool OpensGroupRule(const char *name) {
    if (*name == '-') {
        ++name;
        if (!IsLetter(*name))
            return false;
        while (IsLetter(*name))
            ++name;
        if (*name++ != '-')
            return false;
    }
    constexpr std::array<std::string_view, 5> kGroupRules = {"media", "supports", "container",
                                                             "layer", "document"};
    return std::any_of(kGroupRules.begin(), kGroupRules.end(),
                       [name](std::string_view rule) { return StartsWithWord(name, rule); });
}

bool IsHexDigit(char c) {
    const char lower = LowerAsciiLetter(c);
    return IsDigit(c) || (lower >= 'a' && lower <= 'f');
}

// Whether the output from first to last ends in an escape that takes the
// white space behind it: an escaped space ("\ ") or a hex escape ("\31 "),
// which swallows one white-space character. An escaped backslash ("\\")
// starts nothing.
bool EndsWithOpenEscape(const char *first, const char *last) {
    constexpr std::ptrdiff_t kMaxHexDigits = 6;
    const char *s = last;
    while (s >= first && last - s < kMaxHexDigits && IsHexDigit(*s))
        --s;
    if (s < first || *s != '\\')
        return false;
    std::ptrdiff_t backslashes = 0;
    for (; s >= first && *s == '\\'; --s)
        ++backslashes;
    return backslashes % 2 == 1;
}

// The last character of a compound selector and the first of the next one;
// white space between the two is a descendant combinator.
bool EndsCompound(char c) {
    return IsNameChar(c) || c == ')' || c == ']' || c == '*' || c == '&';
}
bool StartsCompound(char c) {
    return IsNameChar(c) || c == '.' || c == '#' || c == ':' || c == '[' || c == '*' || c == '&';
}

// An item of a declaration block that begins with one of these is a nested
// style rule: no property name does. A table, as a search of the string
// would call memchr once per declaration.
constexpr ClassTable MakeNestedRuleStartTable() {
    ClassTable table{};
    MarkClass(table, "&.#:[*>+~|@", 1);
    return table;
}

constexpr ClassTable kNestedRuleStart = MakeNestedRuleStartTable();

bool StartsNestedRule(char c) { return InClass(kNestedRuleStart, c, 1); }

// Behind white space in front of any ":", these go on a selector: a
// property name never holds white space.
bool ContinuesSelector(char c) {
    return IsNameChar(c) || c == '.' || c == '#' || c == '[' || c == '*' || c == '&';
}

// Whether the output that ends at last spells the function name "url", as a
// whole name; first is the first character of the output.
bool EndsWithUrlName(const char *first, const char *last) {
    if (last - first < 2)
        return false;
    if (last - first > 2 && IsNameChar(last[-3]))
        return false;
    return LowerAsciiLetter(last[-2]) == 'u' && LowerAsciiLetter(last[-1]) == 'r' &&
           LowerAsciiLetter(*last) == 'l';
}

// How far the pass reads ahead to tell a rule from a declaration. The bound
// keeps the pass linear: an item is read ahead at most once, and an item
// whose end lies further away is taken for a rule, which only keeps spaces.
constexpr int kLookAheadLimit = 256;

// What an item of a declaration block is, as far as the pass knows.
enum class ItemKind : std::uint8_t {
    kUnread,      // nothing of it written yet
    kOpen,        // begins with a name: a property or a type selector
    kRule,        // a nested style rule or an at-rule
    kDeclaration, // a property and its value
};

// What the characters on either side of a white-space run say about the
// space: one look-up per side, and the sides combined without a branch each.
enum SpaceClass : std::uint8_t {
    kNoSpaceNeeded = 1 << 0,      // style punctuation: a space next to it is not needed,
                                  // but for the rules of CssPass::SpaceNextToPunctuation,
    kMayNeedSpaceAfter = 1 << 1,  // which look at these behind the run
    kMayNeedSpaceBefore = 1 << 2, // and at these in front of it
};

constexpr ClassTable MakeSpaceClassTable() {
    ClassTable table{};
    for (std::size_t c = 0; c < table.size(); ++c)
        if (IsStylePunctuation(static_cast<char>(c)))
            table[c] |= kNoSpaceNeeded;
    MarkClass(table, ")]*+-&", kMayNeedSpaceAfter);
    MarkClass(table, "*+-(:[&\"", kMayNeedSpaceBefore);
    return table;
}

constexpr ClassTable kSpaceClass = MakeSpaceClassTable();

std::uint8_t SpaceClassOf(char c) { return kSpaceClass[static_cast<unsigned char>(c)]; }

// A space between a word and punctuation is needed only in two places:
// "2px -1px" (else one dimension "2px-1px") and "and (" (else a function
// call "and("). last is the word's last character.
bool WordNeedsSpaceBefore(char next, char last) {
    bool wordEnd = IsLetter(last) || last == '_' || IsHighByte(last);
    if (next == '-')
        return wordEnd || last == '\\';
    if (next == '(')
        return wordEnd || IsDigit(last);
    return false;
}

// What the byte that stopped a run asks of the pass. The kinds are dense
// and every byte has one, so that the switch over them is a single jump
// through a table rather than a tree of compares, each of which the tokens'
// alternation would mispredict.
enum class StopKind : std::uint8_t {
    kWhiteSpace,
    kEnd,
    kQuote,
    kSlash,
    kOpenBrace,
    kCloseBrace,
    kOpenParenthesis,
    kOpenBracket,
    kCloseBracket, // ")" and "]"
    kSemicolon,
    kAt,
    kControl, // a control code other than white space, copied as it is
};

constexpr std::array<StopKind, 256> MakeStopKindTable() {
    std::array<StopKind, 256> table{};
    table.fill(StopKind::kControl);
    for (char c : kAsciiWhiteSpace)
        table[static_cast<unsigned char>(c)] = StopKind::kWhiteSpace;
    table[0] = StopKind::kEnd;
    table['"'] = table['\''] = StopKind::kQuote;
    table['/'] = StopKind::kSlash;
    table['{'] = StopKind::kOpenBrace;
    table['}'] = StopKind::kCloseBrace;
    table['('] = StopKind::kOpenParenthesis;
    table['['] = StopKind::kOpenBracket;
    table[')'] = table[']'] = StopKind::kCloseBracket;
    table[';'] = StopKind::kSemicolon;
    table['@'] = StopKind::kAt;
    return table;
}

constexpr std::array<StopKind, 256> kStopKind = MakeStopKindTable();

StopKind StopKindOf(char c) { return kStopKind[static_cast<unsigned char>(c)]; }

class CssPass {
  public:
    CssPass(char *text, Placement placement, bool topLevelRules, ProgressCursor progress)
        : text_(text), read_(text), last_(text - 1), progress_(progress),
          removeComments_(placement == Placement::kDocument), topLevelRules_(topLevelRules) {
        StartItem();
    }

    template <ScanPath kPath>
    void Run();

  private:
    char L() const { return *last_; }
    void Publish(char *at) { progress_.Publish(at); }
    // The text is rewritten in place: between steps the last character
    // written must lie before the next one to read.
    void CheckWritePosition() const { assert(last_ < read_); }
    void Put(char c);

    template <ScanPath kPath>
    char CopyRun();
    void Separate();
    void KeepEscapedSpace();
    bool SpaceNextToPunctuation(char next);
    bool InCustomProperty() const;
    bool IsStarBetweenNames(char next) const;
    char CharBeforeStar() const;

    bool HoldsRules(std::uint8_t depth) const;
    void StartItem();
    void EndItem();
    void ClassifyAtSeparator(char next);
    bool OutputHoldsColon() const;
    bool ReadsAsSelector();
    ItemKind LookAheadKind() const;

    void CopyMark(char c);
    void CopySlash();
    void OpenParenthesis();
    void EndDeclaration();
    void OpenBlock();
    void CloseBlock();
    void CopyUrl();

    void CopyLiteral(char quote);
    bool FoldsOnto(char quote) const;
    void CopyLiteralBody(char quote);

    bool CommentStartsHere() const;
    bool EndsWithCharset() const;

    void Finish();

    char *const text_;
    const char *end_ = nullptr;         // the zero byte, for the vector paths only
    const char *read_;
    char *last_;                        // the last character written
    const ProgressCursor progress_;
    const char *literalEnd_ = nullptr;  // the closing quote last written
    char *itemStart_ = nullptr;         // where the current item's output begins
    const char *colonScanned_ = nullptr; // the item's output up to here holds no ":"
    std::bitset<256> groupBlock_;       // per brace depth: holds rules, not declarations
    std::uint8_t depth_ = 0;            // braces, wrapping
    std::uint8_t brackets_ = 0;         // parentheses and square brackets, wrapping
    const bool removeComments_;         // in a document; an attribute value keeps them
    const bool topLevelRules_;          // a style sheet, not a declaration list
    ItemKind item_ = ItemKind::kRule;   // the current item of the current block
    bool groupPending_ = false;         // a group rule waits for its "{"
    bool signWantsSpace_ = false;       // the sign just written had space before it
    bool literalOpen_ = false;          // the text ended inside a literal
};

void CssPass::Put(char c) {
    *++last_ = c;
    Publish(last_);
}

template <ScanPath kPath>
void CssPass::Run() {
    // A vector load must not pass the zero byte; the scalar path stops at it
    // and need not find it first.
    if constexpr (kPath != ScanPath::kScalar)
        end_ = text_ + std::strlen(text_);
    Publish(last_);
    for (;;) {
        CheckWritePosition();
        // One jump on the byte that stopped the run, white space and marks
        // alike: its history predicts the next kind of token better than a
        // test for white space and a second jump for the marks do.
        const char c = CopyRun<kPath>();
        switch (StopKindOf(c)) {
        case StopKind::kWhiteSpace:
            if (last_ >= text_ && EndsWithOpenEscape(text_, last_)) {
                KeepEscapedSpace();
                break;
            }
            read_ = SkipWhiteSpace(read_ + 1);
            if (*read_ == '\0')
                return Finish();
            Separate();
            break;
        case StopKind::kEnd:
            return Finish();
        case StopKind::kQuote:
            CopyLiteral(c);
            break;
        case StopKind::kSlash:
            CopySlash();
            break;
        case StopKind::kOpenBrace:
            OpenBlock();
            break;
        case StopKind::kCloseBrace:
            CloseBlock();
            break;
        case StopKind::kOpenParenthesis:
            OpenParenthesis();
            break;
        case StopKind::kOpenBracket:
            ++brackets_;
            CopyMark(c);
            break;
        case StopKind::kCloseBracket:
            --brackets_;
            CopyMark(c);
            break;
        case StopKind::kSemicolon:
            EndDeclaration();
            break;
        case StopKind::kAt:
            groupPending_ = OpensGroupRule(read_ + 1);
            CopyMark(c);
            break;
        case StopKind::kControl:
            CopyMark(c);
            break;
        default:
            __builtin_unreachable();
        }
    }
}

// Names, numbers, colons, commas and the like are copied as they are, many
// bytes at a time. Other punctuation inside a run needs no decision, as no
// white space precedes it. Returns the byte that stopped the run. A run that
// stops at once, as most do after white space or punctuation, writes nothing
// and leaves the cursor as it is. The stop is read before the cursor's store,
// after which the compiler would load the members again.
template <ScanPath kPath>
char CssPass::CopyRun() {
    const char *in = read_;
    char c = *in;
    if (IsCssRunStop(c))
        return c;
    char *out = last_ + 1;
    const std::size_t length = CopyCssRun<kPath>(in, out, end_);
    in += length;
    out += length - 1;
    c = *in;
    read_ = in;
    last_ = out;
    Publish(out);
    return c;
}

// The white-space character that belongs to the escape written last stays
// as it is behind a backslash; behind a hex escape any one does, CR LF
// counting as one, so a space stands for it.
void CssPass::KeepEscapedSpace() {
    const char c = *read_++;
    if (L() == '\\') {
        Put(c);
        return;
    }
    if (c == '\r' && *read_ == '\n')
        ++read_;
    Put(' ');
}

// One space or nothing for the white-space run just skipped. Between two
// words a space is always needed; next to punctuation only where a rule below
// finds that it carries meaning, and those rules involve only a few marks.
//
// Whether a space goes is about even odds, so the common answer is written
// without a branch: the space is stored in any case, on white space already
// read, and the cursor moves over it or not. Only the few marks that ask the
// rules take a branch, and that one is rarely taken.
void CssPass::Separate() {
    char next = *read_;
    if (item_ == ItemKind::kUnread || item_ == ItemKind::kOpen)
        ClassifyAtSeparator(next);
    const std::uint8_t before = SpaceClassOf(L());
    const std::uint8_t after = SpaceClassOf(next);
    const unsigned punctuation = (before | after) & kNoSpaceNeeded;
    const unsigned marks = (before & kMayNeedSpaceAfter) | (after & kMayNeedSpaceBefore);
    if ((punctuation != 0) & (marks != 0)) {
        if (SpaceNextToPunctuation(next))
            Put(' ');
        return;
    }
    last_[1] = ' ';
    last_ += punctuation ^ kNoSpaceNeeded;
    Publish(last_);
}

bool CssPass::InCustomProperty() const {
    return item_ == ItemKind::kDeclaration && itemStart_ < last_ && itemStart_[0] == '-' &&
           itemStart_[1] == '-';
}

bool CssPass::SpaceNextToPunctuation(char next) {
    if (signWantsSpace_) {
        signWantsSpace_ = false;
        return true;
    }
    // "calc(100% - 10px)": inside brackets a spaced sign is an operator, and
    // so it is in a custom property ("--gap: 1px + 2px") that var() puts
    // into one.
    const bool operands = brackets_ != 0 || InCustomProperty();
    if (operands && (next == '+' || next == '-') && IsWhiteSpace(read_[1])) {
        signWantsSpace_ = true;
        return true;
    }
    // "a :hover", "a [href]", ":not(.a) .b": a descendant combinator.
    if (EndsCompound(L()) && StartsCompound(next) && ReadsAsSelector())
        return true;
    return IsStarBetweenNames(next) || WordNeedsSpaceBefore(next, L()) ||
           (next == '"' && EndsWithCharset());
}

// A browser finds the encoding of a style sheet only from the exact bytes
// '@charset "' at its start.
bool CssPass::EndsWithCharset() const {
    constexpr std::string_view kCharset = "@charset";
    return last_ - text_ + 1 >= static_cast<std::ptrdiff_t>(kCharset.size()) &&
           std::memcmp(last_ + 1 - kCharset.size(), kCharset.data(), kCharset.size()) == 0;
}

// "div * p" anywhere: a star between two names keeps its spaces.
bool CssPass::IsStarBetweenNames(char next) const {
    if (next == '*')
        return IsNameChar(L()) && IsNameChar(*SkipWhiteSpace(read_ + 1));
    return L() == '*' && last_ >= text_ && IsNameChar(next) && IsNameChar(CharBeforeStar());
}

// The output character in front of the star, looking past a kept space.
char CssPass::CharBeforeStar() const {
    const char *before = last_ - 1;
    if (*before == ' ' && before >= text_)
        --before;
    return *before;
}

// Depth 0 is the text itself: a style sheet holds rules, a style attribute
// declarations.
bool CssPass::HoldsRules(std::uint8_t depth) const {
    return depth == 0 ? topLevelRules_ : groupBlock_[depth];
}

void CssPass::StartItem() {
    item_ = HoldsRules(depth_) ? ItemKind::kRule : ItemKind::kUnread;
    itemStart_ = last_ + 1;
    colonScanned_ = itemStart_;
}

// An item of a declaration block, at a white-space run in it: its first
// character, and white space in front of its first ":", tell a nested rule
// from a declaration. The output is searched for the ":" from where the last
// search ended, so each character is looked at once.
void CssPass::ClassifyAtSeparator(char next) {
    if (item_ == ItemKind::kUnread) {
        if (itemStart_ > last_)
            return;
        bool custom = itemStart_ < last_ && itemStart_[0] == '-' && itemStart_[1] == '-';
        item_ = StartsNestedRule(*itemStart_) ? ItemKind::kRule
                : custom                      ? ItemKind::kDeclaration
                                              : ItemKind::kOpen;
        if (item_ != ItemKind::kOpen)
            return;
    }
    if (colonScanned_ != nullptr && colonScanned_ <= last_)
        colonScanned_ = OutputHoldsColon() ? nullptr : last_ + 1;
    if (colonScanned_ == nullptr) {
        // "color: red": a pseudo-class is never followed by white space.
        if (L() == ':')
            item_ = ItemKind::kDeclaration;
        return;
    }
    if (ContinuesSelector(next)) {
        item_ = ItemKind::kRule;
    } else if (next == ':') {
        // "a ::before" is a selector and "color : red" or "margin :0" a
        // declaration; "a :hover" and "color :red" are told by what follows.
        char after = read_[1];
        if (after == ':')
            item_ = ItemKind::kRule;
        else if (!IsNameChar(after))
            item_ = ItemKind::kDeclaration;
    }
}

// Whether the output not yet searched holds a ":". Most items reach their
// first white space as "color: red" does, right behind the colon, which
// settles it without a search.
bool CssPass::OutputHoldsColon() const {
    if (L() == ':')
        return true;
    std::size_t length = static_cast<std::size_t>(last_ + 1 - colonScanned_);
    return std::memchr(colonScanned_, ':', length) != nullptr;
}

// Asked only where the two readings differ: whether the current item keeps
// the spaces of a selector. An open item is settled by reading ahead.
bool CssPass::ReadsAsSelector() {
    if (item_ == ItemKind::kUnread || item_ == ItemKind::kOpen)
        item_ = LookAheadKind();
    return item_ == ItemKind::kRule;
}

// A rule's "{" comes before any ";" or "}" of the item; literals, comments
// and brackets are passed over. See kLookAheadLimit for the bound.
ItemKind CssPass::LookAheadKind() const {
    int brackets = 0;
    char quote = 0;
    const char *comment = nullptr; // the "/" that opened it
    const char *s = read_;
    for (int n = 0; n < kLookAheadLimit; ++n, ++s) {
        char c = *s;
        if (c == '\0')
            return ItemKind::kDeclaration;
        if (quote != 0) {
            if (c == '\\' && s[1] != '\0')
                ++s, ++n;
            else if (c == quote)
                quote = 0;
        } else if (comment != nullptr) {
            if (c == '/' && s[-1] == '*' && s - comment > 2)
                comment = nullptr;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '/' && s[1] == '*') {
            comment = s;
        } else if (c == '(' || c == '[') {
            ++brackets;
        } else if ((c == ')' || c == ']') && brackets > 0) {
            --brackets;
        } else if (c == '}' || (c == ';' && brackets == 0)) {
            return ItemKind::kDeclaration;
        } else if (c == '{' && brackets == 0) {
            return ItemKind::kRule;
        }
    }
    return ItemKind::kRule;
}

void CssPass::CopyMark(char c) {
    Put(c);
    ++read_;
}

// "/" after ":" or "(" begins a path, as in "url(//host/a.png)". A dropped
// comment between two name characters leaves a space, so that the names on
// either side do not run into one ("0/**/auto" is not "0auto"), and so does
// one between a name and "(", which would make the name a function
// ("and/**/(width > 1px)" is not "and(").
void CssPass::CopySlash() {
    if (!CommentStartsHere())
        return CopyMark('/');
    read_ = read_[1] == '*' ? SkipBlockComment(read_) : SkipToLineEnd(read_ + 2);
    if (IsNameChar(L()) && (IsNameChar(*read_) || *read_ == '('))
        Put(' ');
}

void CssPass::OpenParenthesis() {
    if (EndsWithUrlName(text_, last_))
        return CopyUrl();
    ++brackets_;
    CopyMark('(');
}

void CssPass::EndDeclaration() {
    groupPending_ = false;
    CopyMark(';');
    if (brackets_ == 0)
        EndItem();
}

// After ";", "{" or "}" outside brackets, at the start of an item, the white
// space that mostly follows leaves no space whatever comes next: none of the
// rules of SpaceNextToPunctuation holds behind these marks, and the new item
// has nothing written to classify. Skipping it here spares the jump on the
// byte that stopped the run and the decision in Separate, per declaration.
void CssPass::EndItem() {
    StartItem();
    if (brackets_ == 0 && !signWantsSpace_)
        read_ = SkipWhiteSpace(read_);
}

// A group rule's block holds rules only where the group rule stands among
// rules; nested in a style rule, it holds that rule's declarations.
void CssPass::OpenBlock() {
    bool holdsRules = groupPending_ && HoldsRules(depth_);
    ++depth_;
    groupBlock_[depth_] = holdsRules;
    groupPending_ = false;
    CopyMark('{');
    EndItem();
}

// The semicolon in front of a closing brace is not needed.
void CssPass::CloseBlock() {
    if (L() == ';' && last_ >= text_) {
        --last_;
        Publish(last_);
    }
    --depth_;
    groupPending_ = false;
    CopyMark('}');
    EndItem();
}

// An unquoted "url(" ... ")" is one token: "//", "/*" and quotes in it are
// part of the address. Only white space at its two ends goes. The "(" is
// the character at the read position.
void CssPass::CopyUrl() {
    Put('(');
    const char *in = SkipWhiteSpace(read_ + 1);
    if (*in == '"' || *in == '\'') {
        read_ = in;
        ++brackets_;
        return;
    }
    char *out = last_;
    while (*in != '\0' && *in != ')') {
        const char *blank = SkipWhiteSpace(in);
        if (blank != in && (*blank == ')' || *blank == '\0')) {
            in = blank;
            break;
        }
        while (in != blank)
            *++out = *in++;
        if (*in == '\\' && in[1] != '\0')
            *++out = *in++;
        *++out = *in++;
    }
    last_ = out;
    Publish(last_);
    if (*in == ')') {
        Put(')');
        ++in;
    }
    read_ = in;
}

void CssPass::CopyLiteral(char quote) {
    if (FoldsOnto(quote)) {
        last_ -= 2;
        Publish(last_);
    } else {
        Put(quote);
    }
    ++read_;
    CopyLiteralBody(quote);
}

// "'a' + 'b'" was written as "'a'+" so far; the new literal can continue the
// old one when both use the same quote. The quote in front of "+" must be one
// this pass wrote to close a literal: the byte before the text may be a quote
// too, and folding onto it would move the cursor out of the buffer.
bool CssPass::FoldsOnto(char quote) const {
    return L() == '+' && literalEnd_ != nullptr && literalEnd_ + 1 == last_ &&
           *literalEnd_ == quote && !JoinSpellsEndTag(text_, literalEnd_, read_ + 1, "</style");
}

// A backslash escapes the character after it, so "'a\\'" ends at its last
// quote while "'a\'b'" does not end at the middle one.
void CssPass::CopyLiteralBody(char quote) {
    if (CopyQuotedBody(read_, last_, progress_, quote)) {
        Put(quote);
        ++read_;
        literalEnd_ = last_;
    } else {
        literalOpen_ = true;
    }
}

bool CssPass::CommentStartsHere() const {
    return removeComments_ && L() != ':' && L() != '(' && (read_[1] == '*' || read_[1] == '/');
}

// A final semicolon is not needed, unless it belongs to an unclosed literal.
void CssPass::Finish() {
    if (L() != ';' || last_ < text_ || literalOpen_)
        ++last_;
    Publish(last_);
}

// The pass is compiled whole once per scan path, every step inlined
// (flatten): the path is chosen once per text rather than once per run, the
// run copy's constants stay in registers, and the AVX2 pass, compiled for
// AVX2 as a whole, can inline a copy that a call per run would make slower
// than the SSE2 one. Each takes the pass by value: as the pass's own copy,
// which no byte written to the text can alias, the compiler keeps the read
// and write cursors and the like in registers instead of loading them again
// after every byte stored.
__attribute__((flatten)) void RunScalar(CssPass pass) { pass.Run<ScanPath::kScalar>(); }

#ifdef CRV_VECTOR_SCAN
__attribute__((flatten)) void RunSse2(CssPass pass) { pass.Run<ScanPath::kSse2>(); }
__attribute__((target("avx2"), flatten)) void RunAvx2(CssPass pass) {
    pass.Run<ScanPath::kAvx2>();
}
#endif

void RunPass(CssPass pass) {
#ifdef CRV_VECTOR_SCAN
    switch (ActiveScanPath()) {
    case ScanPath::kAvx2:
        return RunAvx2(pass);
    case ScanPath::kSse2:
        return RunSse2(pass);
    default:
        break;
    }
#endif
    RunScalar(pass);
}

} // namespace

void CompressCss(char *text, Placement placement, ProgressCursor progress) {
    RunPass(CssPass(text, placement, true, progress));
}

void CompressCssDeclarations(char *text, ProgressCursor progress) {
    RunPass(CssPass(text, Placement::kAttributeValue, false, progress));
}

} // namespace crv
