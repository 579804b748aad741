// Helpers shared by the GUI tests.

#ifndef DRAVELIN_TESTS_GUI_GUI_TEST_SUPPORT_H_
#define DRAVELIN_TESTS_GUI_GUI_TEST_SUPPORT_H_

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/main_window.h"
#include "report/report_file.h"

namespace dravelin::testing {

// The pane's whole text as it shows it, in UTF-8.
std::string PaneText(TForm1& form);

// Line `line` of the pane as it shows it.
QString PaneLine(const DataMemo& memo, std::size_t line);

// Handles the events that are waiting, so that a shown window is painted.
void ProcessEvents();

// Shows the form and waits until it has been painted once.
void ShowAndWait(TForm1& form);

// Records the text the label shows each time it is painted.
class PaintRecorder : public QObject {
 public:
  explicit PaintRecorder(QWidget* label);
  const std::vector<QString>& painted() const { return painted_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* label_;
  std::vector<QString> painted_;
};

// Closes the error boxes that appear while it lives and keeps what they said.
class MessageBoxCatcher {
 public:
  MessageBoxCatcher();
  std::vector<QString> boxes;  // title|text|icon

 private:
  QTimer timer_;
};

// Report files created on disk, with a hook that runs before each is
// created.
class HookedReportFiles : public ReportFileSystem {
 public:
  explicit HookedReportFiles(std::function<void(const std::filesystem::path&)> hook)
      : hook_(std::move(hook)) {}
  std::unique_ptr<ReportFile> Create(const std::filesystem::path& path) override {
    hook_(path);
    return disk_.Create(path);
  }
  bool CreateFolder(const std::filesystem::path& folder) override {
    return disk_.CreateFolder(folder);
  }

 private:
  std::function<void(const std::filesystem::path&)> hook_;
  DiskReportFileSystem disk_;
};

}  // namespace dravelin::testing

#endif  // DRAVELIN_TESTS_GUI_GUI_TEST_SUPPORT_H_
