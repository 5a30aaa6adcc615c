// Value operations: blanks and trimming, half-width mapping, integer conversion, memory
// writes, bit arithmetic and the growable buffer behind SplitText and ToHalfWidth.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "runtime/growable_buffer.h"
#include "runtime/value_ops.h"

namespace rc2e {
namespace {

// The text's bytes, or "<null>" for the null text.
std::string Shown(const Text& text) { return text.IsNull() ? "<null>" : std::string(text.view()); }

TEST(BlankText, SpacesOrNull) {
  EXPECT_EQ(Shown(BlankText(0)), "<null>");
  EXPECT_EQ(Shown(BlankText(-2)), "<null>");
  EXPECT_EQ(Shown(BlankText(3)), "   ");
  EXPECT_EQ(TextLength(BlankText(1000)), 1000);
  EXPECT_EQ(TextLength(Text()), 0);
}

TEST(TrimBlanks, RemovesSpacesAndDoubleByteSpacesAtTheEnds) {
  struct Case {
    std::string_view text;
    const char* leading;
    const char* both;
  } cases[] = {
      {"  a b  ", "a b  ", "a b"},
      {"　a　b　", "a　b　", "a　b"},
      {" 　 ", "<null>", "<null>"},
      {"", "<null>", "<null>"},
      {"ab", "ab", "ab"},
      {"\xB0\xA1\xA1\xA1", "\xB0\xA1\xA1\xA1", "\xB0\xA1"},  // A1 as a trail byte is no half of a blank
      {"\xA1\xA1\xA1", "\xA1", "\xA1"},
      {"a\xA1", "a\xA1", "a\xA1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Shown(TrimLeadingBlanks(c.text)), c.leading) << c.text;
    EXPECT_EQ(Shown(TrimBlanks(c.text)), c.both) << c.text;
  }
}

TEST(ToHalfWidth, MapsFullWidthFormsOnly) {
  struct Case {
    std::string_view text;
    const char* expected;
  } cases[] = {
      {"ＡＢＣ１２３", "ABC123"},
      {"ａ／ｂ＼ｃ", "a/b\\c"},
      {"中文　ｘ", "中文 x"},
      {"plain text", "plain text"},
      {"", "<null>"},
      {"x\x81", "x\x81"},
      {"\x81", "\x81"},
      {"ＡＢ\x81", "AB\x81"},
  };
  for (const Case& c : cases) EXPECT_EQ(Shown(ToHalfWidth(c.text)), c.expected) << c.text;
}

TEST(ToInteger, ConvertsEachValueType) {
  struct Case {
    int32_t value;
    int32_t expected;
    const char* what;
  } cases[] = {
      {ToInteger("１２"), 12, "full-width digits"},
      {ToInteger("abc"), 0, "letters"},
      {ToInteger("  -42xyz"), -42, "leading blanks and sign"},
      {ToInteger("+7"), 7, "plus"},
      {ToInteger(""), 0, "empty"},
      {ToInteger(Text()), 0, "null text"},
      {ToInteger(static_cast<const char*>(nullptr)), 0, "null pointer"},
      {ToInteger("99999999999"), INT32_MAX, "overflow"},
      {ToInteger("-99999999999"), INT32_MIN, "negative overflow"},
      {ToInteger(2.9), 2, "double"},
      {ToInteger(-2.9), -2, "negative double"},
      {ToInteger(2.9f), 2, "float"},
      {ToInteger(1e20), INT32_MIN, "double out of range"},
      {ToInteger(std::nan("")), INT32_MIN, "nan"},
      {ToInteger(true), 1, "bool"},
      {ToInteger(uint8_t{200}), 200, "byte"},
      {ToInteger(int16_t{-3}), -3, "16-bit"},
      {ToInteger(int64_t{0x100000005LL}), 5, "64-bit low word"},
      {ToInteger(0xFFFFFFFFu), -1, "unsigned 32-bit"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value, c.expected) << c.what;
}

TEST(WriteToMemory, WritesNaturalSizesAndHonoursTheMaximum) {
  struct Case {
    std::function<void(void*)> write;
    std::vector<uint8_t> expected;  // the first bytes; the rest must stay 0xEE
    const char* what;
  };
  ByteBuffer buffer(3);
  buffer.At(1) = 1;
  buffer.At(2) = 2;
  buffer.At(3) = 3;
  Case cases[] = {
      {[](void* p) { WriteToMemory("ab", p); }, {'a', 'b', 0}, "text with NUL"},
      {[](void* p) { WriteToMemory("abc", p, 2); }, {'a', 'b'}, "text cut"},
      {[](void* p) { WriteToMemory("ab", p, 0); }, {'a', 'b', 0}, "maximum 0 is no maximum"},
      {[](void* p) { WriteToMemory("ab", p, 9); }, {'a', 'b', 0}, "maximum above the size"},
      {[](void* p) { WriteToMemory(Text(), p); }, {}, "empty text"},
      {[&](void* p) { WriteToMemory(buffer, p); }, {1, 2, 3}, "buffer"},
      {[&](void* p) { WriteToMemory(buffer, p, 1); }, {1}, "buffer cut"},
      {[](void* p) { WriteToMemory(uint8_t{7}, p); }, {7}, "byte"},
      {[](void* p) { WriteToMemory(int16_t{-2}, p); }, {0xFE, 0xFF}, "16-bit"},
      {[](void* p) { WriteToMemory(true, p); }, {1, 0, 0, 0}, "bool"},
      {[](void* p) { WriteToMemory(int32_t{0x04030201}, p); }, {1, 2, 3, 4}, "32-bit"},
      {[](void* p) { WriteToMemory(int32_t{0x04030201}, p, 3); }, {1, 2, 3}, "32-bit cut"},
      {[](void* p) { WriteToMemory(1.0f, p); }, {0, 0, 0x80, 0x3F}, "float"},
      {[](void* p) { WriteToMemory(int64_t{0x0807060504030201LL}, p); }, {1, 2, 3, 4, 5, 6, 7, 8}, "64-bit"},
      {[](void* p) { WriteToMemory(1.0, p); }, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}, "double"},
      {[](void* p) { WriteToMemory(DateTime{1.0}, p, 7); }, {0, 0, 0, 0, 0, 0, 0xF0}, "date-time cut"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> memory(12, 0xEE);
    c.write(memory.data());
    std::vector<uint8_t> expected = c.expected;
    expected.resize(memory.size(), 0xEE);
    EXPECT_EQ(memory, expected) << c.what;
  }
  WriteToMemory("ab", nullptr);  // nothing to write to, nothing happens
}

TEST(BitOperations, CombineShiftAndRemainder) {
  EXPECT_EQ(BitAnd(0x0F0F, 0x00FF), 0x000F);
  EXPECT_EQ(BitAnd(-1, 0x70, 0x30, 0x10), 0x10);
  EXPECT_EQ(BitOr(1, 2), 3);
  EXPECT_EQ(BitOr(1, 2, 4, 8u), 15);
  EXPECT_EQ(BitNot(0), -1);
  struct Shift {
    int32_t value, count, expected;
  } shifts[] = {{-8, 1, -4}, {-1, 31, -1}, {16, 2, 4}, {16, 33, 8}, {16, 32, 16}, {INT32_MIN, 31, -1}};
  for (const Shift& s : shifts) EXPECT_EQ(ShiftRight(s.value, s.count), s.expected) << s.value << ">>" << s.count;
  struct Combine {
    int32_t low, high, expected;
  } combines[] = {{65537, 0, 1}, {0, 65537, 0x10000}, {-1, -1, -1}, {0x1234, 0x5678, 0x56781234}};
  for (const Combine& c : combines) EXPECT_EQ(CombineWords(c.low, c.high), c.expected);
  EXPECT_EQ(AbsoluteValue(-2.5), 2.5);
  EXPECT_EQ(Remainder(7.5, 2), 1.5);
  EXPECT_EQ(Remainder(-7.5, 2), -1.5);
  EXPECT_EQ(Remainder(17, 10, 4), 3);
  EXPECT_TRUE(std::isnan(Remainder(1, 0)));
}

TEST(GrowableBuffer, MakeRoomKeepsACloseCapacityAndResizesAnyOther) {
  GrowableBuffer buffer;
  struct Step {
    size_t n;
    size_t capacity;
  } steps[] = {{0, 0},      {10, 138},    {100, 138}, {5, 138},   {139, 267},
               {11, 267},   {10, 138},    {1000, 1128}, {700, 828}, {800, 828}, {0, 0}};
  for (const Step& s : steps) {
    buffer.MakeRoom(s.n);
    EXPECT_EQ(buffer.capacity(), s.capacity) << s.n;
    EXPECT_EQ(buffer.size(), s.n);
    EXPECT_EQ(buffer.data() == nullptr, s.capacity == 0);
  }
}

TEST(GrowableBuffer, LongRunsOfAppendsKeepTheirBytesWithFewResizes) {
  GrowableBuffer buffer;
  std::set<size_t> capacities;
  for (int32_t i = 0; i < 200000; ++i) {
    buffer.AppendValue(i);
    capacities.insert(buffer.capacity());
  }
  ASSERT_EQ(buffer.size(), 200000 * sizeof(int32_t));
  const auto* values = reinterpret_cast<const int32_t*>(buffer.data());
  for (int32_t i = 0; i < 200000; i += 9973) EXPECT_EQ(values[i], i);
  EXPECT_LT(capacities.size(), 40u);
  buffer.Append("xyz", 0);
  EXPECT_EQ(buffer.size(), 200000 * sizeof(int32_t));
}

}  // namespace
}  // namespace rc2e
