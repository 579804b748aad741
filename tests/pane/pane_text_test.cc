// The pane's text without a window: program output, the user's edits with
// undo and redo, wrapping rows and selections.

#include "pane/pane_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "pane/line_decoding.h"

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
