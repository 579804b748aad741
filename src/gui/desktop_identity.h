// How the desktop programs (the window and its launcher) present themselves:
// the application's title and desktop identity, and the error box.

#ifndef DRAVELIN_GUI_DESKTOP_IDENTITY_H_
#define DRAVELIN_GUI_DESKTOP_IDENTITY_H_

class QApplication;
class QString;
class QWidget;

namespace dravelin {

// Gives the application its title and desktop identity, and its panes the
// interface through which assistive technologies read them.
void SetUpApplication(QApplication& app);

// Shows `message` in a modal error box captioned with the application title.
void ShowErrorBox(QWidget* parent, const QString& message);

}  // namespace dravelin

#endif  // DRAVELIN_GUI_DESKTOP_IDENTITY_H_
