// The pane model of the browser page, which lives in the worker beside the
// core: the core's pane lines are appended to it (web_main.cc), and the page's
// view reads and moves it through the calls of worker_pane.cc.

#ifndef DRAVELIN_WEB_WORKER_PANE_H_
#define DRAVELIN_WEB_WORKER_PANE_H_

#include "pane/pane_model.h"

namespace dravelin {

// The one pane of the page, created at first use.
PaneModel& WorkerPane();

// The model of the view beside the pane that shows a patch's details.
PaneModel& WorkerDetailsPane();

}  // namespace dravelin

#endif  // DRAVELIN_WEB_WORKER_PANE_H_
