#include "tests/gui/gui_test_support.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QWidget>
#include <fstream>
#include <string>

#include "gui/data_memo.h"

namespace dravelin::testing {

std::string PaneText(TForm1& form) { return form.data_memo()->PlainText().toStdString(); }

void ProcessEvents() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

void ShowAndWait(TForm1& form) {
  form.ShowCentred();
  ProcessEvents();
}

PaintRecorder::PaintRecorder(QWidget* label) : label_(label) { label_->installEventFilter(this); }

bool PaintRecorder::eventFilter(QObject* watched, QEvent* event) {
  if (watched == label_ && event->type() == QEvent::Paint) {
    painted_.push_back(static_cast<QLabel*>(label_)->text());
  }
  return false;
}

void ResetPeakMemoryUse() {
  std::ofstream clear_refs("/proc/self/clear_refs");
  clear_refs << "5\n";
}

MemoryUse CurrentMemoryUse() {
  MemoryUse use;
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    std::size_t kilobytes = 0;
    if (key == "VmRSS:" && status >> kilobytes) use.resident = kilobytes * 1024;
    if (key == "VmHWM:" && status >> kilobytes) use.peak = kilobytes * 1024;
    status.ignore(1 << 20, '\n');
  }
  return use;
}

}  // namespace dravelin::testing
