#include "ObjectText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
    const char *name;
    std::string text;
    std::vector<std::string> refs; // the text of each reference found, "id gen"
    bool complete = true;
};

std::string describe(const std::string &text, const pdfengine::ObjectRef &r)
{
    return std::to_string(r.id) + " " + std::to_string(r.generation) + " @" + text.substr(r.begin, r.end - r.begin);
}

TEST(ObjectText, FindsReferencesAndNothingElse)
{
    const std::vector<Case> cases = {
        {"plain dictionary", "<< /A 1 0 R /B 22 3 R >>", {"1 0 @1 0 R", "22 3 @22 3 R"}},
        {"at the very end", "1 0 R", {"1 0 @1 0 R"}},
        {"without spaces around delimiters", "[1 0 R/X 2 0 R]<</Y 3 0 R>>", {"1 0 @1 0 R", "2 0 @2 0 R", "3 0 @3 0 R"}},
        {"line breaks between", "[4\n0\r\nR]", {"4 0 @4\n0\r\nR"}},
        {"numbers before a reference", "[1 2 3 4 0 R 5]", {"4 0 @4 0 R"}},
        {"R inside a string", "<< /S (1 0 R) /T 5 0 R >>", {"5 0 @5 0 R"}},
        {"nested parentheses", "(a (b (1 0 R)) c) 6 0 R", {"6 0 @6 0 R"}},
        {"escaped parenthesis", "(\\) 1 0 R \\( 2 0 R) 7 0 R", {"7 0 @7 0 R"}},
        {"escaped backslash before a close", "(a\\\\) 8 0 R", {"8 0 @8 0 R"}},
        {"hex string", "<3120302052> 9 0 R", {"9 0 @9 0 R"}},
        {"name that looks like a number", "/1 0 R", {}},
        {"name with #xx", "/A#20B 10 0 R /C#23", {"10 0 @10 0 R"}},
        {"name ends at a delimiter", "/N(1 0 R)/M 11 0 R", {"11 0 @11 0 R"}},
        {"comment hides a reference", "<< /A 1 0 R % 2 0 R\n /B 3 0 R >>", {"1 0 @1 0 R", "3 0 @3 0 R"}},
        {"comment ended by CR", "% x 2 0 R\r4 0 R", {"4 0 @4 0 R"}},
        {"nested dictionaries", "<< /A << /B << /C 12 0 R >> >> >>", {"12 0 @12 0 R"}},
        {"reals are not object numbers", "[1.0 0 R 2 0.5 R 3 0 R]", {"3 0 @3 0 R"}},
        {"signed numbers are not object numbers", "[-1 0 R +2 0 R 3 -0 R]", {}},
        {"object zero is no object", "0 0 R", {}},
        {"generation above 65535", "1 65536 R 2 65535 R", {"2 65535 @2 65535 R"}},
        {"object number beyond int", "99999999999 0 R 5 0 R", {"5 0 @5 0 R"}},
        {"keyword RG is not R", "1 0 RG 2 0 R", {"2 0 @2 0 R"}},
        {"R without two numbers", "/A R 1 R", {}},
        {"two references back to back", "1 0 R 2 0 R", {"1 0 @1 0 R", "2 0 @2 0 R"}},
        {"braces", "{1 0 R}", {"1 0 @1 0 R"}},
        {"unterminated string", "3 0 R (open 4 0 R", {"3 0 @3 0 R"}, false},
        {"unterminated hex string", "3 0 R <41", {"3 0 @3 0 R"}, false},
        {"stray close parenthesis", "3 0 R ) 4 0 R", {"3 0 @3 0 R"}, false},
        {"stray greater-than", "3 0 R > 4 0 R", {"3 0 @3 0 R"}, false},
        {"empty", "", {}},
        {"NUL is white space", std::string("1\0" "0 R", 5), {"1 0 @" + std::string("1\0" "0 R", 5)}},
    };
    for (const Case &c : cases) {
        bool complete = !c.complete;
        const auto refs = pdfengine::findReferences(c.text, &complete);
        std::vector<std::string> found;
        for (const auto &r : refs)
            found.push_back(describe(c.text, r));
        EXPECT_EQ(found, c.refs) << c.name;
        EXPECT_EQ(complete, c.complete) << c.name;
    }
}

TEST(ObjectText, CompactKeepsEveryToken)
{
    struct Compact {
        std::string text, compact;
    };
    const std::vector<Compact> cases = {
        {"<< /Count 1 /Kids [ 6 0 R ] /Type /Pages >>", "<</Count 1/Kids[6 0 R]/Type/Pages>>"},
        {"[ 1 2 3 ]", "[1 2 3]"},
        {"<< /S (a  (b)  c) /H <41 42> >>", "<</S(a  (b)  c)/H<41 42>>>"},
        {"[ / 1 ]", "[/ 1]"},
        {"[ /A /B 1.5 -2 true null ]", "[/A/B 1.5 -2 true null]"},
        {"<< /A 1 % a comment 2 0 R\n /B 3 0 R >>", "<</A 1/B 3 0 R>>"},
        {"{ 1 2 add }", "{1 2 add}"},
        {"", ""},
    };
    for (const Compact &c : cases) {
        std::string out;
        ASSERT_TRUE(pdfengine::compactText(c.text, out)) << c.text;
        EXPECT_EQ(out, c.compact) << c.text;
        // The references are the same ones, in the same order.
        std::vector<int> before, after;
        for (const auto &r : pdfengine::findReferences(c.text))
            before.push_back(r.id);
        for (const auto &r : pdfengine::findReferences(out))
            after.push_back(r.id);
        EXPECT_EQ(before, after) << c.text;
    }
    std::string out;
    EXPECT_FALSE(pdfengine::compactText("(open", out));
}

} // namespace
