// What the pane model tells a view changed: exactly the run an edit replaced
// (typing, deleting, undo, redo, a report replacing the pane), and, over any
// mix of edits and output, a run that turns the old text into the new one.

#include "pane/pane_change.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "pane/pane_model.h"

namespace dravelin {
namespace {

void Fill(PaneModel& pane, const std::vector<std::string>& lines) {
  pane.Clear();
  for (const std::string& line : lines) pane.AppendLine(line);
  pane.ShowOutputEnd();
}

std::u16string AllUtf16(const PaneModel& pane) {
  return pane.TextBetween(0, pane.CharacterCount());
}

TEST(PaneChangeTest, EachEditTellsTheRunItReplaced) {
  struct Case {
    const char* name;
    std::function<void(PaneModel&)> setup;  // before tracking starts
    std::function<void(PaneModel&)> edit;
    PaneChange expected;
  };
  const auto caret_at = [](std::size_t offset) {
    return [offset](PaneModel& pane) { pane.SetCaret(pane.PositionAt(offset), false); };
  };
  // "ab\ncd\nef": the caret after "c" is offset 4.
  const Case cases[] = {
      {"typing one character", caret_at(4), [](PaneModel& p) { p.Type("x"); },
       {4, 0, 1, u"", true}},
      {"typing a character above U+FFFF", caret_at(4), [](PaneModel& p) { p.Type("\U0001F600"); },
       {4, 0, 2, u"", true}},
      {"Backspace", caret_at(4), [](PaneModel& p) { p.Backspace(); }, {3, 1, 0, u"c", true}},
      {"Backspace at a line's start joins the lines", caret_at(3),
       [](PaneModel& p) { p.Backspace(); }, {2, 1, 0, u"\n", true}},
      {"Delete", caret_at(4), [](PaneModel& p) { p.DeleteForward(); }, {4, 1, 0, u"d", true}},
      {"Enter splits a line", caret_at(4), [](PaneModel& p) { p.Type("\n"); },
       {4, 0, 1, u"", true}},
      {"typing over a selection across lines",
       [](PaneModel& p) { p.Select({p.PositionAt(1), p.PositionAt(7)}); },
       [](PaneModel& p) { p.Type("XY"); }, {1, 6, 2, u"b\ncd\ne", true}},
      {"undo of typing puts the old text back",
       [](PaneModel& p) {
         p.SetCaret(p.PositionAt(4), false);
         p.Type("xyz");
       },
       [](PaneModel& p) { p.Undo(); }, {4, 3, 0, u"xyz", true}},
      {"redo of typing",
       [](PaneModel& p) {
         p.SetCaret(p.PositionAt(4), false);
         p.Type("xyz");
         p.Undo();
       },
       [](PaneModel& p) { p.Redo(); }, {4, 0, 3, u"", true}},
      {"undo of a deleted selection",
       [](PaneModel& p) {
         p.Select({p.PositionAt(1), p.PositionAt(7)});
         p.DeleteSelection();
       },
       [](PaneModel& p) { p.Undo(); }, {1, 0, 6, u"", true}},
      {"replacing offsets given in either order", {},
       [](PaneModel& p) { p.ReplaceOffsets(5, 3, "Q"); }, {3, 2, 1, u"cd", true}},
      {"two edits in a row make one run",
       caret_at(4),
       [](PaneModel& p) {
         p.Type("x");
         p.SetCaret(p.PositionAt(1), false);
         p.Type("y");
       },
       {1, 3, 5, u"", false}},
      {"a report replacing the pane", {},
       [](PaneModel& p) { Fill(p, {"new", "report"}); }, {0, 8, 10, u"", false}},
      {"lines appended after the text", {},
       [](PaneModel& p) { p.AppendLine("gh"); }, {8, 0, 3, u"", false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PaneModel pane;
    Fill(pane, {"ab", "cd", "ef"});
    if (c.setup) c.setup(pane);
    pane.TrackChanges(true);
    c.edit(pane);
    const std::optional<PaneChange> change = pane.TakeChange();
    ASSERT_TRUE(change.has_value());
    EXPECT_EQ(*change, c.expected);
    EXPECT_EQ(pane.TakeChange(), std::nullopt) << "a change is told once";
  }
}

TEST(PaneChangeTest, NothingIsToldWithoutTrackingOrWithoutAChange) {
  PaneModel pane;
  Fill(pane, {"ab"});
  pane.Type("x");
  EXPECT_EQ(pane.TakeChange(), std::nullopt);
  pane.TrackChanges(true);
  EXPECT_EQ(pane.TakeChange(), std::nullopt);
  EXPECT_FALSE(pane.Undo() && pane.Undo());  // the second has nothing to undo
  pane.TakeChange();
  EXPECT_FALSE(pane.Backspace() && pane.Backspace() && pane.Backspace() && pane.Backspace());
  pane.TakeChange();
  pane.SetCaret({0, 0}, false);
  EXPECT_FALSE(pane.Backspace());  // nothing before the caret
  EXPECT_EQ(pane.TakeChange(), std::nullopt);
  // Turning tracking off forgets a change noted before.
  pane.Type("y");
  pane.TrackChanges(false);
  pane.TrackChanges(true);
  EXPECT_EQ(pane.TakeChange(), std::nullopt);
}

// Any mix of edits, output and undo: the old text's units before the run
// and after it are the new text's, the new text holds `inserted` units in
// between, and a removed text that is told is the old text's run.
TEST(PaneChangeTest, AnyMixOfEditsAndOutputIsOneRunFromTheOldTextToTheNew) {
  std::mt19937 random(24);
  const char* const kTyped[] = {"x", "\n", "yz\nw", "\xC3\xA9", "\xF0\x9F\x98\x80", ""};
  PaneModel pane;
  Fill(pane, {"alpha beta", "", "gamma", "\xE9t\xE9"});  // the last line is Windows-1252
  pane.TrackChanges(true);
  int told = 0;
  for (int round = 0; round < 300; ++round) {
    const std::u16string before = AllUtf16(pane);
    const int edits = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < edits; ++i) {
      const std::size_t count = pane.CharacterCount();
      const std::size_t a = random() % (count + 1);
      const std::size_t b = random() % (count + 1);
      switch (random() % 8) {
        case 0:
          pane.Select({pane.PositionAt(a), pane.PositionAt(b)});
          pane.Type(kTyped[random() % std::size(kTyped)]);
          break;
        case 1:
          pane.SetCaret(pane.PositionAt(a), false);
          pane.Backspace();
          break;
        case 2:
          pane.SetCaret(pane.PositionAt(a), false);
          pane.DeleteForward();
          break;
        case 3:
          pane.Undo();
          break;
        case 4:
          pane.Redo();
          break;
        case 5:
          pane.ReplaceOffsets(a, b, kTyped[random() % std::size(kTyped)]);
          break;
        case 6:
          pane.AppendLine(round % 2 == 0 ? "out" : "");
          break;
        default:
          if (random() % 4 == 0) Fill(pane, {"report", "lines"});
          break;
      }
    }
    const std::u16string after = AllUtf16(pane);
    const std::optional<PaneChange> change = pane.TakeChange();
    if (!change) {
      EXPECT_EQ(after, before) << "round " << round;
      continue;
    }
    ++told;
    SCOPED_TRACE(::testing::Message() << "round " << round << ": " << change->offset << " -"
                                      << change->removed << " +" << change->inserted);
    ASSERT_LE(change->offset + change->removed, before.size());
    ASSERT_EQ(after.size() - change->inserted, before.size() - change->removed);
    EXPECT_EQ(after.substr(0, change->offset), before.substr(0, change->offset));
    EXPECT_EQ(after.substr(change->offset + change->inserted),
              before.substr(change->offset + change->removed));
    if (change->removed_text_known) {
      EXPECT_EQ(change->removed_text, before.substr(change->offset, change->removed));
    }
  }
  EXPECT_GT(told, 200);
}

TEST(PaneChangeTest, LongRemovedTextsAreToldByTheirLengthOnly) {
  PaneModel pane;
  Fill(pane, {std::string(PaneChangeLog::kKeptRemovedUnits + 1, 'a')});
  pane.TrackChanges(true);
  pane.SelectAll();
  pane.Type("b");
  const std::optional<PaneChange> change = pane.TakeChange();
  ASSERT_TRUE(change.has_value());
  EXPECT_EQ(change->removed, PaneChangeLog::kKeptRemovedUnits + 1);
  EXPECT_FALSE(change->removed_text_known);
  EXPECT_TRUE(change->removed_text.empty());
}

// The texts a view tells a screen reader: what went in, what came out (or
// as many blanks where the text was not kept), each cut to the most asked
// for, and nothing for a change that undid itself.
TEST(PaneChangeTest, ToldTextsAreCutAndForgottenRemovalsAreBlanks) {
  struct Case {
    const char* name;
    std::function<void(PaneModel&)> edit;
    std::size_t most_units;
    std::optional<PaneChangeText> told;
  };
  const std::size_t long_line = PaneChangeLog::kKeptRemovedUnits + 1;
  const Case cases[] = {
      {"typing at the end", [](PaneModel& p) { p.Type("xy"); }, 10, PaneChangeText{3, u"", u"xy"}},
      {"typing cut to the most units", [](PaneModel& p) { p.Type("xyz"); }, 2,
       PaneChangeText{3, u"", u"xy"}},
      {"a backspace",
       [](PaneModel& p) { p.Backspace(); }, 10, PaneChangeText{2, u"c", u""}},
      {"a long line typed over: blanks for what was not kept",
       [&](PaneModel& p) {
         p.Type(std::string(long_line, 'a'));
         p.TakeChange();
         p.SelectAll();
         p.Type("b");
       },
       4, PaneChangeText{0, u"    ", u"b"}},
      {"typed and taken back before anyone asked",
       [](PaneModel& p) {
         p.Type("x");
         p.Backspace();
       },
       10, std::nullopt},
      {"a move changes nothing", [](PaneModel& p) { p.Move(PaneMove::kDocumentStart, false); },
       10, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PaneModel pane;
    Fill(pane, {"abc"});
    pane.TrackChanges(true);
    c.edit(pane);
    EXPECT_EQ(pane.TakeChangeText(c.most_units), c.told);
    EXPECT_EQ(pane.TakeChangeText(c.most_units), std::nullopt) << "told once";
  }
}

}  // namespace
}  // namespace dravelin
