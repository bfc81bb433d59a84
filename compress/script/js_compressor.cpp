// Script compression in one forward pass, writing over the text as it is read.
// Nothing is parsed: the character classes, two depth counters, a note per
// brace and bracket depth and a look at the words around decide where white
// space may go, which line breaks must stay (as one carriage return, since
// they may end a statement), where a semicolon is due after an object
// literal or function expression, and when two joined string literals can
// become one. Literals of every kind (strings, templates and regular
// expressions) are copied as they stand.
//
// What stands between the previous token and the next character where white
// space or a comment parted them in the text (a "gap"):
//
//   previous token          gap                      next: word  next: punctuation
//   ------------------------------------------------------------------------------
//   none (start of text)    any                      nothing     nothing
//   word, number, regex     space, or in brackets    space       nothing, but a space (1)
//   word, number, regex     line break (2)           CR          nothing, but a CR (1)(3)
//   ) ] . + - quote         space, or in brackets    nothing     nothing (4)
//   ) ] . + - quote         line break (2)           CR          nothing, but a CR (1)(3)
//   other punctuation       any                      nothing     nothing
//   "}" of an expression    the statement ends (5)   ";"         ";"
//
//   (1) where it keeps two tokens apart: a "." behind a number of digits only
//       ("1 .x") and a sign behind the same sign ("a+\r+b").
//   (2) at statement level: inside brackets a line break counts as a space.
//   (3) and where the line break ends the statement before the next
//       character (LineBreakStays: "return" CR "(x)", "a" CR "++b").
//   (4) a sign behind the same sign gets a space as it is copied ("a+ +b"),
//       since a comment dropped inside a token can part them too.
//   (5) behind an object literal or function expression (EndExpressionBrace)
//       where a quote follows, or a line break and then what starts a
//       statement ("x = {}" LF "b" gives "x={};b"; "x = {}" LF "(y)" calls),
//       and only where the gap leaves room for the ";".
//
// "Word" is every character that is not punctuation, "`" "#" "@" "^" among
// them. A ";" right before "}" or at the end goes unless it is a statement's
// whole body ("for (;;);"), and so does a last CR. kSeparators below is the
// table, ChooseSeparator the footnotes.
#include "compress/script/js_compressor.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

#include "compress/ascii_class.h"
#include "compress/script/char_class.h"
#include "compress/script/js_run_scan.h"
#include "compress/script/js_run_stops.h"
#include "compress/script/js_scan.h"
#include "compress/script/text_scan.h"

namespace crv {
namespace {

// The old-browser wrapper: "<!--" opens the script and "//-->" closes it.
constexpr std::string_view kWrapperOpen = "<!--";
constexpr std::string_view kWrapperClose = "//-->";

// The keywords of function and class expressions, whose bodies in braces
// end an expression.
constexpr std::string_view kFunction = "function";
constexpr std::string_view kAsync = "async";
constexpr std::string_view kClass = "class";

// An operand, never an operator, follows these words: a "/" behind one of
// them opens a regular expression, a "{" an object literal, and "function" a
// function expression.
constexpr std::array<std::string_view, 11> kOperandKeywords = {
    "return", "typeof", "case", "in", "instanceof", "new",
    "delete", "void", "throw", "yield", "await"};

// A statement follows these words, which may start with a regular expression.
constexpr std::array<std::string_view, 2> kStatementKeywords = {"do", "else"};

// A "{" behind these opens an export clause or an exported object, which a
// line break ends as it ends an expression.
constexpr std::array<std::string_view, 2> kExportKeywords = {"export", "default"};

// A "{" behind these, or behind the parentheses after the first six, opens
// the block of a statement.
constexpr std::array<std::string_view, 10> kBlockKeywords = {
    "if", "for", "while", "with", "switch", "catch", "else", "do", "try", "finally"};

// A ";" right behind the head of these statements ("for (;;);") is their
// whole body, which they cannot do without.
constexpr std::array<std::string_view, 4> kHeadsWithBody = {"if", "for", "while", "with"};

// A line break behind these words ends the statement, whatever follows.
constexpr std::array<std::string_view, 5> kLineEndsStatement = {"return", "break", "continue",
                                                               "yield", "throw"};

// Words that go on with an expression from the next line, as operators.
constexpr std::array<std::string_view, 2> kWordOperators = {"in", "instanceof"};

// Brace and bracket depths are counted in a byte, wrapping: nesting deeper
// than this shares its notes with a shallower depth, which can cost a
// separator or a ";" in such text, never the rest of the text.
using Depth = std::uint8_t;
constexpr std::size_t kDepthLimit = 256;
static_assert(kDepthLimit == std::size_t{1} << (8 * sizeof(Depth)));

// The kind of the last token written, which decides what a gap behind it
// becomes.
enum class TokenKind : std::uint8_t {
    kNone,        // nothing written yet
    kWord,        // names, keywords, numbers, regular expressions
    kLineEnder,   // punctuation that can end a statement: ) ] . + - quotes
    kPunctuation, // the rest of the punctuation
};

// A line break at statement level, or a gap that counts as a space.
// Made from a bool: kLineBreak is true.
enum class Gap : std::uint8_t { kSpace = 0, kLineBreak = 1 };

enum class Separator : std::uint8_t {
    kNothing,
    kSpace,
    kReturn,
    kSpaceWhereNeeded,  // footnote (1)
    kReturnWhereNeeded, // footnotes (1) and (3)
};

struct SeparatorRule {
    Separator beforeWord;
    Separator beforePunctuation;
};

// Indexed by TokenKind and Gap: the table at the top of the file.
constexpr std::array<std::array<SeparatorRule, 2>, 4> kSeparators = {{
    {{{Separator::kNothing, Separator::kNothing}, {Separator::kNothing, Separator::kNothing}}},
    {{{Separator::kSpace, Separator::kSpaceWhereNeeded},
      {Separator::kReturn, Separator::kReturnWhereNeeded}}},
    {{{Separator::kNothing, Separator::kNothing},
      {Separator::kReturn, Separator::kReturnWhereNeeded}}},
    {{{Separator::kNothing, Separator::kNothing}, {Separator::kNothing, Separator::kNothing}}},
}};

// Each separator but kReturnWhereNeeded, settled by whether the tokens
// must be kept apart: a lookup, where a branch would be a guess per gap.
constexpr std::array<std::array<Separator, 2>, 4> kSettledSeparators = {{
    {Separator::kNothing, Separator::kNothing},
    {Separator::kSpace, Separator::kSpace},
    {Separator::kReturn, Separator::kReturn},
    {Separator::kNothing, Separator::kSpace},
}};

// What each separator writes; kNothing writes its byte where the cursor
// does not follow.
constexpr std::array<char, 3> kSeparatorChars = {' ', ' ', '\r'};

// The kind of token that ends with a character, a regular expression aside.
constexpr std::array<TokenKind, 256> MakeTokenKinds() {
    std::array<TokenKind, 256> kinds{};
    for (std::size_t c = 0; c < kinds.size(); ++c) {
        std::uint8_t classes = kScriptClass[c];
        kinds[c] = (classes & kScriptLineEnder) != 0     ? TokenKind::kLineEnder
                   : (classes & kScriptPunctuation) != 0 ? TokenKind::kPunctuation
                                                         : TokenKind::kWord;
    }
    return kinds;
}
constexpr std::array<TokenKind, 256> kTokenKinds = MakeTokenKinds();

// "${" substitutions nested deeper than this inside template literals are
// not followed: the rest of the text is then copied as it stands.
constexpr std::size_t kTemplateNesting = 16;

// The scan that finds the end of a run looks for RunStops, which must be
// the bytes of kScriptRunStop, no more and no fewer.
constexpr bool RunStopsMatchTheirClass() {
    for (int code = 0; code < 256; ++code) {
        auto c = static_cast<char>(code);
        if (RunStops::Has(c) != HasScriptClass(c, kScriptRunStop))
            return false;
    }
    return true;
}
static_assert(RunStopsMatchTheirClass());

// What ends the body of a string literal, or interrupts its copy.
using ApostropheStops = ScriptByteSet<'\0', '\'', '\\'>;
using QuoteStops = ScriptByteSet<'\0', '"', '\\'>;

// Kept runs up to this long move with one fixed-size copy.
constexpr std::ptrdiff_t kMoveBlock = 32;

// Where a whole block can no longer be read from: the first byte that has
// fewer than kMoveBlock bytes in front of the end; text itself where none has
// as many.
const char *BlockMoveEnd(const char *text, const char *end) {
    return end - text >= kMoveBlock ? end - (kMoveBlock - 1) : text;
}

// Writes the kept run [from, to) behind last and returns the new last
// character written. Once the output trails the input by more than a
// block, which it soon does, a short run moves as one whole block, with no
// branch on its length: the bytes the block carries past the run land on
// input already read in front of from (later output overwrites them), and
// the byte right before from, which CopySign reads, is left alone. Before
// that the run moves byte for byte, forward, which an overlap allows. The
// whole block is read only in front of moveEnd (BlockMoveEnd).
char *MoveRunChecked(char *last, const char *from, const char *to, const char *moveEnd) {
    const std::ptrdiff_t length = to - from;
    char *out = last + 1;
    if (length <= kMoveBlock && from - out > kMoveBlock && from < moveEnd) {
        std::memcpy(out, from, kMoveBlock);
    } else if (length > kMoveBlock) {
        std::memmove(out, from, static_cast<std::size_t>(length));
    } else {
        for (std::ptrdiff_t at = 0; at < length; ++at)
            out[at] = from[at];
    }
    return last + length;
}

// What may follow a gap that the token copy settles (see SettleLoneSpace):
// not white space, the end, a "/" that may open a comment, nor a "." that a
// number may take as its fraction.
constexpr ClassTable MakeSettlesAfterGap() {
    ClassTable table{};
    for (int code = 0; code < 256; ++code)
        table[static_cast<std::size_t>(code)] = 1;
    for (char c : {'\0', '\t', '\n', '\r', ' ', '/', '.'})
        table[static_cast<unsigned char>(c)] = 0;
    return table;
}
constexpr ClassTable kSettlesAfterGap = MakeSettlesAfterGap();

// What may follow the gap behind punctuation that DropGapBehindPunctuation
// settles: as kSettlesAfterGap, but for a "-", which may start a "-->"
// comment behind a line break.
constexpr ClassTable MakeSettlesBehindPunctuation() {
    ClassTable table = MakeSettlesAfterGap();
    table[static_cast<unsigned char>('-')] = 0;
    return table;
}
constexpr ClassTable kSettlesBehindPunctuation = MakeSettlesBehindPunctuation();

bool SettlesBehindPunctuation(char c) {
    return kSettlesBehindPunctuation[static_cast<unsigned char>(c)] != 0;
}

// What a lone space settles into, by the byte behind it, from one lookup:
// kLeftToSeparate where kSettlesAfterGap says no; else a word in front keeps
// the space where the kBeforeWord bit is set, before no punctuation.
enum LoneSpaceNext : std::uint8_t {
    kLeftToSeparate = 0,
    kSettles = 1 << 0,
    kBeforeWord = 1 << 1,
};

constexpr ClassTable MakeLoneSpaceNext() {
    ClassTable table{};
    for (int code = 0; code < 256; ++code) {
        auto c = static_cast<char>(code);
        if (kSettlesAfterGap[static_cast<std::size_t>(code)] != 0)
            table[static_cast<std::size_t>(code)] =
                IsScriptPunctuation(c) ? kSettles : kSettles | kBeforeWord;
    }
    return table;
}
constexpr ClassTable kLoneSpaceNext = MakeLoneSpaceNext();

// Per character: the letter in front of it where it ends "function" or
// "class" ("o" before "n", "s" before "s"), else zero, which no character
// written is. One lookup of the last character and one compare tell
// whether the output ends as those words do.
constexpr ClassTable MakeBodyKeywordLetterBefore() {
    ClassTable table{};
    table[static_cast<unsigned char>('n')] = static_cast<unsigned char>('o');
    table[static_cast<unsigned char>('s')] = static_cast<unsigned char>('s');
    return table;
}
constexpr ClassTable kBodyKeywordLetterBefore = MakeBodyKeywordLetterBefore();

bool IsSign(char c) { return c == '+' || c == '-'; }
bool IsQuote(char c) { return c == '"' || c == '\''; }

// Whether the text at next starts a statement of its own behind a line
// break that ends an operand: "!", "~", "++", "--" and quotes cannot go on
// with an expression, so the line break ended it.
bool StartsStatement(const char *next) {
    char c = *next;
    return IsQuote(c) || c == '~' || (c == '!' && next[1] != '=') || (IsSign(c) && next[1] == c);
}

// U+2028 and U+2029 end a line as LF does: they end a line comment, and in
// a block comment they count for the rules that need a line break. In UTF-8
// they are E2 80 A8 and E2 80 A9; in is zero-terminated past the lead byte.
// The searches below are kept out of line: inlined into every pass they cost
// the hot loop more than the calls do.
bool IsLineSeparatorAt(const char *in) {
    return in[0] == '\xE2' && in[1] == '\x80' && (in[2] == '\xA8' || in[2] == '\xA9');
}

__attribute__((noinline)) bool HasLineBreak(const char *begin, const char *end) {
    auto size = static_cast<std::size_t>(end - begin);
    if (std::memchr(begin, '\n', size) != nullptr || std::memchr(begin, '\r', size) != nullptr)
        return true;
    for (const char *lead = begin; lead + 2 < end; ++lead) {
        const auto rest = static_cast<std::size_t>(end - lead);
        lead = static_cast<const char *>(std::memchr(lead, '\xE2', rest));
        if (lead == nullptr)
            return false;
        if (IsLineSeparatorAt(lead))
            return true;
    }
    return false;
}

// The line terminator that ends the line comment at in, or the zero byte;
// both unread.
__attribute__((noinline)) const char *SkipToScriptLineEnd(const char *in) {
    constexpr const char *kStops = "\r\n\xE2";
    in += std::strcspn(in, kStops);
    while (*in == '\xE2' && !IsLineSeparatorAt(in))
        in += 1 + std::strcspn(in + 1, kStops);
    return in;
}

bool StartsWrapperOpen(const char *in) {
    return std::strncmp(in, kWrapperOpen.data(), kWrapperOpen.size()) == 0;
}

// A browser reads "-->" as a line comment where only white space and
// comments stand in front of it on its line, as at the end of an
// old-browser wrapper written without its "//". Anywhere else it is "--"
// and ">".
bool StartsLineCloseComment(const char *in) { return std::strncmp(in, "-->", 3) == 0; }

// Whether the text at slash spells "/script", in any case.
bool SpellsScriptEndName(const char *slash) {
    constexpr std::string_view kName = "/script";
    for (std::size_t i = 0; i < kName.size(); ++i) {
        if (LowerAsciiLetter(slash[i]) != kName[i])
            return false;
    }
    return true;
}

bool IsOneOf(std::string_view word, std::span<const std::string_view> words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

// What a "{" opened, as far as the "}" that closes it needs to know: whether
// it ends an expression, which a line break behind it may end the statement
// of, whether that expression is an arrow function, which nothing but a
// list, a bracket or a condition's ":" can go on with, and whether it is the
// body of "do", whose "while" head takes no body of its own.
enum class Brace : std::uint8_t { kBlock, kExpression, kArrowBody, kDoBody };

// Where the copy of a template literal stands: how many templates and "${"
// substitutions are open, how many braces each substitution has open, and
// the last character copied that was neither white space nor a comment,
// which decides whether a "/" in a substitution opens a regular expression.
struct TemplateNesting {
    std::array<std::uint32_t, kTemplateNesting> braces{};
    std::size_t substitutions = 0;
    std::size_t templates = 1;
    const char *lastToken = nullptr;

    bool InText() const { return templates > substitutions; }
};

template <ScanPath kPath>
class JsPass {
  public:
    JsPass(char *text, Placement placement, const CompressOptions &options,
           ProgressCursor progress)
        : text_(text), end_(text + std::strlen(text)), moveEnd_(BlockMoveEnd(text_, end_)),
          blockMovesBefore_(text), read_(text), last_(text - 1),
          progress_(progress),
          hideScripts_(options.hideScripts), removeComments_(placement == Placement::kDocument) {}

    void Run();

  private:
    char LastWritten() const { return *last_; }
    bool Wrote() const { return last_ >= text_; }
    void Publish() { progress_.Publish(last_); }
    void CheckWritePosition() const { assert(last_ < read_); }
    void Put(char c);
    void PutWord(std::string_view word);
    void TakeBack();
    void Insert(char c);
    void CopyChar() { Put(*read_++); }
    void MoveRun(const char *to);
    void CopyUpTo(const char *end);
    void CopyRest();

    void SkipWrapperLine();
    bool Separate();
    void WriteSeparator(Separator separator);
    TokenKind LastTokenKind() const;
    Separator ChooseSeparator(Gap gap, char next) const;
    bool KeepsApart(char next) const;
    bool AtStatementLevel() const { return brackets_ == bracketsAtBrace_[braces_]; }

    void CopyToken();
    bool SettleLoneSpace();
    bool DropGapBehindPunctuation();
    void CopyPlainRun();
    bool CopyStop(char c);
    bool CopySpecial(char c);
    void OpenBrace();
    void CloseBrace();
    bool DoBefore() const;
    bool LineBreakStays(char next) const;
    bool LineBreakEndsBeforeBlock() const;
    bool OpensHead(const char *paren) const;
    bool SemicolonIsBody() const;
    bool OpensHeadWithBody(const char *paren) const;
    bool NumberNeedsSeparator() const;
    void CopySign(char c);
    void CopyLessThan();

    bool OperandDue(const char *before) const;
    bool EndsLabel(const char *colon) const;
    void NoteFunction();
    bool EndsLikeBodyKeyword() const;
    void NoteKeyword(const char *gap);
    bool ClassExpressionBefore(const char *end) const;
    const char *FunctionKeywordBefore() const;
    const char *FunctionKeyword(const char *name, const char *paren) const;
    const char *AsyncStart(const char *keyword) const;
    void EndExpressionBrace(Brace brace);
    static const char *SkipGap(const char *in, bool &lineBreak, bool comments,
                               bool wrapperLines);
    static bool StatementEndsBefore(const char *next, bool lineBreak, Brace brace);

    const char *WordStart(const char *end) const;
    bool EndsWithWord(const char *end, std::string_view word) const;
    std::string_view WordBefore(const char *end) const;
    bool OperandWordBefore(const char *end) const;

    void CopyString(char quote);
    bool CopyStringBody(char quote);
    template <class Stops>
    bool CopyStringBody(Stops &stops);
    bool FoldsOnto(char quote) const;
    void CopyTemplate();
    void CopyTemplateText(TemplateNesting &nesting);
    void CopySubstitution(TemplateNesting &nesting);
    void SubstitutionSlash(TemplateNesting &nesting);

    void Slash();
    void CopyRestBehindLineComment();
    bool LineEndFollows() const;
    bool StartsComment() const;
    bool OpensRegex() const;
    bool EndsHeadWithBody() const;
    bool LastParenClosesHeadWithBody() const;
    bool RegexFollows(const char *last) const;
    void CopyRegex();

    void Finish();

    char *const text_;
    const char *const end_; // the zero byte
    const char *const moveEnd_; // runs starting here on are too near end_ to move as a block
    // A short run starting in front of this moves as a whole block with no
    // other test (see MoveRun): moveEnd_ while the output is known to trail
    // the input by more than a block, else the start of the text.
    const char *blockMovesBefore_;
    const char *read_;
    char *last_; // the last character written
    const ProgressCursor progress_;
    const bool hideScripts_;
    const char *literalStart_ = nullptr; // opening quote of the last string written
    const char *literalEnd_ = nullptr;   // its closing quote
    const char *regexEnd_ = nullptr;     // closing "/" of the last regular expression written
    const char *functionName_ = nullptr; // where a name goes behind the last "function" written
    const char *closedParen_ = nullptr;  // the "(" that the last ")" closed
    const char *doBodyEnd_ = nullptr;    // the "}" of the last "do" body written
    // Per brace depth: what the "{" opened. Behind the "}" of an object
    // literal or a function's body in an expression a ";" may be due.
    std::array<Brace, kDepthLimit> brace_{};
    // Per bracket depth: a function or class expression started there, so
    // the next "{" at that depth opens its body.
    std::array<bool, kDepthLimit> bodyDue_{};
    std::array<const char *, kDepthLimit> openParen_{}; // per bracket depth: the last "(" written
    std::array<Depth, kDepthLimit> bracketsAtBrace_{}; // bracket depth where that brace opened
    Depth brackets_ = 0; // parentheses and square brackets
    Depth braces_ = 0;
    TokenKind previous_ = TokenKind::kNone; // the last token written, set once per token
    // Only in a document do comments go and may "<" open an old-browser
    // wrapper; an attribute value keeps both as text.
    const bool removeComments_;
    bool wrapper_ = false;      // "//-->" is due at the end
    // The last character written stays: the text ended inside a literal, or
    // its rest behind a kept line comment was copied as it stands.
    bool lastStays_ = false;
    // Where runs, gaps and the bodies of string literals end, found a block
    // at a time.
    RunScan<RunStops, kPath> runs_;
    BlockScan<ApostropheStops, kPath> apostropheStops_;
    BlockScan<QuoteStops, kPath> quoteStops_;
};

template <ScanPath kPath>
void JsPass<kPath>::Put(char c) {
    *++last_ = c;
    CheckWritePosition();
    Publish();
}

// A character the text does not hold there brings the output one nearer
// the input, so the distance a block move needs is proven anew.
template <ScanPath kPath>
void JsPass<kPath>::Insert(char c) {
    blockMovesBefore_ = text_;
    Put(c);
}

template <ScanPath kPath>
void JsPass<kPath>::PutWord(std::string_view word) {
    for (char c : word)
        Insert(c);
}

// Moves the kept run [read_, to) behind the output. Every step of the pass
// writes at most as many characters as it reads, but for Insert, so once
// the output trails the input by more than a block it stays so until an
// Insert: proven then, in the checked move, the test per run is the
// distance to the end alone. Short runs are most runs, and the block move
// is laid out where the run's code falls through to it.
template <ScanPath kPath>
void JsPass<kPath>::MoveRun(const char *to) {
    const char *from = read_;
    const std::ptrdiff_t length = to - from;
    char *out = last_ + 1;
    if (length <= kMoveBlock && from < blockMovesBefore_) [[likely]] {
        assert(from - out > kMoveBlock);
        std::memcpy(out, from, kMoveBlock);
        last_ += length;
    } else {
        if (from - out > kMoveBlock)
            blockMovesBefore_ = moveEnd_;
        last_ = MoveRunChecked(last_, from, to, moveEnd_);
    }
    read_ = to;
    CheckWritePosition();
}

template <ScanPath kPath>
void JsPass<kPath>::TakeBack() {
    --last_;
    Publish();
}

template <ScanPath kPath>
void JsPass<kPath>::CopyUpTo(const char *end) {
    while (read_ < end)
        CopyChar();
}

template <ScanPath kPath>
void JsPass<kPath>::CopyRest() {
    while (*read_ != '\0')
        CopyChar();
}

template <ScanPath kPath>
void JsPass<kPath>::Run() {
    Publish();
    read_ = SkipWhiteSpace(read_);
    if (*read_ == '<' && removeComments_)
        SkipWrapperLine();
    do
        CopyToken();
    while (Separate());
    Finish();
}

// The first line of an old-browser wrapper goes, whatever follows its "<".
// Only a script element has one: in an attribute value (comments kept) "<"
// and "<!--" are ordinary text.
// With hideScripts a bare "<!--" stands for it, where that fits in front of
// the line's end: it must not overwrite the unread text behind.
template <ScanPath kPath>
void JsPass<kPath>::SkipWrapperLine() {
    read_ = SkipToScriptLineEnd(read_);
    wrapper_ = hideScripts_;
    if (wrapper_ && text_ + kWrapperOpen.size() <= read_)
        PutWord(kWrapperOpen);
}

// The white-space run at read_, with the comments in it, is the gap that
// becomes what the table at the top of the file says. A line break inside a
// comment counts. Brackets are counted from the innermost brace, so a
// function body in an argument list is at statement level again. Returns
// false at the end of the text.
template <ScanPath kPath>
bool JsPass<kPath>::Separate() {
    bool lineBreak = false;
    read_ = runs_.SkipWhiteSpace(read_, end_, lineBreak);
    if ((*read_ == '/') | (lineBreak & (*read_ == '-')))
        read_ = SkipGap(read_, lineBreak, removeComments_, removeComments_);
    if (*read_ == '\0')
        return false;
    if (EndsLikeBodyKeyword() & (previous_ == TokenKind::kWord))
        NoteKeyword(last_ + 1);
    // Whether a line break stood in the gap is as good as a coin toss: no
    // branch on it.
    Gap gap = static_cast<Gap>(lineBreak & AtStatementLevel());
    WriteSeparator(ChooseSeparator(gap, *read_));
    return true;
}

// The gap held a character at least, so the byte behind the output is read
// input, which takes the separator's byte whether the cursor moves onto it
// or not: no branch on which of the three it is.
template <ScanPath kPath>
void JsPass<kPath>::WriteSeparator(Separator separator) {
    assert(last_ + 1 < read_);
    last_[1] = kSeparatorChars[static_cast<std::size_t>(separator)];
    last_ += separator != Separator::kNothing;
    CheckWritePosition();
    Publish();
}

// A regular expression ends like a word: "/a/ in b" must not spell flags.
template <ScanPath kPath>
TokenKind JsPass<kPath>::LastTokenKind() const {
    TokenKind kind = kTokenKinds[static_cast<unsigned char>(LastWritten())];
    if (last_ == regexEnd_)
        kind = TokenKind::kWord;
    return Wrote() ? kind : TokenKind::kNone;
}

// The table's entry for the gap in front of next, with its footnotes
// settled: kNothing, kSpace or kReturn.
template <ScanPath kPath>
Separator JsPass<kPath>::ChooseSeparator(Gap gap, char next) const {
    const SeparatorRule &rule =
        kSeparators[static_cast<std::size_t>(previous_)][static_cast<std::size_t>(gap)];
    Separator separator = IsScriptPunctuation(next) ? rule.beforePunctuation : rule.beforeWord;
    bool apart = (next == '.' || IsSign(next)) && KeepsApart(next);
    if (separator == Separator::kReturnWhereNeeded)
        return apart || LineBreakStays(next) ? Separator::kReturn : Separator::kNothing;
    return kSettledSeparators[static_cast<std::size_t>(separator)][apart];
}

// Footnote (1): "1 .x" is not "1.x", and "a+ +b" is not "a++b".
template <ScanPath kPath>
bool JsPass<kPath>::KeepsApart(char next) const {
    return (next == '.' && NumberNeedsSeparator()) || (IsSign(next) && LastWritten() == next);
}

// A token runs up to white space or the end; what stands between it and the
// previous one is settled, so most punctuation is copied as it stands: only
// brackets, braces, signs, quotes, "/" and "<" need a look.
template <ScanPath kPath>
void JsPass<kPath>::CopyToken() {
    do
        CopyPlainRun();
    while (CopyStop(*read_));
    previous_ = LastTokenKind();
}

// Most gaps are one space between two tokens on a line ("a = b", "var x"),
// and the table settles such a gap from the two characters around it
// alone: a space between two words, else nothing. Settled here, it costs a
// test instead of a way out of the token through Separate and back. Left
// to Separate: a gap before a "." (footnote (1)), a comment or the end, and
// longer gaps but those DropGapBehindPunctuation settles.
template <ScanPath kPath>
bool JsPass<kPath>::SettleLoneSpace() {
    const std::uint8_t next = kLoneSpaceNext[static_cast<unsigned char>(read_[1])];
    if (next == kLeftToSeparate)
        return false;
    const TokenKind kind = LastTokenKind();
    if (EndsLikeBodyKeyword() & (kind == TokenKind::kWord))
        NoteKeyword(last_ + 1);
    // A word in front keeps the space about half the time: no branch on it.
    const bool keep = (kind == TokenKind::kWord) & ((next & kBeforeWord) != 0);
    // The space stands in the text at read_, at or behind last_ + 1.
    last_[1] = ' ';
    last_ += keep;
    ++read_;
    CheckWritePosition();
    return true;
}

// Behind punctuation that is no line ender (as at the end of most lines:
// ";", "{", ",") a gap goes, line breaks and all, whatever follows it but a
// comment or the end; it is settled on the spot, as a lone space is. A "-"
// may start a "-->" comment on a new line, which Separate looks for; it
// seldom follows such a gap, and to leave it to Separate on every line saves
// telling line breaks here.
template <ScanPath kPath>
bool JsPass<kPath>::DropGapBehindPunctuation() {
    if (LastTokenKind() != TokenKind::kPunctuation)
        return false;
    bool lineBreak = false;
    const char *next = runs_.SkipWhiteSpace(read_, end_, lineBreak);
    if (!SettlesBehindPunctuation(*next))
        return false;
    read_ = next;
    return true;
}

// The hot loop. The cursor is published once for the run: no other thread
// can tell that from a store per character.
template <ScanPath kPath>
void JsPass<kPath>::CopyPlainRun() {
    MoveRun(runs_.NextStop(read_, end_));
    Publish();
}

// Copies or settles the stop c that ended a run. White space and the end
// of the text end the token (returns false there), but for the gaps settled
// on the spot. The space, nearly half of all stops, has a branch of its own
// in front of the switch, which costs fewer instructions than the range test
// and the jump through a table.
template <ScanPath kPath>
bool JsPass<kPath>::CopyStop(char c) {
    if (c == ' ')
        return SettleLoneSpace() || DropGapBehindPunctuation();
    return CopySpecial(c);
}

// One branch on the character picks all of its work: what it opens or
// closes is noted before it is written, what it starts behind.
template <ScanPath kPath>
bool JsPass<kPath>::CopySpecial(char c) {
    switch (c) {
    case '\t':
    case '\n':
    case '\r':
        return DropGapBehindPunctuation();
    case '\0':
        return false;
    case '(':
        ++brackets_;
        CopyChar();
        openParen_[brackets_] = last_;
        NoteFunction();
        break;
    case '[':
        ++brackets_;
        CopyChar();
        break;
    case ')':
        closedParen_ = openParen_[brackets_--];
        CopyChar();
        break;
    case ']':
        --brackets_;
        CopyChar();
        break;
    case '{':
        OpenBrace();
        CopyChar();
        break;
    case '}':
        CloseBrace();
        break;
    case '+':
    case '-':
        CopySign(c);
        break;
    case '*':
        CopyChar();
        NoteKeyword(last_);
        break;
    case '"':
    case '\'':
        CopyString(c);
        break;
    case '`':
        CopyTemplate();
        break;
    case '/':
        // A comment that goes is a gap, as white space is: it ends the
        // token, so "return/**/x" keeps its words apart and a line break
        // inside it still ends a statement.
        if (removeComments_ && StartsComment())
            return false;
        Slash();
        break;
    default:
        assert(c == '<');
        if (!StartsWrapperOpen(read_))
            CopyLessThan();
        else if (removeComments_)
            read_ = SkipToScriptLineEnd(read_);
        else if (LineEndFollows())
            CopyRestBehindLineComment();
        else
            CopyUpTo(read_ + kWrapperOpen.size());
        break;
    }
    return true;
}

// A carriage return that ends the statement before the "{" may be the last
// character written.
template <ScanPath kPath>
void JsPass<kPath>::OpenBrace() {
    bool body =
        bodyDue_[brackets_] || (LastWritten() == 's' && ClassExpressionBefore(last_ + 1));
    bool arrow = Wrote() && LastWritten() == '>' && last_[-1] == '=';
    bool expression = body || OperandDue(last_);
    brace_[braces_] = arrow        ? Brace::kArrowBody
                      : expression ? Brace::kExpression
                      : DoBefore() ? Brace::kDoBody
                                   : Brace::kBlock;
    bodyDue_[brackets_] = false;
    ++braces_;
    bracketsAtBrace_[braces_] = brackets_;
}

// Whether the output ends with "do", maybe behind a separator.
template <ScanPath kPath>
bool JsPass<kPath>::DoBefore() const {
    if (!Wrote())
        return false;
    const char *end = IsWhiteSpace(LastWritten()) ? last_ : last_ + 1;
    return end[-1] == 'o' && WordBefore(end) == "do";
}

// Whether the token last written is a number of digits only, which a "."
// right behind would give a fraction ("1 .x" is not "1.x"). A fraction, an
// exponent, a hexadecimal or a big integer takes no further ".", so "1.5 .x"
// and "0x1 .x" lose the space; "...1 .x" is a spread, not a fraction.
template <ScanPath kPath>
bool JsPass<kPath>::NumberNeedsSeparator() const {
    const char *end = last_ + 1;
    const char *start = WordStart(end);
    const char *dot = start - 1;
    bool fraction = dot >= text_ && *dot == '.' && !(dot > text_ && dot[-1] == '.');
    if (start == end || !IsDigit(*start) || fraction)
        return false;
    return std::all_of(start, end, [](char c) { return IsDigit(c) || c == '_'; });
}

// Whether a line break behind the output must stay in front of next, as the
// end of the statement before it. "}" and ";" end that statement anyway.
// "return" and its like end at a line break whatever follows ("return" LF
// "(x)"); an operand ends there where a statement starts behind ("a" LF
// "++b"), unless a lone sign before the line break carries the expression
// on ("a +" LF "'b'"). A carriage return kept needlessly costs a byte, never
// a meaning: a line break stood there.
template <ScanPath kPath>
bool JsPass<kPath>::LineBreakStays(char next) const {
    if (next == '}' || next == ';')
        return false;
    if (IsOneOf(WordBefore(last_ + 1), kLineEndsStatement))
        return true;
    if (next == '{')
        return LineBreakEndsBeforeBlock();
    return StartsStatement(read_) && !(IsSign(last_[0]) && last_[-1] != last_[0]);
}

// Whether the line break behind the output ends a statement before a "{",
// which then opens a block of its own ("f()" LF "{"). It does not behind
// the head of a statement or function ("if (a)" LF "{", "else" LF "{"),
// whose block it opens, nor behind a lone sign, where it opens an object.
template <ScanPath kPath>
bool JsPass<kPath>::LineBreakEndsBeforeBlock() const {
    const char *before = last_;
    if (*before == ')')
        return closedParen_ == nullptr || !OpensHead(closedParen_);
    if (IsSign(*before))
        return before[-1] == *before;
    return !IsOneOf(WordBefore(last_ + 1), kBlockKeywords);
}

// Whether the "(" at paren opens the head of a statement ("if (") or the
// parameters of a function ("function f(").
template <ScanPath kPath>
bool JsPass<kPath>::OpensHead(const char *paren) const {
    return IsOneOf(WordBefore(paren), kBlockKeywords) ||
           FunctionKeyword(WordStart(paren), paren) != nullptr;
}

// Whether the ";" last written is the whole body of a statement, which must
// keep it even before a "}" or at the end: behind the head of "if", "for",
// "while" or "with", behind "else", or behind a label. A ";" behind other
// parentheses ends an expression ("f();}") and can go. The last ")" written
// is the one in front of the ";", so closedParen_ is its partner.
template <ScanPath kPath>
bool JsPass<kPath>::SemicolonIsBody() const {
    const char *before = last_ - 1;
    if (before < text_)
        return false;
    if (*before == ')')
        return LastParenClosesHeadWithBody();
    return *before == ':' || WordBefore(last_) == "else";
}

// Whether the "(" at paren opens the head of a statement whose body a lone
// ";" can be: "if (", "for (", "for await (", "while (", "with ("; not the
// "while (" that ends "do {...}".
template <ScanPath kPath>
bool JsPass<kPath>::OpensHeadWithBody(const char *paren) const {
    std::string_view word = WordBefore(paren);
    if (word == "while")
        return paren - word.size() - 1 != doBodyEnd_;
    if (word == "await") {
        const char *gap = paren - word.size() - 1;
        return gap >= text_ && *gap == ' ' && WordBefore(gap) == "for";
    }
    return IsOneOf(word, kHeadsWithBody);
}

// "a < /script/" must not become "a</script/": the page would end the
// script element there. The gap in between becomes a space; where there was
// none, the text spelled it already. Behind "<" an operand is due, so the
// "/" opens a regular expression.
template <ScanPath kPath>
void JsPass<kPath>::CopyLessThan() {
    CopyChar();
    bool lineBreak = false;
    const char *next = SkipGap(read_, lineBreak, removeComments_, removeComments_);
    if (next == read_ || !SpellsScriptEndName(next))
        return;
    last_[1] = ' ';
    ++last_;
    read_ = next;
    CheckWritePosition();
    CopyRegex();
    regexEnd_ = last_;
}

// Two signs that were apart in the text stay apart: "a + +b" gives "a+ +b".
// Nor may "<!" and "--" join ("a < !--b"): a browser reads "<!--" as the
// start of a line comment. The space takes the place of what stood between
// them; a "<!--" that stood whole in the text went as a comment or was
// copied whole (see CopySpecial), so something did.
template <ScanPath kPath>
void JsPass<kPath>::CopySign(char c) {
    const char last = LastWritten();
    if (last == c) {
        if (read_[-1] != c)
            Insert(' ');
    } else if (last == '!' && c == '-' && read_[1] == '-' && last_[-1] == '<') [[unlikely]] {
        Insert(' ');
    }
    CopyChar();
}

// A ";" in front of the "}" goes, unless it is a statement's whole body.
template <ScanPath kPath>
void JsPass<kPath>::CloseBrace() {
    --braces_;
    if (LastWritten() == ';' && Wrote() && !SemicolonIsBody())
        TakeBack();
    CopyChar();
    Brace brace = brace_[braces_];
    if (brace == Brace::kBlock)
        return;
    brace_[braces_] = Brace::kBlock;
    if (brace == Brace::kDoBody)
        doBodyEnd_ = last_;
    else
        EndExpressionBrace(brace);
}

// Whether an operand is due behind the output character at before, which
// makes a "{" there an object literal and "function" there a function
// expression rather than a block or a declaration. Operators, opening
// punctuation and the operand keywords call for one; "export" and "default"
// count with them (see kExportKeywords). Behind ";", "{", "}", ")", a label,
// other words and the start of the text a statement begins, and so it does
// behind a kept line break, unless a lone sign before it carries the
// expression on ("a +" LF "{}"). The byte in front of the text is a start
// tag's ">" or an attribute value's quote; only an "=" there is an operator.
template <ScanPath kPath>
bool JsPass<kPath>::OperandDue(const char *before) const {
    char c = *before;
    if (before < text_)
        return c == '=';
    if (HasScriptClass(c, kRegexFollows))
        return c == ':' ? !EndsLabel(before) : c != ';' && c != '{' && c != '}';
    if (c == ' ')
        return OperandWordBefore(before);
    if (c == '\r')
        return before > text_ && IsSign(before[-1]) && before[-2] != before[-1];
    return IsLetter(c) && OperandWordBefore(before + 1);
}

// Whether the ":" at colon ends a label ("done: {"): a name where a
// statement starts. Anything else before a ":" is a key, a case or the
// middle of a condition; of these only a case takes a block, which a ";"
// behind does no harm.
template <ScanPath kPath>
bool JsPass<kPath>::EndsLabel(const char *colon) const {
    const char *name = WordStart(colon);
    if (name == colon)
        return false;
    const char *before = name - 1;
    if (before < text_)
        return true;
    if (*before == ' ')
        return IsOneOf(WordBefore(before), kStatementKeywords);
    return std::string_view(";})\r").find(*before) != std::string_view::npos;
}

// A function expression's body is not known until its "{", so the bracket
// depth of its parameters is noted. Declarations are left alone: their "}"
// ends the statement by itself. Most "(" follow a name that no noted
// "function" stands before, and the last letter tells that "function" does
// not end there either.
template <ScanPath kPath>
void JsPass<kPath>::NoteFunction() {
    if (functionName_ == nullptr && last_[-1] != 'n' && last_[-1] != '*')
        return;
    const char *keyword = FunctionKeywordBefore();
    functionName_ = nullptr;
    if (keyword != nullptr && OperandDue(AsyncStart(keyword) - 1))
        bodyDue_[static_cast<Depth>(brackets_ - 1)] = true;
}

// Only a word that ends as "function" or "class" does, in "on" or "ss", can
// be a keyword NoteKeyword looks for; "return", "in" and "this" cannot.
// The test is made before the one branch on it, which is seldom taken,
// where a branch on either letter alone is a guess. With nothing written the
// two bytes looked at are the one in front of the text and its first, since
// the byte before that one may lie outside the buffer; the caller's test
// for a word in front then fails. A zero in front of the text passes this
// test, and NoteKeyword, which looks at the word itself, turns it away.
template <ScanPath kPath>
bool JsPass<kPath>::EndsLikeBodyKeyword() const {
    const char *last = std::max<const char *>(last_, text_);
    return kBodyKeywordLetterBefore[static_cast<unsigned char>(last[0])] ==
           static_cast<unsigned char>(last[-1]);
}

// The separator or "*" written at gap may follow a keyword that a body in
// braces comes after. Behind "function" may stand the name of a function,
// which is looked for at its "(" (this saves a search back over every name
// in front of a "("). Behind "class" in an operand's place comes a class
// expression, whose body is the next "{" at this bracket depth: an "extends"
// clause keeps any braces of its own in brackets. This runs behind every
// word, so the last letter is looked at first.
template <ScanPath kPath>
void JsPass<kPath>::NoteKeyword(const char *gap) {
    if (gap[-1] == 'n' && EndsWithWord(gap, kFunction))
        functionName_ = gap + 1;
    else if (gap[-1] == 's' && ClassExpressionBefore(gap))
        bodyDue_[brackets_] = true;
}

// Whether the output up to end ends with "class" where an operand is due.
template <ScanPath kPath>
bool JsPass<kPath>::ClassExpressionBefore(const char *end) const {
    return EndsWithWord(end, kClass) && OperandDue(end - kClass.size() - 1);
}

// Where "function" starts when the "(" just written opens a function's
// parameters; a name noted earlier is checked once, at the first "(" behind
// it. Null before any other "(".
template <ScanPath kPath>
const char *JsPass<kPath>::FunctionKeywordBefore() const {
    bool named = functionName_ != nullptr && functionName_ < last_;
    return FunctionKeyword(named ? functionName_ : last_, last_);
}

// Where "function" starts when the "(" at paren opens a function's
// parameters, with name where a name in front of the "(" would start. The
// output spells these "function(", "function*(", "function name(" and
// "function*name(". Null before any other "(".
template <ScanPath kPath>
const char *JsPass<kPath>::FunctionKeyword(const char *name, const char *paren) const {
    const char *end = paren[-1] == '*' ? paren - 1 : paren;
    if (EndsWithWord(end, kFunction))
        return end - kFunction.size();
    const char *gap = name - 1;
    bool named = name < paren && (*gap == '*' || IsWhiteSpace(*gap)) &&
                 EndsWithWord(gap, kFunction) && std::all_of(name, paren, IsScriptWordChar);
    return named ? gap - kFunction.size() : nullptr;
}

// Whether the output up to end ends with word, not as the tail of a longer
// name. The byte in front of the text may be read, never one further.
template <ScanPath kPath>
bool JsPass<kPath>::EndsWithWord(const char *end, std::string_view word) const {
    const char *start = end - word.size();
    return start >= text_ && end[-1] == word.back() &&
           std::string_view(start, word.size()) == word && !IsScriptWordChar(start[-1]);
}

// "async function" stands where "function" alone would.
template <ScanPath kPath>
const char *JsPass<kPath>::AsyncStart(const char *keyword) const {
    const char *gap = keyword - 1;
    bool async = keyword > text_ && *gap == ' ' && EndsWithWord(gap, kAsync);
    return async ? gap - kAsync.size() : keyword;
}

// The "}" of an object literal or function expression may end its statement
// where a line break follows, and the line break behind it is dropped, so a
// ";" says so. Comments are looked past, whether they go or stay. The ";"
// takes the place of the white space and comments behind the "}" (of the
// white space only, where comments stay) or of room the output has already
// given up; without either it is left out.
template <ScanPath kPath>
void JsPass<kPath>::EndExpressionBrace(Brace brace) {
    bool lineBreak = false;
    const char *next = SkipGap(read_, lineBreak, true, removeComments_);
    if (!StatementEndsBefore(next, lineBreak, brace))
        return;
    read_ = removeComments_ ? next : SkipWhiteSpace(read_);
    if (last_ + 1 < read_)
        Insert(';');
}

// The first character behind the white space at in, and behind the "<!--"
// lines and the "-->" lines among it, which the pass drops, and the
// comments, where asked; lineBreak is set where a line break stood in
// between, and tells on entry whether in starts a line.
template <ScanPath kPath>
const char *JsPass<kPath>::SkipGap(const char *in, bool &lineBreak, bool comments,
                            bool wrapperLines) {
    for (;;) {
        while (IsWhiteSpace(*in))
            lineBreak |= IsLineBreak(*in++);
        bool comment = comments && in[0] == '/' && (in[1] == '*' || in[1] == '/');
        if (comment && in[1] == '*') {
            const char *commentEnd = SkipBlockComment(in);
            lineBreak |= HasLineBreak(in, commentEnd);
            in = commentEnd;
        } else if (comment || (wrapperLines && ((in[0] == '<' && StartsWrapperOpen(in)) ||
                                                (lineBreak && StartsLineCloseComment(in))))) {
            in = SkipToScriptLineEnd(in);
        } else {
            return in;
        }
    }
}

// Whether the statement ends at a "}" with next behind it. A quote cannot go
// on with an expression, nor can what starts a statement on a later line (a
// block's "{" among it), nor a word or a private name ("#a", a class field)
// there, except the word operators. Other punctuation ("(x = {})", "a = {},
// b", "f = function(){}()"), a template (a tagged call) and a word on the
// same line ("{} instanceof X") go on with it, and at the end nothing is
// due. An arrow function ends at a line break before anything but "," ")"
// "]" "}" ";" ":" ("f = () => {}" LF "(x)").
template <ScanPath kPath>
bool JsPass<kPath>::StatementEndsBefore(const char *next, bool lineBreak, Brace brace) {
    if (IsQuote(*next))
        return true;
    if (!lineBreak)
        return false;
    if (brace == Brace::kArrowBody)
        return *next != '\0' && std::string_view(",)]};:").find(*next) == std::string_view::npos;
    if (StartsStatement(next) || *next == '{' || *next == '#')
        return true;
    if (!IsScriptWordChar(*next))
        return false;
    const char *end = next;
    while (IsScriptWordChar(*end))
        ++end;
    return !IsOneOf({next, static_cast<std::size_t>(end - next)}, kWordOperators);
}

// Where the word that ends at end starts; end itself where none does. Never
// goes in front of the text.
template <ScanPath kPath>
const char *JsPass<kPath>::WordStart(const char *end) const {
    while (end > text_ && IsScriptWordChar(end[-1]))
        --end;
    return end;
}

// The word that the output up to end ends with, where it may be a keyword:
// a word of its own, not a property ("x.in"). Empty otherwise.
template <ScanPath kPath>
std::string_view JsPass<kPath>::WordBefore(const char *end) const {
    if (end <= text_ || !IsLetter(end[-1]))
        return {};
    const char *start = WordStart(end);
    if (start[-1] == '.' || IsScriptWordChar(start[-1]))
        return {};
    return {start, static_cast<std::size_t>(end - start)};
}

// Whether the output up to end ends with a word behind which "{" opens no
// block and "function" starts no declaration.
template <ScanPath kPath>
bool JsPass<kPath>::OperandWordBefore(const char *end) const {
    std::string_view word = WordBefore(end);
    return !word.empty() && (IsOneOf(word, kOperandKeywords) || IsOneOf(word, kExportKeywords));
}

// Copies the body of a string literal up to the quote that ends it, which
// is left unread, or to the end of the text; returns whether the quote was
// found. A backslash escapes the character behind it, whatever it is.
template <ScanPath kPath>
bool JsPass<kPath>::CopyStringBody(char quote) {
    return quote == '\'' ? CopyStringBody(apostropheStops_) : CopyStringBody(quoteStops_);
}

template <ScanPath kPath>
template <class Stops>
bool JsPass<kPath>::CopyStringBody(Stops &stops) {
    for (;;) {
        MoveRun(stops.Next(read_, end_));
        if (*read_ != '\\')
            break;
        CopyChar();
        if (*read_ == '\0')
            break;
        CopyChar();
    }
    Publish();
    return *read_ != '\0';
}

template <ScanPath kPath>
void JsPass<kPath>::CopyString(char quote) {
    if (FoldsOnto(quote)) {
        last_ -= 2;
        Publish();
        ++read_;
    } else {
        CopyChar();
        literalStart_ = last_;
    }
    if (CopyStringBody(quote)) {
        CopyChar();
        literalEnd_ = last_;
    } else {
        lastStays_ = true;
    }
}

// "'a' + 'b'" has been written as "'a'+" so far; the new literal can carry on
// the old one. Not where an operator binds the first literal to what stands
// before it ("1 - '2' + '3'", "!'a' + 'b'"), or a word may ("typeof 'a' +
// 'b'"), nor where "." or "[" binds the second to what follows it ("'a' +
// 'bc'.length"), nor where the join would spell "</script".
template <ScanPath kPath>
bool JsPass<kPath>::FoldsOnto(char quote) const {
    if (LastWritten() != '+' || literalEnd_ == nullptr || literalEnd_ + 1 != last_ ||
        *literalEnd_ != quote)
        return false;
    char before = literalStart_[-1];
    if (std::string_view("-*/%!~").find(before) != std::string_view::npos ||
        IsScriptWordChar(before))
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
template <ScanPath kPath>
void JsPass<kPath>::CopyTemplate() {
    TemplateNesting nesting;
    CopyChar();
    while (nesting.templates != 0 && *read_ != '\0') {
        if (nesting.InText())
            CopyTemplateText(nesting);
        else
            CopySubstitution(nesting);
    }
    lastStays_ = nesting.templates != 0;
}

// The last character copied here is the closing "`" of a template nested in
// a substitution, or the "{" of "${", when the substitution goes on.
template <ScanPath kPath>
void JsPass<kPath>::CopyTemplateText(TemplateNesting &nesting) {
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
    nesting.lastToken = last_;
}

// A substitution is code, copied as it stands. Its strings, templates,
// comments and regular expressions are told apart as in the code around
// the template, so a quote, "`" or brace inside one of them is no code.
template <ScanPath kPath>
void JsPass<kPath>::CopySubstitution(TemplateNesting &nesting) {
    char c = *read_;
    if (IsWhiteSpace(c)) {
        CopyChar();
        return;
    }
    if (c == '/') {
        SubstitutionSlash(nesting);
        return;
    }
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
        bool closed = CopyQuotedBody(read_, last_, progress_, c);
        CheckWritePosition();
        if (!closed)
            return;
    }
    CopyChar();
    nesting.lastToken = last_;
}

// Comments in a substitution stay: dropping one could join two words.
template <ScanPath kPath>
void JsPass<kPath>::SubstitutionSlash(TemplateNesting &nesting) {
    if (StartsComment()) {
        CopyUpTo(read_[1] == '*' ? SkipBlockComment(read_) : SkipToScriptLineEnd(read_));
        return;
    }
    if (RegexFollows(nesting.lastToken))
        CopyRegex();
    else
        CopyChar();
    nesting.lastToken = last_;
}

// A "/" that no comment to be dropped starts is a kept comment, a regular
// expression or an operator. "\/" outside a literal never opens a comment.
// A comment that stays is copied like a regular expression where one could
// start, but it ends no operand.
template <ScanPath kPath>
void JsPass<kPath>::Slash() {
    bool comment = StartsComment();
    if (comment && read_[1] == '/' && LineEndFollows())
        return CopyRestBehindLineComment();
    if (OpensRegex()) {
        CopyRegex();
        regexEnd_ = comment ? nullptr : last_;
    } else {
        CopyChar();
    }
}

// Whether a line terminator stands between read_ and the end of the text.
template <ScanPath kPath>
bool JsPass<kPath>::LineEndFollows() const {
    return *SkipToScriptLineEnd(read_) != '\0';
}

// A line comment that stays ends at a line break, which the gap rules
// would drop where the code around it can go on ("1 // c" LF "+ 2"), and
// the comment would then take in the next line. The rest of the text is
// copied as it stands.
template <ScanPath kPath>
void JsPass<kPath>::CopyRestBehindLineComment() {
    CopyRest();
    lastStays_ = true;
}

// Whether the "/" at read_ starts a comment.
template <ScanPath kPath>
bool JsPass<kPath>::StartsComment() const {
    char next = read_[1];
    return LastWritten() != '\\' && (next == '*' || next == '/');
}

// A "/" where an operand begins opens a regular expression: at the start,
// after an operator or opening punctuation, after a keyword that an operand
// or a statement follows, on a new statement behind "return" and its like
// (the only carriage return a "/" finds), or behind the head of "if", "for",
// "while" or "with" ("if (a) /x/.test(s)"). "++" and "--" end an operand, so
// a "/" behind them divides, as it does behind other parentheses.
template <ScanPath kPath>
bool JsPass<kPath>::OpensRegex() const {
    return !Wrote() || LastWritten() == '\r' || RegexFollows(last_) || EndsHeadWithBody();
}

// Whether the output ends with the ")" of the head of a statement whose body
// follows.
template <ScanPath kPath>
bool JsPass<kPath>::EndsHeadWithBody() const {
    return LastWritten() == ')' && LastParenClosesHeadWithBody();
}

// Whether the last ")" written, whose partner closedParen_ is, ends the head
// of a statement whose body follows it.
template <ScanPath kPath>
bool JsPass<kPath>::LastParenClosesHeadWithBody() const {
    return closedParen_ != nullptr && OpensHeadWithBody(closedParen_);
}

// Whether a "/" behind the output character at last opens a regular
// expression; last is no separator.
template <ScanPath kPath>
bool JsPass<kPath>::RegexFollows(const char *last) const {
    char c = *last;
    if (HasScriptClass(c, kRegexFollows))
        return !(IsSign(c) && last[-1] == c);
    std::string_view word = WordBefore(last + 1);
    return IsOneOf(word, kOperandKeywords) || IsOneOf(word, kStatementKeywords);
}

// Copied as it stands up to the "/" that closes it: one not escaped by a
// backslash and not inside a "[...]" class. The flags behind it are ordinary
// characters.
template <ScanPath kPath>
void JsPass<kPath>::CopyRegex() {
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
        lastStays_ = true;
        return;
    }
    CopyChar();
}

// "//-->" closes the wrapper where it fits in front of the zero byte. A last
// carriage return or ";" is not needed, unless it belongs to an unclosed
// literal or is the whole body of a statement.
template <ScanPath kPath>
void JsPass<kPath>::Finish() {
    if (wrapper_ && last_ + kWrapperClose.size() < read_)
        PutWord(kWrapperClose);
    char last = LastWritten();
    bool dropLast =
        Wrote() && !lastStays_ && (last == '\r' || (last == ';' && !SemicolonIsBody()));
    if (!dropLast)
        ++last_;
    Publish();
}

// The whole pass in one function (flatten), on its own copy of the pass:
// with no call left to take its address, no byte written to the text can
// alias the cursors, which then stay in registers instead of being loaded
// again after every byte stored. It is compiled once per scan path, so the
// path is chosen once per text rather than at every run and block. The AVX2
// pass is not compiled for AVX2 as a whole, which would let its block masks
// inline: GCC then makes the rest of the pass a quarter longer in
// instructions run, and slower, than the call per block costs. It is
// compiled for the bit instructions that came with AVX2 (BMI1 and BMI2)
// instead: a mask shifts by any register, not by CL alone, which frees a
// register in the hot loop and takes a twentieth of the instructions run.
__attribute__((flatten)) void RunScalar(JsPass<ScanPath::kScalar> pass) { pass.Run(); }

#ifdef CRV_VECTOR_SCAN
__attribute__((flatten)) void RunSse2(JsPass<ScanPath::kSse2> pass) { pass.Run(); }
__attribute__((flatten, target("bmi,bmi2"))) void RunAvx2(JsPass<ScanPath::kAvx2> pass) {
    pass.Run();
}
#endif

} // namespace

void CompressJavaScript(char *text, Placement placement, const CompressOptions &options,
                        ProgressCursor progress) {
#ifdef CRV_VECTOR_SCAN
    switch (ActiveScanPath()) {
    case ScanPath::kAvx2:
        return RunAvx2(JsPass<ScanPath::kAvx2>(text, placement, options, progress));
    case ScanPath::kSse2:
        return RunSse2(JsPass<ScanPath::kSse2>(text, placement, options, progress));
    default:
        break;
    }
#endif
    RunScalar(JsPass<ScanPath::kScalar>(text, placement, options, progress));
}

} // namespace crv
