#include "app/menu_table.h"

namespace dravelin {

std::optional<MenuItemId> FindMenuItemByComponent(std::string_view name) {
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  for (MenuItemId id : kMenuItemIds) {
    const std::string_view component = MenuItemOf(id).component;
    if (component.size() != name.size()) continue;
    bool equal = true;
    for (std::size_t i = 0; i < name.size() && equal; ++i) {
      equal = lower(component[i]) == lower(name[i]);
    }
    if (equal) return id;
  }
  return std::nullopt;
}

}  // namespace dravelin
