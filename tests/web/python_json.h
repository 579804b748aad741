// Reads JSON the way an independent reader does: Python's json module.

#ifndef DRAVELIN_TESTS_WEB_PYTHON_JSON_H_
#define DRAVELIN_TESTS_WEB_PYTHON_JSON_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/batch_process.h"
#include "tests/support/temp_dir.h"

namespace dravelin::testing {

inline bool HasPython() { return std::filesystem::exists("/usr/bin/python3"); }

// What Python makes of `json` after running `expression` on it (as `d`),
// written out as UTF-8.
inline std::string PythonReads(TempDir& dir, const std::string& json,
                               const std::string& expression) {
  const std::filesystem::path file = dir.WriteFile("page.json", json);
  const BatchOutcome run = RunBatchProcess(
      "/usr/bin/python3", dir.path(),
      {"-c", "import json, sys\nd = json.load(open(sys.argv[1], encoding='utf-8'))\n"
             "sys.stdout.buffer.write((" + expression + ").encode('utf-8'))",
       file.string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  return run.out;
}

}  // namespace dravelin::testing

#endif  // DRAVELIN_TESTS_WEB_PYTHON_JSON_H_
