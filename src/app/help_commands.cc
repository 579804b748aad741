// The commands of the "Help" menu. Each prints its text straight into the
// pane; none touches the status line, the bank sets, the menu or any file.

#include "app/application.h"
#include "app/help_topics.h"

namespace dravelin {

void Application::ShowHelpTopic(int topic) { ShowHelpTopicText(window_, HelpTopicNumber(topic)); }

void Application::AboutDravelinClick() { ShowAboutBanner(window_); }
void Application::BackgroundInfoClick() { ShowHelpTopic(1); }
void Application::ListReportInfoClick() { ShowHelpTopic(2); }
void Application::ComparisonReportInfoClick() { ShowHelpTopic(3); }
void Application::InstallInfoClick() { ShowHelpTopic(4); }
void Application::ExecutionInfoClick() { ShowHelpTopic(5); }
void Application::TutorialInfoClick() { ShowHelpTopic(6); }
void Application::EditInfoClick() { ShowHelpTopic(7); }
void Application::HelpGenControlClick() { ShowHelpTopic(8); }
void Application::HelpCreateListsClick() { ShowHelpTopic(9); }
void Application::HelpCompareWithinClick() { ShowHelpTopic(10); }
void Application::HelpCompareToBaseClick() { ShowHelpTopic(11); }

}  // namespace dravelin
