// Running the core once over made-up banks before the user's first command.
//
// The browser compiles the core's code when a function is first called and
// optimises the busy functions only after they have run a while: the first
// large report after start-up would otherwise run mostly on unoptimised code
// and take about twice as long. The page runs this at idle time after
// start-up, so that the user's first report runs as fast as the later ones.

#ifndef DRAVELIN_WEB_CORE_WARM_UP_H_
#define DRAVELIN_WEB_CORE_WARM_UP_H_

#include <filesystem>

namespace dravelin {

class PageBridge;

// Writes a Compare and a Base folder of made-up bank files below
// `scratch_dir` (whose patches share names and sounds in every way the
// reports tell apart), loads them into a program of its own that shows
// through `page`, runs every report command there with screen display and
// file output on, and removes `scratch_dir` with all it holds. Nothing of the
// user's program is touched. The page normally discards all it receives.
void WarmUpCore(const std::filesystem::path& scratch_dir, PageBridge& page);

}  // namespace dravelin

#endif  // DRAVELIN_WEB_CORE_WARM_UP_H_
