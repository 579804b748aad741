#include "pane/pane_model.h"

#include <algorithm>
#include <new>
#include <utility>

#include "base/line_decoding.h"

namespace dravelin {
namespace {

enum class CharClass { kBlank, kWord, kMark };

CharClass ClassOf(char32_t c) {
  if (c <= 0x20 || (c >= 0x7F && c <= 0xA0) || (c >= 0x2000 && c <= 0x200B) || c == 0x3000) {
    return CharClass::kBlank;
  }
  if (c < 0x80) {
    const bool word = (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') ||
                      (c >= U'A' && c <= U'Z') || c == U'_';
    return word ? CharClass::kWord : CharClass::kMark;
  }
  if (c < 0xC0) return c == 0xAA || c == 0xB5 || c == 0xBA ? CharClass::kWord : CharClass::kMark;
  if (c == 0xD7 || c == 0xF7) return CharClass::kMark;
  // Punctuation, symbols, arrows, boxes; CJK punctuation; full-width marks.
  if ((c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) ||
      (c >= 0xFF00 && c <= 0xFF0F)) {
    return CharClass::kMark;
  }
  return CharClass::kWord;
}

// The UTF-16 index in `text` (a row's characters) of cell `cell`: a
// character above U+FFFF takes two units; cells past the characters count
// one unit each.
std::size_t UnitOfCell(std::u16string_view text, std::size_t cell) {
  std::size_t unit = 0;
  for (; unit < text.size() && cell > 0; ++unit, --cell) {
    if (text[unit] >= 0xD800 && text[unit] < 0xDC00 && unit + 1 < text.size()) ++unit;
  }
  return unit + cell;
}

// The cell before UTF-16 index `unit` of `text`; an index inside a
// character above U+FFFF gives that character's cell.
std::size_t CellOfUnit(std::u16string_view text, std::size_t unit) {
  std::size_t cell = 0;
  for (std::size_t at = 0; at < text.size(); ++cell) {
    const std::size_t next = at + (text[at] >= 0xD800 && text[at] < 0xDC00 ? 2 : 1);
    if (next > unit) return cell;
    at = next;
  }
  return cell + (unit > text.size() ? unit - text.size() : 0);
}

// Typed text with every line break as '\n': CR LF and a lone CR, as
// clipboards and input methods of some systems hand them over, become one.
std::string WithLineFeeds(std::string_view utf8) {
  std::string text;
  text.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] != '\r') {
      text += utf8[i];
      continue;
    }
    text += '\n';
    if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
  }
  return text;
}

std::u32string LineCharacters(std::string_view bytes) {
  std::u32string characters;
  characters.reserve(bytes.size());
  VisitLineCharacters(bytes, [&](char32_t c, std::size_t) { characters += c; });
  return characters;
}

}  // namespace

PaneModel::PaneModel() {
  // The pane starts as one empty line, after which output is appended.
  text_.AppendLine({});
}

// --- Program output ---

void PaneModel::AppendLine(std::string_view bytes) {
  const std::size_t end = bytes.size();
  AppendLines(bytes, std::span<const std::size_t>(&end, 1), 0);
}

void PaneModel::AppendLines(std::string_view bytes, std::span<const std::size_t> ends,
                            std::size_t separator) {
  if (tracks_changes_) changes_.Appended(changes_.pending() ? 0 : CharacterCount());
  ++text_changes_;
  text_.AppendLines(bytes, ends, separator);
}

void PaneModel::Clear() {
  if (tracks_changes_) changes_.Cleared(changes_.pending() ? 0 : CharacterCount());
  ++text_changes_;
  text_.Clear();
  caret_ = anchor_ = {};
  goal_cell_ = 0;
  top_row_ = 0;
}

void PaneModel::ShowOutputEnd() { SetCaret(text_.All().to, false); }

// --- The view ---

void PaneModel::SetViewSize(std::size_t columns, std::size_t visible_rows) {
  columns = std::max<std::size_t>(columns, 1);
  if (columns != columns_) {
    // The line at the top stays at the top.
    const PaneRow top = Row(top_row_);
    columns_ = columns;
    top_row_ = RowOf({top.line, top.column});
  }
  visible_rows_ = std::max<std::size_t>(visible_rows, 1);
  ScrollTo(top_row_);
}

std::size_t PaneModel::last_top_row() const {
  const std::size_t rows = row_count();
  return rows > visible_rows_ ? rows - visible_rows_ : 0;
}

void PaneModel::ScrollTo(std::size_t row) { top_row_ = std::min(row, last_top_row()); }

std::u16string PaneModel::RowText(std::size_t row) const {
  const PaneRow shown = Row(row);
  const std::u16string line = DecodeLineUtf16(text_.Line(shown.line));
  const std::size_t begin = std::min(UnitOfCell(line, shown.column), line.size());
  std::u16string text;
  for (std::size_t i = begin, n = 0; i < line.size() && n < shown.columns; ++i, ++n) {
    const char16_t unit = line[i];
    text += unit < 0x20 || unit == 0x7F ? u' ' : unit;
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < line.size()) text += line[++i];
  }
  return text;
}

PaneCells PaneModel::SelectedCells(std::size_t row) const {
  const PaneRange selected = selection();
  const PaneRow shown = Row(row);
  if (selected.from == selected.to || shown.line < selected.from.line ||
      shown.line > selected.to.line) {
    return {};
  }
  const std::size_t row_end = shown.column + shown.columns;
  const bool last_row_of_line = row_end >= text_.LineChars(shown.line);
  const std::size_t from = shown.line == selected.from.line
                               ? std::max(shown.column, selected.from.column)
                               : shown.column;
  // A selected line break shows as one more cell after the line's last row.
  const std::size_t to = shown.line == selected.to.line ? std::min(row_end, selected.to.column)
                         : last_row_of_line             ? row_end + 1
                                                        : row_end;
  if (to <= from) return {};
  return {from - shown.column, to - shown.column};
}

PanePosition PaneModel::PositionAtCell(std::size_t row, std::size_t cell) const {
  const PaneRow found = Row(std::min(row, row_count() - 1));
  cell = std::min(cell, found.columns);
  const bool wraps_on = found.column + found.columns < text_.LineChars(found.line);
  // The end of a full row that wraps on is the start of the next row.
  if (wraps_on && cell == found.columns && cell > 0) --cell;
  return {found.line, found.column + cell};
}

PaneShownRow PaneModel::ShownRow(std::size_t row) const {
  PaneShownRow shown;
  shown.text = RowText(row);
  shown.selected = SelectedCells(row);
  shown.selected_units = {UnitOfCell(shown.text, shown.selected.from),
                          UnitOfCell(shown.text, shown.selected.to)};
  return shown;
}

std::size_t PaneModel::caret_unit() const { return UnitOfCell(RowText(caret_row()), caret_cell()); }

PanePosition PaneModel::PositionAtRowUnit(std::size_t row, std::size_t unit) const {
  row = std::min(row, row_count() - 1);
  return PositionAtCell(row, CellOfUnit(RowText(row), unit));
}

// --- Caret and selection ---

PaneRange PaneModel::selection() const {
  return anchor_ < caret_ ? PaneRange{anchor_, caret_} : PaneRange{caret_, anchor_};
}

void PaneModel::KeepCaretInSight() {
  const std::size_t row = caret_row();
  if (row < top_row_) {
    top_row_ = row;
  } else if (row >= top_row_ + visible_rows_) {
    top_row_ = row - visible_rows_ + 1;
  }
  ScrollTo(top_row_);
}

void PaneModel::TakeGoalColumn() { goal_cell_ = caret_cell(); }

void PaneModel::SetCaret(PanePosition position, bool extend) {
  caret_ = text_.Clamp(position);
  if (!extend) anchor_ = caret_;
  TakeGoalColumn();
  KeepCaretInSight();
}

void PaneModel::Select(PaneRange range) {
  SetCaret(range.from, false);
  SetCaret(range.to, true);
}

void PaneModel::SelectAll() {
  const PaneRange all = text_.All();
  anchor_ = all.from;
  caret_ = all.to;
  TakeGoalColumn();
  KeepCaretInSight();
}

PaneRange PaneModel::WordAround(PanePosition position) const {
  position = text_.Clamp(position);
  const std::u32string line = LineCharacters(text_.Line(position.line));
  if (line.empty()) return {position, position};
  std::size_t at = std::min(position.column, line.size() - 1);
  // Past a word's end, the word before.
  if (at > 0 && ClassOf(line[at]) == CharClass::kBlank && position.column > 0 &&
      ClassOf(line[position.column - 1]) != CharClass::kBlank) {
    at = position.column - 1;
  }
  const CharClass kind = ClassOf(line[at]);
  std::size_t from = at;
  std::size_t to = at + 1;
  while (from > 0 && ClassOf(line[from - 1]) == kind) --from;
  while (to < line.size() && ClassOf(line[to]) == kind) ++to;
  return {{position.line, from}, {position.line, to}};
}

void PaneModel::SelectWordAt(PanePosition position) { Select(WordAround(position)); }

void PaneModel::SelectLineAt(PanePosition position) {
  position = text_.Clamp(position);
  const bool last = position.line + 1 >= text_.line_count();
  Select({{position.line, 0},
          last ? PanePosition{position.line, text_.LineChars(position.line)}
               : PanePosition{position.line + 1, 0}});
}

PanePosition PaneModel::Before(PanePosition position) const {
  if (position.column > 0) return {position.line, position.column - 1};
  if (position.line > 0) return {position.line - 1, text_.LineChars(position.line - 1)};
  return position;
}

PanePosition PaneModel::After(PanePosition position) const {
  if (position.column < text_.LineChars(position.line)) return {position.line, position.column + 1};
  if (position.line + 1 < text_.line_count()) return {position.line + 1, 0};
  return position;
}

PanePosition PaneModel::WordAfter(PanePosition position) const {
  const std::u32string line = LineCharacters(text_.Line(position.line));
  std::size_t at = position.column;
  if (at >= line.size()) return After(position);
  const CharClass kind = ClassOf(line[at]);
  if (kind != CharClass::kBlank) {
    while (at < line.size() && ClassOf(line[at]) == kind) ++at;
  }
  while (at < line.size() && ClassOf(line[at]) == CharClass::kBlank) ++at;
  return {position.line, at};
}

PanePosition PaneModel::WordBefore(PanePosition position) const {
  if (position.column == 0) return Before(position);
  const std::u32string line = LineCharacters(text_.Line(position.line));
  std::size_t at = std::min(position.column, line.size());
  while (at > 0 && ClassOf(line[at - 1]) == CharClass::kBlank) --at;
  if (at == 0) return {position.line, 0};
  const CharClass kind = ClassOf(line[at - 1]);
  while (at > 0 && ClassOf(line[at - 1]) == kind) --at;
  return {position.line, at};
}

void PaneModel::Move(PaneMove move, bool extend) {
  PanePosition to = caret_;
  const std::size_t row = caret_row();
  const std::size_t rows = row_count();
  bool keeps_goal = false;
  switch (move) {
    case PaneMove::kCharBackward:
      to = !extend && has_selection() ? selection().from : Before(caret_);
      break;
    case PaneMove::kCharForward:
      to = !extend && has_selection() ? selection().to : After(caret_);
      break;
    case PaneMove::kWordBackward:
      to = WordBefore(caret_);
      break;
    case PaneMove::kWordForward:
      to = WordAfter(caret_);
      break;
    case PaneMove::kRowUp:
      to = row == 0 ? PanePosition{0, 0} : PositionAtCell(row - 1, goal_cell_);
      keeps_goal = row > 0;
      break;
    case PaneMove::kRowDown:
      to = row + 1 >= rows ? text_.All().to : PositionAtCell(row + 1, goal_cell_);
      keeps_goal = row + 1 < rows;
      break;
    case PaneMove::kPageUp:
      to = PositionAtCell(row > visible_rows_ ? row - visible_rows_ : 0, goal_cell_);
      ScrollTo(top_row_ > visible_rows_ ? top_row_ - visible_rows_ : 0);
      keeps_goal = true;
      break;
    case PaneMove::kPageDown:
      to = PositionAtCell(std::min(row + visible_rows_, rows - 1), goal_cell_);
      ScrollTo(top_row_ + visible_rows_);
      keeps_goal = true;
      break;
    case PaneMove::kLineStart:
      to.column = 0;
      break;
    case PaneMove::kLineEnd:
      to.column = text_.LineChars(to.line);
      break;
    case PaneMove::kDocumentStart:
      to = {0, 0};
      break;
    case PaneMove::kDocumentEnd:
      to = text_.All().to;
      break;
  }
  const std::size_t goal = goal_cell_;
  SetCaret(to, extend);
  if (keeps_goal) goal_cell_ = goal;
}

// --- Edits ---

template <typename Change>
bool PaneModel::Edit(PaneRange replaced, Change&& change) {
  if (read_only_) return false;
  std::size_t length = 0;
  std::size_t from = 0;
  std::size_t removed = 0;
  std::optional<std::u16string> removed_text;
  if (tracks_changes_) {
    length = CharacterCount();
    from = OffsetOf(replaced.from);
    removed = OffsetOf(replaced.to) - from;
    if (removed <= PaneChangeLog::kKeptRemovedUnits) {
      try {
        removed_text = text_.TextUtf16(replaced);
      } catch (const std::bad_alloc&) {
        // Told without its text.
      }
    }
  }
  PanePosition caret;
  try {
    caret = change();
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (tracks_changes_) changes_.Replaced(length, from, removed, std::move(removed_text));
  ++text_changes_;
  SetCaret(caret, false);
  return true;
}

bool PaneModel::Type(std::string_view utf8) {
  if (utf8.find('\r') != utf8.npos) return Type(WithLineFeeds(utf8));
  if (utf8.empty() && !has_selection()) return false;
  return Edit(selection(), [&] { return text_.Replace(selection(), utf8); });
}

bool PaneModel::TypeTab() {
  const std::size_t column = selection().from.column;
  return Type(std::string(kTabWidth - column % kTabWidth, ' '));
}

bool PaneModel::DeleteSelection() {
  if (!has_selection()) return false;
  return Edit(selection(), [&] { return text_.Delete(selection()); });
}

bool PaneModel::Backspace() {
  if (read_only_) return false;
  if (!has_selection()) anchor_ = Before(caret_);
  return DeleteSelection();
}

bool PaneModel::DeleteForward() {
  if (read_only_) return false;
  if (!has_selection()) anchor_ = After(caret_);
  return DeleteSelection();
}

bool PaneModel::Undo() {
  if (!CanUndo()) return false;
  return Edit(*text_.UndoRange(), [&] { return text_.Undo()->to; });
}

bool PaneModel::Redo() {
  if (!CanRedo()) return false;
  return Edit(*text_.RedoRange(), [&] { return text_.Redo()->to; });
}

bool PaneModel::ReplaceOffsets(std::size_t from, std::size_t to, std::string_view utf8) {
  if (utf8.find('\r') != utf8.npos) return ReplaceOffsets(from, to, WithLineFeeds(utf8));
  if (to < from) std::swap(from, to);
  const PaneRange range{PositionAt(from), PositionAt(to)};
  if (range.from == range.to && utf8.empty()) return false;
  return Edit(range, [&] { return text_.Replace(range, utf8); });
}

// --- Searching ---

PaneSearchResult PaneModel::Find(std::string_view query, bool match_case,
                                 SearchDirection direction) {
  const PaneRange selected = selection();
  const PanePosition from = direction == SearchDirection::kForward ? selected.to : selected.from;
  PaneSearchResult result = SearchText(text_, query, match_case, from, direction);
  if (result.found) Select(result.match);
  return result;
}

PaneSearchResult PaneModel::FindFromSelectionStart(std::string_view query, bool match_case) {
  PaneSearchResult result =
      SearchText(text_, query, match_case, selection().from, SearchDirection::kForward);
  if (result.found) Select(result.match);
  return result;
}

// --- Offsets ---

std::u16string PaneModel::TextBetween(std::size_t from, std::size_t to) const {
  return text_.TextUtf16({PositionAt(from), PositionAt(to)});
}

PaneOffsets PaneModel::UnitAt(std::size_t offset, PaneTextUnit unit) const {
  const PanePosition position = PositionAt(std::min(offset, CharacterCount()));
  PaneRange range;
  switch (unit) {
    case PaneTextUnit::kCharacter: {
      const bool line_end = position.column >= text_.LineChars(position.line);
      const bool text_end = line_end && position.line + 1 >= text_.line_count();
      const std::size_t from = OffsetOf(position);
      // A line's end holds its line break, one unit.
      if (text_end || line_end) return {from, from + (text_end ? 0 : 1)};
      return {from, OffsetOf({position.line, position.column + 1})};
    }
    case PaneTextUnit::kWord:
      range = WordAround(position);
      break;
    case PaneTextUnit::kRow: {
      const PaneRow row = Row(RowOf(position));
      const bool last_row = row.column + row.columns >= text_.LineChars(row.line);
      range = {{row.line, row.column},
               last_row ? PanePosition{row.line + 1, 0}
                        : PanePosition{row.line, row.column + row.columns}};
      break;
    }
    case PaneTextUnit::kLine:
      range = {{position.line, 0}, {position.line + 1, 0}};
      break;
  }
  return {OffsetOf(range.from), OffsetOf(range.to)};
}

PaneOffsets PaneModel::UnitBefore(std::size_t offset, PaneTextUnit unit) const {
  const PaneOffsets at = UnitAt(offset, unit);
  if (at.from == 0) return {};
  return UnitAt(at.from - 1, unit);
}

PaneOffsets PaneModel::UnitAfter(std::size_t offset, PaneTextUnit unit) const {
  const std::size_t count = CharacterCount();
  const PaneOffsets at = UnitAt(offset, unit);
  if (at.to >= count || at.to == at.from) return {count, count};
  // The unit at the end of a word is that word (WordAround), and the one at
  // a line's end its last word: the next unit starts further on.
  for (std::size_t from = at.to; from < count;) {
    const PaneOffsets next = UnitAt(from, unit);
    if (next.from >= at.to) return next;
    from = std::max(from + 1, next.to);
  }
  return {count, count};
}

void PaneModel::ScrollOffsetsIntoSight(std::size_t from, std::size_t to) {
  const std::size_t first = RowOf(PositionAt(from));
  const std::size_t last = RowOf(PositionAt(to));
  if (first < top_row_ || last >= top_row_ + visible_rows_) ScrollTo(first);
}

// --- What changed ---

void PaneModel::TrackChanges(bool on) {
  if (on == tracks_changes_) return;
  tracks_changes_ = on;
  if (!on) changes_ = PaneChangeLog();
}

std::optional<PaneChange> PaneModel::TakeChange() {
  if (!tracks_changes_) return std::nullopt;
  return changes_.Take(CharacterCount());
}

std::optional<PaneChangeText> PaneModel::TakeChangeText(std::size_t most_units) {
  const std::optional<PaneChange> change = TakeChange();
  if (!change || (change->removed == 0 && change->inserted == 0)) return std::nullopt;
  PaneChangeText told;
  told.offset = change->offset;
  told.inserted = TextBetween(change->offset,
                              change->offset + std::min(change->inserted, most_units));
  told.removed = change->removed_text_known
                     ? change->removed_text.substr(0, most_units)
                     : std::u16string(std::min(change->removed, most_units), u' ');
  return told;
}

}  // namespace dravelin
