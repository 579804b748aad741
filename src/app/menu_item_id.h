// Names one command item of the menu bar: its place in the menu table
// (app/menu_table.h), which also gives every item a named constant.

#ifndef DRAVELIN_APP_MENU_ITEM_ID_H_
#define DRAVELIN_APP_MENU_ITEM_ID_H_

#include <cstddef>
#include <cstdint>

namespace dravelin {

struct MenuItemId {
  std::uint8_t index;

  friend constexpr bool operator==(MenuItemId, MenuItemId) = default;
};

inline constexpr std::size_t IndexOf(MenuItemId item) { return item.index; }

}  // namespace dravelin

#endif  // DRAVELIN_APP_MENU_ITEM_ID_H_
