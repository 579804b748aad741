// The commands of the two comparison menus.

#include "app/application.h"

namespace dravelin {

void Application::PrintAllSimilaritiesClick() {}

void Application::PrintOnlyIdentitiesClick() {}

void Application::PrintUniqueOnlyClick() {}

void Application::PrintIdenticalOnlyClick() {}

}  // namespace dravelin
