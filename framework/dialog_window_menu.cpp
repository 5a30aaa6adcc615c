// DialogWindow menu-bar operations (slots 106 to 108): GetMenu wrapped in a MenuObject,
// SetMenu and DrawMenuBar. Neither setter redraws; the menu itself is MenuObject's business.
#include <windows.h>

#include <memory>

#include "framework/dialog_window.h"
#include "framework/menu_object.h"

namespace rc2e {

std::unique_ptr<MenuObject> DialogWindow::GetMenuBar() {
  MenuObject wrapper;
  wrapper.AttachMenu(::GetMenu(handle));
  std::unique_ptr<MenuObject> result = wrapper.Clone();
  wrapper.Destroy();
  return result;
}

bool DialogWindow::SetMenuBar(const MenuObject* menu) {
  return ::SetMenu(handle, menu ? menu->GetMenuHandle() : nullptr) != 0;
}

bool DialogWindow::RedrawMenuBar() { return ::DrawMenuBar(handle) != 0; }

}  // namespace rc2e
