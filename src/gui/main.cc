// dravelin: the desktop program. It works on "Compare" and "Base" below the
// current directory.

#include <QApplication>
#include <QString>
#include <exception>
#include <filesystem>
#include <system_error>

#include "app/standard_streams.h"
#include "gui/main_window.h"

int main(int argc, char** argv) {
  dravelin::PrepareStandardStreams();
  QApplication app(argc, argv);
  dravelin::SetUpApplication(app);
  try {
    std::error_code error;
    std::filesystem::path working_dir = std::filesystem::current_path(error);
    if (error) working_dir = ".";
    dravelin::TForm1 form(dravelin::FormSettings{working_dir});
    form.ShowCentred();
    QApplication::exec();
  } catch (const std::exception& e) {
    dravelin::ShowErrorBox(nullptr, QString::fromLocal8Bit(e.what()));
  } catch (...) {
    dravelin::ShowErrorBox(nullptr, QStringLiteral("An unknown exception occurred."));
  }
  return 0;
}
