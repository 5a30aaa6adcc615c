// MenuObject operations: each is one or two USER32/GDI32 menu calls on menuHandle_.
// Nothing here owns the menu beyond DestroyMenuHandle; windows and dialogs are elsewhere.
#include "framework/menu_object.h"

#include <cstring>

#include "framework/program_module.h"
#include "framework/text_argument.h"

namespace rc2e {

static_assert(sizeof(MENUITEMINFOA) == 48);
static_assert(sizeof(MENUINFO) == 28);

namespace {

UINT PlainFlag(bool byPosition) { return byPosition ? MF_BYPOSITION : MF_BYCOMMAND; }

MENUITEMINFOA ItemInfo(UINT mask) {
  MENUITEMINFOA info;
  std::memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  info.fMask = mask;
  return info;
}

MENUINFO MenuInfo(DWORD mask) {
  MENUINFO info;
  std::memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  info.fMask = mask;
  return info;
}

}  // namespace

// lifetime

void MenuObject::Destroy() {}

std::unique_ptr<MenuObject> MenuObject::Clone() const { return std::make_unique<MenuObject>(*this); }

// menu handle

bool MenuObject::StoreHandle(HMENU menu) {
  menuHandle_ = menu;
  return menuHandle_ != nullptr;
}

bool MenuObject::CreateBar() { return !menuHandle_ && StoreHandle(::CreateMenu()); }

bool MenuObject::CreatePopup() { return !menuHandle_ && StoreHandle(::CreatePopupMenu()); }

bool MenuObject::FromSystemMenu(HWND window) { return StoreHandle(::GetSystemMenu(window, FALSE)); }

bool MenuObject::LoadFromResource(uint32_t menuId) {
  return !menuHandle_ && StoreHandle(::LoadMenuA(programModule.moduleHandle, MAKEINTRESOURCEA(menuId)));
}

void MenuObject::DestroyMenuHandle() {
  if (menuHandle_) ::DestroyMenu(menuHandle_);
  menuHandle_ = nullptr;
  if (menuBrush_) ::DeleteObject(menuBrush_);
  menuBrush_ = nullptr;
}

void MenuObject::ResetSystemMenu(HWND window) { ::GetSystemMenu(window, TRUE); }

HMENU MenuObject::GetMenuHandle() const { return menuHandle_; }

bool MenuObject::AttachMenu(HMENU menu) { return !menuHandle_ && StoreHandle(menu); }

// whole menu

bool MenuObject::AppendSubmenu(const MenuObject& subMenu, const char* text) {
  auto subHandle = reinterpret_cast<UINT_PTR>(subMenu.GetMenuHandle());
  return ::AppendMenuA(menuHandle_, MF_POPUP | MF_BYPOSITION, subHandle, TextOrEmpty(text)) != 0;
}

bool MenuObject::InsertSubmenu(const MenuObject& subMenu, const char* text, std::optional<int32_t> position) {
  UINT at = static_cast<UINT>(position ? *position : GetItemCount());
  auto subHandle = reinterpret_cast<UINT_PTR>(subMenu.GetMenuHandle());
  return ::InsertMenuA(menuHandle_, at, MF_POPUP | MF_BYPOSITION, subHandle, TextOrEmpty(text)) != 0;
}

bool MenuObject::SetToWindow(HWND window) {
  bool set = ::SetMenu(window, menuHandle_) != 0;
  ::DrawMenuBar(window);
  return set;
}

bool MenuObject::SetBackgroundBrush(HBRUSH brush, bool applyToSubMenus) {
  menuBrush_ = brush;
  MENUINFO info = MenuInfo(MIM_BACKGROUND | (applyToSubMenus ? MIM_APPLYTOSUBMENUS : 0));
  info.hbrBack = menuBrush_;
  return ::SetMenuInfo(menuHandle_, &info) != 0;
}

bool MenuObject::SetBackgroundColor(COLORREF colour, bool applyToSubMenus) {
  if (menuBrush_) ::DeleteObject(menuBrush_);
  return SetBackgroundBrush(::CreateSolidBrush(colour), applyToSubMenus);
}

bool MenuObject::SetBackgroundBitmap(HBITMAP bitmap, bool applyToSubMenus) {
  if (menuBrush_) ::DeleteObject(menuBrush_);
  bool set = SetBackgroundBrush(::CreatePatternBrush(bitmap), applyToSubMenus);
  ::DeleteObject(bitmap);
  return set;
}

std::unique_ptr<MenuObject> MenuObject::SubMenuAt(int32_t position) const {
  MenuObject wrapper;
  wrapper.AttachMenu(::GetSubMenu(menuHandle_, position));
  std::unique_ptr<MenuObject> result = wrapper.Clone();
  wrapper.Destroy();
  return result;
}

// adding items

int32_t MenuObject::GetItemId(int32_t position) const {
  return static_cast<int32_t>(::GetMenuItemID(menuHandle_, position));
}

bool MenuObject::AppendItem(const char* text, uint32_t commandId) {
  return ::AppendMenuA(menuHandle_, MF_STRING, commandId, TextOrEmpty(text)) != 0;
}

bool MenuObject::AppendSeparator() { return ::AppendMenuA(menuHandle_, MF_SEPARATOR, 0, nullptr) != 0; }

bool MenuObject::AppendBitmap(HBITMAP bitmap, uint32_t commandId) {
  return ::AppendMenuA(menuHandle_, MF_BITMAP, commandId, reinterpret_cast<LPCSTR>(bitmap)) != 0;
}

bool MenuObject::InsertItem(const char* text, int32_t position, uint32_t commandId) {
  return ::InsertMenuA(menuHandle_, position, MF_BYPOSITION | MF_STRING, commandId, TextOrEmpty(text)) != 0;
}

bool MenuObject::InsertSeparator(int32_t position) {
  return ::InsertMenuA(menuHandle_, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr) != 0;
}

bool MenuObject::InsertBitmap(HBITMAP bitmap, int32_t position, uint32_t commandId) {
  return ::InsertMenuA(menuHandle_, position, MF_BYPOSITION | MF_BITMAP, commandId,
                       reinterpret_cast<LPCSTR>(bitmap)) != 0;
}

bool MenuObject::CheckRadioItem(int32_t checkPosition, int32_t firstPosition, int32_t lastPosition) {
  return ::CheckMenuRadioItem(menuHandle_, firstPosition, lastPosition, checkPosition, MF_BYPOSITION) != 0;
}

int32_t MenuObject::TrackPopup(int32_t x, int32_t y, HWND owner, uint32_t flags) {
  ::SetForegroundWindow(owner);
  return ::TrackPopupMenu(menuHandle_, flags, x, y, 0, owner, nullptr);
}

// queries

Text MenuObject::GetItemCaption(uint32_t item, bool byPosition) const {
  UINT flag = PlainFlag(byPosition);
  int length = ::GetMenuStringA(menuHandle_, item, nullptr, 0, flag);
  if (length < 0) length = 0;
  Text buffer = Text::WithLength(static_cast<size_t>(length) + 1);
  std::memset(buffer.data(), ' ', static_cast<size_t>(length) + 1);
  int copied = ::GetMenuStringA(menuHandle_, item, buffer.data(), length + 1, flag);
  // A missing item leaves the blank buffer as it was: that is the empty caption too.
  if (copied <= 0) return Text();
  return Text::Copy(std::string_view(buffer.data(), ::strnlen(buffer.data(), static_cast<size_t>(copied))));
}

bool MenuObject::GetItemInfo(uint32_t item, bool byPosition, MENUITEMINFOA& info) const {
  return ::GetMenuItemInfoA(menuHandle_, item, byPosition, &info) != 0;
}

uint32_t MenuObject::GetItemType(uint32_t item, bool byPosition) const {
  MENUITEMINFOA info = ItemInfo(MIIM_FTYPE);
  return GetItemInfo(item, byPosition, info) ? info.fType : 0;
}

RECT MenuObject::GetItemRect(HWND window, int32_t position) const {
  RECT rect{0, 0, 0, 0};
  if (!::GetMenuItemRect(window, menuHandle_, position, &rect)) rect = RECT{0, 0, 0, 0};
  return rect;
}

uint32_t MenuObject::GetItemData(uint32_t item, bool byPosition) const {
  MENUITEMINFOA info = ItemInfo(MIIM_DATA);
  return GetItemInfo(item, byPosition, info) ? static_cast<uint32_t>(info.dwItemData) : 0;
}

int32_t MenuObject::GetItemCount() const { return ::GetMenuItemCount(menuHandle_); }

int32_t MenuObject::GetItemState(uint32_t item, bool byPosition) const {
  return static_cast<int32_t>(::GetMenuState(menuHandle_, item, PlainFlag(byPosition)));
}

uint32_t MenuObject::GetMaxHeight() const {
  MENUINFO info = MenuInfo(MIM_MAXHEIGHT);
  return ::GetMenuInfo(menuHandle_, &info) ? info.cyMax : 0;
}

int32_t MenuObject::GetDefaultItem(uint32_t flags, bool byPosition) const {
  return static_cast<int32_t>(::GetMenuDefaultItem(menuHandle_, byPosition, flags));
}

int32_t MenuObject::ItemFromPoint(HWND window, int32_t x, int32_t y) const {
  POINT point{x, y};
  return ::MenuItemFromPoint(window, menuHandle_, point);
}

bool MenuObject::RemoveItem(uint32_t item, bool byPosition) {
  return ::RemoveMenu(menuHandle_, item, PlainFlag(byPosition)) != 0;
}

int32_t MenuObject::CheckItem(uint32_t item, bool mark, bool byPosition) {
  UINT flags = (mark ? MF_CHECKED : MF_UNCHECKED) | PlainFlag(byPosition);
  return static_cast<int32_t>(::CheckMenuItem(menuHandle_, item, flags));
}

bool MenuObject::IsItemChecked(uint32_t item, bool byPosition) const {
  UINT state = ::GetMenuState(menuHandle_, item, PlainFlag(byPosition));
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

// item properties

bool MenuObject::SetItemInfo(uint32_t item, bool byPosition, MENUITEMINFOA& info) {
  return ::SetMenuItemInfoA(menuHandle_, item, byPosition, &info) != 0;
}

bool MenuObject::SetItemId(uint32_t item, uint32_t commandId, bool byPosition) {
  MENUITEMINFOA info = ItemInfo(MIIM_ID);
  info.wID = commandId;
  return SetItemInfo(item, byPosition, info);
}

bool MenuObject::SetItemCaption(uint32_t item, const char* text, bool byPosition) {
  Text caption = Text::Copy(text);
  if (caption.IsNull()) caption = Text::AllocatedEmpty();
  MENUITEMINFOA info = ItemInfo(MIIM_STRING);
  info.dwTypeData = caption.data();
  return SetItemInfo(item, byPosition, info);
}

bool MenuObject::SetItemType(uint32_t item, uint32_t typeFlags, bool byPosition) {
  MENUITEMINFOA info = ItemInfo(MIIM_FTYPE);
  info.fType = typeFlags;
  return SetItemInfo(item, byPosition, info);
}

bool MenuObject::SetItemData(uint32_t item, uint32_t value, bool byPosition) {
  MENUITEMINFOA info = ItemInfo(MIIM_DATA);
  info.dwItemData = value;
  return SetItemInfo(item, byPosition, info);
}

bool MenuObject::SetItemBitmap(uint32_t item, HBITMAP bitmap, bool byPosition) {
  MENUITEMINFOA info = ItemInfo(MIIM_BITMAP);
  info.hbmpItem = bitmap;
  return SetItemInfo(item, byPosition, info);
}

bool MenuObject::SetItemCheckBitmaps(uint32_t item, HBITMAP unchecked, HBITMAP checked, bool byPosition) {
  return ::SetMenuItemBitmaps(menuHandle_, item, PlainFlag(byPosition), unchecked, checked) != 0;
}

bool MenuObject::SetItemState(uint32_t item, uint32_t stateFlags, bool byPosition) {
  MENUITEMINFOA info = ItemInfo(MIIM_STATE);
  info.fState = stateFlags;
  return SetItemInfo(item, byPosition, info);
}

bool MenuObject::SetDefaultItem(uint32_t item, bool byPosition) {
  return ::SetMenuDefaultItem(menuHandle_, item, byPosition ? MF_BYPOSITION : 0) != 0;
}

}  // namespace rc2e
