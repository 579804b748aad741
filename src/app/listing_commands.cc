// The commands of the "Create Name Lists" menu.

#include "app/application.h"

namespace dravelin {

void Application::CreatePatchNameFilesClick() {}

void Application::CreateInsFilesClick() {}

}  // namespace dravelin
