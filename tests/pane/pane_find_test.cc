// The find bar's rules, the same in the window and the page: what it opens
// with, how each search goes on from the selection, what it then shows, and
// when that count no longer holds.

#include "pane/pane_find.h"

#include <gtest/gtest.h>

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

// A selection within one line of at most 200 characters is what the bar
// opens with; characters count, not UTF-16 units.
TEST(PaneFindTest, TheBarOpensWithAShortSelectionWithinOneLine) {
  std::string keys;  // 150 characters of two UTF-16 units each
  for (int i = 0; i < 150; ++i) keys += "\xF0\x9F\x8E\xB9";
  PaneModel pane;
  Fill(pane, {"Warm Pad here", keys, std::string(201, 'x'), "two", "lines"});
  PaneFind find(pane);
  struct Case {
    const char* name;
    PaneRange selected;
    std::optional<std::u16string> seed;
  };
  const Case cases[] = {
      {"nothing selected", {{0, 2}, {0, 2}}, std::nullopt},
      {"a word", {{0, 0}, {0, 8}}, u"Warm Pad"},
      {"selected backwards", {{0, 8}, {0, 5}}, u"Pad"},
      {"150 characters above U+FFFF", {{1, 0}, {1, 150}},
       pane.text().TextUtf16({{1, 0}, {1, 150}})},
      {"200 characters", {{2, 0}, {2, 200}}, std::u16string(200, u'x')},
      {"201 characters", {{2, 0}, {2, 201}}, std::nullopt},
      {"across a line break", {{3, 1}, {4, 2}}, std::nullopt},
      {"a whole line with its break", {{3, 0}, {4, 0}}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pane.SetCaret(c.selected.from, false);
    pane.SetCaret(c.selected.to, true);
    EXPECT_EQ(find.Seed(), c.seed);
  }
}

TEST(PaneFindTest, SearchesSayWhereTheMatchIsUntilTheTextChanges) {
  PaneModel pane;
  Fill(pane, {"Pads one", "pads two", "Leads"});
  PaneFind find(pane);
  EXPECT_EQ(find.CountText(), "") << "before any search";
  pane.SetCaret({0, 0}, false);
  using S = PaneFind::Step;
  struct Step {
    const char* query;
    bool match_case;
    S step;
    const char* count;
    PaneRange selected;
  };
  const Step steps[] = {
      {"p", false, S::kTyped, "1 of 2", {{0, 0}, {0, 1}}},
      {"pa", false, S::kTyped, "1 of 2", {{0, 0}, {0, 2}}},  // typed on: the same match
      {"pa", false, S::kNext, "2 of 2", {{1, 0}, {1, 2}}},
      {"pa", false, S::kNext, "1 of 2", {{0, 0}, {0, 2}}},  // around the end
      {"pa", false, S::kPrevious, "2 of 2", {{1, 0}, {1, 2}}},
      {"Pa", true, S::kTyped, "1 of 1", {{0, 0}, {0, 2}}},
      {"Paz", true, S::kTyped, "No matches", {{0, 0}, {0, 2}}},  // the selection stays
      {"", true, S::kTyped, "", {{0, 0}, {0, 2}}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.query);
    EXPECT_EQ(find.Search(step.query, step.match_case, step.step), step.count);
    EXPECT_EQ(find.CountText(), step.count);
    EXPECT_EQ(pane.selection(), step.selected);
    EXPECT_TRUE(find.MatchIsSelected()) << "the last match found stays selected";
  }

  // Moving and searching leave the count; any change of the text drops it.
  find.Search("lead", false, S::kNext);
  pane.Move(PaneMove::kDocumentStart, false);
  EXPECT_FALSE(find.MatchIsSelected());
  EXPECT_EQ(find.CountText(), "1 of 1");
  struct Change {
    const char* name;
    void (*change)(PaneModel&);
  };
  const Change changes[] = {
      {"typing", [](PaneModel& p) { p.Type("x"); }},
      {"undo", [](PaneModel& p) { p.Undo(); }},
      {"output", [](PaneModel& p) { p.AppendLine("more"); }},
      {"clearing", [](PaneModel& p) { p.Clear(); }},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.name);
    find.Search("e", false, S::kNext);
    ASSERT_NE(find.CountText(), "");
    c.change(pane);
    EXPECT_EQ(find.CountText(), "");
  }
}

TEST(PaneFindTest, TheCountSaysWhereTheMatchIsOrThatThereIsNone) {
  struct Case {
    PaneSearchResult result;
    const char* query;
    const char* text;
  };
  const Case cases[] = {
      {{true, {}, 3, 12}, "x", "3 of 12"},
      {{false, {}, 0, 0}, "x", "No matches"},
      {{false, {}, 0, 0}, "", ""},
      {{true, {}, 1234567, 1234567}, "ab", "1234567 of 1234567"},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchCountText(c.result, c.query), c.text) << c.text;
}

}  // namespace
}  // namespace dravelin
