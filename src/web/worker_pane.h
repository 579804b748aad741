// The page's panes in the worker, beside the core that writes the report's
// lines into the first and a patch's details into the second (web_main.cc);
// the worker's script drives them through the exports of worker_pane.cc
// (page_protocol.h), dravelin_pane_use choosing which one.

#ifndef DRAVELIN_WEB_WORKER_PANE_H_
#define DRAVELIN_WEB_WORKER_PANE_H_

#include "web/page_pane.h"

namespace dravelin {

// The page's pane of the report, created at first use.
PagePane& WorkerPane();

// The page's second pane, beside the report, that shows a patch's details
// (read-only once they are shown), created at first use.
PagePane& WorkerDetailsPane();

}  // namespace dravelin

#endif  // DRAVELIN_WEB_WORKER_PANE_H_
