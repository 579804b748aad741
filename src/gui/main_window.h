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
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/menu_item_id.h"
#include "app/window_operations.h"

class QAction;
class QApplication;
class QCloseEvent;
class QLabel;
class QString;

namespace dravelin {

class ClientArea;
class DataMemo;
class ReportFileSystem;

// The size of the window's client area below the menu bar, as the window
// was designed; the window opens at this size and cannot be made smaller.
inline constexpr int kClientWidth = 670;
inline constexpr int kClientHeight = 505;

struct FormSettings {
  // The folder that holds "Compare" and "Base".
  std::filesystem::path working_dir;
  // Where report files are created; null for the real file system.
  ReportFileSystem* files = nullptr;
};

// Gives the application its title and desktop identity.
void SetUpApplication(QApplication& app);

// Shows `message` in a modal error box captioned with the application title.
void ShowExceptionBox(QWidget* parent, const QString& message);

class TForm1 final : public QMainWindow, public WindowOperations {
 public:
  explicit TForm1(FormSettings settings, QWidget* parent = nullptr);
  ~TForm1() override;

  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Shows the window centred on the screen.
  void ShowCentred();

  // Runs `command` as a menu command: the pane shows its output when it
  // ends; an exception that escapes is shown in an error box and the
  // program goes on.
  void RunCommand(const std::function<void()>& command);

  // What a click of the item's menu entry does.
  void Click(MenuItemId item);

  // WindowOperations.
  void AppendPaneLine(std::string_view line) override;
  void ClearPane() override;
  void ShowStatus(std::string_view text) override;
  void MenuItemChanged(MenuItemId item) override;

  DataMemo* data_memo() const { return data_memo_; }
  QLabel* msg_label() const { return msg_label_; }
  QAction* item_action(MenuItemId item) const { return actions_[IndexOf(item)]; }
  Application& application() { return application_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  static ReportFileSystem& FilesOf(FormSettings& settings,
                                   std::unique_ptr<ReportFileSystem>& own_files);

  void BuildWindow();
  void BuildStatusLine();
  void BuildPane();
  void BuildMenu();
  void ShowStartHint();
  void FormClose();

  FormSettings settings_;
  std::unique_ptr<ReportFileSystem> own_files_;
  Application application_;
  ClientArea* client_ = nullptr;
  QLabel* msg_label_ = nullptr;
  DataMemo* data_memo_ = nullptr;
  std::vector<QAction*> actions_;  // in menu order
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_MAIN_WINDOW_H_
