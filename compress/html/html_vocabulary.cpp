// The lists are small and fixed, so they are folded at compile time into one
// hash table from name to the lists that hold it, where no two names share a
// slot: a tag costs one hash and one comparison instead of a walk through
// five lists.
#include "compress/html/html_vocabulary.h"

#include <cstddef>

namespace crv {
namespace {

constexpr std::size_t kTableSize = detail::kVocabularyTableSize;
using detail::HashName;

struct Slot {
    NameKey name; // the empty key: a free slot
    std::uint8_t lists = 0;
};

using NameTable = std::array<Slot, kTableSize>;

// The slot that holds name, or the free slot where it would go.
constexpr std::size_t SlotFor(const NameTable &table, const NameKey &name) {
    std::size_t index = HashName(name);
    while (table[index].name != NameKey{} && table[index].name != name)
        index = (index + 1) & (kTableSize - 1);
    return index;
}

constexpr void EnterName(NameTable &table, const NameKey &name, std::uint8_t bit) {
    Slot &slot = table[SlotFor(table, name)];
    slot.name = name;
    slot.lists |= bit;
}

template <std::size_t N>
constexpr void Enter(NameTable &table, const std::array<std::string_view, N> &list,
                     std::uint8_t bit) {
    for (std::string_view entry : list)
        EnterName(table, MakeNameKey(entry), bit);
}

template <std::size_t N>
constexpr void EnterEndTags(NameTable &table, const std::array<std::string_view, N> &elements,
                            std::uint8_t bit) {
    for (std::string_view element : elements) {
        char endTag[kLongestKeyedName + 1] = {'/'};
        element.copy(endTag + 1, element.size());
        EnterName(table, MakeNameKey(std::string_view(endTag, element.size() + 1)), bit);
    }
}

constexpr NameTable MakeNameTable() {
    NameTable table{};
    Enter(table, NoEndTagElements, kNoEndTagElement);
    Enter(table, TrimBeforeTags, kTrimBeforeTag);
    Enter(table, SpaceAfterTags, kSpaceAfterTag);
    Enter(table, TrimAfterTags, kTrimAfterTag);
    Enter(table, VerbatimElements, kVerbatimElement);
    Enter(table, BooleanAttributes, kBooleanAttribute);
    Enter(table, TextAttributes, kTextAttribute);
    EnterEndTags(table, NoEndTagElements, kEndTagOfNoEndTagElement);
    return table;
}

// Every entry, and the end tag made of it, fits a key.
template <std::size_t N>
constexpr bool EveryEntryHasAKey(const std::array<std::string_view, N> &list) {
    for (std::string_view entry : list)
        if (entry.empty() || entry.size() >= kLongestKeyedName)
            return false;
    return true;
}

static_assert(EveryEntryHasAKey(NoEndTagElements) && EveryEntryHasAKey(TrimBeforeTags) &&
              EveryEntryHasAKey(SpaceAfterTags) && EveryEntryHasAKey(TrimAfterTags) &&
              EveryEntryHasAKey(VerbatimElements) && EveryEntryHasAKey(BooleanAttributes) &&
              EveryEntryHasAKey(TextAttributes));

// Every entry is made of lower-case letters, an end tag's "/" aside, so that
// a key made with FoldedKeyHead finds it exactly when one made by lower-casing
// the name would.
template <std::size_t N>
constexpr bool EveryEntryFolds(const std::array<std::string_view, N> &list) {
    for (std::string_view entry : list)
        for (std::size_t i = 0; i < entry.size(); ++i)
            if (!(entry[i] >= 'a' && entry[i] <= 'z') && !(i == 0 && entry[i] == '/'))
                return false;
    return true;
}

static_assert(EveryEntryFolds(NoEndTagElements) && EveryEntryFolds(TrimBeforeTags) &&
              EveryEntryFolds(SpaceAfterTags) && EveryEntryFolds(TrimAfterTags) &&
              EveryEntryFolds(VerbatimElements) && EveryEntryFolds(BooleanAttributes) &&
              EveryEntryFolds(TextAttributes));

constexpr NameTable kNameTable = MakeNameTable();

constexpr bool EveryTailFits(const NameTable &names) {
    for (const Slot &slot : names)
        if (slot.name.tail > 0xFFFF)
            return false;
    return true;
}

static_assert(EveryTailFits(kNameTable));

// Every name sits in the slot its hash gives, where the look-up reads it.
constexpr bool EveryNameInItsSlot(const NameTable &names) {
    for (std::size_t i = 0; i < kTableSize; ++i)
        if (names[i].name != NameKey{} && HashName(names[i].name) != i)
            return false;
    return true;
}

static_assert(EveryNameInItsSlot(kNameTable));

constexpr detail::VocabularyTable MakeLookUpTable() {
    detail::VocabularyTable table;
    for (std::size_t i = 0; i < kTableSize; ++i) {
        table.heads[i] = kNameTable[i].name.head;
        table.tails[i] = static_cast<std::uint16_t>(kNameTable[i].name.tail);
        table.lists[i] = kNameTable[i].lists;
    }
    return table;
}

} // namespace

constinit const detail::VocabularyTable detail::kVocabularyTable = MakeLookUpTable();

} // namespace crv
