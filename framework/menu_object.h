// MenuObject: a value-like wrapper of one menu handle and the brush of its background,
// 45 operations in table order. It is not a window and releases nothing by itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "runtime/text.h"

namespace rc2e {

class MenuObject {
 public:
  // construction
  MenuObject() = default;
  MenuObject(const MenuObject&) = default;
  MenuObject& operator=(const MenuObject&) = default;
  virtual ~MenuObject() = default;  // like Destroy: the menu and the brush stay

  // lifetime
  virtual void Destroy();                                      // slot 0: does nothing
  virtual std::unique_ptr<MenuObject> Clone() const;           // slot 1

  // menu handle
  virtual bool CreateBar();                                    // slot 2: CreateMenu
  virtual bool CreatePopup();                                  // slot 3: CreatePopupMenu
  virtual bool FromSystemMenu(HWND window);                    // slot 4: GetSystemMenu(window, FALSE)
  virtual bool LoadFromResource(uint32_t menuId);              // slot 5: LoadMenuA
  virtual void DestroyMenuHandle();                            // slot 6: DestroyMenu, DeleteObject
  virtual void ResetSystemMenu(HWND window);                   // slot 7: GetSystemMenu(window, TRUE)
  virtual HMENU GetMenuHandle() const;                         // slot 8
  virtual bool AttachMenu(HMENU menu);                         // slot 9

  // whole menu
  virtual bool AppendSubmenu(const MenuObject& subMenu, const char* text);  // slot 10: AppendMenuA
  virtual bool InsertSubmenu(const MenuObject& subMenu, const char* text,   // slot 11: InsertMenuA
                             std::optional<int32_t> position = std::nullopt);
  virtual bool SetToWindow(HWND window);                       // slot 12: SetMenu, DrawMenuBar
  virtual bool SetBackgroundColor(COLORREF colour, bool applyToSubMenus = true);    // slot 13: SetMenuInfo
  virtual bool SetBackgroundBitmap(HBITMAP bitmap, bool applyToSubMenus = true);    // slot 14: SetMenuInfo
  virtual std::unique_ptr<MenuObject> SubMenuAt(int32_t position) const;            // slot 15: GetSubMenu

  // adding items
  virtual int32_t GetItemId(int32_t position) const;           // slot 16: GetMenuItemID
  virtual bool AppendItem(const char* text, uint32_t commandId);                    // slot 17: AppendMenuA
  virtual bool AppendSeparator();                              // slot 18: AppendMenuA
  virtual bool AppendBitmap(HBITMAP bitmap, uint32_t commandId);                    // slot 19: AppendMenuA
  virtual bool InsertItem(const char* text, int32_t position, uint32_t commandId);  // slot 20: InsertMenuA
  virtual bool InsertSeparator(int32_t position);              // slot 21: InsertMenuA
  virtual bool InsertBitmap(HBITMAP bitmap, int32_t position, uint32_t commandId);  // slot 22: InsertMenuA
  virtual bool CheckRadioItem(int32_t checkPosition, int32_t firstPosition,         // slot 23: CheckMenuRadioItem
                              int32_t lastPosition);
  virtual int32_t TrackPopup(int32_t x, int32_t y, HWND owner, uint32_t flags = 0); // slot 24: TrackPopupMenu

  // queries
  virtual Text GetItemCaption(uint32_t item, bool byPosition = false) const;        // slot 25: GetMenuStringA
  virtual uint32_t GetItemType(uint32_t item, bool byPosition = false) const;       // slot 26: GetMenuItemInfoA
  virtual RECT GetItemRect(HWND window, int32_t position) const;                    // slot 27: GetMenuItemRect
  virtual uint32_t GetItemData(uint32_t item, bool byPosition = false) const;       // slot 28: GetMenuItemInfoA
  virtual int32_t GetItemCount() const;                        // slot 29: GetMenuItemCount
  virtual int32_t GetItemState(uint32_t item, bool byPosition = false) const;       // slot 30: GetMenuState
  virtual uint32_t GetMaxHeight() const;                       // slot 31: GetMenuInfo
  virtual int32_t GetDefaultItem(uint32_t flags = 0, bool byPosition = false) const;  // slot 32: GetMenuDefaultItem
  virtual int32_t ItemFromPoint(HWND window, int32_t x, int32_t y) const;           // slot 33: MenuItemFromPoint
  virtual bool RemoveItem(uint32_t item, bool byPosition = false);                  // slot 34: RemoveMenu
  virtual int32_t CheckItem(uint32_t item, bool mark, bool byPosition = false);     // slot 35: CheckMenuItem
  virtual bool IsItemChecked(uint32_t item, bool byPosition = false) const;         // slot 36: GetMenuState

  // item properties
  virtual bool SetItemId(uint32_t item, uint32_t commandId, bool byPosition = false);     // slot 37: SetMenuItemInfoA
  virtual bool SetItemCaption(uint32_t item, const char* text, bool byPosition = false);  // slot 38: SetMenuItemInfoA
  virtual bool SetItemType(uint32_t item, uint32_t typeFlags, bool byPosition = false);   // slot 39: SetMenuItemInfoA
  virtual bool SetItemData(uint32_t item, uint32_t value, bool byPosition = false);       // slot 40: SetMenuItemInfoA
  virtual bool SetItemBitmap(uint32_t item, HBITMAP bitmap, bool byPosition = false);     // slot 41: SetMenuItemInfoA
  virtual bool SetItemCheckBitmaps(uint32_t item, HBITMAP unchecked, HBITMAP checked,     // slot 42: SetMenuItemBitmaps
                                   bool byPosition = false);
  virtual bool SetItemState(uint32_t item, uint32_t stateFlags, bool byPosition = false); // slot 43: SetMenuItemInfoA
  virtual bool SetDefaultItem(uint32_t item, bool byPosition = false);                    // slot 44: SetMenuDefaultItem

  // access
  HBRUSH GetMenuBrush() const { return menuBrush_; }

 private:
  bool StoreHandle(HMENU menu);
  bool SetBackgroundBrush(HBRUSH brush, bool applyToSubMenus);
  bool GetItemInfo(uint32_t item, bool byPosition, MENUITEMINFOA& info) const;
  bool SetItemInfo(uint32_t item, bool byPosition, MENUITEMINFOA& info);

  HMENU menuHandle_ = nullptr;
  HBRUSH menuBrush_ = nullptr;
};

}  // namespace rc2e
