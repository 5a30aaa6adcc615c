// The run-time text services: comparison, joining, value texts and dates, splitting and
// searching with double-byte stepping, including texts that end in a lone lead byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/text_services.h"
#include "tests/runtime/runtime_test_support.h"

namespace rc2e {
namespace {

using testing::kNullMember;
using testing::Members;

// Exactly the bytes of s in a block of their own (no NUL after them), so a read past
// the end is caught by the address sanitizer.
struct ExactBytes {
  explicit ExactBytes(std::string_view s) : bytes(new char[s.size() ? s.size() : 1]), size(s.size()) {
    std::copy(s.begin(), s.end(), bytes.get());
  }
  std::string_view view() const { return {bytes.get(), size}; }
  std::unique_ptr<char[]> bytes;
  size_t size;
};

TEST(CompareText, OrdersUnsignedBytesWithEmptyFirst) {
  struct Case {
    std::string_view a, b;
    int expected;
  } cases[] = {
      {"", "", 0},       {"", "a", -1},       {"a", "", 1},        {"abc", "abc", 0},
      {"a", "b", -1},    {"ab", "a", 1},      {"a", "ab", -1},     {"\x80", "a", 1},
      {"B", "a", -1},    {"中文", "中", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(CompareText(c.a, c.b), c.expected) << c.a << " vs " << c.b;
  EXPECT_EQ(CompareText(Text(), Text::AllocatedEmpty()), 0);
  EXPECT_EQ(CompareText(Text(), "x"), -1);
}

TEST(ConcatTexts, AlwaysReturnsANewBlock) {
  Text none = ConcatTexts({});
  EXPECT_FALSE(none.IsNull());
  EXPECT_EQ(none.view(), "");
  Text empties = ConcatTexts({Text(), "", Text()});
  EXPECT_FALSE(empties.IsNull());
  Text part = Text::Copy("bc");
  Text joined = ConcatTexts({"a", Text(), part, "", "中"});
  EXPECT_EQ(joined.view(), "abc中");
  EXPECT_NE(joined.address(), part.address());
}

TEST(TextFromAddress, CopiesOrGivesNull) {
  const char* literal = "abc";
  Text copy = TextFromAddress(literal);
  EXPECT_EQ(copy.view(), "abc");
  EXPECT_NE(copy.address(), literal);
  EXPECT_TRUE(TextFromAddress("").IsNull());
  EXPECT_TRUE(TextFromAddress(nullptr).IsNull());
}

ByteBuffer BufferOf(std::string_view bytes) {
  ByteBuffer buffer(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) buffer.At(static_cast<int32_t>(i + 1)) = static_cast<uint8_t>(bytes[i]);
  return buffer;
}

TEST(BytesToText, StopsAtTheFirstNul) {
  struct Case {
    std::string_view bytes;
    const char* expected;  // null: null text
  } cases[] = {
      {std::string_view("ab\0c", 4), "ab"},
      {"ab", "ab"},
      {std::string_view("\0ab", 3), nullptr},
      {"", nullptr},
  };
  for (const Case& c : cases) {
    Text text = BytesToText(BufferOf(c.bytes));
    if (!c.expected) {
      EXPECT_TRUE(text.IsNull());
    } else {
      EXPECT_EQ(text.view(), c.expected);
    }
  }
  EXPECT_TRUE(BytesToText(ByteBuffer()).IsNull());
}

TEST(ToText, FormatsEveryValueType) {
  struct Case {
    Text text;
    const char* expected;  // null: null text
  };
  ValueArray<int32_t> words(2);
  words.At(1) = 0x00636261;  // "abc" in little-endian order, then NUL
  words.At(2) = 0x64;
  ValueArray<int16_t> halves(2);
  halves.At(1) = 0x6261;
  ValueArray<int64_t> longs(1);
  longs.At(1) = 0x6463626167666568LL;  // no NUL at all
  Case cases[] = {
      {ToText(-5), "-5"},
      {ToText(0), "0"},
      {ToText(INT32_MIN), "-2147483648"},
      {ToText(uint8_t{255}), "255"},
      {ToText(int16_t{-1}), "-1"},
      {ToText(int64_t{-9223372036854775807LL - 1}), "-9223372036854775808"},
      {ToText(1.5f), "1.5"},
      {ToText(2.0), "2"},
      {ToText(100.0), "100"},
      {ToText(-0.25), "-0.25"},
      {ToText(0.0), "0"},
      {ToText(1e-7), "0"},
      {ToText(123456.789), "123456.789"},
      {ToText(true), "真"},
      {ToText(false), "假"},
      {ToText("abc"), "abc"},
      {ToText(""), nullptr},
      {ToText(Text()), nullptr},
      {ToText(BufferOf(std::string_view("x\0y", 3))), "x"},
      {ToText(words), "abc"},
      {ToText(halves), "ab"},
      {ToText(longs), "hefgabcd"},
      {ToText(ValueArray<int32_t>()), nullptr},
  };
  for (const Case& c : cases) {
    if (!c.expected) {
      EXPECT_TRUE(c.text.IsNull()) << c.text.view();
    } else {
      EXPECT_EQ(c.text.view(), c.expected);
    }
  }
  std::string huge(ToText(1e300).view());
  EXPECT_EQ(huge.size(), 301u);
  EXPECT_EQ(huge.substr(0, 1), "1");
}

TEST(FormatDateTime, WritesDateAndTheTimeAsFarAsItIsNotZero) {
  constexpr double kSecond = 1.0 / 86400;
  struct Case {
    double days;
    const char* expected;
  } cases[] = {
      {0, "1899年12月30日"},
      {1.5, "1899年12月31日12时"},
      {36585, "2000年2月29日"},
      {45000 + 0.75 + 30 * 60 * kSecond, "2023年3月15日18时30分"},
      {0.5 + kSecond, "1899年12月30日12时0分1秒"},
      {45000 + 59 * kSecond, "2023年3月15日0时0分59秒"},
      {1 - 0.4 * kSecond, "1899年12月31日"},  // rounds up into the next day
      {-1.25, "1899年12月29日6时"},
      {-2 + 0.4 * kSecond, "1899年12月30日"},  // 29 December, 23:59:59.6 rounds up to the 30th
      {2958465, "9999年12月31日"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime({c.days}).view(), c.expected) << c.days;
  EXPECT_EQ(ToText(DateTime{1.5}).view(), "1899年12月31日12时");
  EXPECT_TRUE(FormatDateTime({1e300}).IsNull());
  EXPECT_TRUE(FormatDateTime({std::numeric_limits<double>::quiet_NaN()}).IsNull());
}

TEST(SplitText, CutsAtTheDelimiterWithDoubleByteStepping) {
  const char* N = kNullMember;
  struct Case {
    std::string_view text;
    std::optional<std::string_view> delimiter;
    std::optional<int32_t> limit;
    std::vector<std::string> expected;
  } cases[] = {
      {"a,b,c", std::nullopt, std::nullopt, {"a", "b", "c"}},
      {"a\r\n\r\nb\r\n", "\r\n", std::nullopt, {"a", N, "b"}},
      {"a,b,c", ",", 1, {"a"}},
      {"a,b,c", ",", 2, {"a", "b"}},
      {"a,b,c", ",", 3, {"a", "b", "c"}},
      {"a,b", ",", 0, {}},
      {"a,b", ",", -3, {}},
      {"", ",", std::nullopt, {}},
      {"abc", "", std::nullopt, {"abc"}},
      {",a", ",", std::nullopt, {N, "a"}},
      {"a,", ",", std::nullopt, {"a"}},
      {",", ",", std::nullopt, {N}},
      {"ab", "abc", std::nullopt, {"ab"}},
      {"\x81,a,b", ",", std::nullopt, {"\x81,a", "b"}},  // the first comma is a trail byte
      {"中,文", ",", std::nullopt, {"中", "文"}},
      {"a--b---c", "--", std::nullopt, {"a", "b", "-c"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Members(SplitText(c.text, c.delimiter, c.limit)), c.expected) << c.text;
  }
}

TEST(SplitText, TextEndingInALoneLeadByteStopsSafely) {
  struct Case {
    std::string_view text;
    std::vector<std::string> expected;
  } cases[] = {
      {"a,\x81", {"a", "\x81"}},
      {"\x81", {"\x81"}},
      {"a,b\x81", {"a", "b\x81"}},
      {"a\x81,", {"a\x81,"}},
  };
  for (const Case& c : cases) {
    ExactBytes bytes(c.text);
    EXPECT_EQ(Members(SplitText(bytes.view(), ",")), c.expected);
  }
}

TEST(FindInText, FindsTheFirstMatchOnACharacterBoundary) {
  struct Case {
    std::string_view text, search;
    int32_t start;
    bool ignoreCase;
    int32_t expected;
  } cases[] = {
      {"RichEdit20A", "Edit", 1, false, 5},
      {"RichEdit20A", "edit", 1, false, -1},
      {"RichEdit20A", "edit", 1, true, 5},
      {"RichEdit20A", "RICHEDIT20A", 1, true, 1},
      {"abc", "", 1, false, -1},
      {"", "a", 1, false, -1},
      {"ab", "abc", 1, false, -1},
      {"abcabc", "abc", 2, false, 4},
      {"abcabc", "abc", 0, false, 1},
      {"abcabc", "abc", -5, false, 1},
      {"abcabc", "abc", 4, false, 4},
      {"abcabc", "abc", 5, false, -1},
      {"abcabc", "c", 6, false, 6},
      {"\x81" "Ab", "A", 1, false, -1},  // A is the trail byte of a double-byte character
      {"\x81" "Ab", "b", 1, false, 3},
      {"x\xB0\xA1y", "\xB0\xA1Y", 1, true, 2},
      {"\xB0" "a", "\xB0" "A", 1, true, -1},  // a trail byte keeps its case
      {"中文Edit", "edit", 1, true, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindInText(c.text, c.search, c.start, c.ignoreCase), c.expected)
        << c.text << " / " << c.search << " from " << c.start;
  }
}

TEST(FindInText, TextEndingInALoneLeadByteStopsSafely) {
  struct Case {
    std::string_view text, search;
    int32_t expected;
  } cases[] = {
      {"ab\x81", "b", 2},
      {"ab\x81", "\x81", 3},
      {"ab\x81", "x", -1},
      {"\x81", "\x81", 1},
      {"a\x81", "\x81x", -1},
  };
  for (const Case& c : cases) {
    ExactBytes text(c.text);
    ExactBytes search(c.search);
    EXPECT_EQ(FindInText(text.view(), search.view(), 1, false), c.expected);
    EXPECT_EQ(FindInText(text.view(), search.view(), 1, true), c.expected);
  }
}

}  // namespace
}  // namespace rc2e
