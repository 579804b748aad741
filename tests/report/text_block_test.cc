#include "report/text_block.h"

#include <string>
#include <vector>

#include "gtest/gtest.h"

namespace dravelin {
namespace {

// Pieces of every size around the buffer's first capacity and its
// doublings, empty ones among them, put with and without line ends and
// again after Clear: the block always holds exactly what a string would.
TEST(TextBlockTest, HoldsEveryPieceAndLineEndAcrossGrowthAndClear) {
  TextBlock block;
  for (int round = 0; round < 2; ++round) {
    std::string expected;
    std::vector<std::size_t> ends;
    for (std::size_t size : {0u, 1u, 254u, 255u, 256u, 0u, 511u, 1u, 4096u, 70000u, 3u}) {
      const std::string piece(size, static_cast<char>('a' + size % 26));
      block.Put(piece);
      expected += piece;
      if (size % 2 == 1) {
        block.EndLine();
        ends.push_back(expected.size());
        expected += "\r\n";
      }
    }
    block.Put(std::string_view());
    EXPECT_EQ(block.text(), expected);
    EXPECT_EQ(block.size(), expected.size());
    EXPECT_EQ(std::vector<std::size_t>(block.line_ends().begin(), block.line_ends().end()), ends);
    block.Clear();
    EXPECT_TRUE(block.empty());
    EXPECT_TRUE(block.line_ends().empty());
  }
}

}  // namespace
}  // namespace dravelin
