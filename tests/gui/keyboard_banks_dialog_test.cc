// The keyboard banks dialog before a sequencer file, from the keyboard and
// for assistive technology: what it offers, Tab and the arrow keys, a
// refused choice, Enter to take it, Esc to run nothing.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/menu_table.h"
#include "gui/keyboard_banks_dialog.h"
#include "gui/main_window.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

using testing::TempDir;

class KeyboardBanksDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.WriteFile("Compare/Alpha.syx", sysex::BankOfDistinctPatches(2, 1));
    dir_.WriteFile("Compare/Beta.syx", sysex::BankOfDistinctPatches(2, 100));
    dir_.WriteFile("Compare/Caf\xC3\xA9.syx", sysex::BankOfDistinctPatches(2, 200));
    form_ = std::make_unique<TForm1>(FormSettings{dir_.path(), nullptr});
    testing::ShowAndWait(*form_);
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }

  // Clicks `item`; `in_dialog` runs once the dialog is up, with the focus
  // in it. Returns false when no dialog came.
  bool ClickWithDialog(MenuItemId item, const std::function<void(KeyboardBanksDialog&)>& in_dialog) {
    bool came = false;
    QTimer timer;  // gone with this call, so that it never fires later
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      auto* dialog = dynamic_cast<KeyboardBanksDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      came = true;
      // As a window manager does: the offscreen platform activates no
      // window by itself.
      QApplication::setActiveWindow(dialog);
      in_dialog(*dialog);
      if (dialog->isVisible()) dialog->reject();  // a failed step must not hang the test
    });
    timer.start(0);
    form_->Click(item);
    QApplication::processEvents();
    return came;
  }

  bool Written(const char* file) const { return dir_.Exists(std::string("Compare/") + file); }

  TempDir dir_;
  std::unique_ptr<TForm1> form_;
};

TEST_F(KeyboardBanksDialogTest, OffersEveryBankByNameAndEscRunsNothing) {
  const QString status = form_->msg_label()->text();
  const bool came = ClickWithDialog(menu::kCreateMidnamFile, [](KeyboardBanksDialog& dialog) {
    ASSERT_EQ(dialog.lists().size(), 3u);
    const char* names[] = {"Alpha.syx", "Beta.syx", "Caf\xC3\xA9.syx"};
    for (std::size_t i = 0; i < 3; ++i) {
      QComboBox* list = dialog.lists()[i];
      EXPECT_EQ(list->currentIndex(), static_cast<int>(i)) << "User, Preset 1, Preset 2";
      EXPECT_EQ(list->count(), static_cast<int>(kKeyboardBankChoiceCount));
      // The list is labelled by its bank file's name: by the label beside it
      // (what AT-SPI reads on Linux) and by its own name (elsewhere).
      QAccessibleInterface* access = QAccessible::queryAccessibleInterface(list);
      ASSERT_NE(access, nullptr);
      const auto labels = access->relations(QAccessible::Label);
      ASSERT_EQ(labels.size(), 1);
      EXPECT_EQ(labels.front().first->text(QAccessible::Name), QString::fromUtf8(names[i]));
      EXPECT_EQ(list->accessibleName(), QString::fromUtf8(names[i]));
    }
    EXPECT_EQ(dialog.lists()[0]->itemText(4), "Preset 4 (General MIDI)");
    EXPECT_EQ(QApplication::focusWidget(), dialog.lists()[0]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
  });
  ASSERT_TRUE(came);
  EXPECT_FALSE(Written("QS+ Banks.midnam"));
  EXPECT_FALSE(Written("QS+ Banks.slots"));
  EXPECT_EQ(form_->msg_label()->text(), status);
}

TEST_F(KeyboardBanksDialogTest, KeysChooseARefusalKeepsTheDialogAndEnterTakesTheChoice) {
  const bool came = ClickWithDialog(menu::kCreateReabankFile, [](KeyboardBanksDialog& dialog) {
    // Alpha down to Preset 1, which Beta holds: refused, and said why.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(dialog.lists()[0]->currentIndex(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.refusal_label()->isVisible());
    EXPECT_EQ(dialog.refusal_label()->text(),
              "'Alpha.syx' and 'Beta.syx' are both on Preset 1: a keyboard bank holds one "
              "Compare bank only.");
    // Tab to Beta, up to User; Tab on to the third list and past it to the
    // buttons.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.lists()[1]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.lists()[2]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(qobject_cast<QPushButton*>(QApplication::focusWidget()) != nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
  });
  ASSERT_TRUE(came);
  EXPECT_EQ(form_->msg_label()->text().toStdString(),
            "Finished. The file 'Compare\\QS+ Banks.reabank' names the patches of 3 banks on the "
            "keyboard.");
  const std::string reabank = dir_.ReadFile("Compare/QS+ Banks.reabank");
  EXPECT_LT(reabank.find("Bank 0 0 Beta"), reabank.find("Bank 1 0 Alpha"));
  EXPECT_LT(reabank.find("Bank 1 0 Alpha"), reabank.find("Bank 2 0 Caf\xC3\xA9"));
  EXPECT_NE(dir_.ReadFile("Compare/QS+ Banks.slots").find("Alpha.syx\tPreset 1\r\nBeta.syx\tUser"),
            std::string::npos);
  // The pane shows the file.
  EXPECT_NE(testing::PaneText(*form_).find("Bank 0 0 Beta"), std::string::npos);
}

TEST_F(KeyboardBanksDialogTest, WithoutCompareBanksNoDialogComes) {
  TempDir empty;
  form_ = std::make_unique<TForm1>(FormSettings{empty.path(), nullptr});
  EXPECT_FALSE(ClickWithDialog(menu::kCreateInsDefinitionFile, [](KeyboardBanksDialog&) {}));
  EXPECT_EQ(form_->msg_label()->text(), "Message: ' No bank files were found!'");
}

}  // namespace
}  // namespace dravelin
