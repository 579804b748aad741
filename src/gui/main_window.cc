#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QShortcut>
#include <QString>
#include <QStyle>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "app/menu_table.h"
#include "app/start_hint.h"
#include "banks/bank.h"
#include "gui/ansi_text.h"
#include "gui/client_area.h"
#include "gui/data_memo.h"
#include "gui/details_dialog.h"
#include "gui/keyboard_banks_dialog.h"
#include "gui/status_label.h"
#include "report/report_file.h"

namespace dravelin {
namespace {

// A menu entry's text: the caption as it is, with a '&' in it kept as a
// character, and the mark before its mnemonic letter.
QString MenuText(std::string_view caption, char mnemonic) {
  const auto literal = [](std::string_view part) {
    QString text = DecodeAnsi(part);
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    return text;
  };
  const std::size_t at = MnemonicIndex(caption, mnemonic);
  if (at == std::string_view::npos) return literal(caption);
  return literal(caption.substr(0, at)) + QLatin1Char('&') + literal(caption.substr(at));
}

QColor Navy() { return QColor(0, 0, 128); }
QColor Silver() { return QColor(192, 192, 192); }

// A filled rectangle with a one-pixel black outline.
class Shape final : public QWidget {
 public:
  Shape(QWidget* parent, const char* name, QColor fill) : QWidget(parent), fill_(fill) {
    setObjectName(QLatin1String(name));
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), fill_);
  }

 private:
  QColor fill_;
};

}  // namespace

TForm1::TForm1(FormSettings settings, QWidget* parent)
    : QMainWindow(parent),
      settings_(std::move(settings)),
      application_(*this, settings_.working_dir, FilesOf(settings_, own_files_)) {
  BuildWindow();
  BuildStatusLine();
  BuildPane();
  BuildMenu();
  application_.LoadBankSets();
  ShowStartHint();
}

TForm1::~TForm1() = default;

ReportFileSystem& TForm1::FilesOf(FormSettings& settings,
                                  std::unique_ptr<ReportFileSystem>& own_files) {
  if (settings.files == nullptr) {
    own_files = std::make_unique<DiskReportFileSystem>();
    settings.files = own_files.get();
  }
  return *settings.files;
}

// The black client area below the menu bar. The window opens at its designed
// size, which is also the least it can be made; made larger, the pane grows
// with it and the status line stays at the bottom.
void TForm1::BuildWindow() {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(DecodeAnsi(kMainWindowCaption));
  client_ = new ClientArea(this, QSize(kClientWidth, kClientHeight), Qt::black);
  client_->setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(client_);
}

// Components are created in painting order: each later sibling lies above
// the earlier ones.
void TForm1::BuildStatusLine() {
  using Follow = ClientArea::Follow;
  client_->Place(new Shape(client_, "Shape1", Qt::white), QRect(4, 473, 661, 25),
                 Follow::kBottomAndSides);
  client_->Place(new Shape(client_, "Shape2", Navy()), QRect(6, 475, 657, 21),
                 Follow::kBottomAndSides);
  msg_label_ = new StatusLabel(client_);
  msg_label_->setObjectName(QStringLiteral("MsgLabel"));
  client_->Place(msg_label_, QRect(8, 477, 653, 17), Follow::kBottomAndSides);
  msg_label_->setAutoFillBackground(true);
  QPalette palette = msg_label_->palette();
  palette.setColor(QPalette::Window, Silver());
  palette.setColor(QPalette::WindowText, Qt::black);
  msg_label_->setPalette(palette);
  QFont font(QStringLiteral("Times New Roman"));
  font.setPixelSize(12);
  font.setStyleHint(QFont::Serif);
  msg_label_->setFont(font);
  msg_label_->setTextFormat(Qt::PlainText);
  msg_label_->setWordWrap(false);
  msg_label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  msg_label_->setMargin(0);
  msg_label_->setIndent(0);
}

void TForm1::BuildPane() {
  using Follow = ClientArea::Follow;
  client_->Place(new Shape(client_, "Shape3", Qt::white), QRect(4, 4, 661, 467), Follow::kAllEdges);
  client_->Place(new Shape(client_, "Shape4", Navy()), QRect(6, 6, 657, 463), Follow::kAllEdges);
  data_memo_ = new DataMemo(client_);
  data_memo_->setObjectName(QStringLiteral("DataMemo"));
  client_->Place(data_memo_, QRect(7, 8, 654, 459), Follow::kAllEdges);
  QFont font(QStringLiteral("Courier New"));
  font.setPixelSize(12);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  // Whole-pixel advances, so that a report line of 88 characters fits the
  // pane's width as it did on the designer's screen.
  font.setHintingPreference(QFont::PreferFullHinting);
  data_memo_->setFont(font);
  QPalette palette = data_memo_->palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  data_memo_->setPalette(palette);
  data_memo_->setFocus();
}

void TForm1::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  // The menu font of the design, 11 pixels high, so that all five drop-down
  // menus fit the designed width; Arial's metrics stand in where the face
  // itself is missing.
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                    QStringLiteral("Liberation Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  bar->setFont(font);
  std::array<QMenu*, kDropDownMenus.size()> menus{};
  for (std::size_t i = 0; i < kDropDownMenus.size(); ++i) {
    menus[i] = bar->addMenu(MenuText(kDropDownMenus[i].caption, kDropDownMenus[i].mnemonic));
    menus[i]->setObjectName(DecodeAnsi(kDropDownMenus[i].component));
    menus[i]->setFont(font);
  }
  actions_.clear();
  for (MenuItemId id : kMenuItemIds) {
    const MenuItem& item = MenuItemOf(id);
    QAction* action = menus[static_cast<std::size_t>(item.drop_down)]->addAction(
        MenuText(item.caption, item.mnemonic));
    action->setObjectName(DecodeAnsi(item.component));
    if (!item.shortcut.empty()) {
      action->setShortcut(QKeySequence(
          QString::fromLatin1(item.shortcut.data(), static_cast<qsizetype>(item.shortcut.size()))));
    }
    connect(action, &QAction::triggered, this, [this, id] { Click(id); });
    actions_.push_back(action);
  }
  resize(kClientWidth, kClientHeight + bar->sizeHint().height());

  // F10 enters the menu bar's keyboard mode exactly as Alt pressed and let
  // go does (the first menu's title highlighted and the focus in the menu
  // bar, Left and Right between the titles, Down or Enter to open one): the
  // menu bar watches the window for that press and release, and offers no
  // other way in. Alt with a mnemonic reaches the menus by the menu bar's
  // own handling.
  auto* open_menu = new QShortcut(QKeySequence(Qt::Key_F10), this);
  open_menu->setObjectName(QStringLiteral("OpenFirstMenu"));
  connect(open_menu, &QShortcut::activated, this, [this] {
    // As the key arrives: offered to the focus (and from there to its
    // parents up to the window) as an override nobody took, pressed, and
    // let go of.
    QWidget* focus = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : this;
    QKeyEvent offered(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    offered.ignore();
    QCoreApplication::sendEvent(focus, &offered);
    QKeyEvent pressed(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(focus, &pressed);
    QKeyEvent released(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(focus, &released);
  });
  auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
  quit->setObjectName(QStringLiteral("CloseWindow"));
  connect(quit, &QShortcut::activated, this, &QWidget::close);
}

// A first start finds no bank files: the pane says where they go.
void TForm1::ShowStartHint() {
  if (CountPatches(application_.compare_set()) != 0) return;
  DataMemo::OutputHold hold(*data_memo_);
  data_memo_->Clear();
  for (const std::string& line : StartHintLines(settings_.working_dir)) AppendPaneLine(line);
}

void TForm1::ShowCentred() {
  // The native window first, so that its frame counts where the platform
  // knows it before the window is shown.
  create();
  connect(windowHandle(), &QWindow::screenChanged, this, &TForm1::FollowScreen,
          Qt::UniqueConnection);
  FollowScreen(windowHandle()->screen());
  if (const QScreen* screen = windowHandle()->screen()) {
    const QRect room = screen->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(room.center());
    move(std::max(frame.left(), room.left()), std::max(frame.top(), room.top()));
  }
  show();
  data_memo_->setFocus();
}

void TForm1::FollowScreen(QScreen* screen) {
  disconnect(screen_watch_);
  if (screen != nullptr) {
    screen_watch_ =
        connect(screen, &QScreen::availableGeometryChanged, this, [this] { FitToScreen(); });
  }
  FitToScreen();
}

// The designed size is the least the window can be made, unless the screen
// has less room for it (a small screen, or a large scale factor): then the
// least is what the screen leaves, and a larger window is made to fit, so
// that its title bar and edges stay within reach.
void TForm1::FitToScreen() {
  const QWindow* window = windowHandle();
  const QScreen* screen = window != nullptr ? window->screen() : nullptr;
  if (screen == nullptr) return;
  const QSize room = screen->availableGeometry().size();
  // Before the platform tells the frame, a title bar is reckoned with; the
  // window fits itself again when the frame is known (moveEvent).
  fitted_frame_ = frameGeometry().size() - size();
  QSize frame = fitted_frame_;
  if (frame.isNull()) frame = QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
  const QSize around = frame + (size() - client_->size());
  client_->setMinimumSize(
      QSize(kClientWidth, kClientHeight).boundedTo(room - around).expandedTo(QSize(0, 0)));
  const QSize largest = room - frame;
  if (width() > largest.width() || height() > largest.height()) {
    resize(size().boundedTo(largest));
  }
}

void TForm1::RunCommand(const std::function<void()>& command) {
  std::optional<QString> failure;
  {
    DataMemo::OutputHold hold(*data_memo_);
    try {
      command();
    } catch (const std::exception& e) {
      failure = QString::fromLocal8Bit(e.what());
    } catch (...) {
      failure = QStringLiteral("An unknown exception occurred.");
    }
  }
  // Shown once the pane may paint again, so that it is current behind the box.
  if (failure) ShowErrorBox(this, *failure);
}

void TForm1::Click(MenuItemId item) {
  if (MenuItemOf(item).asks_assignment && !application_.compare_set().empty() &&
      !AskForKeyboardBanks()) {
    return;
  }
  RunCommand([this, item] { application_.Click(item); });
}

bool TForm1::AskForKeyboardBanks() {
  KeyboardBanksDialog dialog(this, application_.OfferAssignment(),
                             [this](std::span<const int> chosen) {
                               return application_.ConfirmAssignment(chosen);
                             });
  return dialog.exec() == QDialog::Accepted;
}

void TForm1::AppendPaneLine(std::string_view line) { data_memo_->AppendLine(line); }

void TForm1::AppendPaneBlock(const TextBlock& block) {
  const auto ends = block.line_ends();
  if (ends.empty()) return;
  // The block's ended lines, each followed by CR LF.
  data_memo_->AppendLines(block.text().substr(0, ends.back()), ends, 2);
}

void TForm1::ClearPane() { data_memo_->Clear(); }

std::string TForm1::CaretLineText() {
  const PaneModel& model = data_memo_->model();
  return std::string(model.text().Line(model.caret().line));
}

void TForm1::ShowDetails(std::string_view title, std::span<const std::string> lines) {
  if (details_ == nullptr) details_ = new DetailsDialog(this, data_memo_);
  details_->ShowLines(DecodeAnsi(title), lines);
}

void TForm1::ShowStatus(std::string_view text) { msg_label_->ShowText(DecodeAnsi(text)); }

void TForm1::MenuItemChanged(MenuItemId item) {
  QAction* action = actions_[IndexOf(item)];
  action->setText(MenuText(application_.item_caption(item), MenuItemOf(item).mnemonic));
  action->setEnabled(application_.item_enabled(item));
}

void TForm1::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  if (frameGeometry().size() - size() != fitted_frame_) FitToScreen();
}

void TForm1::closeEvent(QCloseEvent* event) {
  FormClose();
  QMainWindow::closeEvent(event);
}

void TForm1::FormClose() { application_.FormClose(); }

}  // namespace dravelin
