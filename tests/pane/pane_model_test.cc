// The pane as a user works it, without a window: moves over wrapped rows and
// words, selections as they paint, typing and its undo, searching, and the
// offsets an assistive technology asks for.

#include "pane/pane_model.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/line_decoding.h"

namespace dravelin {
namespace {

void Fill(PaneModel& pane, const std::vector<std::string>& lines) {
  pane.Clear();
  for (const std::string& line : lines) pane.AppendLine(line);
  pane.ShowOutputEnd();
}

std::string AllText(const PaneModel& pane) { return pane.text().Text(pane.text().All()); }

TEST(PaneModelTest, MovesByCharacterWordRowLineAndPageOverWrappedLines) {
  PaneModel pane;
  pane.SetViewSize(6, 3);
  // Rows at 6 columns: "alpha " "beta, " "gamma" | "" | "  x_1 " "y" | "z"
  Fill(pane, {"alpha beta, gamma", "", "  x_1 y", "z"});
  ASSERT_EQ(pane.row_count(), 7u);
  struct Case {
    const char* name;
    PanePosition start;
    std::vector<PaneMove> moves;
    PanePosition end;
  };
  using M = PaneMove;
  const Case cases[] = {
      {"word forward skips the word and its blanks", {0, 0}, {M::kWordForward}, {0, 6}},
      {"marks are a word of their own", {0, 6}, {M::kWordForward, M::kWordForward}, {0, 12}},
      {"word forward at a line end goes to the next line",
       {0, 12},
       {M::kWordForward, M::kWordForward, M::kWordForward, M::kWordForward},
       {2, 2}},
      {"word backward over blanks", {2, 6}, {M::kWordBackward}, {2, 2}},
      {"word backward from a line start",
       {2, 0},
       {M::kWordBackward, M::kWordBackward, M::kWordBackward},
       {0, 12}},
      {"word backward inside a word", {0, 8}, {M::kWordBackward}, {0, 6}},
      {"character moves cross line ends", {0, 17}, {M::kCharForward, M::kCharForward}, {2, 0}},
      {"down keeps the cell through wrapped rows", {0, 3}, {M::kRowDown, M::kRowDown}, {0, 15}},
      {"down onto an empty line and on", {0, 14}, {M::kRowDown, M::kRowDown}, {2, 2}},
      {"up at the top goes to the start", {0, 3}, {M::kRowUp}, {0, 0}},
      {"down on the last row goes to the end", {3, 0}, {M::kRowDown}, {3, 1}},
      {"line end and start", {0, 7}, {M::kLineEnd, M::kLineStart}, {0, 0}},
      {"a page down is the rows in sight", {0, 1}, {M::kPageDown}, {1, 0}},
      {"a page up", {2, 6}, {M::kPageUp}, {0, 12}},
      {"document end and start", {2, 3}, {M::kDocumentEnd}, {3, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pane.SetCaret(c.start, false);
    for (PaneMove move : c.moves) pane.Move(move, false);
    EXPECT_EQ(pane.caret(), c.end);
    // The caret is always in sight.
    EXPECT_GE(pane.caret_row(), pane.top_row());
    EXPECT_LT(pane.caret_row(), pane.top_row() + pane.visible_rows());
  }
  // A click past the end of a row that wraps on lands before its last
  // character; past the end of a line's last row, at the line's end.
  EXPECT_EQ(pane.PositionAtCell(0, 9), (PanePosition{0, 5}));
  EXPECT_EQ(pane.PositionAtCell(2, 9), (PanePosition{0, 17}));

  // A wider view keeps the line at the top at the top; scrolling stays
  // within the rows.
  pane.ScrollTo(4);  // "  x_1 " of line 2
  pane.SetViewSize(20, 2);
  EXPECT_EQ(pane.Row(pane.top_row()), (PaneRow{2, 0, 7}));
  pane.ScrollTo(100);
  EXPECT_EQ(pane.top_row(), pane.row_count() - 2);
}

TEST(PaneModelTest, SelectionsAndHowTheirRowsPaint) {
  PaneModel pane;
  pane.SetViewSize(4, 10);
  Fill(pane, {"ab\tcdef", "gh", "Caf\xC3\xA9 Caf\xE9"});
  pane.SetCaret({0, 1}, false);
  pane.Move(PaneMove::kRowDown, true);  // into the wrapped row
  pane.Move(PaneMove::kRowDown, true);  // onto "gh"
  EXPECT_EQ(pane.selection(), (PaneRange{{0, 1}, {1, 1}}));
  EXPECT_EQ(pane.SelectedText(), "b\tcdef\ng");
  // Row 0 "ab\tc" from cell 1, row 1 "def" and the line break, row 2 "g".
  EXPECT_EQ(pane.SelectedCells(0), (PaneCells{1, 4}));
  EXPECT_EQ(pane.SelectedCells(1), (PaneCells{0, 4}));
  EXPECT_EQ(pane.SelectedCells(2), (PaneCells{0, 1}));
  EXPECT_EQ(pane.SelectedCells(3), (PaneCells{}));
  EXPECT_EQ(pane.RowText(0), u"ab c") << "a control character paints as a blank";
  EXPECT_EQ(pane.RowText(3), u"Caf\u00E9");
  EXPECT_EQ(pane.RowText(5), u"\u00E9");
  // Without shift a move collapses the selection at its end.
  pane.Move(PaneMove::kCharBackward, false);
  EXPECT_EQ(pane.caret(), (PanePosition{0, 1}));
  EXPECT_FALSE(pane.has_selection());

  struct Case {
    PanePosition at;
    PaneRange word;
  };
  const Case words[] = {
      {{2, 1}, {{2, 0}, {2, 4}}},  // "Café"
      {{2, 4}, {{2, 0}, {2, 4}}},  // just after it
      {{0, 2}, {{0, 0}, {0, 2}}},  // just after a word, before a blank
      {{1, 2}, {{1, 0}, {1, 2}}},
  };
  for (const Case& c : words) {
    pane.SelectWordAt(c.at);
    EXPECT_EQ(pane.selection(), c.word);
  }
  pane.SelectLineAt({1, 1});
  EXPECT_EQ(pane.SelectedText(), "gh\n");
  pane.SelectLineAt({2, 1});
  EXPECT_EQ(pane.SelectedText(), "Caf\xC3\xA9 Caf\xC3\xA9");
  pane.SelectAll();
  EXPECT_EQ(pane.selection(), pane.text().All());
}

TEST(PaneModelTest, TypingEditsAndUndoesOnlyTheUsersOwnText) {
  PaneModel pane;
  pane.SetViewSize(80, 10);
  Fill(pane, {"report"});
  pane.SetCaret({0, 3}, false);
  for (const char* key : {"a", "b"}) pane.Type(key);
  pane.TypeTab();  // to column 8
  EXPECT_EQ(AllText(pane), "repab   ort");
  pane.Move(PaneMove::kWordBackward, true);
  EXPECT_EQ(pane.SelectedText(), "repab   ");
  pane.Type("X");  // typing over a selection is a step of its own
  pane.Backspace();
  pane.Type("\n");
  EXPECT_EQ(AllText(pane), "\nort");
  pane.AppendLine("more output");

  EXPECT_TRUE(pane.Undo());  // the line break
  EXPECT_TRUE(pane.Undo());  // the backspace
  EXPECT_EQ(AllText(pane), "Xort\nmore output");
  EXPECT_EQ(pane.caret(), (PanePosition{0, 1}));
  EXPECT_TRUE(pane.Undo());  // the selection typed over
  EXPECT_TRUE(pane.Undo());  // "ab" and the tab typed on from it
  EXPECT_EQ(AllText(pane), "report\nmore output");
  EXPECT_EQ(pane.caret(), (PanePosition{0, 3}));
  EXPECT_FALSE(pane.Undo()) << "program output is never undone";
  EXPECT_TRUE(pane.Redo());
  EXPECT_EQ(AllText(pane), "repab   ort\nmore output");

  pane.SetCaret({0, 0}, false);
  EXPECT_FALSE(pane.Backspace()) << "nothing before the text's start";
  pane.Move(PaneMove::kDocumentEnd, false);
  EXPECT_FALSE(pane.DeleteForward()) << "nothing after its end";
}

TEST(PaneModelTest, SearchGoesForwardAndBackAroundTheEndWithOrWithoutCase) {
  PaneModel pane;
  pane.SetViewSize(80, 2);
  Fill(pane, {"Pads pads", "none", "PADS Caf\xC3\xA9 caf\xE9", "aaaa"});
  struct Step {
    const char* query;
    bool match_case;
    SearchDirection direction;
    PaneRange match;
    std::size_t number;
    std::size_t count;
  };
  constexpr auto kNext = SearchDirection::kForward;
  constexpr auto kPrevious = SearchDirection::kBackward;
  // One run from the document's start, each step from where the last left
  // the selection.
  const Step steps[] = {
      {"pads", false, kNext, {{0, 0}, {0, 4}}, 1, 3},
      {"pads", false, kNext, {{0, 5}, {0, 9}}, 2, 3},
      {"pads", false, kNext, {{2, 0}, {2, 4}}, 3, 3},
      {"pads", false, kNext, {{0, 0}, {0, 4}}, 1, 3},      // around the end
      {"pads", false, kPrevious, {{2, 0}, {2, 4}}, 3, 3},  // and back round
      {"pads", true, kPrevious, {{0, 5}, {0, 9}}, 1, 1},
      {"CAF\xC3\x89", false, kNext, {{2, 5}, {2, 9}}, 1, 2},  // UTF-8 and the code page
      {"CAF\xC3\x89", false, kNext, {{2, 10}, {2, 14}}, 2, 2},
      {"Caf\xC3\xA9", true, kNext, {{2, 5}, {2, 9}}, 1, 1},
      {"aa", true, kNext, {{3, 0}, {3, 2}}, 1, 2},  // matches do not overlap
      {"aa", true, kNext, {{3, 2}, {3, 4}}, 2, 2},
  };
  pane.SetCaret({0, 0}, false);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.query);
    const PaneSearchResult result = pane.Find(step.query, step.match_case, step.direction);
    EXPECT_EQ(result, (PaneSearchResult{true, step.match, step.number, step.count}));
    EXPECT_EQ(pane.selection(), step.match);
    EXPECT_GE(pane.caret_row(), pane.top_row()) << "the match is in sight";
    EXPECT_LT(pane.caret_row(), pane.top_row() + pane.visible_rows());
  }
  // A query typed on from a match keeps it.
  pane.SetCaret({0, 5}, false);
  pane.FindFromSelectionStart("p", false);
  EXPECT_EQ(pane.FindFromSelectionStart("pa", false).match, (PaneRange{{0, 5}, {0, 7}}));

  const PaneRange before = pane.selection();
  for (const char* missing : {"padz", "", "a\nb"}) {
    EXPECT_EQ(pane.Find(missing, false, kNext), PaneSearchResult{});
    EXPECT_EQ(pane.selection(), before) << "nothing found leaves the selection";
  }
}

// Random lines of letters in both cases, blanks and bytes beyond ASCII,
// searched for random queries, against a plain search of the decoded lines.
TEST(PaneModelTest, SearchCountsWhatAPlainSearchOfTheShownTextFinds) {
  std::mt19937 random(11);
  const char* const pieces[] = {"a", "A", "b", "B", " ", "e", "E", "\xC3\xA9", "\xC9", "ab"};
  const auto random_text = [&](std::size_t most) {
    std::string text;
    for (std::size_t n = random() % most; n > 0; --n) text += pieces[random() % 10];
    return text;
  };
  PaneText text;
  std::vector<std::u32string> shown;
  for (int i = 0; i < 200; ++i) {
    const std::string line = random_text(40);
    text.AppendLine(line);
    std::u32string characters;
    VisitLineCharacters(line, [&](char32_t c, std::size_t) { characters += c; });
    shown.push_back(characters);
  }
  for (int round = 0; round < 300; ++round) {
    const std::string query = random_text(4) + pieces[random() % 10];
    const bool match_case = random() % 2 == 0;
    std::u32string needle;
    VisitLineCharacters(query,
                        [&](char32_t c, std::size_t) { needle += match_case ? c : FoldCase(c); });
    const PanePosition from{random() % 200, random() % 10};
    PaneSearchResult expected;
    for (std::size_t line = 0; line < shown.size(); ++line) {
      std::u32string folded = shown[line];
      if (!match_case) {
        for (char32_t& c : folded) c = FoldCase(c);
      }
      for (std::size_t at = folded.find(needle); at != folded.npos;
           at = folded.find(needle, at + needle.size())) {
        const PaneRange range{{line, at}, {line, at + needle.size()}};
        ++expected.count;
        if (expected.count == 1) expected.match = range;
        if (!expected.found && range.from >= from) {
          expected.found = true;
          expected.match = range;
          expected.number = expected.count;
        }
      }
    }
    if (expected.count > 0 && !expected.found) {
      expected.found = true;  // around the end, to the first match
      expected.number = 1;
    }
    const PaneSearchResult found =
        SearchText(text, query, match_case, from, SearchDirection::kForward);
    ASSERT_EQ(found.count, expected.count) << query << " from " << from.line;
    if (expected.count == 0) continue;
    ASSERT_EQ(found.match, expected.match) << query << " from " << from.line;
    ASSERT_EQ(found.number, expected.number) << query;
  }
}

TEST(PaneModelTest, OffsetsForAssistiveTechnologiesRoundTrip) {
  PaneModel pane;
  // ASCII, UTF-8, the code page, a character that takes two UTF-16 units,
  // and an edited line; more lines than one index group.
  std::vector<std::string> lines = {"ab", "Caf\xC3\xA9", "Caf\xE9", "\xF0\x9F\x8E\xB9 key", ""};
  for (int i = 0; i < 150; ++i) lines.push_back("line " + std::to_string(i));
  Fill(pane, lines);
  pane.SetCaret({3, 1}, false);
  pane.Type("\xC3\xA9");
  const std::u16string all = pane.text().TextUtf16(pane.text().All());
  ASSERT_EQ(pane.CharacterCount(), all.size());
  std::size_t expected = 0;
  for (std::size_t line = 0; line < pane.text().line_count(); ++line) {
    const std::size_t chars = pane.text().LineChars(line);
    for (std::size_t column = 0; column <= chars; ++column) {
      const std::size_t offset = pane.OffsetOf({line, column});
      ASSERT_EQ(offset, expected) << line << ":" << column;
      ASSERT_EQ(pane.PositionAt(offset), (PanePosition{line, column}));
      if (column < chars) expected += all[offset] >= 0xD800 && all[offset] < 0xDC00 ? 2 : 1;
    }
    ++expected;  // the line break
  }
  // Inside a character of two units: the position before it.
  EXPECT_EQ(pane.PositionAt(pane.OffsetOf({3, 0}) + 1), (PanePosition{3, 0}));
  EXPECT_EQ(pane.PositionAt(all.size() + 5), pane.text().All().to);
  const std::size_t from = pane.OffsetOf({1, 2});
  const std::size_t to = pane.OffsetOf({4, 0});
  EXPECT_EQ(pane.TextBetween(from, to), all.substr(from, to - from));
  EXPECT_EQ(pane.caret_offset(), pane.OffsetOf({3, 2}));

  EXPECT_TRUE(pane.ReplaceOffsets(0, 2, "xyz"));
  EXPECT_EQ(pane.TextBetween(0, 4), u"xyz\n");
}

// Text from a clipboard or an input method may break its lines with CR LF
// or a lone CR; every break becomes a line of the pane, whichever way it
// comes in.
TEST(PaneModelTest, TypedLineBreaksOfEveryKindBreakTheLine) {
  struct Case {
    const char* typed;
    const char* text;
  };
  const Case cases[] = {
      {"a\r\nb", "a\nb"},   {"a\rb", "a\nb"},          {"a\nb", "a\nb"},
      {"\r\r\n\n", "\n\n\n"}, {"x\r", "x\n"},           {"\r\n\r", "\n\n"},
      {"no break", "no break"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    PaneModel pane;
    Fill(pane, {""});
    pane.Type(c.typed);
    EXPECT_EQ(AllText(pane), c.text);
    Fill(pane, {"[]"});
    pane.ReplaceOffsets(1, 1, c.typed);
    EXPECT_EQ(AllText(pane), std::string("[") + c.text + "]");
  }
}

// The units an assistive technology reads by, at width 4: characters (a
// character above U+FFFF is two units, a line break one), words, rows as
// they wrap with the line break after a line's last row, and lines.
TEST(PaneModelTest, UnitsForAssistiveTechnologies) {
  PaneModel pane;
  pane.SetViewSize(4, 10);
  // Offsets: "ab cd ef" 0-8, break 8; "\U0001F3B9x" 9-12, break 12; "" 13.
  Fill(pane, {"ab cd ef", "\xF0\x9F\x8E\xB9x", ""});
  ASSERT_EQ(pane.CharacterCount(), 13u);
  using U = PaneTextUnit;
  struct Case {
    const char* name;
    std::size_t offset;
    U unit;
    PaneOffsets at;
    PaneOffsets before;
    PaneOffsets after;
  };
  const Case cases[] = {
      {"a letter", 1, U::kCharacter, {1, 2}, {0, 1}, {2, 3}},
      {"the first character", 0, U::kCharacter, {0, 1}, {0, 0}, {1, 2}},
      {"a line break", 8, U::kCharacter, {8, 9}, {7, 8}, {9, 11}},
      {"a character of two units", 9, U::kCharacter, {9, 11}, {8, 9}, {11, 12}},
      {"inside it", 10, U::kCharacter, {9, 11}, {8, 9}, {11, 12}},
      {"the text's end", 13, U::kCharacter, {13, 13}, {12, 13}, {13, 13}},
      {"past the end", 99, U::kCharacter, {13, 13}, {12, 13}, {13, 13}},
      {"a word", 4, U::kWord, {3, 5}, {0, 2}, {6, 8}},
      {"just after a word: that word", 2, U::kWord, {0, 2}, {0, 0}, {3, 5}},
      {"the last word of a line, then the next line's", 7, U::kWord, {6, 8}, {3, 5}, {9, 12}},
      {"the first row of a wrapped line", 2, U::kRow, {0, 4}, {0, 0}, {4, 9}},
      {"its last row takes the line break", 6, U::kRow, {4, 9}, {0, 4}, {9, 13}},
      {"the last, empty line", 13, U::kRow, {13, 13}, {9, 13}, {13, 13}},
      {"a line with its break", 5, U::kLine, {0, 9}, {0, 0}, {9, 13}},
      {"the second line", 11, U::kLine, {9, 13}, {0, 9}, {13, 13}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(pane.UnitAt(c.offset, c.unit), c.at);
    EXPECT_EQ(pane.UnitBefore(c.offset, c.unit), c.before);
    EXPECT_EQ(pane.UnitAfter(c.offset, c.unit), c.after);
  }
}

// A row's selected cells as UTF-16 indexes into its text, where a
// character above U+FFFF takes two units; the caret's unit; and back from
// a unit to the position, as a view reads back a row the browser edited.
TEST(PaneModelTest, RowsCellsAndUnitsMeetWhereCharactersTakeTwoUnits) {
  PaneModel pane;
  pane.SetViewSize(3, 10);
  const std::string key = "\xF0\x9F\x8E\xB9";
  // Rows at 3 columns: "a#b" "#c" | "xyz" (# a key: two units).
  Fill(pane, {"a" + key + "b" + key + "c", "xyz"});
  pane.SetCaret({0, 1}, false);
  pane.SetCaret({1, 1}, true);
  EXPECT_EQ(pane.ShownRow(0), (PaneShownRow{u"a\U0001F3B9b", {1, 3}, {1, 4}}));
  // The line break selected shows as one cell, one unit past the text.
  EXPECT_EQ(pane.ShownRow(1), (PaneShownRow{u"\U0001F3B9c", {0, 3}, {0, 4}}));
  EXPECT_EQ(pane.ShownRow(2), (PaneShownRow{u"xyz", {0, 1}, {0, 1}}));

  struct Case {
    PanePosition caret;
    std::size_t row;
    std::size_t unit;
  };
  const Case carets[] = {{{0, 0}, 0, 0}, {{0, 2}, 0, 3}, {{0, 4}, 1, 2}, {{0, 5}, 1, 3},
                         {{1, 2}, 2, 2}};
  for (const Case& c : carets) {
    SCOPED_TRACE(c.unit);
    pane.SetCaret(c.caret, false);
    EXPECT_EQ(pane.caret_row(), c.row);
    EXPECT_EQ(pane.caret_unit(), c.unit);
    EXPECT_EQ(pane.PositionAtRowUnit(c.row, c.unit), c.caret);
  }
  EXPECT_EQ(pane.PositionAtRowUnit(0, 2), (PanePosition{0, 1})) << "inside a key: before it";
  EXPECT_EQ(pane.PositionAtRowUnit(9, 1), (PanePosition{1, 1})) << "rows past the last clamp";
}

}  // namespace
}  // namespace dravelin
