#include "gui/desktop_identity.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QString>

#include "app/application.h"
#include "gui/ansi_text.h"
#include "gui/data_memo_accessible.h"

namespace dravelin {

void SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(DecodeAnsi(kApplicationTitle));
  QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.dravelin.Dravelin"));
  app.setWindowIcon(QIcon::fromTheme(QStringLiteral("org.dravelin.Dravelin")));
  InstallDataMemoAccessibility();
}

void ShowErrorBox(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Critical, DecodeAnsi(kApplicationTitle), message, QMessageBox::Ok,
                  parent);
  box.exec();
}

}  // namespace dravelin
