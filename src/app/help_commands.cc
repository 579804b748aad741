// The about command of the "Help" menu; the menu's other items show their
// help topics straight from the menu table. None touches the status line,
// the bank sets, the menu or any file.

#include "app/application.h"
#include "app/help_topics.h"
#include "app/menu_table.h"

namespace dravelin {

void AboutDravelinClick(Application& app) { ShowAboutBanner(app.window()); }

}  // namespace dravelin
