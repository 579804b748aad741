// The page's pane as the worker's script drives it, read back by Python's
// json module: the rows in sight with their selected UTF-16 units, what
// travels with a view only when it changed, what a search and an undo tell
// the next view once, the moves by the names the page uses, and texts that
// keep every UTF-16 unit.

#include "web/page_pane.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/web/python_json.h"

namespace dravelin {
namespace {

using testing::PythonReads;
using testing::TempDir;

void Fill(PagePane& pane, const std::vector<std::string>& lines) {
  pane.model().Clear();
  for (const std::string& line : lines) pane.model().AppendLine(line);
  pane.model().ShowOutputEnd();
}

const std::string kKey = "\xF0\x9F\x8E\xB9";  // U+1F3B9, two UTF-16 units

// The view's members that say what the page paints, as Python reads them.
constexpr char kPainted[] =
    "json.dumps([[r['text'], r['from'], r['to']] for r in d['rows']] + [d['top'], "
    "d['rowCount'], d['lastTopRow'], d['caretRow'], d['caretCell'], d['caretUnit'], "
    "d['caretLine'], d['caretLineText'], d['input']])";

TEST(PagePaneTest, AViewHoldsTheRowsInSightWithTheirSelectedUnits) {
  if (!testing::HasPython()) GTEST_SKIP() << "no python3";
  TempDir dir;
  PagePane pane;
  // Rows at 3 columns: "a#b" "#c" | "xyz" | "end" (# the key).
  Fill(pane, {"a" + kKey + "b" + kKey + "c", "xyz", "end"});
  pane.View(3, 2, 3);
  pane.Click(0, 1, false);
  pane.Click(2, 1, true);  // onto "xyz", which scrolls
  pane.ScrollTo(0);
  EXPECT_EQ(PythonReads(dir, pane.ViewJson(true), kPainted),
            "[[\"a\\ud83c\\udfb9b\", 1, 4], [\"\\ud83c\\udfb9c\", 0, 4], [\"xyz\", 0, 1], "
            "0, 4, 2, 2, 1, 1, 1, \"xyz\", true]");
  // A view holds at least one row, and no more rows than there are.
  for (const auto& [asked, held] : {std::pair{0, 1}, std::pair{5000, 4}}) {
    pane.View(3, 2, static_cast<std::size_t>(asked));
    pane.ScrollTo(0);
    EXPECT_EQ(PythonReads(dir, pane.ViewJson(false), "str(len(d['rows']))"),
              std::to_string(held));
  }
}

// The selection's text and the find bar's seed travel with a view only when
// the selection or the text changed since the last view that held them.
TEST(PagePaneTest, TheSelectionTravelsOnlyWhenItChanged) {
  if (!testing::HasPython()) GTEST_SKIP() << "no python3";
  TempDir dir;
  PagePane pane;
  Fill(pane, {"warm pad", "cold"});
  pane.View(80, 10, 10);
  constexpr char kSelection[] =
      "json.dumps([d.get('selectedText', 'absent'), d.get('findSeed', 'absent')])";
  struct Step {
    const char* name;
    void (*act)(PagePane&);
    const char* told;
  };
  const Step steps[] = {
      {"a word selected", [](PagePane& p) { p.SelectWordAt(0, 1); }, R"(["warm", "warm"])"},
      {"nothing changed", [](PagePane&) {}, R"(["absent", "absent"])"},
      {"a scroll changes nothing", [](PagePane& p) { p.ScrollBy(-3); }, R"(["absent", "absent"])"},
      {"across a line break: no seed",
       [](PagePane& p) { p.SelectAll(); }, R"(["warm pad\ncold", null])"},
      {"typed over: nothing selected", [](PagePane& p) { p.Type("x"); }, R"(["", null])"},
      {"the same caret over a changed text",
       [](PagePane& p) {
         p.Type("y");
         p.Backspace();
       },
       R"(["", null])"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.act(pane);
    EXPECT_EQ(PythonReads(dir, pane.ViewJson(true), kSelection), step.told);
  }
}

// A search's count is announced by the view that answers it; the count stays
// on later views until the text changes. An undo that changed the text has
// the next view read the caret's line out again, once.
TEST(PagePaneTest, SearchesAndUndoTellTheNextViewOnce) {
  if (!testing::HasPython()) GTEST_SKIP() << "no python3";
  TempDir dir;
  PagePane pane;
  Fill(pane, {"Pads one", "pads two"});
  pane.View(80, 10, 10);
  pane.Move("documentStart", false);
  constexpr char kTold[] = "json.dumps([d['findCount'], d['searched'], d['readLine']])";
  struct Step {
    const char* name;
    void (*act)(PagePane&);
    const char* told;
  };
  const Step steps[] = {
      {"typed", [](PagePane& p) { p.Find("pads", false, "typed"); }, R"(["1 of 2", true, false])"},
      {"next", [](PagePane& p) { p.Find("pads", false, "next"); }, R"(["2 of 2", true, false])"},
      {"previous", [](PagePane& p) { p.Find("pads", false, "previous"); },
       R"(["1 of 2", true, false])"},
      {"a view later", [](PagePane&) {}, R"(["1 of 2", false, false])"},
      {"typing drops the count", [](PagePane& p) { p.Type("x"); }, R"(["", false, false])"},
      {"an undo reads the line again", [](PagePane& p) { p.Undo(); }, R"(["", false, true])"},
      {"once", [](PagePane&) {}, R"(["", false, false])"},
      {"nothing to redo twice",
       [](PagePane& p) {
         p.Redo();
         p.Redo();
       },
       R"(["", false, true])"},
      {"nothing to undo", [](PagePane& p) {
         p.Undo();
         p.ViewJson(false);
         p.Undo();
       }, R"(["", false, false])"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.act(pane);
    EXPECT_EQ(PythonReads(dir, pane.ViewJson(true), kTold), step.told);
  }
}

TEST(PagePaneTest, MovesGoByTheNamesThePageUses) {
  PagePane pane;
  // Rows at 5 columns: "one t" "wo th" "ree" | "four " "five" | "six".
  Fill(pane, {"one two three", "four five", "six"});
  pane.View(5, 2, 2);
  struct Case {
    const char* move;
    PanePosition end;
  };
  const Case cases[] = {
      {"charBackward", {0, 5}},  {"charForward", {0, 7}},   {"wordBackward", {0, 4}},
      {"wordForward", {0, 8}},   {"rowUp", {0, 1}},         {"rowDown", {0, 11}},
      {"pageUp", {0, 1}},        {"pageDown", {1, 1}},      {"lineStart", {0, 0}},
      {"lineEnd", {0, 13}},      {"documentStart", {0, 0}}, {"documentEnd", {2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.move);
    pane.model().SetCaret({0, 6}, false);
    EXPECT_TRUE(pane.Move(c.move, false));
    EXPECT_EQ(pane.model().caret(), c.end);
  }
  pane.model().SetCaret({0, 6}, false);
  pane.Move("wordForward", true);
  EXPECT_EQ(pane.model().selection(), (PaneRange{{0, 6}, {0, 8}})) << "extended";
  for (const char* unknown : {"WordForward", "wordforward", "", "charBackward "}) {
    EXPECT_FALSE(pane.Move(unknown, false)) << unknown;
  }
  EXPECT_EQ(pane.model().caret(), (PanePosition{0, 8}));
}

// A row the browser changed is read back in the units of its text: a key
// of two units is selected whole.
TEST(PagePaneTest, RowUnitsReadBackSelectWholeCharacters) {
  PagePane pane;
  Fill(pane, {"a" + kKey + "b"});
  pane.View(80, 5, 5);
  struct Case {
    std::size_t from;
    std::size_t to;
    const char* selected;
  };
  const Case cases[] = {{1, 3, "\xF0\x9F\x8E\xB9"}, {0, 4, "a\xF0\x9F\x8E\xB9" "b"},
                        {2, 4, "\xF0\x9F\x8E\xB9" "b"}, {3, 99, "b"}};
  for (const Case& c : cases) {
    pane.SelectRowUnits(0, c.from, c.to);
    EXPECT_EQ(pane.model().SelectedText(), c.selected) << c.from << "-" << c.to;
  }
}

TEST(PagePaneTest, TextsAndOffsetsAreAnsweredOnDemand) {
  if (!testing::HasPython()) GTEST_SKIP() << "no python3";
  TempDir dir;
  PagePane pane;
  Fill(pane, {"ab", kKey + "c"});
  pane.model().SetCaret({1, 1}, false);
  pane.model().SetCaret({0, 1}, true);
  EXPECT_EQ(pane.LineText(1), u"\U0001F3B9c");
  EXPECT_EQ(pane.LineText(2), std::nullopt);
  EXPECT_EQ(pane.AllText(), u"ab\n\U0001F3B9c");
  EXPECT_EQ(pane.SelectedText(), u"b\n\U0001F3B9");
  EXPECT_EQ(PythonReads(dir, pane.OffsetsJson(),
                        "json.dumps([d['caret'], d['anchor'], d['characterCount'], "
                        "d['lineCount']])"),
            "[1, 5, 6, 2]");
}

// Every UTF-16 unit survives JSON, a surrogate standing alone too.
TEST(PagePaneTest, JsonTextsKeepEveryUtf16Unit) {
  if (!testing::HasPython()) GTEST_SKIP() << "no python3";
  TempDir dir;
  const std::u16string texts[] = {
      u"plain", u"quote \" back\\slash", std::u16string(u"nul\0tab\tcr\r", 11),
      u"\u00E9\u20AC\U0001F3B9", std::u16string(1, char16_t{0xD800}) + u"x",
      u"x" + std::u16string(1, char16_t{0xDFFF}), u"\u2028\uFEFF", u"",
  };
  for (const std::u16string& text : texts) {
    std::string json;
    AppendJsonUtf16(json, text);
    std::string hex;
    for (char16_t unit : text) {
      char bytes[8];
      std::snprintf(bytes, sizeof bytes, "%02x%02x", unit & 0xFF, unit >> 8);
      hex += bytes;
    }
    EXPECT_EQ(PythonReads(dir, json, "d.encode('utf-16-le', 'surrogatepass').hex()"), hex) << json;
  }
}

}  // namespace
}  // namespace dravelin

namespace dravelin {
namespace {

// The details pane: its model is read-only, so no call of the page changes
// its text, while the caret, the selection and the search move as in the
// report's pane.
TEST(PagePaneTest, AReadOnlyPaneRefusesEveryEditButMovesAndSelects) {
  PagePane pane;
  Fill(pane, {"\"Bank [001:Name      ]\"", "  * Volume    88    89"});
  pane.model().set_read_only(true);
  pane.View(40, 5, 5);
  const auto edits = {
      +[](PagePane& p) { p.Type("typed"); },      +[](PagePane& p) { p.Type("\n"); },
      +[](PagePane& p) { p.Backspace(); },        +[](PagePane& p) { p.DeleteForward(); },
      +[](PagePane& p) { p.DeleteSelection(); },  +[](PagePane& p) { p.Undo(); },
  };
  for (const auto edit : edits) {
    for (const bool selected : {false, true}) {
      pane.Click(1, 4, false);
      if (selected) pane.Click(0, 3, true);
      edit(pane);
      EXPECT_EQ(pane.AllText(), u"\"Bank [001:Name      ]\"\n  * Volume    88    89");
    }
  }
  EXPECT_TRUE(pane.Move("documentEnd", false));
  EXPECT_EQ(pane.model().caret().line, 1u);
  pane.SelectAll();
  EXPECT_EQ(pane.SelectedText(), pane.AllText());
}

}  // namespace
}  // namespace dravelin
