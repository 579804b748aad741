#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QScreen>
#include <QString>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>
#include <exception>
#include <optional>
#include <utility>

#include "app/application.h"
#include "app/menu_table.h"
#include "report/report_file.h"

namespace dravelin {
namespace {

// Lines are handed to the pane whenever this many bytes have gathered, so
// that a long report needs little memory on its way to the pane.
constexpr std::size_t kPaneBatchBytes = 1 << 20;

constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Menu captions are shown as they are: a '&' is a character, never the mark
// of an accelerator letter.
QString LiteralCaption(std::string_view caption) {
  QString text = DecodeAnsi(caption);
  text.replace(QLatin1Char('&'), QLatin1String("&&"));
  return text;
}

QColor Navy() { return QColor(0, 0, 128); }
QColor Silver() { return QColor(192, 192, 192); }

// A filled rectangle with a one-pixel black outline.
class Shape final : public QWidget {
 public:
  Shape(QWidget* parent, const char* name, QRect geometry, QColor fill)
      : QWidget(parent), fill_(fill) {
    setObjectName(QLatin1String(name));
    setGeometry(geometry);
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

// Restores painting of the pane when a command ends, also by an exception.
class PaneUpdateHold {
 public:
  explicit PaneUpdateHold(QWidget* pane) : pane_(pane), was_enabled_(pane->updatesEnabled()) {
    pane_->setUpdatesEnabled(false);
  }
  ~PaneUpdateHold() { pane_->setUpdatesEnabled(was_enabled_); }
  PaneUpdateHold(const PaneUpdateHold&) = delete;
  PaneUpdateHold& operator=(const PaneUpdateHold&) = delete;

 private:
  QWidget* pane_;
  bool was_enabled_;
};

}  // namespace

// The Qt window itself; it reports its close to the form.
class TForm1::FormWidget final : public QMainWindow {
 public:
  explicit FormWidget(std::function<void()> on_close) : on_close_(std::move(on_close)) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    on_close_();
    QMainWindow::closeEvent(event);
  }

 private:
  std::function<void()> on_close_;
};

void SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(DecodeAnsi(kApplicationTitle));
  QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.dravelin.Dravelin"));
  app.setWindowIcon(QIcon::fromTheme(QStringLiteral("org.dravelin.Dravelin")));
}

void ShowExceptionBox(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Critical, DecodeAnsi(kApplicationTitle), message, QMessageBox::Ok,
                  parent);
  box.exec();
}

QString DecodeAnsi(std::string_view text) {
  const auto size = static_cast<qsizetype>(text.size());
  // Bank names come from file names, which on Linux are UTF-8: show them as
  // such when they are valid UTF-8, and as the Windows code page otherwise.
  bool ascii = true;
  for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (!ascii) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(QByteArrayView(text.data(), size));
    if (!utf8.hasError()) return decoded;
  }
  QString result = QString::fromLatin1(text.data(), size);
  for (qsizetype i = 0; i < result.size(); ++i) {
    const char16_t c = result.at(i).unicode();
    if (c >= 0x80 && c < 0xA0) result[i] = QChar(kCp1252High[c - 0x80]);
  }
  return result;
}

TForm1::TForm1(FormSettings settings) : settings_(std::move(settings)) {
  if (settings_.files == nullptr) {
    own_files_ = std::make_unique<DiskReportFileSystem>();
    settings_.files = own_files_.get();
  }
  BuildWindow();
  BuildMenu();
  application_ = std::make_unique<Application>(*this, settings_.working_dir, *settings_.files);
  application_->LoadBankSets();
}

TForm1::~TForm1() = default;

void TForm1::BuildWindow() {
  form_ = std::make_unique<FormWidget>([this] { FormClose(); });
  form_->setObjectName(QStringLiteral("Form1"));
  form_->setWindowTitle(DecodeAnsi(kMainWindowCaption));

  auto* client = new QWidget(form_.get());
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setAutoFillBackground(true);
  QPalette client_palette = client->palette();
  client_palette.setColor(QPalette::Window, Qt::black);
  client->setPalette(client_palette);
  form_->setCentralWidget(client);

  // Created in painting order: each later sibling lies above the earlier.
  new Shape(client, "Shape1", QRect(4, 473, 661, 25), Qt::white);
  new Shape(client, "Shape2", QRect(6, 475, 657, 21), Navy());

  msg_label_ = new QLabel(client);
  msg_label_->setObjectName(QStringLiteral("MsgLabel"));
  msg_label_->setGeometry(8, 477, 653, 17);
  msg_label_->setAutoFillBackground(true);
  QPalette label_palette = msg_label_->palette();
  label_palette.setColor(QPalette::Window, Silver());
  label_palette.setColor(QPalette::WindowText, Qt::black);
  msg_label_->setPalette(label_palette);
  QFont label_font(QStringLiteral("Times New Roman"));
  label_font.setPixelSize(12);
  label_font.setStyleHint(QFont::Serif);
  msg_label_->setFont(label_font);
  msg_label_->setTextFormat(Qt::PlainText);
  msg_label_->setWordWrap(false);
  msg_label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  msg_label_->setMargin(0);
  msg_label_->setIndent(0);

  new Shape(client, "Shape3", QRect(4, 4, 661, 467), Qt::white);
  new Shape(client, "Shape4", QRect(6, 6, 657, 463), Navy());

  data_memo_ = new QPlainTextEdit(client);
  data_memo_->setObjectName(QStringLiteral("DataMemo"));
  data_memo_->setGeometry(7, 8, 654, 459);
  QFont memo_font(QStringLiteral("Courier New"));
  memo_font.setPixelSize(12);
  memo_font.setStyleHint(QFont::TypeWriter);
  memo_font.setFixedPitch(true);
  // Whole-pixel advances, so that a report line of 88 characters fits the
  // pane's width as it did on the designer's screen.
  memo_font.setHintingPreference(QFont::PreferFullHinting);
  data_memo_->setFont(memo_font);
  QPalette memo_palette = data_memo_->palette();
  memo_palette.setColor(QPalette::Text, Qt::black);
  data_memo_->setPalette(memo_palette);
  data_memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  data_memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  data_memo_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  data_memo_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  data_memo_->document()->setDocumentMargin(2);
  data_memo_->setTabChangesFocus(false);
  data_memo_->setFocus();
}

void TForm1::BuildMenu() {
  QMenuBar* bar = form_->menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  // The menu font of the design, 11 pixels high, so that all five drop-down
  // menus fit the designed width; Arial's metrics stand in where the face
  // itself is missing.
  QFont menu_font;
  menu_font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                         QStringLiteral("Liberation Sans")});
  menu_font.setStyleHint(QFont::SansSerif);
  menu_font.setPixelSize(11);
  bar->setFont(menu_font);
  std::array<QMenu*, kDropDownMenus.size()> menus{};
  for (std::size_t i = 0; i < kDropDownMenus.size(); ++i) {
    menus[i] = bar->addMenu(LiteralCaption(kDropDownMenus[i].caption));
    menus[i]->setObjectName(DecodeAnsi(kDropDownMenus[i].component));
    menus[i]->setFont(menu_font);
  }
  actions_.clear();
  for (MenuItemId id : kMenuItemIds) {
    const MenuItem& item = MenuItemOf(id);
    QAction* action =
        menus[static_cast<std::size_t>(item.drop_down)]->addAction(LiteralCaption(item.caption));
    action->setObjectName(DecodeAnsi(item.component));
    QObject::connect(action, &QAction::triggered, action, [this, id] { Click(id); });
    actions_.push_back(action);
  }
  form_->resize(kClientWidth, kClientHeight + bar->sizeHint().height());
}

void TForm1::Show() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = form_->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    form_->move(frame.topLeft());
  }
  form_->show();
  data_memo_->setFocus();
}

void TForm1::RunCommand(const std::function<void()>& command) {
  std::optional<QString> failure;
  {
    PaneUpdateHold hold(data_memo_);
    ++command_depth_;
    try {
      command();
    } catch (const std::exception& e) {
      failure = QString::fromLocal8Bit(e.what());
    } catch (...) {
      failure = QStringLiteral("An unknown exception occurred.");
    }
    --command_depth_;
    try {
      FlushPane();
    } catch (const std::exception& e) {
      if (!failure) failure = QString::fromLocal8Bit(e.what());
    }
  }
  // Shown once the pane may paint again, so that it is current behind the box.
  if (failure) ShowExceptionBox(form_.get(), *failure);
}

void TForm1::Click(MenuItemId item) {
  RunCommand([this, item] { application_->Click(item); });
}

void TForm1::AppendPaneLine(std::string_view line) {
  if (pane_lines_ >= settings_.pane_line_limit) {
    ++dropped_lines_;
    return;
  }
  if (pane_lines_ > 0) pending_ += '\n';
  pending_.append(line);
  ++pane_lines_;
  // Outside a command (nothing batches the lines then) a line is shown at once.
  if (pending_.size() >= kPaneBatchBytes || command_depth_ == 0) {
    InsertIntoPane(DecodeAnsi(pending_));
    pending_.clear();
  }
}

void TForm1::ClearPane() {
  pending_.clear();
  pane_lines_ = 0;
  dropped_lines_ = 0;
  data_memo_->clear();
}

void TForm1::FlushPane() {
  if (!pending_.empty()) {
    InsertIntoPane(DecodeAnsi(pending_));
    pending_.clear();
  }
  if (dropped_lines_ > 0 && command_depth_ == 0) {
    const QString note =
        QStringLiteral("%1*** %2 more lines are not shown: the pane holds at most %3 lines. ***")
            .arg(pane_lines_ > 0 ? QStringLiteral("\n") : QString())
            .arg(dropped_lines_)
            .arg(settings_.pane_line_limit);
    InsertIntoPane(note);
    ++pane_lines_;
    dropped_lines_ = 0;
  }
}

void TForm1::InsertIntoPane(const QString& text) {
  QTextDocument* document = data_memo_->document();
  // Undo records for the lines of a long report would cost memory for every
  // line; only the user's own edits in the pane are undoable.
  document->setUndoRedoEnabled(false);
  QTextCursor cursor(document);
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(text);
  document->setUndoRedoEnabled(true);
  data_memo_->moveCursor(QTextCursor::End);
}

void TForm1::ShowStatus(std::string_view text) {
  msg_label_->setText(DecodeAnsi(text));
  msg_label_->repaint();
}

void TForm1::MenuItemChanged(MenuItemId item) {
  QAction* action = actions_[IndexOf(item)];
  action->setText(LiteralCaption(application_->item_caption(item)));
  action->setEnabled(application_->item_enabled(item));
}

void TForm1::FormClose() { application_->FormClose(); }

}  // namespace dravelin
