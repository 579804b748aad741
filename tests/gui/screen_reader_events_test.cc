// What a screen reader is told while the window is used, taken as Qt's AT-SPI
// bridge receives it: every accessibility event the window sends goes
// through the one update handler that the bridge otherwise installs, and
// the bridge turns each text, focus and showing event into one AT-SPI
// signal of the same content. (A listener over libatspi would need a
// session bus, the accessibility bus and an X display in every test run;
// what Orca speaks over that whole path was checked by hand.)

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <climits>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/menu_table.h"
#include "gui/data_memo.h"
#include "gui/accessible_offset.h"
#include "gui/find_bar.h"
#include "gui/main_window.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;

struct Told {
  QAccessible::Event type = QAccessible::InvalidEvent;
  QAccessible::Role role = QAccessible::NoRole;
  QString name;
  int position = -1;
  QString removed;
  QString inserted;
};

std::vector<Told>& Heard() {
  static std::vector<Told> heard;
  return heard;
}

void Record(QAccessibleEvent* event) {
  Told told;
  told.type = event->type();
  if (QAccessibleInterface* source = event->accessibleInterface()) {
    told.role = source->role();
    told.name = source->text(QAccessible::Name);
  }
  switch (event->type()) {
    case QAccessible::TextInserted: {
      auto* text = static_cast<QAccessibleTextInsertEvent*>(event);
      told.position = text->changePosition();
      told.inserted = text->textInserted();
      break;
    }
    case QAccessible::TextRemoved: {
      auto* text = static_cast<QAccessibleTextRemoveEvent*>(event);
      told.position = text->changePosition();
      told.removed = text->textRemoved();
      break;
    }
    case QAccessible::TextUpdated: {
      auto* text = static_cast<QAccessibleTextUpdateEvent*>(event);
      told.position = text->changePosition();
      told.removed = text->textRemoved();
      told.inserted = text->textInserted();
      break;
    }
    default:
      break;
  }
  Heard().push_back(told);
}

std::vector<Told> Of(QAccessible::Event type) {
  std::vector<Told> found;
  for (const Told& told : Heard()) {
    if (told.type == type) found.push_back(told);
  }
  return found;
}

std::vector<Told> TextChanges() {
  std::vector<Told> found;
  for (const Told& told : Heard()) {
    if (told.type == QAccessible::TextInserted || told.type == QAccessible::TextRemoved ||
        told.type == QAccessible::TextUpdated) {
      found.push_back(told);
    }
  }
  return found;
}

// The texts announced, in order.
std::vector<QString> Announced() {
  std::vector<QString> said;
  for (const Told& told : Of(QAccessible::ObjectShow)) {
    if (told.role == QAccessible::Notification) said.push_back(told.name);
  }
  return said;
}

class ScreenReaderEventsTest : public ::testing::Test {
 protected:
  ScreenReaderEventsTest() {
    fs::copy(fs::path(DRAVELIN_SOURCE_DIR) / "examples" / "Compare", dir_.path() / "Compare");
    QAccessible::installUpdateHandler(&Record);
    // The bridge turns on once the accessibility bus answers; Qt's
    // offscreen platform has none.
    static const bool listening =
        QGuiApplication::platformName() != QLatin1String("offscreen") &&
        QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000);
    listening_ = listening;
    form_ = std::make_unique<TForm1>(FormSettings{dir_.path()});
    testing::ShowAndWait(*form_);
    form_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    pane_ = form_->data_memo();
    pane_->setFocus();
    testing::ProcessEvents();
    Heard().clear();
  }
  void SetUp() override {
    if (!listening_) GTEST_SKIP() << "no accessibility bus: run by gui_screen_reader_events";
  }
  ~ScreenReaderEventsTest() override {
    form_.reset();
    QAccessible::setActive(false);
    QAccessible::installUpdateHandler(nullptr);
  }

  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::activePopupWidget();
    if (target == nullptr) target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, modifiers);
    testing::ProcessEvents();
  }

  void Report() {
    form_->item_action(menu::kPrintAllSimilarities)->trigger();
    testing::ProcessEvents();
  }

  testing::TempDir dir_;
  bool listening_ = false;
  std::unique_ptr<TForm1> form_;
  DataMemo* pane_ = nullptr;
};

TEST_F(ScreenReaderEventsTest, EveryEditTellsTheRunItReplacedAsAStockTextViewDoes) {
  const int old_length = pane_->model().CharacterCount() > 0
                             ? static_cast<int>(pane_->model().CharacterCount())
                             : 0;
  Report();
  // The report replaced the whole pane: the old text out, the new one in.
  std::vector<Told> told = TextChanges();
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].position, 0);
  EXPECT_EQ(told[0].removed.size(), old_length);
  EXPECT_EQ(told[0].inserted, pane_->PlainText());
  EXPECT_TRUE(told[0].inserted.startsWith(QStringLiteral("The following sysex files")));

  const int end = static_cast<int>(pane_->model().CharacterCount());
  struct Step {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QAccessible::Event type;
    int position;
    QString removed;
    QString inserted;
  };
  const Step steps[] = {
      {"typing one character", Qt::Key_X, Qt::NoModifier, QAccessible::TextInserted, end, {},
       QStringLiteral("x")},
      {"Backspace", Qt::Key_Backspace, Qt::NoModifier, QAccessible::TextRemoved, end,
       QStringLiteral("x"), {}},
      {"Undo puts it back", Qt::Key_Z, Qt::ControlModifier, QAccessible::TextInserted, end, {},
       QStringLiteral("x")},
      {"Redo takes it out again", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier,
       QAccessible::TextRemoved, end, QStringLiteral("x"), {}},
      {"Enter", Qt::Key_Return, Qt::NoModifier, QAccessible::TextInserted, end, {},
       QStringLiteral("\n")},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    Heard().clear();
    Key(step.key, step.modifiers);
    told = TextChanges();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].type, step.type);
    EXPECT_EQ(told[0].role, QAccessible::EditableText);
    EXPECT_EQ(told[0].position, step.position);
    EXPECT_EQ(told[0].removed, step.removed);
    EXPECT_EQ(told[0].inserted, step.inserted);
    // Then where the caret is, in the text as it now is.
    const std::vector<Told> caret = Of(QAccessible::TextCaretMoved);
    EXPECT_FALSE(caret.empty());
  }

  // Typing over a selection tells what it replaced.
  Heard().clear();
  pane_->MoveCaret({0, 4}, false);
  pane_->MoveCaret({0, 13}, true);  // "following"
  Key(Qt::Key_A);
  told = TextChanges();
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].type, QAccessible::TextUpdated);
  EXPECT_EQ(told[0].position, 4);
  EXPECT_EQ(told[0].removed, QStringLiteral("following"));
  EXPECT_EQ(told[0].inserted, QStringLiteral("a"));
}

TEST_F(ScreenReaderEventsTest, F10ThenRightMovesTheFocusBetweenMenuTitlesNotToThePane) {
  Key(Qt::Key_F10);
  Key(Qt::Key_Right);
  std::vector<Told> focus = Of(QAccessible::Focus);
  ASSERT_FALSE(focus.empty());
  EXPECT_EQ(focus.back().role, QAccessible::MenuItem);
  EXPECT_EQ(focus.back().name.remove(QLatin1Char('&')), QStringLiteral("Create Name Lists"));
  for (const Told& told : focus) {
    EXPECT_NE(told.role, QAccessible::EditableText) << "the pane took the focus";
  }
  Key(Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), pane_);
}

TEST_F(ScreenReaderEventsTest, TheFindBarsCountAndTheStatusLineAreAnnounced) {
  Report();
  const std::vector<QString> statuses = Announced();
  ASSERT_GE(statuses.size(), 2u);
  EXPECT_EQ(statuses[statuses.size() - 2], QStringLiteral("Comparing patches..."));
  EXPECT_TRUE(statuses.back().startsWith(QStringLiteral("Finished.")));

  FindBar* bar = pane_->find_bar();
  Key(Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(bar->field()->hasFocus());
  Heard().clear();
  QTest::keyClicks(bar->field(), QStringLiteral("zzq"));
  testing::ProcessEvents();
  EXPECT_EQ(Announced(), (std::vector<QString>{QStringLiteral("No matches"),
                                               QStringLiteral("No matches"),
                                               QStringLiteral("No matches")}));
  bar->field()->clear();
  Heard().clear();
  QTest::keyClicks(bar->field(), QStringLiteral("identical"));
  testing::ProcessEvents();
  ASSERT_FALSE(Announced().empty());
  EXPECT_EQ(Announced().back(), bar->count_label()->text());
  EXPECT_TRUE(Announced().back().startsWith(QStringLiteral("1 of "))) << Announced().back().toStdString();
  Heard().clear();
  Key(Qt::Key_Return);
  ASSERT_EQ(Announced().size(), 1u);
  EXPECT_TRUE(Announced()[0].startsWith(QStringLiteral("2 of "))) << Announced()[0].toStdString();
}

// Tab from the find bar's last control reaches the pane with the caret at
// the match, not the match selected: the next Tab types blanks and keeps
// the match. Esc leaves the match selected.
TEST_F(ScreenReaderEventsTest, TabFromTheFindBarNeverLeavesAMatchToBeTypedOver) {
  Report();
  FindBar* bar = pane_->find_bar();
  Key(Qt::Key_F, Qt::ControlModifier);
  QTest::keyClicks(bar->field(), QStringLiteral("identical"));
  testing::ProcessEvents();
  const PaneRange match = pane_->selection();
  ASSERT_NE(match.from, match.to);
  // Typed on to find nothing: the last match stays selected.
  QTest::keyClicks(bar->field(), QStringLiteral("zz"));
  testing::ProcessEvents();
  ASSERT_EQ(bar->count_label()->text(), QStringLiteral("No matches"));
  ASSERT_EQ(pane_->selection(), match);
  QWidget* close = bar->findChild<QToolButton*>(QStringLiteral("FindClose"));
  ASSERT_NE(close, nullptr);
  close->setFocus(Qt::TabFocusReason);
  Key(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), pane_);
  EXPECT_EQ(pane_->selection(), (PaneRange{match.from, match.from}));
  const QString line_before = testing::PaneLine(*pane_, match.from.line);
  Key(Qt::Key_Tab);
  EXPECT_TRUE(testing::PaneLine(*pane_, match.from.line).contains(QStringLiteral("identical"),
                                                        Qt::CaseInsensitive));
  EXPECT_EQ(testing::PaneLine(*pane_, match.from.line).size(), line_before.size() + 8 -
                                                         static_cast<int>(match.from.column % 8));

  // Back into the bar, find again, and leave by Esc: the match stays.
  Key(Qt::Key_F, Qt::ControlModifier);
  QTest::keyClicks(bar->field(), QStringLiteral("identical"));
  Key(Qt::Key_Return);
  const PaneRange found = pane_->selection();
  ASSERT_NE(found.from, found.to);
  Key(Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), pane_);
  EXPECT_EQ(pane_->selection(), found);
  // A selection of the user's own is left as it is.
  pane_->MoveCaret({2, 0}, false);
  pane_->MoveCaret({2, 5}, true);
  Key(Qt::Key_F, Qt::ControlModifier);
  close->setFocus(Qt::TabFocusReason);
  Key(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), pane_);
  EXPECT_EQ(pane_->selection(), (PaneRange{{2, 0}, {2, 5}}));
}

TEST(AccessibleOffsetTest, OffsetsPastTheToolkitsIntAreClampedNeverNegative) {
  struct Case {
    std::size_t offset;
    int told;
  };
  const std::size_t big = std::size_t{1} << 31;
  const Case cases[] = {{0, 0},           {12345, 12345},          {INT_MAX, INT_MAX},
                        {big, INT_MAX},   {big + 7, INT_MAX},      {std::size_t{1} << 32, INT_MAX},
                        {SIZE_MAX, INT_MAX}};
  for (const Case& c : cases) EXPECT_EQ(ToAccessibleOffset(c.offset), c.told) << c.offset;
  EXPECT_EQ(FromAccessibleOffset(-5), 0u);
  EXPECT_EQ(FromAccessibleOffset(INT_MAX), static_cast<std::size_t>(INT_MAX));
}

}  // namespace
}  // namespace dravelin
