// Tests of StatusBar against the real "msctls_statusbar32" control under Wine: the part
// edges each operation leaves, binding and creation, texts, tips (trimmed), icons.
#include "framework/status_bar.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/handle_map.h"
#include "framework/program_module.h"

namespace rc2e {
namespace {

constexpr int32_t kTemplate = 2100;
constexpr int32_t kBarId = 2101;
constexpr int32_t kEditId = 2102;
constexpr const char* kParentClass = "Rc2eStatusBarTestParent";

class FrameworkEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    programModule.moduleHandle = GetModuleHandleA(nullptr);
    CreateRegistries();
    WNDCLASSA description{};
    description.lpfnWndProc = DefWindowProcA;
    description.hInstance = programModule.moduleHandle;
    description.lpszClassName = kParentClass;
    RegisterClassA(&description);
  }
  void TearDown() override { DestroyRegistries(); }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new FrameworkEnvironment);

// A hidden top-level window 400 pixels wide as the parent of created bars.
class Parent {
 public:
  Parent()
      : window_(CreateWindowExA(0, kParentClass, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                programModule.moduleHandle, nullptr)) {}
  ~Parent() { DestroyWindow(window_); }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

std::vector<int> EdgesOf(HWND bar) {
  int count = static_cast<int>(SendMessageA(bar, SB_GETPARTS, 0, 0));
  std::vector<int> edges(count > 0 ? count : 0);
  if (count > 0) SendMessageA(bar, SB_GETPARTS, count, reinterpret_cast<LPARAM>(edges.data()));
  return edges;
}

void SetEdges(HWND bar, const std::vector<int>& edges) {
  SendMessageA(bar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

ValueArray<int32_t> ArrayOf(const std::vector<int32_t>& values) {
  ValueArray<int32_t> array(static_cast<int32_t>(values.size()));
  for (size_t i = 0; i < values.size(); ++i) array.At(static_cast<int32_t>(i) + 1) = values[i];
  return array;
}

std::vector<int32_t> VectorOf(const ValueArray<int32_t>& array) { return {array.begin(), array.end()}; }

struct PartCase {
  const char* name;
  std::vector<int> startEdges;  // empty: the fresh bar (one part to the border)
  std::function<int32_t(StatusBar&)> operation;
  int32_t result;
  std::vector<int> edges;
};

TEST(StatusBarParts, EdgesAfterEachOperation) {
  const PartCase cases[] = {
      {"add 150 to a fresh bar", {}, [](StatusBar& b) { return b.AddPart(nullptr, 150); }, 1, {150, 300}},
      {"add to the border on a fresh bar", {}, [](StatusBar& b) { return b.AddPart(nullptr, -1); }, 1, {100, -1}},
      {"add with defaults", {}, [](StatusBar& b) { return b.AddPart(); }, 1, {100, 200}},
      {"add after a part to the border", {100, -1}, [](StatusBar& b) { return b.AddPart(nullptr, 80); }, 2,
       {100, -1, 79}},
      {"add to three parts", {50, 120, 200}, [](StatusBar& b) { return b.AddPart(nullptr, 30); }, 3,
       {50, 120, 200, 230}},
      {"clear then add 60",
       {100, 200, -1},
       [](StatusBar& b) {
         b.ClearParts();
         return b.AddPart(nullptr, 60);
       },
       1,
       {60, 120}},
      {"clear", {100, 200, -1}, [](StatusBar& b) { return b.ClearParts() ? 1 : 0; }, 1, {0}},
      {"remove the middle part", {100, 200, -1}, [](StatusBar& b) { b.RemovePart(1); return 0; }, 0, {100, -1}},
      {"remove the first part", {100, 200, -1}, [](StatusBar& b) { b.RemovePart(0); return 0; }, 0, {200, -1}},
      {"remove past the end", {100, 200, -1}, [](StatusBar& b) { b.RemovePart(3); return 0; }, 0, {100, 200, -1}},
      {"remove a negative index", {100, 200, -1}, [](StatusBar& b) { b.RemovePart(-1); return 0; }, 0,
       {100, 200, -1}},
      {"widths with the border last",
       {},
       [](StatusBar& b) { return b.SetPartWidths(ArrayOf({100, 50, -1})) ? 1 : 0; },
       1,
       {100, 150, -1}},
      {"widths with the border in the middle",
       {},
       [](StatusBar& b) { return b.SetPartWidths(ArrayOf({100, -1, 50})) ? 1 : 0; },
       1,
       {100, -1, 149}},
  };
  Parent parent;
  for (const PartCase& c : cases) {
    SCOPED_TRACE(c.name);
    StatusBar bar;
    ASSERT_TRUE(bar.Create(parent.get()));
    if (!c.startEdges.empty()) SetEdges(bar.handle, c.startEdges);
    EXPECT_EQ(c.operation(bar), c.result);
    EXPECT_EQ(EdgesOf(bar.handle), c.edges);
    DestroyWindow(bar.handle);
  }
}

TEST(StatusBarParts, WidthsRoundTrip) {
  const std::vector<int32_t> cases[] = {{100, -1, 50}, {100, 50, -1}, {10}, {-1}, {30, 40, 50, 60}, {0, 0}};
  Parent parent;
  StatusBar bar;
  ASSERT_TRUE(bar.Create(parent.get()));
  for (const std::vector<int32_t>& widths : cases) {
    ASSERT_TRUE(bar.SetPartWidths(ArrayOf(widths)));
    ValueArray<int32_t> read(7);
    bar.GetPartWidths(read);
    EXPECT_EQ(VectorOf(read), widths);
    EXPECT_EQ(read.DimensionCount(), 1);
    EXPECT_EQ(bar.GetPartCount(), static_cast<int32_t>(widths.size()));
  }
  DestroyWindow(bar.handle);
}

TEST(StatusBarParts, AddedPartCarriesItsTextTipAndIcon) {
  Parent parent;
  StatusBar bar;
  ASSERT_TRUE(bar.Create(parent.get()));
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  EXPECT_EQ(bar.AddPart("second", 120, "tip of two", icon), 1);
  EXPECT_STREQ(bar.GetText(1).c_str(), "second");
  EXPECT_STREQ(bar.GetPartTip(1).c_str(), "tip of two");
  EXPECT_EQ(bar.GetPartIcon(1), icon);
  EXPECT_EQ(bar.AddPart(), 2);
  EXPECT_TRUE(bar.GetText(2).IsNull()) << "a part without text";
  EXPECT_EQ(bar.GetPartIcon(2), nullptr);
  DestroyWindow(bar.handle);
}

TEST(StatusBarParts, WithoutAWindowEverythingReportsFailure) {
  StatusBar bar;
  EXPECT_EQ(bar.GetPartCount(), 0);
  EXPECT_EQ(bar.AddPart("x"), -1);
  EXPECT_FALSE(bar.ClearParts());
  EXPECT_FALSE(bar.SetText(0, "x"));
  EXPECT_TRUE(bar.GetText().IsNull());
  EXPECT_TRUE(bar.GetPartTip(0).IsNull());
  RECT rect = bar.GetPartRect(0);
  EXPECT_EQ(rect.left | rect.top | rect.right | rect.bottom, 0);
  ValueArray<int32_t> widths(3);
  bar.GetPartWidths(widths);
  EXPECT_EQ(widths.Count(), 0);
  bar.RemovePart(0);
}

TEST(StatusBarParts, PartRectangles) {
  Parent parent;
  StatusBar bar;
  ASSERT_TRUE(bar.Create(parent.get(), 0));  // no size grip, so the last part spans to the border
  ASSERT_TRUE(bar.SetPartWidths(ArrayOf({120, -1})));
  RECT first = bar.GetPartRect(0);
  EXPECT_EQ(first.right, 120);
  RECT missing = bar.GetPartRect(5);
  EXPECT_EQ(missing.left | missing.top | missing.right | missing.bottom, 0) << "refused: all 0";
  DestroyWindow(bar.handle);
}

// --- creation and binding ------------------------------------------------------------

TEST(StatusBarCreate, ChildWithTheNextControlIdAndTheDefaultStyle) {
  Parent parent;
  programModule.controlIdCounter = 500;
  StatusBar first, second;
  ASSERT_TRUE(first.Create(parent.get()));
  ASSERT_TRUE(second.Create(parent.get(), SBARS_SIZEGRIP, WS_EX_CLIENTEDGE));
  EXPECT_EQ(GetDlgCtrlID(first.handle), 501);
  EXPECT_EQ(GetDlgCtrlID(second.handle), 502);
  EXPECT_EQ(first.ClassName().view(), kStatusBarClass);
  DWORD style = static_cast<DWORD>(GetWindowLongA(first.handle, GWL_STYLE));
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | 0x903), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | 0x903);
  EXPECT_EQ(GetWindowLongA(second.handle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
  EXPECT_EQ(GetWindowLongA(second.handle, GWL_STYLE) & SBARS_TOOLTIPS, 0);
  EXPECT_EQ(FindWindowObject(first.handle), &first);
  EXPECT_FALSE(first.Create(parent.get())) << "the object has a window already";
  EXPECT_EQ(programModule.controlIdCounter, 503) << "the counter is spent even so";
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(first.handle, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class DialogWithBar : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = CreateDialogParamA(programModule.moduleHandle, MAKEINTRESOURCEA(kTemplate), nullptr, PlainDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
  }
  void TearDown() override { DestroyWindow(dialog); }
  HWND dialog = nullptr;
};

TEST_F(DialogWithBar, BindTakesTheTemplateControlWithTheGuiFont) {
  StatusBar bar;
  ASSERT_TRUE(bar.Bind(dialog, kBarId));
  EXPECT_EQ(bar.handle, GetDlgItem(dialog, kBarId));
  EXPECT_EQ(FindWindowObject(bar.handle), &bar);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(bar.handle, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_STREQ(bar.GetText().c_str(), "prompt") << "the template's text until the first SetText";
  EXPECT_EQ(bar.GetPartCount(), 1);
}

TEST_F(DialogWithBar, BindRefusesASecondWindowAndAMissingControl) {
  StatusBar bar;
  ASSERT_TRUE(bar.Bind(dialog, kBarId));
  HWND first = bar.handle;
  EXPECT_FALSE(bar.Bind(dialog, kEditId));
  EXPECT_EQ(bar.handle, first) << "keeps the old window";
  StatusBar other;
  EXPECT_FALSE(other.Bind(dialog, 4242));
  EXPECT_EQ(other.handle, nullptr);
}

TEST_F(DialogWithBar, BindWithoutTheFontLeavesTheDialogFont) {
  HGDIOBJ before = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(dialog, kBarId, WM_GETFONT, 0, 0));
  StatusBar bar;
  ASSERT_TRUE(bar.Bind(dialog, kBarId, false));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(bar.handle, WM_GETFONT, 0, 0)), before);
}

TEST_F(DialogWithBar, AttachWindowTakesAnyExistingWindow) {
  StatusBar bar;
  EXPECT_FALSE(bar.AttachWindow(nullptr));
  EXPECT_TRUE(bar.AttachWindow(GetDlgItem(dialog, kBarId)));
  EXPECT_FALSE(bar.AttachWindow(GetDlgItem(dialog, kBarId)));
}

TEST_F(DialogWithBar, TextReplacesTheWholeSinglePart) {
  StatusBar bar;
  ASSERT_TRUE(bar.Bind(dialog, kBarId));
  const char* texts[] = {"正在生成……", "代码已复制到剪辑版", "ascii only", "混合 mixed 文本"};
  for (const char* text : texts) {
    EXPECT_TRUE(bar.SetText(0, text));
    EXPECT_STREQ(bar.GetText(0).c_str(), text);
    char window[256] = {};
    GetWindowTextA(bar.handle, window, sizeof window);
    EXPECT_STREQ(window, text) << "part 0 is the control's window text";
  }
  EXPECT_TRUE(bar.SetText(0));
  EXPECT_TRUE(bar.GetText(0).IsNull());
  RECT part = bar.GetPartRect(0);
  RECT client{};
  GetClientRect(bar.handle, &client);
  EXPECT_GE(part.right, client.right - GetSystemMetrics(SM_CXVSCROLL)) << "the text spans the bar";
}

// --- tips, colour, icons, simple mode ------------------------------------------------

TEST(StatusBarTips, TrimmedOfAsciiAndDoubleByteBlanks) {
  const struct {
    const char* stored;
    const char* read;
  } cases[] = {
      {"abc  ", "abc"},          {"  abc", "abc"},       {"　abc　", "abc"},  {" 　a b　c 　", "a b　c"},
      {"  ", ""},                {"　", ""},              {"", ""},           {"提示文字", "提示文字"},
  };
  Parent parent;
  StatusBar bar;
  ASSERT_TRUE(bar.Create(parent.get()));
  ASSERT_TRUE(bar.SetPartWidths(ArrayOf({100, 100, -1})));
  for (const auto& c : cases) {
    bar.SetPartTip(1, c.stored);
    Text tip = bar.GetPartTip(1);
    EXPECT_STREQ(tip.c_str(), c.read) << "stored [" << c.stored << "]";
    if (*c.read == '\0') {
      EXPECT_TRUE(tip.IsNull());
    }
  }
  DestroyWindow(bar.handle);
}

TEST(StatusBarLook, ColourIconsAndSimpleMode) {
  Parent parent;
  StatusBar bar;
  ASSERT_TRUE(bar.Create(parent.get()));
  EXPECT_EQ(bar.SetBackColor(RGB(10, 20, 30)), CLR_DEFAULT);
  EXPECT_EQ(bar.SetBackColor(RGB(1, 2, 3)), RGB(10, 20, 30));
  HICON icon = LoadIconA(nullptr, IDI_WARNING);
  EXPECT_TRUE(bar.SetPartIcon(0, icon));
  EXPECT_EQ(bar.GetPartIcon(0), icon);
  bar.SetText(0, "normal");
  EXPECT_TRUE(bar.SetSimple(true));
  EXPECT_TRUE(SendMessageA(bar.handle, SB_ISSIMPLE, 0, 0));
  bar.SetSimple(false);
  EXPECT_FALSE(SendMessageA(bar.handle, SB_ISSIMPLE, 0, 0));
  EXPECT_STREQ(bar.GetText(0).c_str(), "normal");
  DestroyWindow(bar.handle);
}

TEST(StatusBarLook, ResizeFitsTheBarToItsParent) {
  Parent parent;
  StatusBar bar;
  ASSERT_TRUE(bar.Create(parent.get()));
  MoveWindow(bar.handle, 0, 0, 10, 10, FALSE);
  bar.Resize();
  RECT barRect{}, client{};
  GetWindowRect(bar.handle, &barRect);
  GetClientRect(parent.get(), &client);
  EXPECT_EQ(barRect.right - barRect.left, client.right);
  DestroyWindow(bar.handle);
}

TEST(StatusBarClone, CopyHasTheSameWindowAndClass) {
  Parent parent;
  StatusBar bar;
  ASSERT_TRUE(bar.Create(parent.get()));
  std::unique_ptr<WindowBase> copy = bar.Clone();
  ASSERT_NE(dynamic_cast<StatusBar*>(copy.get()), nullptr);
  EXPECT_EQ(copy->GetHandle(), bar.handle);
  copy->SetHandle(nullptr);  // the copy must not give the window back on its way out
  copy.reset();
  DestroyWindow(bar.handle);
}

}  // namespace
}  // namespace rc2e
