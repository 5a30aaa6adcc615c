// Tests of the tray icon: the bytes WriteNotifyIconFields leaves in the 488-byte block, and
// what the DialogWindow tray operations hand the shell (through the Shell_NotifyIconA seam).
#include "framework/tray_icon.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace rc2e {
namespace {

namespace layout = notify_icon_layout;

constexpr uint8_t kUntouched = 0xCC;

std::string Number(uint32_t value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                     static_cast<char>((value >> 16) & 0xFF), static_cast<char>(value >> 24)};
}

std::string Terminated(std::string text) { return text + '\0'; }

struct FieldCase {
  const char* name;
  NotifyIconFields fields;
  std::vector<std::pair<size_t, std::string>> written;  // offset, bytes; all else untouched
};

const std::string kLongTip(200, 't');
const std::string kLongInfo(300, 'i');
const std::string kLongTitle(64, 'h');
const std::string kTip127(127, 'p');
const std::string kTip128(128, 'q');

std::vector<FieldCase> FieldCases() {
  std::vector<FieldCase> cases;
  cases.push_back({"nothing present", {}, {}});
  {
    NotifyIconFields f;
    f.size = 488;
    f.window = 0x00012345;
    f.id = 1;
    f.flags = 7;
    f.callbackMessage = 12313;
    f.icon = 0xABCD0123;
    f.tip = "tip";
    cases.push_back({"the fields of an add",
                     f,
                     {{0, Number(488)},
                      {4, Number(0x00012345)},
                      {8, Number(1)},
                      {12, Number(7)},
                      {16, Number(0x3019)},
                      {20, Number(0xABCD0123)},
                      {24, Terminated("tip")}}});
  }
  {
    NotifyIconFields f;
    f.state = 0x11111111;
    f.stateMask = 0x22222222;
    f.timeout = 10000;
    f.infoFlags = 3;
    cases.push_back({"numbers between the texts",
                     f,
                     {{152, Number(0x11111111)}, {156, Number(0x22222222)}, {416, Number(10000)}, {484, Number(3)}}});
  }
  {
    NotifyIconFields f;
    f.tip = kLongTip;
    cases.push_back({"a 200-byte tip keeps 127 bytes and a NUL", f, {{24, Terminated(kLongTip.substr(0, 127))}}});
  }
  {
    NotifyIconFields f;
    f.tip = kTip127;
    cases.push_back({"a 127-byte tip fits exactly", f, {{24, Terminated(kTip127)}}});
  }
  {
    NotifyIconFields f;
    f.tip = kTip128;
    cases.push_back({"a 128-byte tip loses its last byte", f, {{24, Terminated(kTip128.substr(0, 127))}}});
  }
  {
    NotifyIconFields f;
    f.info = kLongInfo;
    f.infoTitle = kLongTitle;
    cases.push_back({"long balloon texts are cut to 255 and 63 bytes",
                     f,
                     {{160, Terminated(kLongInfo.substr(0, 255))}, {420, Terminated(kLongTitle.substr(0, 63))}}});
  }
  {
    NotifyIconFields f;
    f.tip = "";
    f.info = std::string_view("a\0b", 3);
    cases.push_back({"an empty tip writes only its NUL, an inner NUL is copied", f, {{24, std::string(1, '\0')}, {160, std::string("a\0b\0", 4)}}});
  }
  {
    NotifyIconFields f;
    f.tip = "\xC7\xEB\xBD\xAB";  // double-byte text is copied byte for byte
    f.flags = 31;
    cases.push_back({"a double-byte tip", f, {{12, Number(31)}, {24, Terminated("\xC7\xEB\xBD\xAB")}}});
  }
  return cases;
}

TEST(WriteNotifyIconFields, WritesOnlyThePresentFieldsAtTheirOffsets) {
  for (const FieldCase& c : FieldCases()) {
    SCOPED_TRACE(c.name);
    std::array<uint8_t, kNotifyIconBlockSize> block;
    block.fill(kUntouched);
    std::array<uint8_t, kNotifyIconBlockSize> expected = block;
    for (const auto& [offset, bytes] : c.written) {
      for (size_t i = 0; i < bytes.size(); ++i) expected[offset + i] = static_cast<uint8_t>(bytes[i]);
    }
    WriteNotifyIconFields(block.data(), c.fields);
    for (size_t offset = 0; offset < block.size(); ++offset) {
      ASSERT_EQ(block[offset], expected[offset]) << "at offset " << offset;
    }
  }
}

TEST(WriteNotifyIconFields, NullBlockIsLeftAlone) {
  NotifyIconFields f;
  f.size = 488;
  f.tip = kLongTip;
  WriteNotifyIconFields(nullptr, f);  // must not crash
}

TEST(NotifyIconBlock, AllocatesZeroFilledAndReadsBackNumbers) {
  NotifyIconBlock block = NotifyIconBlock::Allocate();
  ASSERT_TRUE(block);
  const auto* bytes = static_cast<const uint8_t*>(block.data());
  for (size_t i = 0; i < kNotifyIconBlockSize; ++i) ASSERT_EQ(bytes[i], 0) << i;
  NotifyIconFields f;
  f.timeout = 1234;
  block.Write(f);
  EXPECT_EQ(block.ReadNumber(layout::kTimeout), 1234u);
  block.Free();
  EXPECT_FALSE(block);
  EXPECT_EQ(block.ReadNumber(layout::kTimeout), 0u);
}

}  // namespace
}  // namespace rc2e
