// The commands of the "Help" menu. Each prints its text straight into the
// pane; none touches the status line, the bank sets, the menu or any file.

#include "app/application.h"
#include "app/help_topics.h"

namespace dravelin {

void Application::ShowHelpTopic(int topic) { ShowHelpTopicText(window_, HelpTopicNumber(topic)); }

void Application::AboutDravelinClick() { ShowAboutBanner(window_); }

}  // namespace dravelin
