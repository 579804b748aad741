// The only way the program touches its window: the pane, the status line and
// the menu items. The desktop window, the batch program and the tests each
// provide an implementation.

#ifndef DRAVELIN_APP_WINDOW_OPERATIONS_H_
#define DRAVELIN_APP_WINDOW_OPERATIONS_H_

#include <span>
#include <string>
#include <string_view>

#include "app/menu_item_id.h"
#include "report/pane.h"

namespace dravelin {

class WindowOperations : public Pane {
 public:
  // Replaces the status line's text; the text is on screen (or recorded)
  // before the call returns.
  virtual void ShowStatus(std::string_view text) = 0;

  // The caption or the enabled state of `item` changed. The Application owns
  // both; the window reads them back (Application::item_caption and
  // item_enabled) and shows them.
  virtual void MenuItemChanged(MenuItemId item) = 0;

  // The text of the pane's line that holds the caret, as the pane holds it
  // now (the user's own edits included); empty when it has none.
  virtual std::string CaretLineText() = 0;

  // Shows `lines` in a view of their own beside the pane, named `title`,
  // in place of what that view showed before; the pane and its caret stay
  // as they are.
  virtual void ShowDetails(std::string_view title, std::span<const std::string> lines) = 0;
};

}  // namespace dravelin

#endif  // DRAVELIN_APP_WINDOW_OPERATIONS_H_
