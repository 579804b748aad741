#include "web/page_pane.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "base/line_decoding.h"

namespace dravelin {
namespace {

// The page's names of the moves.
constexpr std::array<std::pair<std::string_view, PaneMove>, 12> kPaneMoves = {{
    {"charBackward", PaneMove::kCharBackward},
    {"charForward", PaneMove::kCharForward},
    {"wordBackward", PaneMove::kWordBackward},
    {"wordForward", PaneMove::kWordForward},
    {"rowUp", PaneMove::kRowUp},
    {"rowDown", PaneMove::kRowDown},
    {"pageUp", PaneMove::kPageUp},
    {"pageDown", PaneMove::kPageDown},
    {"lineStart", PaneMove::kLineStart},
    {"lineEnd", PaneMove::kLineEnd},
    {"documentStart", PaneMove::kDocumentStart},
    {"documentEnd", PaneMove::kDocumentEnd},
}};

void AppendEscape(std::string& out, char16_t unit) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(unit));
  out += escape;
}

// Writes the members of a JSON object one after another.
class JsonObject {
 public:
  explicit JsonObject(std::string& json) : json_(json) { json_ += '{'; }
  ~JsonObject() { json_ += '}'; }
  JsonObject(const JsonObject&) = delete;
  JsonObject& operator=(const JsonObject&) = delete;

  std::string& Key(std::string_view key) {
    if (!first_) json_ += ',';
    first_ = false;
    json_ += '"';
    json_ += key;
    json_ += "\":";
    return json_;
  }
  void Number(std::string_view key, std::size_t value) { Key(key) += std::to_string(value); }
  void Bool(std::string_view key, bool value) { Key(key) += value ? "true" : "false"; }
  void Text(std::string_view key, std::u16string_view text) { AppendJsonUtf16(Key(key), text); }
  void TextOrNull(std::string_view key, const std::optional<std::u16string>& text) {
    if (text) {
      Text(key, *text);
    } else {
      Key(key) += "null";
    }
  }

 private:
  std::string& json_;
  bool first_ = true;
};

}  // namespace

void AppendJsonUtf16(std::string& json, std::u16string_view text) {
  json += '"';
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit == u'"' || unit == u'\\') {
      json += '\\';
      json += static_cast<char>(unit);
    } else if (unit < 0x20) {
      AppendEscape(json, unit);
    } else if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
               text[i + 1] < 0xE000) {
      AppendUtf8(0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[i + 1] - 0xDC00), json);
      ++i;
    } else if (unit >= 0xD800 && unit < 0xE000) {
      AppendEscape(json, unit);  // a surrogate alone
    } else {
      AppendUtf8(unit, json);
    }
  }
  json += '"';
}

void PagePane::View(std::size_t columns, std::size_t rows, std::size_t shown_rows) {
  model_.SetViewSize(columns, rows);
  shown_rows_ = std::clamp<std::size_t>(shown_rows, 1, kMostShownRows);
}

void PagePane::ScrollBy(std::ptrdiff_t rows) {
  const std::size_t top = model_.top_row();
  const std::size_t up = rows < 0 ? static_cast<std::size_t>(-rows) : 0;
  model_.ScrollTo(rows < 0 ? (up < top ? top - up : 0) : top + static_cast<std::size_t>(rows));
}

bool PagePane::Move(std::string_view move, bool extend) {
  for (const auto& [name, kind] : kPaneMoves) {
    if (name == move) {
      model_.Move(kind, extend);
      return true;
    }
  }
  return false;
}

void PagePane::Click(std::size_t row, std::size_t cell, bool extend) {
  model_.SetCaret(model_.PositionAtCell(row, cell), extend);
}

void PagePane::SelectWordAt(std::size_t row, std::size_t cell) {
  model_.SelectWordAt(model_.PositionAtCell(row, cell));
}

void PagePane::SelectLineAt(std::size_t row, std::size_t cell) {
  model_.SelectLineAt(model_.PositionAtCell(row, cell));
}

void PagePane::SelectRowUnits(std::size_t row, std::size_t from, std::size_t to) {
  model_.Select({model_.PositionAtRowUnit(row, from), model_.PositionAtRowUnit(row, to)});
}

void PagePane::Find(std::string_view query, bool match_case, std::string_view step) {
  find_.Search(query, match_case,
               step == "typed"  ? PaneFind::Step::kTyped
               : step == "next" ? PaneFind::Step::kNext
                                : PaneFind::Step::kPrevious);
  searched_ = true;
}

std::string PagePane::ViewJson(bool answers_input) {
  std::string json;
  {
    JsonObject view(json);
    const std::size_t top = model_.top_row();
    const std::size_t row_count = model_.row_count();
    view.Number("top", top);
    view.Number("rowCount", row_count);
    view.Number("lastTopRow", model_.last_top_row());
    std::string& rows = view.Key("rows");
    rows += '[';
    for (std::size_t row = top; row < row_count && row < top + shown_rows_; ++row) {
      if (row != top) rows += ',';
      const PaneShownRow shown = model_.ShownRow(row);
      JsonObject entry(rows);
      entry.Text("text", shown.text);
      entry.Number("from", shown.selected_units.from);
      entry.Number("to", shown.selected_units.to);
    }
    rows += ']';
    view.Number("caretRow", model_.caret_row());
    view.Number("caretCell", model_.caret_cell());
    view.Number("caretUnit", model_.caret_unit());
    const std::size_t caret_line = model_.caret().line;
    view.Number("caretLine", caret_line);
    view.Text("caretLineText", DecodeLineUtf16(model_.text().Line(caret_line)));
    view.Bool("readLine", read_line_);
    const SentSelection selection{model_.caret(), model_.anchor(), model_.text_changes()};
    if (sent_selection_ != selection) {
      sent_selection_ = selection;
      const PaneRange selected = model_.selection();
      const bool fits = model_.OffsetOf(selected.to) - model_.OffsetOf(selected.from) <=
                        kMostViewSelectionUnits;
      view.TextOrNull("selectedText",
                      fits ? std::optional<std::u16string>(SelectedText()) : std::nullopt);
      view.TextOrNull("findSeed", find_.Seed());
    }
    view.Text("findCount", [&] {
      const std::string count = find_.CountText();
      return std::u16string(count.begin(), count.end());
    }());
    view.Bool("searched", searched_);
    view.Bool("input", answers_input);
  }
  read_line_ = false;
  searched_ = false;
  return json;
}

std::optional<std::u16string> PagePane::LineText(std::size_t line) const {
  if (line >= model_.text().line_count()) return std::nullopt;
  return DecodeLineUtf16(model_.text().Line(line));
}

std::u16string PagePane::AllText() const { return model_.text().TextUtf16(model_.text().All()); }

std::string PagePane::OffsetsJson() const {
  std::string json;
  {
    JsonObject offsets(json);
    offsets.Number("caret", model_.caret_offset());
    offsets.Number("anchor", model_.OffsetOf(model_.anchor()));
    offsets.Number("characterCount", model_.CharacterCount());
    offsets.Number("lineCount", model_.text().line_count());
  }
  return json;
}

}  // namespace dravelin
