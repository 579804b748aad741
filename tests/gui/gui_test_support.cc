#include "tests/gui/gui_test_support.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QWidget>
#include <string>

#include "gui/data_memo.h"

namespace dravelin::testing {

std::string PaneText(TForm1& form) { return form.data_memo()->PlainText().toStdString(); }

QString PaneLine(const DataMemo& memo, std::size_t line) {
  return memo.Text({{line, 0}, {line, memo.text().LineChars(line)}});
}

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

MessageBoxCatcher::MessageBoxCatcher() {
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (box == nullptr || !box->isVisible()) continue;
      boxes.push_back(box->windowTitle() + "|" + box->text() + "|" +
                      (box->icon() == QMessageBox::Critical ? "critical" : "other"));
      box->accept();
    }
  });
  timer_.start(20);
}

}  // namespace dravelin::testing
