// The desktop window: the text pane, the status line, the four frames and
// the menu bar, over the window-free Application.
//
// TForm1 is the Qt main window (object name "Form1") and the window
// operations the Application works through. Its construction builds the
// window and then loads the bank sets, as start-up does; when the Compare
// set gave no patch, the pane says where bank files go. Closing the window
// releases the sets.

#ifndef DRAVELIN_GUI_MAIN_WINDOW_H_
#define DRAVELIN_GUI_MAIN_WINDOW_H_

#include <QMainWindow>
#include <QMetaObject>
#include <QSize>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/menu_item_id.h"
#include "app/window_operations.h"
#include "gui/desktop_identity.h"
#include "gui/status_label.h"
#include "report/text_block.h"

class QAction;
class QCloseEvent;
class QMoveEvent;
class QScreen;
class QString;

namespace dravelin {

class ClientArea;
class DataMemo;
class DetailsDialog;
class ReportFileSystem;

// The size of the window's client area below the menu bar, as the window
// was designed; the window opens at this size and cannot be made smaller,
// unless the screen has less room.
inline constexpr int kClientWidth = 670;
inline constexpr int kClientHeight = 505;

struct FormSettings {
  // The folder that holds "Compare" and "Base".
  std::filesystem::path working_dir;
  // Where report files are created; null for the real file system.
  ReportFileSystem* files = nullptr;
};

class TForm1 final : public QMainWindow, public WindowOperations {
 public:
  explicit TForm1(FormSettings settings, QWidget* parent = nullptr);
  ~TForm1() override;

  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Shows the window centred on the screen, within its available area.
  void ShowCentred();

  // Runs `command` as a menu command: the pane shows its output when it
  // ends; an exception that escapes is shown in an error box and the
  // program goes on.
  void RunCommand(const std::function<void()>& command);

  // What a click of the item's menu entry does: for an item that asks for
  // the keyboard banks, first their dialog (KeyboardBanksDialog), and
  // nothing more when it is cancelled.
  void Click(MenuItemId item);

  // WindowOperations.
  void AppendPaneLine(std::string_view line) override;
  void AppendPaneBlock(const TextBlock& block) override;
  void ClearPane() override;
  void ShowStatus(std::string_view text) override;
  void MenuItemChanged(MenuItemId item) override;
  // The report's line at the caret; details open beside the window.
  std::string CaretLineText() override;
  void ShowDetails(std::string_view title, std::span<const std::string> lines) override;

  DataMemo* data_memo() const { return data_memo_; }
  StatusLabel* msg_label() const { return msg_label_; }
  QAction* item_action(MenuItemId item) const { return actions_[IndexOf(item)]; }
  // Null until details were first shown.
  DetailsDialog* details_dialog() const { return details_; }
  Application& application() { return application_; }

 protected:
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  static ReportFileSystem& FilesOf(FormSettings& settings,
                                   std::unique_ptr<ReportFileSystem>& own_files);

  void BuildWindow();
  void BuildStatusLine();
  void BuildPane();
  void BuildMenu();
  void ShowStartHint();
  void FollowScreen(QScreen* screen);
  void FitToScreen();
  void FormClose();
  // Shows the keyboard banks dialog; true when the user confirmed a choice
  // that the Application took.
  bool AskForKeyboardBanks();

  FormSettings settings_;
  std::unique_ptr<ReportFileSystem> own_files_;
  Application application_;
  ClientArea* client_ = nullptr;
  StatusLabel* msg_label_ = nullptr;
  DataMemo* data_memo_ = nullptr;
  DetailsDialog* details_ = nullptr;
  std::vector<QAction*> actions_;  // in menu order
  QMetaObject::Connection screen_watch_;
  QSize fitted_frame_;  // the frame's size around the window when it was last fitted
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_MAIN_WINDOW_H_
