// The vocabulary lists' look-up: it answers as a walk through each list
// would, in any case of the name. What membership does to a page is in
// html_vocabulary_effect_test.cpp.
#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "compress/html/html_vocabulary.h"

namespace crv {
namespace {

// What the look-up relies on: it lower-cases every name it is asked, so an
// entry with a capital would never match, and it answers a name once.
template <std::size_t N>
void ExpectLowerCaseAndUnique(const std::array<std::string_view, N> &list) {
    EXPECT_EQ(std::set<std::string_view>(list.begin(), list.end()).size(), N) << "an entry twice";
    const auto isUpper = [](char c) { return c >= 'A' && c <= 'Z'; };
    for (std::string_view entry : list)
        EXPECT_TRUE(std::none_of(entry.begin(), entry.end(), isUpper)) << entry;
}

TEST(HtmlVocabulary, EntriesAreLowerCaseAndUnique) {
    ExpectLowerCaseAndUnique(NoEndTagElements);
    ExpectLowerCaseAndUnique(TrimBeforeTags);
    ExpectLowerCaseAndUnique(SpaceAfterTags);
    ExpectLowerCaseAndUnique(TrimAfterTags);
    ExpectLowerCaseAndUnique(VerbatimElements);
    ExpectLowerCaseAndUnique(BooleanAttributes);
    ExpectLowerCaseAndUnique(TextAttributes);
}

std::uint8_t Lists(std::string_view name) { return ListsHolding(MakeNameKey(name)); }

template <std::size_t N>
bool Walk(const std::array<std::string_view, N> &list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// Every list's membership as a linear walk answers it.
std::uint8_t WalkAll(std::string_view name) {
    const bool endTagOfNoEndTagElement =
        name.starts_with('/') && Walk(NoEndTagElements, name.substr(1));
    return (endTagOfNoEndTagElement ? kEndTagOfNoEndTagElement : 0) |
           (Walk(NoEndTagElements, name) ? kNoEndTagElement : 0) |
           (Walk(TrimBeforeTags, name) ? kTrimBeforeTag : 0) |
           (Walk(SpaceAfterTags, name) ? kSpaceAfterTag : 0) |
           (Walk(TrimAfterTags, name) ? kTrimAfterTag : 0) |
           (Walk(VerbatimElements, name) ? kVerbatimElement : 0) |
           (Walk(BooleanAttributes, name) ? kBooleanAttribute : 0) |
           (Walk(TextAttributes, name) ? kTextAttribute : 0);
}

template <std::size_t N>
void ExpectLookUpAgreesForEntries(const std::array<std::string_view, N> &list) {
    for (std::string_view name : list) {
        EXPECT_EQ(Lists(name), WalkAll(name)) << name;
        const std::string prefix(name.substr(0, name.size() - 1));
        EXPECT_EQ(Lists(prefix), WalkAll(prefix)) << prefix;
        const std::string longer = std::string(name) + "x";
        EXPECT_EQ(Lists(longer), 0) << longer;
        std::string upper(name);
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; });
        EXPECT_EQ(Lists(upper), WalkAll(name)) << upper;
    }
}

TEST(HtmlVocabulary, LookUpAgreesWithAWalkThroughEachList) {
    ExpectLookUpAgreesForEntries(NoEndTagElements);
    ExpectLookUpAgreesForEntries(TrimBeforeTags);
    ExpectLookUpAgreesForEntries(SpaceAfterTags);
    ExpectLookUpAgreesForEntries(TrimAfterTags);
    ExpectLookUpAgreesForEntries(VerbatimElements);
    ExpectLookUpAgreesForEntries(BooleanAttributes);
    ExpectLookUpAgreesForEntries(TextAttributes);
}

TEST(HtmlVocabulary, NamesInSeveralLists) {
    EXPECT_EQ(Lists("/select"), kTrimBeforeTag | kSpaceAfterTag);
    EXPECT_EQ(Lists("dl"), kSpaceAfterTag | kTrimAfterTag);
    EXPECT_EQ(Lists("div"), kTrimAfterTag);
    EXPECT_EQ(Lists("/div"), kTrimBeforeTag | kTrimAfterTag);
    EXPECT_EQ(Lists("object"), kSpaceAfterTag);
    EXPECT_EQ(Lists("param"), kNoEndTagElement | kTrimBeforeTag | kSpaceAfterTag);
    EXPECT_EQ(Lists("pre"), kTrimBeforeTag | kVerbatimElement);
    EXPECT_EQ(Lists("title"), kTrimBeforeTag | kTrimAfterTag | kTextAttribute);
    EXPECT_EQ(Lists("textarea"), kTrimAfterTag);
}

TEST(HtmlVocabulary, EndTagsOfElementsWithoutOne) {
    for (std::string_view element : NoEndTagElements) {
        std::string endTag(1, '/');
        endTag.append(element);
        EXPECT_EQ(Lists(endTag), kEndTagOfNoEndTagElement) << element;
    }
    EXPECT_EQ(Lists("/BR"), kEndTagOfNoEndTagElement);
    EXPECT_EQ(Lists("/p") & kEndTagOfNoEndTagElement, 0);
    EXPECT_EQ(Lists("br") & kEndTagOfNoEndTagElement, 0);
}

TEST(HtmlVocabulary, NamesInNoList) {
    EXPECT_EQ(Lists(""), 0);
    EXPECT_EQ(Lists("br/"), 0);
    EXPECT_EQ(Lists("/p/"), 0);
    EXPECT_EQ(Lists("span/"), 0);
    EXPECT_EQ(Lists(std::string(300, 'a')), 0);
    EXPECT_EQ(Lists("checked" + std::string(10, 'x')), 0);
    EXPECT_EQ(Lists("plaintext" + std::string(300, 'x')), 0);
}

} // namespace
} // namespace crv
