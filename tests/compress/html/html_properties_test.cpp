// CompressHtml: what each property of the instance changes, one at a time, on
// one page that has something for each.
#include <gtest/gtest.h>

#include "tests/compress/html/html_test_support.h"

namespace crv::test {
namespace {

constexpr std::string_view kPage = "<!-- c --><a onclick='f( 1 )'>a</a>"
                                   "<script>\n<!--\n x = 1 ;\n//-->\n</script>"
                                   "<style> a { b : c } </style>";

struct PropertyCase {
    const char *name;
    CompressOptions properties;
    std::string_view expected;
};

void PrintTo(const PropertyCase &c, std::ostream *os) { *os << c.name; }

class HtmlProperties : public ::testing::TestWithParam<PropertyCase> {};

TEST_P(HtmlProperties, ChangeWhatTheySay) {
    EXPECT_EQ(Compress(kPage, GetParam().properties), GetParam().expected);
}

const PropertyCase kProperties[] = {
    {"as created", {},
     "<!-- c --><a onclick='f(1)'>a</a><script>\n<!--\n x = 1 ;\n//-->\n</script>"
     "<style> a { b : c } </style>"},
    {"deleteComments", {.deleteComments = true},
     "<a onclick='f(1)'>a</a><script>\n<!--\n x = 1 ;\n//-->\n</script>"
     "<style> a { b : c } </style>"},
    {"protectEvents off", {.protectEvents = false},
     "<!-- c --><a onclick=f(1)>a</a><script>\n<!--\n x = 1 ;\n//-->\n</script>"
     "<style> a { b : c } </style>"},
    {"compressScripts", {.compressScripts = true},
     "<!-- c --><a onclick='f(1)'>a</a><script>x=1</script><style> a { b : c } </style>"},
    {"compressScripts and hideScripts", {.compressScripts = true, .hideScripts = true},
     "<!-- c --><a onclick='f(1)'>a</a><script><!--\rx=1;//--></script>"
     "<style> a { b : c } </style>"},
    {"hideScripts alone", {.hideScripts = true},
     "<!-- c --><a onclick='f(1)'>a</a><script>\n<!--\n x = 1 ;\n//-->\n</script>"
     "<style> a { b : c } </style>"},
    {"compressStyles", {.compressStyles = true},
     "<!-- c --><a onclick='f(1)'>a</a><script>\n<!--\n x = 1 ;\n//-->\n</script>"
     "<style>a{b:c}</style>"},
};
INSTANTIATE_TEST_SUITE_P(OneAtATime, HtmlProperties, ::testing::ValuesIn(kProperties));

} // namespace
} // namespace crv::test
