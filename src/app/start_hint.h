// What a window's pane says when the program starts without a patch in the
// Compare folder: where the two folders are, and what to do next.

#ifndef DRAVELIN_APP_START_HINT_H_
#define DRAVELIN_APP_START_HINT_H_

#include <filesystem>
#include <string>
#include <vector>

namespace dravelin {

// Three lines naming the full paths of "Compare" and "Base" below
// `working_dir`.
std::vector<std::string> StartHintLines(const std::filesystem::path& working_dir);

}  // namespace dravelin

#endif  // DRAVELIN_APP_START_HINT_H_
