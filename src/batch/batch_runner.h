// The headless front end: the program without a window, for scripts and
// tests.
//
//   dravelin-batch [COMMAND ...]   run in the folder that holds Compare/ and Base/
//   dravelin-batch --patch BANK:PROGRAM [--patch ...] [COMMAND ...]
//   dravelin-batch --list          every menu item with its state
//   dravelin-batch --help | --version
//
// Start-up loads the bank sets as the window does; then each COMMAND runs in
// order as a click of its menu item. A COMMAND is an item's component name
// (ASCII case ignored) or its caption as the menu shows it at that moment.
// --patch names the patches (one or two) that "Show Patch Details" shows,
// as the window's line at the cursor would; given alone, that command runs.
// Details are printed as pane lines.
// Pane lines go to `out`, each ended by "\n"; every status text goes to
// `err` as one line, in order. The batch program's own errors begin with
// "dravelin-batch: ". An unknown or disabled command stops the run (the
// commands before it have run) with exit 2; otherwise the exit is 0 when no
// message code was shown during the run, loading included, and 1 when one
// was.

#ifndef DRAVELIN_BATCH_BATCH_RUNNER_H_
#define DRAVELIN_BATCH_BATCH_RUNNER_H_

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace dravelin {

inline constexpr int kBatchExitOk = 0;
inline constexpr int kBatchExitMessageShown = 1;
inline constexpr int kBatchExitUsage = 2;

// Runs the batch program with the arguments after the program name.
int RunBatch(const std::vector<std::string>& args, const std::filesystem::path& working_dir,
             std::FILE* out, std::FILE* err);

}  // namespace dravelin

#endif  // DRAVELIN_BATCH_BATCH_RUNNER_H_
