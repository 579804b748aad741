// The patch details window from the keyboard and for assistive technology:
// F2 on a report line opens it beside the report without touching the
// report, its pane is read-only text named for screen readers, Tab reaches
// Close, and Esc closes it and gives the focus back to the report.

#include "gui/details_dialog.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>

#include "app/menu_table.h"
#include "gui/data_memo.h"
#include "gui/main_window.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

void Press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(target, key, modifiers);
  testing::ProcessEvents();
}

class DetailsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.WriteFile("Compare/Mine.syx", sysex::SyxBuilder()
                                           .Dump(3, "Soft Pad", sysex::MakeSounds(1, 2, 3, 4))
                                           .Dump(4, "Other Pad", sysex::MakeSounds(1, 2, 3, 5))
                                           .bytes());
    form_ = std::make_unique<TForm1>(FormSettings{dir_.path(), &files_});
    testing::ShowAndWait(*form_);
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }

  // The report: a line naming two patches between two others; the caret on
  // line `line`.
  void WriteReport(std::size_t line) {
    DataMemo* memo = form_->data_memo();
    memo->Clear();
    memo->AppendLine("Near twins in 1 parameter:");
    memo->AppendLine("  \"Mine [003:Soft Pad  ]\" / \"Mine [004:Other Pad ]\"");
    memo->AppendLine("  Sound 3 Volume: 1 / 2");
    memo->MoveCaret(PanePosition{line, 2}, false);
    memo->setFocus();
    testing::ProcessEvents();
  }

  testing::TempDir dir_;
  testing::FakeReportFiles files_;
  std::unique_ptr<TForm1> form_;
};

TEST_F(DetailsDialogTest, OpensBesideTheReportAndClosesBackToIt) {
  WriteReport(1);
  const std::string report = testing::PaneText(*form_);
  Press(form_->data_memo(), Qt::Key_F2);
  DetailsDialog* details = form_->details_dialog();
  ASSERT_NE(details, nullptr);
  ASSERT_TRUE(details->isVisible());
  EXPECT_FALSE(details->isModal());
  EXPECT_EQ(details->windowTitle(), "Patch Details");
  EXPECT_EQ(QApplication::focusWidget(), details->pane());
  const PaneModel& shown = details->pane()->model();
  EXPECT_EQ(shown.text().Line(0), "\"Mine [003:Soft Pad  ]\" / \"Mine [004:Other Pad ]\"");
  EXPECT_GT(shown.text().line_count(), 50u);
  // The report and its caret stay as they were.
  EXPECT_EQ(testing::PaneText(*form_), report);
  EXPECT_EQ(form_->data_memo()->model().caret().line, 1u);

  // Read-only: typing and deleting change nothing; Tab goes on to Close.
  const std::string first = std::string(shown.text().Line(0));
  Press(details->pane(), Qt::Key_X);
  Press(details->pane(), Qt::Key_Delete);
  Press(details->pane(), Qt::Key_Return);
  EXPECT_EQ(shown.text().Line(0), first);
  Press(details->pane(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), details->close_button());

  // A screen reader finds read-only text named for what it shows, line by
  // line.
  QAccessibleInterface* access = QAccessible::queryAccessibleInterface(details->pane());
  ASSERT_NE(access, nullptr);
  EXPECT_EQ(access->text(QAccessible::Name), "Patch Details");
  EXPECT_TRUE(access->state().readOnly);
  EXPECT_FALSE(access->state().editable);
  ASSERT_NE(access->textInterface(), nullptr);
  int start = 0;
  int end = 0;
  EXPECT_EQ(access->textInterface()->textAtOffset(1, QAccessible::LineBoundary, &start, &end)
                .trimmed(),
            QString::fromStdString(first));

  // Esc closes it; the focus is back in the report.
  Press(details->close_button(), Qt::Key_Escape);
  EXPECT_FALSE(details->isVisible());
  EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  testing::ProcessEvents();
  EXPECT_EQ(QApplication::focusWidget(), form_->data_memo());
  EXPECT_EQ(testing::PaneText(*form_), report);
}

TEST_F(DetailsDialogTest, ALineWithoutPatchesLeavesEverythingAsItWas) {
  WriteReport(0);
  const std::string report = testing::PaneText(*form_);
  Press(form_->data_memo(), Qt::Key_F2);
  EXPECT_EQ(form_->details_dialog(), nullptr);
  EXPECT_EQ(testing::PaneText(*form_), report);
  EXPECT_EQ(form_->msg_label()->text().toStdString(),
            "The line at the cursor names no patch of the sysex files read: put the cursor on a "
            "line that names one.");
  // Another line then replaces nothing but the details.
  WriteReport(1);
  form_->application().Click(menu::kShowPatchDetails);
  ASSERT_NE(form_->details_dialog(), nullptr);
  WriteReport(2);
  form_->application().Click(menu::kShowPatchDetails);
  EXPECT_EQ(form_->details_dialog()->pane()->model().text().Line(0),
            "\"Mine [003:Soft Pad  ]\" / \"Mine [004:Other Pad ]\"");
}

}  // namespace
}  // namespace dravelin
