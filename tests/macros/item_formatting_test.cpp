#include "mpegaudio/macros/item_formatting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Format(std::string value, TItemFields fields, std::int32_t implicitWidth = 30,
                   char defaultAlign = 'L', char defaultCase = 'N') {
  std::string out = "<";  // formatting appends; what is there stays
  AppendFormattedValue(out, value, fields, implicitWidth, defaultAlign, defaultCase);
  return out.substr(1);
}

TEST(ItemFormatting, AlignmentWidthAndFill) {
  struct Case {
    std::string_view value, align, width, fill;
    std::int32_t implicitWidth;
    char defaultAlign;
    std::string_view expected;
  };
  const Case kCases[] = {
      {"Abc", "L", "6", ".", 30, 'L', "Abc..."},
      {"Abc", "R", "6", ".", 30, 'L', "...Abc"},
      {"Abc", "C", "6", ".", 30, 'L', ".Abc.."},  // odd gap: extra fill on the right
      {"Abc", "C", "7", ".", 30, 'L', "..Abc.."},
      {"Abc", "C", "5", "*", 30, 'L', "*Abc*"},
      {"Abc", "L", "3", ".", 30, 'L', "Abc"},
      {"Abc", "L", "2", ".", 30, 'L', "Ab"},
      {"Abc", "R", "2", ".", 30, 'L', "Ab"},  // a cut keeps the beginning
      {"Abc", "C", "2", ".", 30, 'L', "Ab"},
      {"Abc", "T", "2", ".", 30, 'L', "Abc"},
      {"Abc", "T", "6", ".", 30, 'L', "Abc"},
      {"Abc", "R", "", "", 30, 'L', "Abc"},        // alignment without width: natural length
      {"Abc", "", "", "", 5, 'R', "  Abc"},        // all defaults
      {"Abc", "", "10", "", 5, 'R', "  Abc"},      // width without alignment is ignored
      {"Abc", "X", "10", "", 5, 'R', "  Abc"},
      {"Abc", "R", "0", "", 5, 'L', "  Abc"},      // width 0 asks for the implicit width
      {"Abc", "L", "-5", "", 5, 'L', "Abc"},       // negative width: none at all
      {"Abc", "  right ", " $A ", " xy ", 5, 'L', "xxxxxxxAbc"},  // fields are stripped
      {"Abc", "r", "10.5", "", 5, 'L', "Abc"},     // unreadable width: none at all
      {"Abc", "Left", "ten", "", 5, 'L', "Abc"},
      {"Abc", "L", "4", "   ", 5, 'L', "Abc "},   // a space fill is an empty field
      {"", "L", "4", "-", 5, 'L', "----"},
      {"", "C", "3", "-", 5, 'L', "---"},
      {"", "R", "", "", 0, 'L', ""},
      {"", "", "", "", 0, 'R', ""},                 // implicit width 0 gives nothing
      {"Abc", "", "", "", 5, 'T', "Abc"},
      {"Abc", "", "", "", 2, 'x', "Abc"},           // an unknown default alignment: unchanged
      {"Abc", "", "", "", -3, 'L', ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.value << "," << c.align << "," << c.width << ","
                                    << c.fill << " implicit " << c.implicitWidth);
    EXPECT_EQ(Format(std::string(c.value), {c.align, c.width, c.fill, ""}, c.implicitWidth,
                     c.defaultAlign),
              c.expected);
  }
}

TEST(ItemFormatting, CaseLetters) {
  struct Case { std::string_view value, caseField; char defaultCase; std::string_view expected; };
  const Case kCases[] = {
      {"hello wORLD (live)", "C", 'N', "Hello WORLD (Live)"},
      {"hello wORLD (live)", "F", 'N', "Hello wORLD (live)"},
      {"hello wORLD (live)", "L", 'N', "hello world (live)"},
      {"hello wORLD (live)", "U", 'N', "HELLO WORLD (LIVE)"},
      {"hello wORLD (live)", "N", 'U', "hello wORLD (live)"},
      {"hello wORLD (live)", "upper", 'N', "HELLO WORLD (LIVE)"},
      {"hello", "", 'U', "HELLO"},        // the default case applies
      {"hello", "Q", 'F', "Hello"},       // as it does for an unknown letter
      {"hello", "", 'u', "hello"},        // a default holding another letter: unchanged
      {"ac/dc", "C", 'N', "Ac/Dc"},
      {"mr.x", "c", 'N', "Mr.X"},
      {"rock'n'roll", "C", 'N', "Rock'n'roll"},
      {"jean-luc", "C", 'N', "Jean-luc"},
      {"a  b", "C", 'N', "A  B"},
      {"x!y(z)w,v.u/t:s;r<q>p?o\"n-m", "C", 'N', "X!Y(Z)W,V.U/T:S;R<Q>P?O\"n-m"},
      {"\xE9t\xE9 caf\xE9", "U", 'N', "\xE9T\xE9 CAF\xE9"},
      {"\xC9T\xC9 CAF\xC9", "L", 'N', "\xC9t\xC9 caf\xC9"},
      {"", "C", 'N', ""}, {"", "F", 'N', ""}, {"", "L", 'N', ""}, {"", "U", 'N', ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.value << " case " << c.caseField);
    EXPECT_EQ(Format(std::string(c.value), {"T", "", "", c.caseField}, 0, 'L', c.defaultCase),
              c.expected);
  }
}

TEST(ItemFormatting, FillIsNeverCaseConverted) {
  EXPECT_EQ(Format("abc", {"L", "10", "x", "U"}), "ABCxxxxxxx");
  EXPECT_EQ(Format("ABC", {"R", "6", "Y", "L"}), "YYYabc");
}

TEST(ItemFormatting, ItemWidthAbove65535IsTakenAs65535) {
  EXPECT_EQ(Format("Abc", {"L", "65535", "", ""}).size(), 65535U);
  for (std::string_view width : {"65536", "2147483647", "$7FFFFFFF"}) {
    SCOPED_TRACE(width);
    const std::string result = Format("Abc", {"R", width, "-", ""});
    ASSERT_EQ(result.size(), 65535U);
    EXPECT_EQ(result.substr(65532), "Abc");
  }
  // The implicit width is bounded the same way.
  EXPECT_EQ(Format("Abc", {"C", "0", "", ""}, 1 << 30).size(), 65535U);
}

TEST(ItemFormatting, TextFunctions) {
  EXPECT_EQ(FillString('*', 3), "***");
  EXPECT_EQ(FillString('*', 0), "");
  EXPECT_EQ(FillString('*', -2), "");
  EXPECT_EQ(LeftPart("Abc", 2), "Ab");
  EXPECT_EQ(LeftPart("Abc", 9), "Abc");
  EXPECT_EQ(LeftPart("Abc", -1), "");
  EXPECT_EQ(AlignLeft("Abc", 5, '.'), "Abc..");
  EXPECT_EQ(AlignRight("Abc", 5, '.'), "..Abc");
  EXPECT_EQ(AlignRight("Abcdef", 4, '.'), "Abcd");
  EXPECT_EQ(AlignCenter("Abc", 4, '.'), "Abc.");
  EXPECT_EQ(AlignCenter("Abcdef", 4, '.'), "Abcd");
  for (std::int32_t width : {0, -1}) {
    EXPECT_EQ(AlignLeft("Abc", width, '.'), "");
    EXPECT_EQ(AlignRight("Abc", width, '.'), "");
    EXPECT_EQ(AlignCenter("Abc", width, '.'), "");
  }
  EXPECT_EQ(CapitalizeWords("a-b_c d", TCharSet{"-"}), "A-B_c d");
  EXPECT_EQ(CapitalizeFirst("\xE9t\xE9"), "\xE9t\xE9");
  EXPECT_EQ(UpperCase("a-z\xE0"), "A-Z\xE0");
  EXPECT_EQ(LowerCase("A-Z\xC0"), "a-z\xC0");
}

TEST(ReadInteger, SignAndDecimalOrDollarAndHexWholeTextIn32Bits) {
  struct Case { std::string_view text; bool ok; std::int32_t value; };
  const Case kCases[] = {
      {"0", true, 0}, {"42", true, 42}, {"+7", true, 7}, {"-5", true, -5}, {"007", true, 7},
      {"$A", true, 10}, {"$ff", true, 255}, {"$7FFFFFFF", true, 2147483647},
      {"2147483647", true, 2147483647}, {"-2147483648", true, -2147483647 - 1},
      {"2147483648", false, 0}, {"-2147483649", false, 0}, {"99999999999999999999", false, 0},
      {"$80000000", false, 0}, {"$", false, 0}, {"", false, 0}, {"-", false, 0},
      {"+", false, 0}, {"1.5", false, 0}, {".", false, 0}, {"ten", false, 0}, {"1 ", false, 0},
      {" 1", false, 0}, {"$G", false, 0}, {"-$A", false, 0}, {"0x10", false, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    std::int32_t value = 12345;
    EXPECT_EQ(ReadInteger(c.text, value), c.ok);
    if (c.ok) {
      EXPECT_EQ(value, c.value);
    }
  }
}

}  // namespace
