// The menu bar as one table: every drop-down menu and every command item with
// its component name, start caption and click handler. Both front ends build
// their menus from it, and the batch program resolves commands through it.

#ifndef DRAVELIN_APP_MENU_MODEL_H_
#define DRAVELIN_APP_MENU_MODEL_H_

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "app/menu_item_id.h"

namespace dravelin {

class Application;

struct DropDownMenu {
  std::string_view component;
  std::string_view caption;
};

struct MenuItem {
  std::size_t drop_down;  // index into kDropDownMenus
  MenuItemId id;
  std::string_view component;
  std::string_view caption;  // the caption at start
  void (Application::*handler)();
};

inline constexpr std::size_t kDropDownMenuCount = 5;

extern const std::array<DropDownMenu, kDropDownMenuCount> kDropDownMenus;

// In menu order; kMenuItems[IndexOf(id)].id == id.
extern const std::array<MenuItem, kMenuItemCount> kMenuItems;

inline const MenuItem& MenuItemOf(MenuItemId id) { return kMenuItems[IndexOf(id)]; }

// The item whose component name equals `name`, ignoring ASCII case.
std::optional<MenuItemId> FindMenuItemByComponent(std::string_view name);

// The items that need a loaded Compare set, and those that also need the
// Base set, in the order their enabled states are set.
inline constexpr std::array<MenuItemId, 4> kCompareSetItems = {
    MenuItemId::kCreatePatchNameFiles, MenuItemId::kCreateInsFiles,
    MenuItemId::kPrintAllSimilarities, MenuItemId::kPrintOnlyIdentities};
inline constexpr std::array<MenuItemId, 2> kBaseSetItems = {MenuItemId::kPrintUniqueOnly,
                                                            MenuItemId::kPrintIdenticalOnly};

}  // namespace dravelin

#endif  // DRAVELIN_APP_MENU_MODEL_H_
