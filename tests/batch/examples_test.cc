// The bundled example banks are what their generator makes, and running the
// program on them shows every kind of verdict.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "gtest/gtest.h"
#include "tests/support/batch_process.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

using testing::TempDir;

const std::filesystem::path kExamples = std::filesystem::path(DRAVELIN_SOURCE_DIR) / "examples";

TEST(ExamplesTest, CommittedBanksMatchTheGenerator) {
  TempDir dir;
  const auto run =
      testing::RunBatchProcess(DRAVELIN_MAKE_EXAMPLES_BINARY, dir.path(), {dir.path().string()});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) {
    if (!entry.is_regular_file()) continue;
    ++files;
    const auto relative = std::filesystem::relative(entry.path(), dir.path());
    std::ifstream committed(kExamples / relative, std::ios::binary);
    ASSERT_TRUE(committed) << relative << " is not committed under examples/";
    const std::string expected((std::istreambuf_iterator<char>(committed)), {});
    EXPECT_EQ(dir.ReadFile(relative), expected) << relative << " differs from the generator";
  }
  EXPECT_EQ(files, 5);
}

}  // namespace
}  // namespace dravelin
