// The page's pane in the worker, beside the core that writes the report's
// lines into it (web_main.cc); the worker's script drives it through the
// exports of worker_pane.cc (page_protocol.h).

#ifndef DRAVELIN_WEB_WORKER_PANE_H_
#define DRAVELIN_WEB_WORKER_PANE_H_

#include "web/page_pane.h"

namespace dravelin {

// The one pane of the page, created at first use.
PagePane& WorkerPane();

}  // namespace dravelin

#endif  // DRAVELIN_WEB_WORKER_PANE_H_
