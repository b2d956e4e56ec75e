#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "pages/CorrectionFormula.h"

namespace tb::pages {
namespace {

struct Accepted {
    const char* text;
    double value;
    int digits;
};

TEST(ParseNumber, AcceptsTheFormsOfAnEditBox) {
    const Accepted cases[] = {
        {"25", 25.0, 2},           {" 25", 25.0, 2},   {"25 ", 25.0, 2},      {"-0.5", -0.5, 2},
        {"+.5", 0.5, 1},           {"-.5", -0.5, 1},   {".5", 0.5, 1},        {"1.25", 1.25, 3},
        {" -.5 ", -0.5, 1},        {"  +7  ", 7.0, 1}, {"-30.25", -30.25, 4}, {"007", 7.0, 3},
        {"1234567", 1234567.0, 7},
    };
    for (const auto& c : cases) {
        ParsedNumber parsed = ParseNumber(c.text);
        EXPECT_TRUE(parsed.accepted) << "‹" << c.text << "›";
        EXPECT_DOUBLE_EQ(parsed.value, c.value) << "‹" << c.text << "›";
        EXPECT_EQ(parsed.digits, c.digits) << "‹" << c.text << "›";
    }
}

TEST(ParseNumber, RefusesEverythingElse) {
    for (const char* text :
         {"",  "-",   ".",   "12.",  "1 2",  "1.2.3", "+-1",  "5-",   "- 5", "1e3", "1,5",
          " ", "--5", "-5.", "5 .5", "+ .5", ". 5",   "0x10", "２５", "25℃", "1\t"}) {
        EXPECT_FALSE(ParseNumber(text).accepted) << "‹" << text << "›";
    }
}

TEST(ParseNumber, NullBytesAndOverlongTextAreRefused) {
    EXPECT_FALSE(ParseNumber(std::string("2\0"
                                         "5",
                                         3))
                     .accepted);
    EXPECT_FALSE(ParseNumber(std::string(300, '9')).accepted);
    EXPECT_FALSE(ParseNumber(std::string(310, '9')).accepted);
}

TEST(ParseNumber, MinusZeroReadsAsZero) {
    ParsedNumber parsed = ParseNumber("-0");
    ASSERT_TRUE(parsed.accepted);
    EXPECT_FALSE(std::signbit(parsed.value));
}

}  // namespace
}  // namespace tb::pages
