// The lists are small and fixed, so they are folded at compile time into one
// open-addressing hash table from name to the lists that hold it: a tag costs
// one hash and usually one comparison instead of a walk through five lists.
#include "compress/html/html_vocabulary.h"

#include <cstddef>

namespace crv {
namespace {

constexpr int kTableBits = 9; // 512 slots for the ~170 names
constexpr std::size_t kTableSize = std::size_t{1} << kTableBits;

struct Slot {
    NameKey name; // the empty key: a free slot
    std::uint8_t lists = 0;
};

using NameTable = std::array<Slot, kTableSize>;

constexpr std::size_t HashName(const NameKey &name) {
    const std::uint64_t mixed = name.head * 0x9E3779B97F4A7C15u + name.tail * 0xC2B2AE3D27D4EB4Fu;
    return static_cast<std::size_t>(mixed >> (64 - kTableBits));
}

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

// The table as the look-up reads it: the first eight bytes of each name in
// an array of their own, so that a probe touches 4 KiB rather than 12. No
// name in the table is longer than ten bytes ("/plaintext"), so the rest of
// a name fits in 16 bits.
struct LookUpTable {
    std::array<std::uint64_t, kTableSize> heads{};
    std::array<std::uint16_t, kTableSize> tails{};
    std::array<std::uint8_t, kTableSize> lists{};
};

constexpr NameTable kNameTable = MakeNameTable();

constexpr bool EveryTailFits(const NameTable &names) {
    for (const Slot &slot : names)
        if (slot.name.tail > 0xFFFF)
            return false;
    return true;
}

static_assert(EveryTailFits(kNameTable));

constexpr LookUpTable MakeLookUpTable() {
    LookUpTable table;
    for (std::size_t i = 0; i < kTableSize; ++i) {
        table.heads[i] = kNameTable[i].name.head;
        table.tails[i] = static_cast<std::uint16_t>(kNameTable[i].name.tail);
        table.lists[i] = kNameTable[i].lists;
    }
    return table;
}

constexpr LookUpTable kLookUpTable = MakeLookUpTable();

} // namespace

// A free slot has an empty head, so the probe ends there.
std::uint8_t ListsHolding(NameKey name) {
    if (name.tail > 0xFFFF)
        return 0;
    for (std::size_t index = HashName(name);; index = (index + 1) & (kTableSize - 1)) {
        const std::uint64_t head = kLookUpTable.heads[index];
        if (head == name.head && kLookUpTable.tails[index] == name.tail)
            return kLookUpTable.lists[index];
        if (head == 0)
            return 0;
    }
}

} // namespace crv
