// The desktop window: the text pane, the status line, the four frames and
// the menu bar, over the window-free Application.
//
// TForm1 owns the Qt window (object name "Form1") and the Application that
// runs the commands. Its construction builds the window and then loads the
// bank sets, as start-up does; closing the window releases them.

#ifndef DRAVELIN_GUI_MAIN_WINDOW_H_
#define DRAVELIN_GUI_MAIN_WINDOW_H_

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/menu_item_id.h"
#include "app/window_operations.h"

class QAction;
class QApplication;
class QLabel;
class QMainWindow;
class QPlainTextEdit;
class QString;
class QWidget;

namespace dravelin {

class Application;
class ReportFileSystem;

// The pane keeps at most this many lines of one output; the lines beyond it
// are counted and named in a closing note instead of being shown. Report
// files always receive every line.
inline constexpr std::size_t kPaneLineLimit = 1'000'000;

// The size of the window's client area below the menu bar, as the window
// was designed.
inline constexpr int kClientWidth = 670;
inline constexpr int kClientHeight = 505;

struct FormSettings {
  // The folder that holds "Compare" and "Base".
  std::filesystem::path working_dir;
  // Where report files are created; null for the real file system.
  ReportFileSystem* files = nullptr;
  std::size_t pane_line_limit = kPaneLineLimit;
};

// Gives the application its title and desktop identity.
void SetUpApplication(QApplication& app);

// Shows `message` in a modal error box captioned with the application title.
void ShowExceptionBox(QWidget* parent, const QString& message);

// The program's text for display: UTF-8 where it is valid UTF-8 (file names
// on Linux), otherwise the single-byte Windows code page.
QString DecodeAnsi(std::string_view text);

class TForm1 final : public WindowOperations {
 public:
  explicit TForm1(FormSettings settings);
  ~TForm1() override;

  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Shows the window centred on the screen.
  void Show();

  // Runs `command` as a menu command: the pane is neither laid out nor
  // painted while it runs and receives its lines in large batches; an
  // exception that escapes is shown in an error box and the program goes on.
  void RunCommand(const std::function<void()>& command);

  // What a click of the item's menu entry does.
  void Click(MenuItemId item);

  // WindowOperations.
  void AppendPaneLine(std::string_view line) override;
  void ClearPane() override;
  void ShowStatus(std::string_view text) override;
  void MenuItemChanged(MenuItemId item) override;

  // Hands the lines collected so far to the pane.
  void FlushPane();

  // Lines in the pane, the ones still being collected included.
  std::size_t pane_line_count() const { return pane_lines_; }

  QMainWindow* widget() const { return form_.get(); }
  QPlainTextEdit* data_memo() const { return data_memo_; }
  QLabel* msg_label() const { return msg_label_; }
  QAction* item_action(MenuItemId item) const { return actions_[IndexOf(item)]; }
  Application& application() { return *application_; }

 private:
  class FormWidget;

  void BuildWindow();
  void BuildMenu();
  void FormClose();
  void InsertIntoPane(const QString& text);

  FormSettings settings_;
  std::unique_ptr<ReportFileSystem> own_files_;
  std::unique_ptr<QMainWindow> form_;
  QPlainTextEdit* data_memo_ = nullptr;
  QLabel* msg_label_ = nullptr;
  std::vector<QAction*> actions_;  // in menu order
  std::unique_ptr<Application> application_;

  // Pane lines not yet handed to the pane, joined by '\n'.
  std::string pending_;
  std::size_t pane_lines_ = 1;  // the pane starts with one empty line
  std::size_t dropped_lines_ = 0;
  int command_depth_ = 0;
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_MAIN_WINDOW_H_
