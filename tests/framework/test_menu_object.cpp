// Tests of MenuObject on real menus: handle lifecycle, by-position flags of each function
// family, background brushes, sub-menus, and the queries on missing items and points.
#include "framework/menu_object.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "framework/dialog_window.h"
#include "framework/handle_map.h"
#include "framework/program_module.h"

namespace rc2e {
namespace {

constexpr uint32_t kTestMenuResource = 300;  // test_menu_object.rc
constexpr int32_t kMenuBarDialog = 310;

std::string Caption(const MenuObject& menu, uint32_t item, bool byPosition) {
  return std::string(menu.GetItemCaption(item, byPosition).view());
}

// A plain top-level window of a class registered once for these tests.
class TestWindow {
 public:
  TestWindow() {
    static const ATOM kClass = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "MenuObjectTestWindow";
      return RegisterClassA(&wc);
    }();
    (void)kClass;
    handle = CreateWindowExA(0, "MenuObjectTestWindow", "menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() { DestroyWindow(handle); }
  HWND handle;
};

// A pop-up with three items whose ids are not their positions: "A" id 2, "B" id 3, "C" id 1.
class ThreeItemMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(menu.CreatePopup());
    ASSERT_TRUE(menu.AppendItem("A", 2));
    ASSERT_TRUE(menu.AppendItem("B", 3));
    ASSERT_TRUE(menu.AppendItem("C", 1));
  }
  void TearDown() override { menu.DestroyMenuHandle(); }
  MenuObject menu;
};

TEST(MenuObjectHandle, CreatePopupTwiceKeepsTheFirstMenu) {
  MenuObject menu;
  EXPECT_EQ(menu.GetMenuHandle(), nullptr);
  ASSERT_TRUE(menu.CreatePopup());
  HMENU first = menu.GetMenuHandle();
  EXPECT_TRUE(IsMenu(first));
  EXPECT_FALSE(menu.CreatePopup());
  EXPECT_FALSE(menu.CreateBar());
  EXPECT_FALSE(menu.AttachMenu(CreatePopupMenu()));
  EXPECT_FALSE(menu.LoadFromResource(kTestMenuResource));
  EXPECT_EQ(menu.GetMenuHandle(), first);
  menu.DestroyMenuHandle();
  EXPECT_EQ(menu.GetMenuHandle(), nullptr);
  EXPECT_FALSE(IsMenu(first));
  EXPECT_TRUE(menu.CreateBar());
  menu.DestroyMenuHandle();
}

TEST(MenuObjectHandle, AttachOfNoMenuFailsAndStoresNothing) {
  MenuObject menu;
  EXPECT_FALSE(menu.AttachMenu(nullptr));
  EXPECT_EQ(menu.GetMenuHandle(), nullptr);
}

TEST(MenuObjectHandle, DestroyAndCloneLeaveTheMenuAlive) {
  MenuObject menu;
  ASSERT_TRUE(menu.CreatePopup());
  ASSERT_TRUE(menu.SetBackgroundColor(RGB(1, 2, 3)));
  std::unique_ptr<MenuObject> copy = menu.Clone();
  EXPECT_EQ(copy->GetMenuHandle(), menu.GetMenuHandle());
  EXPECT_EQ(copy->GetMenuBrush(), menu.GetMenuBrush());
  copy->Destroy();
  copy.reset();
  EXPECT_TRUE(IsMenu(menu.GetMenuHandle()));
  HBRUSH brush = menu.GetMenuBrush();
  EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
  menu.DestroyMenuHandle();
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(menu.GetMenuBrush(), nullptr);
}

TEST(MenuObjectHandle, LoadFromResourceUsesTheProgramModule) {
  HINSTANCE saved = programModule.moduleHandle;
  programModule.moduleHandle = GetModuleHandleA(nullptr);
  MenuObject menu;
  ASSERT_TRUE(menu.LoadFromResource(kTestMenuResource));
  EXPECT_EQ(menu.GetItemCount(), 2);
  std::unique_ptr<MenuObject> file = menu.SubMenuAt(0);
  EXPECT_EQ(Caption(*file, 301, false), "Open");
  menu.DestroyMenuHandle();
  EXPECT_FALSE(menu.LoadFromResource(9999));
  programModule.moduleHandle = saved;
}

TEST(MenuObjectHandle, SystemMenuIsReplacedNotRefused) {
  TestWindow window;
  MenuObject menu;
  ASSERT_TRUE(menu.CreatePopup());
  HMENU popup = menu.GetMenuHandle();
  ASSERT_TRUE(menu.FromSystemMenu(window.handle));
  EXPECT_NE(menu.GetMenuHandle(), popup);
  EXPECT_GT(menu.GetItemCount(), 0);
  int defaultCount = menu.GetItemCount();
  ASSERT_TRUE(menu.AppendItem("extra", 77));
  EXPECT_EQ(GetMenuItemCount(GetSystemMenu(window.handle, FALSE)), defaultCount + 1);
  menu.ResetSystemMenu(window.handle);
  EXPECT_EQ(GetMenuItemCount(GetSystemMenu(window.handle, FALSE)), defaultCount);
  DestroyMenu(popup);
}

TEST_F(ThreeItemMenu, ByPositionFlagSelectsPositionOrCommandIdInEveryFamily) {
  // plain menu functions
  EXPECT_EQ(Caption(menu, 1, false), "C");
  EXPECT_EQ(Caption(menu, 1, true), "B");
  EXPECT_EQ(menu.CheckItem(1, true, true), static_cast<int32_t>(MF_UNCHECKED));
  EXPECT_TRUE(menu.IsItemChecked(3, false));  // B by its id
  EXPECT_FALSE(menu.IsItemChecked(1, false));
  EXPECT_EQ(menu.GetItemState(1, true) & MF_CHECKED, static_cast<int32_t>(MF_CHECKED));
  EXPECT_EQ(menu.CheckItem(3, false), static_cast<int32_t>(MF_CHECKED));
  EXPECT_FALSE(menu.IsItemChecked(1, true));

  // item information
  ASSERT_TRUE(menu.SetItemData(2, 77, false));  // A
  EXPECT_EQ(menu.GetItemData(0, true), 77u);
  EXPECT_EQ(menu.GetItemData(2, true), 0u);
  ASSERT_TRUE(menu.SetItemType(2, MFT_RADIOCHECK, true));  // C
  EXPECT_EQ(menu.GetItemType(1, false) & MFT_RADIOCHECK, static_cast<UINT>(MFT_RADIOCHECK));
  EXPECT_EQ(menu.GetItemType(2, false) & MFT_RADIOCHECK, 0u);
  ASSERT_TRUE(menu.SetItemState(0, MFS_GRAYED, true));  // A
  EXPECT_NE(menu.GetItemState(2, false) & MF_GRAYED, 0);
  ASSERT_TRUE(menu.SetItemCaption(1, "Z", true));  // B
  EXPECT_EQ(Caption(menu, 3, false), "Z");
  ASSERT_TRUE(menu.SetItemId(2, 50, true));  // C
  EXPECT_EQ(menu.GetItemId(2), 50);

  // default item
  ASSERT_TRUE(menu.SetDefaultItem(1, true));  // B
  EXPECT_EQ(menu.GetDefaultItem(0, true), 1);
  EXPECT_EQ(menu.GetDefaultItem(), 3);
  ASSERT_TRUE(menu.SetDefaultItem(2));  // A by id; A is grayed
  EXPECT_EQ(menu.GetDefaultItem(0, true), -1);
  EXPECT_EQ(menu.GetDefaultItem(GMDI_USEDISABLED, true), 0);

  // removal
  ASSERT_TRUE(menu.RemoveItem(2, false));  // A
  EXPECT_EQ(menu.GetItemCount(), 2);
  EXPECT_EQ(Caption(menu, 0, true), "Z");
  ASSERT_TRUE(menu.RemoveItem(1, true));  // C, now at position 1
  EXPECT_EQ(menu.GetItemCount(), 1);
}

TEST_F(ThreeItemMenu, MissingItemsGiveTheFailureValues) {
  EXPECT_FALSE(menu.IsItemChecked(99));
  EXPECT_FALSE(menu.IsItemChecked(7, true));
  EXPECT_EQ(menu.GetItemState(99), -1);
  EXPECT_EQ(menu.CheckItem(99, true), -1);
  EXPECT_EQ(menu.GetItemId(7), -1);
  EXPECT_EQ(menu.GetItemType(99), 0u);
  EXPECT_EQ(menu.GetItemData(99), 0u);
  EXPECT_FALSE(menu.SetItemCaption(99, "x"));
  EXPECT_FALSE(menu.RemoveItem(99));
  EXPECT_EQ(menu.GetDefaultItem(), -1);

  Text missing = menu.GetItemCaption(99);
  EXPECT_TRUE(missing.IsEmpty());
  EXPECT_EQ(missing.Length(), 0u);
}

TEST_F(ThreeItemMenu, CaptionsOfSeparatorsAndEmptyItemsAreEmpty) {
  ASSERT_TRUE(menu.AppendSeparator());
  ASSERT_TRUE(menu.AppendItem("", 9));
  ASSERT_TRUE(menu.InsertItem("first", 0, 8));
  EXPECT_EQ(Caption(menu, 0, true), "first");
  EXPECT_EQ(Caption(menu, 4, true), "");
  EXPECT_EQ(Caption(menu, 9, false), "");
  EXPECT_EQ(menu.GetItemType(4, true) & MFT_SEPARATOR, static_cast<UINT>(MFT_SEPARATOR));
  std::string longCaption(300, 'x');
  ASSERT_TRUE(menu.SetItemCaption(9, longCaption.c_str()));
  EXPECT_EQ(Caption(menu, 9, false), longCaption);
}

TEST_F(ThreeItemMenu, CheckRadioItemMarksOneOfTheRange) {
  ASSERT_TRUE(menu.CheckRadioItem(1, 0, 2));
  EXPECT_FALSE(menu.IsItemChecked(0, true));
  EXPECT_TRUE(menu.IsItemChecked(1, true));
  ASSERT_TRUE(menu.CheckRadioItem(2, 0, 2));
  EXPECT_FALSE(menu.IsItemChecked(1, true));
  EXPECT_TRUE(menu.IsItemChecked(2, true));
}

TEST_F(ThreeItemMenu, SubmenusAppendInsertAndLookUp) {
  MenuObject sub;
  ASSERT_TRUE(sub.CreatePopup());
  ASSERT_TRUE(sub.AppendItem("inner", 40));
  ASSERT_TRUE(menu.InsertSubmenu(sub, "Sub"));  // no position: after the last item
  EXPECT_EQ(menu.GetItemCount(), 4);
  EXPECT_EQ(GetSubMenu(menu.GetMenuHandle(), 3), sub.GetMenuHandle());
  EXPECT_EQ(Caption(menu, 3, true), "Sub");
  EXPECT_EQ(menu.GetItemId(3), -1);

  MenuObject front;
  ASSERT_TRUE(front.CreatePopup());
  ASSERT_TRUE(menu.InsertSubmenu(front, "Front", 0));
  EXPECT_EQ(GetSubMenu(menu.GetMenuHandle(), 0), front.GetMenuHandle());

  MenuObject back;
  ASSERT_TRUE(back.CreatePopup());
  ASSERT_TRUE(menu.AppendSubmenu(back, "Back"));
  EXPECT_EQ(GetSubMenu(menu.GetMenuHandle(), 5), back.GetMenuHandle());

  std::unique_ptr<MenuObject> found = menu.SubMenuAt(4);
  EXPECT_EQ(found->GetMenuHandle(), sub.GetMenuHandle());
  EXPECT_EQ(found->GetMenuBrush(), nullptr);
  EXPECT_EQ(Caption(*found, 40, false), "inner");
  found->Destroy();
  EXPECT_TRUE(IsMenu(sub.GetMenuHandle()));

  EXPECT_EQ(menu.SubMenuAt(1)->GetMenuHandle(), nullptr);  // plain item "A"
  EXPECT_EQ(menu.SubMenuAt(50)->GetMenuHandle(), nullptr);
}

MENUINFO BackgroundOf(HMENU menu) {
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND;
  GetMenuInfo(menu, &info);
  return info;
}

TEST(MenuObjectBackground, ApplyToSubMenusFollowsTheFlag) {
  struct Case {
    const char* name;
    std::optional<bool> apply;
    bool reachesSubMenu;
  };
  for (const Case& c : {Case{"given false", false, false}, Case{"omitted", std::nullopt, true},
                        Case{"given true", true, true}}) {
    SCOPED_TRACE(c.name);
    MenuObject menu;
    MenuObject sub;
    ASSERT_TRUE(menu.CreatePopup());
    ASSERT_TRUE(sub.CreatePopup());
    ASSERT_TRUE(menu.AppendSubmenu(sub, "sub"));
    bool set = c.apply ? menu.SetBackgroundColor(RGB(10, 20, 30), *c.apply) : menu.SetBackgroundColor(RGB(10, 20, 30));
    ASSERT_TRUE(set);
    HBRUSH brush = menu.GetMenuBrush();
    EXPECT_EQ(BackgroundOf(menu.GetMenuHandle()).hbrBack, brush);
    EXPECT_EQ(BackgroundOf(sub.GetMenuHandle()).hbrBack == brush, c.reachesSubMenu);
    menu.DestroyMenuHandle();  // takes the sub-menu with it
  }
}

TEST(MenuObjectBackground, ReplacingTheBrushReleasesTheFirst) {
  MenuObject menu;
  ASSERT_TRUE(menu.CreatePopup());
  ASSERT_TRUE(menu.SetBackgroundColor(RGB(255, 0, 0)));
  HBRUSH first = menu.GetMenuBrush();
  ASSERT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BRUSH));
  ASSERT_TRUE(menu.SetBackgroundColor(RGB(0, 255, 0)));
  EXPECT_EQ(GetObjectType(first), 0u);
  HBRUSH second = menu.GetMenuBrush();
  EXPECT_EQ(BackgroundOf(menu.GetMenuHandle()).hbrBack, second);

  HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, nullptr);
  ASSERT_TRUE(menu.SetBackgroundBitmap(bitmap));
  EXPECT_EQ(GetObjectType(second), 0u);
  EXPECT_EQ(GetObjectType(bitmap), 0u) << "the bitmap is handed over";
  EXPECT_EQ(GetObjectType(menu.GetMenuBrush()), static_cast<DWORD>(OBJ_BRUSH));
  menu.DestroyMenuHandle();
}

TEST(MenuObjectBackground, WithoutAMenuTheBrushIsStillKeptAndReleased) {
  MenuObject menu;
  EXPECT_FALSE(menu.SetBackgroundColor(RGB(1, 1, 1)));
  HBRUSH brush = menu.GetMenuBrush();
  EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
  menu.DestroyMenuHandle();
  EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST(MenuObjectWithoutMenu, EveryCallFails) {
  MenuObject menu;
  EXPECT_FALSE(menu.AppendItem("x", 1));
  EXPECT_FALSE(menu.AppendSeparator());
  EXPECT_FALSE(menu.InsertSeparator(0));
  EXPECT_EQ(menu.GetItemCount(), -1);
  EXPECT_TRUE(menu.GetItemCaption(0, true).IsEmpty());
  EXPECT_FALSE(menu.IsItemChecked(0, true));
  EXPECT_EQ(menu.GetMaxHeight(), 0u);
  menu.DestroyMenuHandle();  // nothing to release
}

TEST(MenuObjectWindow, MenuBarItemsAndPoints) {
  TestWindow window;
  MenuObject bar;
  ASSERT_TRUE(bar.CreateBar());
  ASSERT_TRUE(bar.AppendItem("File", 10));
  ASSERT_TRUE(bar.AppendItem("Edit", 11));
  ASSERT_TRUE(bar.SetToWindow(window.handle));
  EXPECT_EQ(GetMenu(window.handle), bar.GetMenuHandle());

  RECT item = bar.GetItemRect(window.handle, 1);
  EXPECT_GT(item.right, item.left);
  EXPECT_GT(item.bottom, item.top);
  EXPECT_EQ(bar.ItemFromPoint(window.handle, (item.left + item.right) / 2, (item.top + item.bottom) / 2), 1);
  EXPECT_EQ(bar.ItemFromPoint(window.handle, -30000, -30000), -1);

  RECT missing = bar.GetItemRect(window.handle, 9);
  EXPECT_EQ(missing.left | missing.top | missing.right | missing.bottom, 0);
}

TEST(MenuObjectWindow, TrackPopupReturnsTheChosenCommand) {
  TestWindow window;
  MenuObject popup;
  ASSERT_TRUE(popup.CreatePopup());
  ASSERT_TRUE(popup.AppendItem("one", 21));
  ASSERT_TRUE(popup.AppendItem("two", 22));
  // The keys wait in the queue until the menu loop reads them: down, down, enter.
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageA(window.handle, WM_KEYDOWN, key, 0);
  int32_t chosen = popup.TrackPopup(100, 100, window.handle, TPM_RETURNCMD | TPM_NONOTIFY);
  EXPECT_EQ(GetForegroundWindow(), window.handle);
  EXPECT_EQ(chosen, 22);
  popup.DestroyMenuHandle();
}

TEST(DialogMenuBar, GetSetAndRedraw) {
  if (!WindowRegistry()) CreateRegistries();
  programModule.moduleHandle = GetModuleHandleA(nullptr);
  DialogWindow dialog;
  EXPECT_FALSE(dialog.RedrawMenuBar()) << "no window yet";
  ASSERT_TRUE(dialog.LoadModeless(nullptr, kMenuBarDialog));
  HWND window = dialog.GetHandle();
  EXPECT_EQ(dialog.GetMenuBar()->GetMenuHandle(), nullptr);

  MenuObject bar;
  ASSERT_TRUE(bar.CreateBar());
  ASSERT_TRUE(bar.AppendItem("File", 1));
  ASSERT_TRUE(dialog.SetMenuBar(&bar));
  EXPECT_EQ(GetMenu(window), bar.GetMenuHandle());
  EXPECT_TRUE(dialog.RedrawMenuBar());

  std::unique_ptr<MenuObject> got = dialog.GetMenuBar();
  EXPECT_EQ(got->GetMenuHandle(), bar.GetMenuHandle()) << "shared, not copied";
  EXPECT_EQ(Caption(*got, 0, true), "File");
  got->Destroy();
  got.reset();
  EXPECT_TRUE(IsMenu(bar.GetMenuHandle()));

  EXPECT_TRUE(dialog.SetMenuBar());
  EXPECT_EQ(GetMenu(window), nullptr);
  EXPECT_TRUE(IsMenu(bar.GetMenuHandle())) << "removing the bar does not destroy the menu";
  bar.DestroyMenuHandle();
  DestroyWindow(window);
}

}  // namespace
}  // namespace rc2e
