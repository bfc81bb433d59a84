// HTML compression in one forward pass, in place. A write position trails the
// read position: each text run, tag, kept comment and content block is
// written at it as soon as it has been read, so the pieces of output need no
// list and no final move. The one exception is a pending space (a space
// written after a word, which a following block tag may still take back):
// taking it back moves what was written after it one place back.
#include "compress/html/html_compressor.h"

#include <cassert>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "compress/html/element_content.h"
#include "compress/html/end_tag_search.h"
#include "compress/html/html_char.h"
#include "compress/html/html_output.h"
#include "compress/html/html_vocabulary.h"
#include "compress/html/markup_declaration.h"
#include "compress/html/name_key.h"
#include "compress/html/tag_reader.h"
#include "compress/html/tag_rewriter.h"
#include "compress/html/text_run.h"

namespace crv {
namespace {

constexpr NameKey kLineBreakEndTag = MakeNameKey("/br");

bool EndsTag(TagStep step) { return step == TagStep::kClose || step == TagStep::kSelfClose; }

class HtmlPass {
  public:
    HtmlPass(char *input, const CompressOptions &options, ProgressCursor progress)
        : progress_(progress), options_(options), input_(input),
          end_(input + std::strlen(input)), out_(input), runOut_(input) {}

    void Run();

  private:
    // Progress for the other thread: where the scan stands, and at the end
    // one past the output.
    void Publish(char *at) { progress_.Publish(at); }
    // The document is rewritten in place: the output must never reach
    // unread text.
    void CheckWritePosition([[maybe_unused]] const char *read) const { assert(out_ <= read); }

    char *Markup(char *lt);
    char *Declaration(char *lt);
    char *Tag(char *lt);
    char *ReadOnlyTag(char *lt, char *nameEnd, std::uint8_t lists);
    char *NoTag(char *lt, TagStep end, char *at);
    char *Content(ElementContent content, char *from);
    char *CopyVerbatimElement(char *lt, char *nameEnd, char *gt);
    void EndText() { EndTextRun(runOut_, out_, whiteSpace_); }

    const ProgressCursor progress_;
    const CompressOptions &options_;
    char *const input_;
    const char *const end_; // the zero byte that ends the text
    char *out_;    // one past the output written so far
    char *runOut_; // where the output of the current text run began
    WhiteSpaceState whiteSpace_;
};

// Text is written as it is read, up to each "<" that opens markup.
void HtmlPass::Run() {
    Publish(input_ - 1);
    char *at = input_;
    while (at != nullptr) {
        // A third of all runs are empty: one tag follows another; another
        // third are white space alone. Each kind of run is ended where it is
        // told apart, before the markup is read: an empty one has nothing
        // to end, and one of white space alone ends as it writes its space,
        // so that no test of what the run wrote is left for the markup.
        char *lt = *at == '<' && OpensMarkup(at[1]) ? at : nullptr;
        if (lt == nullptr)
            lt = WriteSpaceBeforeMarkup(at, out_, whiteSpace_);
        // Only a run that holds text can reach the end of the document.
        if (lt == nullptr) {
            lt = WriteTextToMarkup(at, end_, out_, whiteSpace_);
            if (lt == end_) {
                EndLastTextRun(runOut_, out_, whiteSpace_);
                break;
            }
            EndText();
        }
        at = Markup(lt);
        if (at != nullptr)
            CheckWritePosition(at);
    }
    Publish(out_);
}

// Returns where the text resumes, or null when the pass is over.
char *HtmlPass::Markup(char *lt) {
    Publish(lt + 1);
    return lt[1] == '!' ? Declaration(lt) : Tag(lt);
}

// Comments and declarations leave the white-space decision as it was. One
// without its ">" runs to the end of the document.
char *HtmlPass::Declaration(char *lt) {
    const MarkupDeclaration declaration = ReadMarkupDeclaration(lt);
    Publish(declaration.end - 1);
    if (!declaration.removable || !options_.deleteComments)
        out_ = AppendBytes(lt, declaration.end, out_);
    runOut_ = out_;
    return declaration.end;
}

// The end tags of elements that have none go, except "</br>", which browsers
// read as a line break; the start tags of pre, listing and xmp are copied.
// Every other tag is rewritten.
char *HtmlPass::Tag(char *lt) {
    const auto [nameEnd, name] = ReadTagName(lt, end_);
    const std::uint8_t lists = ListsHolding(name);
    const bool endTag = lt[1] == '/';
    if (endTag ? (lists & kEndTagOfNoEndTagElement) != 0 && name != kLineBreakEndTag
               : (lists & kVerbatimElement) != 0)
        return ReadOnlyTag(lt, nameEnd, lists);
    const bool slashSaysSomething = !endTag && (lists & kNoEndTagElement) == 0;
    const ElementContent content =
        endTag ? ElementContent::kMarkup : ContentOf(name, lt + 1, nameEnd, end_);
    const RewrittenTag tag = RewriteTag(lt, nameEnd, end_, out_, slashSaysSomething, options_);
    if (!EndsTag(tag.end))
        return NoTag(lt, tag.end, tag.at);
    Publish(tag.at);
    out_ = ApplyTagToWhiteSpace(lists, tag.out, whiteSpace_);
    if (content == ElementContent::kMarkup) {
        runOut_ = out_;
        return tag.at + 1;
    }
    // A textarea's value is not text of the page: a space pending before the
    // box stays, rather than being taken back by "</textarea>".
    if (content == ElementContent::kTextarea)
        whiteSpace_.trailingSpaceSegment = nullptr;
    return Content(content, tag.at + 1);
}

// What follows a start tag up to its end tag when that is not markup. A
// title's text is text whatever it holds, and its white space folds as in
// any text run; other content is copied or compressed whole.
char *HtmlPass::Content(ElementContent content, char *from) {
    char *close = FindContentEnd(content, from);
    if (content == ElementContent::kTitle) {
        runOut_ = out_;
        WriteText(from, close, out_, whiteSpace_);
        EndText();
        return close;
    }
    WriteElementContent(content, from, close, out_, options_);
    runOut_ = out_;
    return close;
}

// A dropped end tag, or the start tag of a verbatim element.
char *HtmlPass::ReadOnlyTag(char *lt, char *nameEnd, std::uint8_t lists) {
    TagReader reader(nameEnd, end_);
    const TagStep end = reader.ReadToEnd();
    char *gt = reader.Position();
    if (!EndsTag(end))
        return NoTag(lt, end, gt);
    Publish(gt);
    char *resume = gt + 1;
    if (lt[1] != '/') {
        out_ = ApplyTagToWhiteSpace(lists, out_, whiteSpace_);
        resume = CopyVerbatimElement(lt, nameEnd, gt);
    }
    runOut_ = out_;
    return resume;
}

// A tag that meets a "<" before its ">" was text, and the text run goes on
// through it. One that meets the end of the document is dropped, as a
// browser drops it, and the text before it is the last text.
char *HtmlPass::NoTag(char *lt, TagStep end, char *at) {
    if (end == TagStep::kAbandon) {
        WriteText(lt, at, out_, whiteSpace_);
        EndText();
        return at;
    }
    EndLastTextRun(runOut_, out_, whiteSpace_);
    return nullptr;
}

// pre, listing and xmp: the start tag and everything up to the element's own
// end tag, markup included, are copied as they are.
char *HtmlPass::CopyVerbatimElement(char *lt, char *nameEnd, char *gt) {
    const std::string_view name(lt + 1, static_cast<std::size_t>(nameEnd - lt - 1));
    char *close = FindOwnEndTag(gt + 1, name);
    Publish(close);
    out_ = AppendBytes(lt, close, out_);
    return close;
}

} // namespace

void CompressHtml(char *input, const CompressOptions &options, ProgressCursor progress) {
    HtmlPass(input, options, progress).Run();
}

} // namespace crv
