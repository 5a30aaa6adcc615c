// SetClipboardText against the real Win32 clipboard: the text arrives as CF_TEXT, and a
// clipboard held open by another window makes it fail without touching the old content.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "runtime/clipboard.h"
#include "tests/support/clipboard_text.h"

namespace rc2e {
namespace {

using testing::ClipboardText;

// Another thread's window opens the clipboard and keeps it open until released.
class ClipboardHolder {
 public:
  ClipboardHolder() {
    opened_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &ClipboardHolder::Run, this, 0, nullptr);
    WaitForSingleObject(opened_, 10000);
  }
  ~ClipboardHolder() {
    SetEvent(release_);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    CloseHandle(release_);
    CloseHandle(opened_);
  }
  bool holding() const { return holding_; }

 private:
  static DWORD WINAPI Run(void* self) {
    auto* holder = static_cast<ClipboardHolder*>(self);
    HWND window = CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    holder->holding_ = window && OpenClipboard(window);
    SetEvent(holder->opened_);
    WaitForSingleObject(holder->release_, 10000);
    if (holder->holding_) CloseClipboard();
    if (window) DestroyWindow(window);
    return 0;
  }

  HANDLE opened_, release_, thread_;
  bool holding_ = false;
};

TEST(SetClipboardTextWin32, PutsAnsiTextOnTheClipboard) {
  struct Case {
    const char* text;
  } cases[] = {{"plain"}, {"中文 代码\r\n第二行"}, {""}};
  for (const Case& c : cases) {
    EXPECT_EQ(SetClipboardText(c.text), 1) << c.text;
    EXPECT_EQ(ClipboardText(), c.text);
  }
  EXPECT_EQ(SetClipboardText(static_cast<const char*>(nullptr)), 0);
  EXPECT_EQ(ClipboardText(), "");
}

TEST(SetClipboardTextWin32, FailsAndKeepsTheOldContentWhileAnotherWindowHoldsIt) {
  ASSERT_EQ(SetClipboardText("old content"), 1);
  {
    ClipboardHolder holder;
    ASSERT_TRUE(holder.holding());
    EXPECT_EQ(SetClipboardText("new content"), 0);
  }
  EXPECT_EQ(ClipboardText(), "old content");
  EXPECT_EQ(SetClipboardText("new content"), 1);
  EXPECT_EQ(ClipboardText(), "new content");
}

}  // namespace
}  // namespace rc2e
