// The tag is read and written in one go. Until the reading has reached the
// tag's ">", nothing from its "<" on may change: a "<" or the end of the
// document may still turn it into text. So the output goes first where the
// bytes before the "<" were already consumed; a piece that would reach the
// "<", and a value that must be compressed in place, wait until the rest of
// the tag has been read through and found to end properly.
#include "compress/html/tag_rewriter.h"

#include <cstddef>
#include <cstring>
#include <string_view>

#include "compress/html/attribute_value.h"
#include "compress/html/html_output.h"
#include "compress/html/html_vocabulary.h"
#include "compress/html/name_key.h"

namespace crv {
namespace {

// How the attribute written last ends, which decides what may follow it.
enum class AttributeEnd { kName, kUnquotedValue, kQuotedValue };

struct AttributeShape;

class TagRewriter {
  public:
    TagRewriter(char *lt, char *nameEnd, const char *end, char *out,
                const CompressOptions &options)
        : lt_(lt), textEnd_(end), reader_(nameEnd, end), out_(out), options_(options) {}

    RewrittenTag Rewrite(bool slashSaysSomething);

  private:
    bool WriteAttribute(const TagAttribute &attribute);
    bool WritePlainAttribute(const TagAttribute &attribute);
    bool Shape(const TagAttribute &attribute, AttributeShape &shape);
    void Put(const TagAttribute &attribute, const AttributeShape &shape);
    void Put(char c) { *out_++ = c; }
    bool MayChange(const char *writeEnd);
    // Writes a piece of the tag. Until the tag is known to close, nothing
    // from its "<" on may change; after that, nothing from the piece on.
    void Move(const char *from, const char *to) {
        out_ = AppendShortPiece(from, to, out_, textEnd_, closes_ ? from : lt_);
    }

    char *const lt_;
    const char *const textEnd_; // the zero byte that ends the text
    TagReader reader_;
    char *out_;
    const CompressOptions &options_;
    bool closes_ = false; // the tag is known to end at its ">"
    TagStep end_ = TagStep::kClose;
    AttributeEnd last_ = AttributeEnd::kName;
};

// Whether bytes may be written up to writeEnd, or the source changed in
// place: always once the tag is known to close; before that only below lt.
bool TagRewriter::MayChange(const char *writeEnd) {
    if (closes_ || writeEnd <= lt_)
        return true;
    TagReader ahead = reader_;
    end_ = ahead.ReadToEnd();
    closes_ = end_ == TagStep::kClose || end_ == TagStep::kSelfClose;
    if (!closes_)
        reader_ = ahead;
    return closes_;
}

RewrittenTag TagRewriter::Rewrite(bool slashSaysSomething) {
    char *nameEnd = reader_.Position();
    if (!MayChange(out_ + (nameEnd - lt_)))
        return {end_, reader_.Position(), out_};
    Move(lt_, nameEnd);
    TagAttribute attribute{};
    TagStep step;
    while ((step = reader_.Next(attribute)) == TagStep::kAttribute) {
        if (!WriteAttribute(attribute))
            return {end_, reader_.Position(), out_};
    }
    if (step != TagStep::kClose && step != TagStep::kSelfClose)
        return {step, reader_.Position(), out_};
    // The reading has reached the ">", so the tag closes.
    if (step == TagStep::kSelfClose && slashSaysSomething) {
        // "r=1/>" would read as the value "1/".
        if (last_ == AttributeEnd::kUnquotedValue)
            Put(' ');
        Put('/');
    }
    Put('>');
    return {step, reader_.Position(), out_};
}

// A value with an "&" is left as it is. A browser decodes character
// references in it before the script or style compressor's reader would see
// the text, so that reader would take "&apos;" for code and might drop the
// ";" that ends it; and taking out white space could make a reference of
// what was none ("a & amp" would become "a&amp").
bool MayHoldCharacterReference(const TagAttribute &attribute) {
    return std::memchr(attribute.valueBegin, '&',
                       static_cast<std::size_t>(attribute.valueEnd - attribute.valueBegin)) !=
           nullptr;
}

// How one attribute is written.
struct AttributeShape {
    bool nameAlone;  // no "=" and no value
    bool keepQuotes; // the value keeps its quotes
    char *valueEnd;  // the end of the value, which may have been compressed
};

// Whether a plain attribute's value is written as it was read, quotes kept
// or dropped: the attribute is no boolean one and its value no script or
// style to compress.
bool KeepsPlainValue(const TagAttribute &attribute) {
    const std::string_view name(attribute.nameBegin,
                                static_cast<std::size_t>(attribute.nameEnd - attribute.nameBegin));
    const std::uint8_t lists = ListsHolding(attribute.key);
    return (lists & kBooleanAttribute) == 0 &&
           !CompressesInPlace(ValueKindOf(name, attribute.key, lists));
}

// Every attribute is kept: one without a value by its name alone ("required",
// "v-cloak"), as are the boolean ones whatever value they were given. Returns
// false when the tag turned out to be text.
bool TagRewriter::WriteAttribute(const TagAttribute &attribute) {
    if (attribute.plain && KeepsPlainValue(attribute))
        return WritePlainAttribute(attribute);
    AttributeShape shape{};
    if (!Shape(attribute, shape))
        return false;
    // An attribute glued to a kept closing quote stays glued, as in the
    // source: a space there would make the tag longer than it was.
    const bool separate = attribute.spaceBefore || last_ != AttributeEnd::kQuotedValue;
    char *end = out_ + (separate ? 1 : 0) + (attribute.nameEnd - attribute.nameBegin);
    if (!shape.nameAlone)
        end += 1 + (shape.valueEnd - attribute.valueBegin) + (shape.keepQuotes ? 2 : 0);
    if (!MayChange(end))
        return false;
    if (separate)
        Put(' ');
    Put(attribute, shape);
    return true;
}

// Decides the shape of the attribute, compressing a script or style value in
// place. Returns false when the tag turned out to be text.
bool TagRewriter::Shape(const TagAttribute &attribute, AttributeShape &shape) {
    const std::string_view name(attribute.nameBegin,
                                static_cast<std::size_t>(attribute.nameEnd - attribute.nameBegin));
    const NameKey key = attribute.key;
    const std::uint8_t lists = ListsHolding(key);
    shape.nameAlone = !attribute.hasValue || (lists & kBooleanAttribute) != 0 ||
                      (attribute.quote == 0 && attribute.valueBegin == attribute.valueEnd);
    shape.valueEnd = attribute.valueEnd;
    if (shape.nameAlone || attribute.quote == 0)
        return true;
    const ValueKind kind = ValueKindOf(name, key, lists);
    bool needsQuotes = attribute.needsQuotes;
    if (CompressesInPlace(kind) && !MayHoldCharacterReference(attribute)) {
        if (!MayChange(attribute.valueEnd))
            return false;
        // A compressed value is new text, even where it kept its length.
        shape.valueEnd = CompressQuotedValue(kind, attribute.valueBegin, shape.valueEnd);
        needsQuotes = ValueNeedsQuotes(attribute.valueBegin, shape.valueEnd);
    }
    shape.keepQuotes = needsQuotes || (kind == ValueKind::kScript && options_.protectEvents);
    return true;
}

// A plain attribute whose value is kept: its source from the space to the
// opening quote reads as the output, so it moves in one or two pieces, the
// quotes dropped where the value allows. Returns false when the tag turned
// out to be text.
bool TagRewriter::WritePlainAttribute(const TagAttribute &attribute) {
    char *space = attribute.nameBegin - 1;
    if (attribute.needsQuotes) {
        if (!MayChange(out_ + (attribute.valueEnd + 1 - space)))
            return false;
        Move(space, attribute.valueEnd);
        Put('"');
        last_ = AttributeEnd::kQuotedValue;
        return true;
    }
    if (!MayChange(out_ + (attribute.valueEnd - 1 - space)))
        return false;
    Move(space, attribute.nameEnd + 1);
    Move(attribute.valueBegin, attribute.valueEnd);
    last_ = AttributeEnd::kUnquotedValue;
    return true;
}

void TagRewriter::Put(const TagAttribute &attribute, const AttributeShape &shape) {
    Move(attribute.nameBegin, attribute.nameEnd);
    if (shape.nameAlone) {
        last_ = AttributeEnd::kName;
        return;
    }
    Put('=');
    if (shape.keepQuotes)
        Put(attribute.quote);
    Move(attribute.valueBegin, shape.valueEnd);
    if (shape.keepQuotes)
        Put(attribute.quote);
    last_ = shape.keepQuotes ? AttributeEnd::kQuotedValue : AttributeEnd::kUnquotedValue;
}

} // namespace

RewrittenTag RewriteTagWithAttributes(char *lt, char *nameEnd, const char *end, char *out,
                                      bool slashSaysSomething, const CompressOptions &options) {
    return TagRewriter(lt, nameEnd, end, out, options).Rewrite(slashSaysSomething);
}

} // namespace crv
