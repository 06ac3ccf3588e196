// The JSON writer's strings: what passes as it is, what is escaped, and
// every kind of byte sequence that is not UTF-8, which becomes U+FFFD so
// that the document stays valid whatever a file name or a report holds.
#include <gtest/gtest.h>

#include <string>

#include "cli/json.h"

namespace {

struct StringCase {
    const char* name;
    std::string text;
    std::string json;
};
void PrintTo(const StringCase& c, std::ostream* out) { *out << c.name; }

class JsonStringTest : public ::testing::TestWithParam<StringCase> {};

TEST_P(JsonStringTest, EscapedAndValid) {
    EXPECT_EQ(quorvane::cli::jsonString(GetParam().text), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonStringTest,
    ::testing::Values(
        StringCase{"Empty", "", "\"\""},
        StringCase{"Plain", "C:\\disk 1/a.img", "\"C:\\\\disk 1/a.img\""},
        StringCase{"QuoteAndReport", "say \"o.k.\"\r\n\tend", "\"say \\\"o.k.\\\"\\r\\n\\tend\""},
        StringCase{"ControlAndDel", std::string("\x01\x1f\x7f", 3) + std::string(1, '\0'),
                   "\"\\u0001\\u001f\\u007f\\u0000\""},
        StringCase{"Utf8OfEveryLength", "\xc3\xa9\xe2\x82\xac\xf0\x9f\x92\xbe",
                   "\"\xc3\xa9\xe2\x82\xac\xf0\x9f\x92\xbe\""},
        StringCase{"LoneContinuation", "a\x80z", "\"a\\ufffdz\""},
        StringCase{"Overlong", "\xc0\xaf\xe0\x80\xaf", "\"\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\""},
        StringCase{"Surrogate", "\xed\xa0\x80", "\"\\ufffd\\ufffd\\ufffd\""},
        StringCase{"AboveU10FFFF", "\xf4\x90\x80\x80", "\"\\ufffd\\ufffd\\ufffd\\ufffd\""},
        StringCase{"Truncated", "\xe2\x82", "\"\\ufffd\\ufffd\""},
        StringCase{"CodePage437", "\x82t\x82", "\"\\ufffdt\\ufffd\""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
