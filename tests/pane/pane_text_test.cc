// The pane's text without a window: program output, the user's edits with
// undo and redo, wrapping rows and selections.

#include "pane/pane_text.h"

#include <gtest/gtest.h>

#include <new>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "base/line_decoding.h"

namespace dravelin {
namespace {

std::vector<std::string> Lines(const PaneText& text) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < text.line_count(); ++i) lines.push_back(DecodeLineUtf8(text.Line(i)));
  return lines;
}

void Fill(PaneText& text, const std::vector<std::string>& lines) {
  text.Clear();
  for (const std::string& line : lines) text.AppendLine(line);
}

TEST(PaneTextTest, AppendedLinesAndClear) {
  PaneText text;
  EXPECT_EQ(Lines(text), std::vector<std::string>{""});
  text.AppendLine("");  // an empty first line is a line of its own
  text.AppendLine("report");
  EXPECT_EQ(Lines(text), (std::vector<std::string>{"", "report"}));
  text.Insert({0, 0}, "typed");
  text.Clear();
  EXPECT_EQ(Lines(text), std::vector<std::string>{""});
  EXPECT_FALSE(text.CanUndo());
  text.AppendLine("again");
  EXPECT_EQ(Lines(text), std::vector<std::string>{"again"});
}

TEST(PaneTextTest, EditsAcrossLinesAndTheirUndoAndRedo) {
  const std::vector<std::string> start = {"abc",
                                          "d\xE9"
                                          "f",
                                          "ghi"};  // line 1 in Latin-1
  struct Case {
    const char* name;
    PaneRange range;
    const char* text;
    std::vector<std::string> lines;
    PanePosition caret;
  };
  const Case cases[] = {
      {"insert inside a line", {{1, 1}, {1, 1}}, "XY", {"abc", "dXY\u00E9f", "ghi"}, {1, 3}},
      {"insert a line break", {{0, 1}, {0, 1}}, "\n", {"a", "bc", "d\u00E9f", "ghi"}, {1, 0}},
      {"delete across a line end", {{0, 2}, {1, 2}}, "", {"abf", "ghi"}, {0, 2}},
      {"replace three lines by two", {{2, 1}, {0, 1}}, "1\n2", {"a1", "2hi"}, {1, 1}},
      {"delete everything", {{0, 0}, {9, 9}}, "", {""}, {0, 0}},
      {"insert past the end", {{7, 0}, {7, 0}}, "!\n", {"abc", "d\u00E9f", "ghi!", ""}, {3, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PaneText text;
    Fill(text, start);
    const std::vector<std::string> original = Lines(text);
    EXPECT_EQ(text.Replace(c.range, c.text), c.caret);
    EXPECT_EQ(Lines(text), c.lines);
    ASSERT_TRUE(text.Undo().has_value());
    EXPECT_EQ(Lines(text), original);
    EXPECT_EQ(text.Line(1),
              "d\xE9"
              "f")
        << "undo brings back the program's own bytes";
    ASSERT_TRUE(text.Redo().has_value());
    EXPECT_EQ(Lines(text), c.lines);
    EXPECT_FALSE(text.CanRedo());
  }
}

TEST(PaneTextTest, UndoTakesBackTypingOnlyNeverProgramOutput) {
  PaneText text;
  text.AppendLine("r1");
  PanePosition caret{0, 2};
  for (const char* key : {"a", "b"}) caret = text.Insert(caret, key);  // one typing step
  text.AppendLine("r2");
  text.Insert(caret, "c");  // typing after output is a step of its own
  EXPECT_EQ(Lines(text), (std::vector<std::string>{"r1abc", "r2"}));

  EXPECT_EQ(text.Undo(), (PaneRange{{0, 4}, {0, 4}}));
  EXPECT_EQ(text.Undo(), (PaneRange{{0, 2}, {0, 2}}));
  EXPECT_EQ(Lines(text), (std::vector<std::string>{"r1", "r2"}));
  EXPECT_FALSE(text.Undo().has_value());
  text.AppendLine("r3");
  EXPECT_EQ(text.Redo(), (PaneRange{{0, 2}, {0, 4}}));
  EXPECT_EQ(Lines(text), (std::vector<std::string>{"r1ab", "r2", "r3"}));

  text.Clear();
  EXPECT_FALSE(text.CanUndo());
  EXPECT_FALSE(text.CanRedo());
}

TEST(PaneTextTest, RowsWrapAtTheWidthByCharacters) {
  PaneText text;
  // An empty line, exactly 4, 5 characters, 5 UTF-8 characters in 10 bytes,
  // 5 Latin-1 characters in 5 bytes.
  Fill(text,
       {"", "abcd", "abcde", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", "\xE9\xE9\xE9\xE9\xE9"});
  struct Case {
    std::size_t width;
    std::vector<PaneRow> rows;
  };
  const Case cases[] = {
      {4, {{0, 0, 0}, {1, 0, 4}, {2, 0, 4}, {2, 4, 1}, {3, 0, 4}, {3, 4, 1}, {4, 0, 4}, {4, 4, 1}}},
      {5, {{0, 0, 0}, {1, 0, 4}, {2, 0, 5}, {3, 0, 5}, {4, 0, 5}}},
      {2,
       {{0, 0, 0},
        {1, 0, 2},
        {1, 2, 2},
        {2, 0, 2},
        {2, 2, 2},
        {2, 4, 1},
        {3, 0, 2},
        {3, 2, 2},
        {3, 4, 1},
        {4, 0, 2},
        {4, 2, 2},
        {4, 4, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("width " + std::to_string(c.width));
    ASSERT_EQ(text.RowCount(c.width), c.rows.size());
    for (std::size_t r = 0; r < c.rows.size(); ++r) {
      EXPECT_EQ(text.RowAt(c.width, r), c.rows[r]) << "row " << r;
      EXPECT_EQ(text.RowOf(c.width, {c.rows[r].line, c.rows[r].column}), r);
    }
  }
  EXPECT_EQ(text.RowOf(4, {1, 4}), 1u) << "the end of a full row stays on it";
}

// Random edits against a plain list of lines edited as one string, with the
// row index checked against counting every line's rows afresh, then every
// step undone and redone.
TEST(PaneTextTest, RandomEditsAgreeWithAPlainModel) {
  std::mt19937 random(7);
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  const char* const inserts[] = {"x", "\xC3\xA9", "\n", "long line ", "a\nb\nc", ""};
  PaneText text;
  std::vector<std::u16string> model;
  for (int i = 0; i < 300; ++i) {
    const std::string line = std::string(pick(12), 'r') + (i % 7 ? "" : "\xE9");
    text.AppendLine(line);
    model.push_back(DecodeLineUtf16(line));
  }
  auto offset = [&](PanePosition p) {
    std::size_t at = 0;
    for (std::size_t line = 0; line < p.line; ++line) at += model[line].size() + 1;
    return at + p.column;
  };
  std::vector<std::vector<std::string>> states = {Lines(text)};
  PanePosition typed_to{~std::size_t{0}, 0};
  for (int step = 0; step < 400; ++step) {
    const std::size_t a = pick(model.size());
    const std::size_t b = std::min(model.size() - 1, a + (pick(4) == 0 ? pick(80) : pick(2)));
    PaneRange range{{a, pick(model[a].size() + 1)}, {b, pick(model[b].size() + 1)}};
    if (step % 2) std::swap(range.from, range.to);
    const std::string inserted = inserts[pick(6)];
    const bool typing = range.from == range.to && inserted.find('\n') == inserted.npos;
    const PanePosition caret = text.Replace(range, inserted);

    const std::size_t from = std::min(offset(range.from), offset(range.to));
    const std::size_t to = std::max(offset(range.from), offset(range.to));
    std::u16string all;
    for (const std::u16string& line : model) all += line + u'\n';
    all.replace(from, to - from, DecodeLineUtf16(inserted));
    model.clear();
    for (std::size_t begin = 0, end; (end = all.find(u'\n', begin)) != all.npos; begin = end + 1) {
      model.push_back(all.substr(begin, end - begin));
    }
    ASSERT_EQ(text.line_count(), model.size()) << "step " << step;
    for (std::size_t line = 0; line < model.size(); ++line) {
      ASSERT_EQ(DecodeLineUtf16(text.Line(line)), model[line]) << "step " << step;
    }
    // Nothing for nothing is no step; typing on from the last typing joins it.
    if (range.from == range.to && inserted.empty()) continue;
    if (typing && typed_to == range.from) states.pop_back();
    typed_to = typing ? caret : PanePosition{~std::size_t{0}, 0};
    states.push_back(Lines(text));

    const std::size_t width = 1 + pick(40);
    std::size_t rows = 0;
    for (const std::u16string& line : model)
      rows += std::max<std::size_t>(1, (line.size() + width - 1) / width);
    ASSERT_EQ(text.RowCount(width), rows) << "step " << step;
    const std::size_t row = pick(rows);
    const PaneRow shown = text.RowAt(width, row);
    EXPECT_EQ(text.RowOf(width, {shown.line, shown.column}), row);
  }
  for (std::size_t s = states.size() - 1; s > 0; --s) {
    ASSERT_TRUE(text.Undo().has_value());
    ASSERT_EQ(Lines(text), states[s - 1]) << "after undoing step " << s;
  }
  while (text.Redo()) {
  }
  EXPECT_EQ(Lines(text), states.back());
}

// Batches against the same lines appended one by one: each line's bytes and
// characters (counted afresh, not from the store's flags) and the rows at
// several widths, with the row index standing before each batch. Batches
// hold empty lines, Windows code page and UTF-8 lines, lines longer than a
// block and enough lines to fill blocks; some come with CR LF between the
// lines, some with nothing, and some after the user's own edit.
TEST(PaneTextTest, BatchesAppendAsTheirLinesOneByOne) {
  std::mt19937 random(11);
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  const std::string beyond_a_block(LineStore::kBlockBytes + 3, 'w');
  int long_lines = 0;  // per round
  auto random_line = [&]() -> std::string {
    switch (pick(10)) {
      case 0:
        return {};
      case 1:
        return "caf\xE9 " + std::string(pick(90), 'c');
      case 2:
        return std::string(pick(40), 'u') + "\xE2\x94\x80\xF0\x9F\x8E\xB9";
      case 3:
        if (pick(40) == 0 && long_lines < 2) {
          ++long_lines;
          return beyond_a_block;
        }
        return std::string(200 + pick(300), 'm');
      default:
        return std::string(pick(70), static_cast<char>('a' + pick(26)));
    }
  };
  for (int round = 0; round < 12; ++round) {
    const std::string separator = round % 3 == 0 ? "" : "\r\n";
    long_lines = 0;
    PaneText one_by_one;
    PaneText batched;
    for (int b = 0; b < 6; ++b) {
      if (round % 4 == 1 && b == 3) {
        for (PaneText* text : {&one_by_one, &batched}) text->Insert(text->All().to, "typed\xC3\xA9");
      }
      std::vector<std::string> lines(round == 0 && b == 1 ? 60'000 : pick(300));
      std::string bytes;
      std::vector<std::size_t> ends;
      for (std::string& line : lines) {
        line = random_line();
        one_by_one.AppendLine(line);
        bytes += line;
        ends.push_back(bytes.size());
        bytes += separator;
      }
      batched.RowCount(7);
      batched.AppendLines(bytes, ends, separator.size());
    }
    ASSERT_EQ(batched.line_count(), one_by_one.line_count()) << "round " << round;
    for (std::size_t i = 0; i < batched.line_count(); ++i) {
      ASSERT_EQ(batched.Line(i), one_by_one.Line(i)) << "round " << round << " line " << i;
      ASSERT_EQ(batched.LineChars(i), LineCharCount(batched.Line(i)))
          << "round " << round << " line " << i;
    }
    for (std::size_t width : {1, 7, 90}) {
      ASSERT_EQ(batched.RowCount(width), one_by_one.RowCount(width)) << "round " << round;
      const std::size_t row = pick(batched.RowCount(width));
      EXPECT_EQ(batched.RowAt(width, row), one_by_one.RowAt(width, row)) << "round " << round;
    }
    EXPECT_EQ(batched.Utf16Length(), one_by_one.Utf16Length()) << "round " << round;
    EXPECT_EQ(batched.text_bytes(), one_by_one.text_bytes()) << "round " << round;
  }
}

// The program's lines, each followed by CR LF, are lent as a report file
// holds them: any tail of them, from the pane's own memory, and nothing
// when the bytes asked for differ anywhere.
TEST(PaneTextTest, TheOutputsTailIsLentFromThePanesMemory) {
  std::mt19937 random(5);
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  PaneText text;
  std::string stream;  // what a report file of the program's lines holds
  for (int batch = 0; batch < 40; ++batch) {
    std::string bytes;
    std::vector<std::size_t> ends;
    const std::string separator = batch % 2 == 0 ? "\r\n" : "";
    for (std::size_t n = 1 + pick(3000); n > 0; --n) {
      std::string line = pick(5) == 0 ? "f\xC3\xBCr " : "";
      line += std::string(batch == 17 && n == 1 ? LineStore::kBlockBytes + 9 : pick(120),
                          static_cast<char>('a' + pick(26)));
      bytes += line;
      ends.push_back(bytes.size());
      bytes += separator;
      stream += line + "\r\n";
    }
    text.AppendLines(bytes, ends, separator.size());
    // The user's typing is no part of the program's lines.
    if (batch == 3) text.Insert(text.All().to, "typed");
  }
  ASSERT_GT(text.MemoryBytes(), 3 * LineStore::kBlockBytes) << "several blocks";

  struct Case {
    const char* name;
    std::size_t size;        // of the stream's tail asked for
    std::ptrdiff_t changed;  // the byte changed in it, or -1
    bool lent;
  };
  const std::size_t all = stream.size();
  const Case kCases[] = {
      {"nothing", 0, -1, true},
      {"the last line end", 2, -1, true},
      {"from inside the last line", 5, -1, true},
      {"within the last block", 1000, -1, true},
      {"across blocks, the long line's among them", all / 2, -1, true},
      {"everything", all, -1, true},
      {"more than everything", all + 1, -1, false},
      {"everything, its first byte changed", all, 0, false},
      {"across blocks, a middle byte changed", all / 2, static_cast<std::ptrdiff_t>(all / 4),
       false},
      {"within a block, the last byte changed", 1000, 999, false},
  };
  std::vector<SharedBytes> lent;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::string asked = stream.substr(all - std::min(c.size, all));
    if (c.size > all) asked.insert(0, "x");
    if (c.changed >= 0) asked[static_cast<std::size_t>(c.changed)] ^= 1;
    const std::size_t before = lent.size();
    const bool result = text.ShareOutputTail(asked, &lent);
    if (!c.lent) {
      EXPECT_FALSE(result);
      EXPECT_EQ(lent.size(), before) << "a refusal lends nothing";
      continue;
    }
    ASSERT_TRUE(result);
    std::string joined;
    for (std::size_t i = before; i < lent.size(); ++i) joined += lent[i].bytes;
    EXPECT_EQ(joined, asked);
  }
  // The whole stream starts at the first line, in the pane's own memory.
  std::vector<SharedBytes> whole;
  ASSERT_TRUE(text.ShareOutputTail(stream, &whole));
  EXPECT_EQ(whole.front().bytes.data(), text.Line(0).data());
  text.Clear();
  std::string joined;
  for (const SharedBytes& piece : whole) joined += piece.bytes;
  EXPECT_EQ(joined, stream) << "lent bytes outlive the pane's text";
}

TEST(PaneTextTest, ABatchThatRunsOutOfMemoryKeepsTheWholeLinesItTook) {
#if defined(DRAVELIN_SANITIZED)
  GTEST_SKIP() << "the sanitizer stops the program at an impossible allocation";
#else
  PaneText text;
  text.AppendLine("before");
  ASSERT_EQ(text.RowCount(4), 2u);
  // The third line is longer than any memory: storing it fails.
  const std::string bytes = "one\r\ntw\xC3\xB6\r\n";
  const std::vector<std::size_t> ends = {3, 9, std::size_t{1} << 62};
  EXPECT_THROW(text.AppendLines(std::string_view(bytes.data(), ends.back()), ends, 2),
               std::bad_alloc);
  EXPECT_EQ(Lines(text), (std::vector<std::string>{"before", "one", "tw\xC3\xB6"}));
  EXPECT_EQ(text.LineChars(2), 3u);
  EXPECT_EQ(text.RowCount(4), 4u);
  text.AppendLine("after");
  EXPECT_EQ(Lines(text), (std::vector<std::string>{"before", "one", "tw\xC3\xB6", "after"}));
#endif
}

TEST(PaneTextTest, SelectionsDecodeEachLineOnItsOwn) {
  PaneText text;
  // The same name saved as UTF-8 and as Latin-1, and a character that takes
  // two UTF-16 units.
  Fill(text, {"\"Fl\xC3\xB6te [001]\"", "\"Fl\xF6te [002]\"", "\xF0\x9F\x8E\xB9 key"});
  EXPECT_EQ(text.TextUtf16(text.All()),
            u"\"Fl\u00F6te [001]\"\n\"Fl\u00F6te [002]\"\n\U0001F3B9 key");
  EXPECT_EQ(text.Text({{1, 3}, {0, 3}}), "\xC3\xB6te [001]\"\n\"Fl");
  EXPECT_EQ(text.TextUtf16({{1, 1}, {2, 2}}), u"Fl\u00F6te [002]\"\n\U0001F3B9 ");
  EXPECT_EQ(text.Text({{2, 2}, {2, 2}}), "");
}

}  // namespace
}  // namespace dravelin
