#include "gui/details_dialog.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/data_memo.h"

namespace dravelin {
namespace {

// Room for a line of the details (about 80 characters) and a page of them.
constexpr int kWidth = 620;
constexpr int kHeight = 480;

}  // namespace

DetailsDialog::DetailsDialog(QWidget* parent, DataMemo* report) : QDialog(parent) {
  setObjectName(QStringLiteral("PatchDetails"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  pane_ = new DataMemo(this);
  pane_->setObjectName(QStringLiteral("DetailsMemo"));
  pane_->setAccessibleName(QStringLiteral("Patch Details"));
  pane_->SetReadOnly(true);
  // The report's face, so that the columns line up as they do there.
  pane_->setFont(report->font());
  pane_->setPalette(report->palette());
  layout->addWidget(pane_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  close_ = buttons->button(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(kWidth, kHeight);
  // Closed by Esc, Close or the window's frame: the report reads on.
  connect(this, &QDialog::finished, report, [report] {
    report->window()->activateWindow();
    report->setFocus(Qt::OtherFocusReason);
  });
}

void DetailsDialog::ShowLines(const QString& title, std::span<const std::string> lines) {
  setWindowTitle(title);
  {
    DataMemo::OutputHold hold(*pane_);
    pane_->Clear();
    for (const std::string& line : lines) pane_->AppendLine(line);
  }
  // From the top, where the patches are named.
  pane_->MoveCaret(PanePosition{}, false);
  if (!isVisible()) {
    // Beside the main window where the screen has room for it.
    const QWidget* main = parentWidget();
    const QScreen* screen = main != nullptr ? main->screen() : QGuiApplication::primaryScreen();
    if (main != nullptr && screen != nullptr) {
      const QRect room = screen->availableGeometry();
      const QRect frame = main->frameGeometry();
      if (frame.right() + kWidth < room.right()) move(frame.right() + 1, frame.top());
    }
  }
  show();
  raise();
  activateWindow();
  pane_->setFocus(Qt::OtherFocusReason);
}

}  // namespace dravelin
