#include "pane/pane_text.h"

#include <algorithm>
#include <new>
#include <utility>

#include "base/line_decoding.h"

namespace dravelin {
namespace {

// The byte offset of character `column` in the UTF-8 text `line` (its size
// when the line is shorter).
std::size_t Utf8Offset(std::string_view line, std::size_t column) {
  std::size_t i = 0;
  for (; i < line.size(); ++i) {
    if ((static_cast<unsigned char>(line[i]) & 0xC0u) != 0x80u) {
      if (column == 0) return i;
      --column;
    }
  }
  return i;
}

std::size_t RowsOfLine(std::size_t chars, std::size_t width) {
  return chars == 0 ? 1 : (chars + width - 1) / width;
}

// Characters [from, to) of a decoded line, in the units of its string type.
std::string_view Slice(std::string_view utf8, std::size_t from, std::size_t to) {
  const std::size_t begin = Utf8Offset(utf8, from);
  return utf8.substr(begin, Utf8Offset(utf8, to) - begin);
}
std::u16string_view Slice(std::u16string_view utf16, std::size_t from, std::size_t to) {
  // Characters above U+FFFF take two units.
  auto offset = [&](std::size_t column) {
    std::size_t i = 0;
    for (; i < utf16.size() && column > 0; ++i, --column) {
      if (utf16[i] >= 0xD800 && utf16[i] < 0xDC00 && i + 1 < utf16.size()) ++i;
    }
    return i;
  };
  const std::size_t begin = offset(from);
  return utf16.substr(begin, offset(to) - begin);
}

}  // namespace

// --- Program output ---

void PaneText::ReserveIndexes(std::size_t lines) {
  const std::size_t entries = (lines + kRowGroupLines - 1) / kRowGroupLines + 1;
  for (std::vector<std::uint64_t>* index : {&rows_.rows_before, &offsets_.units_before}) {
    if (index->capacity() < entries) index->reserve(std::max(entries, 2 * index->capacity()));
  }
}

void PaneText::AppendLines(std::string_view bytes, std::span<const std::size_t> ends,
                           std::size_t separator) {
  if (ends.empty()) return;
  // The indexes and the piece list get their room first, so that taking in
  // the stored lines cannot fail; a failure while storing them leaves the
  // text with the whole lines stored before it.
  ReserveIndexes(PieceLines() + ends.size());
  if (pieces_.size() == pieces_.capacity() || piece_end_.size() == piece_end_.capacity()) {
    pieces_.reserve(2 * pieces_.size() + 1);
    piece_end_.reserve(2 * pieces_.size() + 1);
  }
  const std::size_t stored = output_.size();
  try {
    output_.AppendLines(bytes, ends, separator);
  } catch (const std::bad_alloc&) {
    TakeOutputFrom(stored);
    throw;
  }
  TakeOutputFrom(stored);
}

void PaneText::TakeOutputFrom(std::size_t stored) {
  const std::size_t added = output_.size() - stored;
  if (added == 0) return;
  const std::size_t lines = PieceLines();
  InvalidateRowsFrom(lines);
  if (!pieces_.empty() && pieces_.back().source == Source::kOutput &&
      pieces_.back().first + pieces_.back().count == stored) {
    pieces_.back().count += added;
    piece_end_.back() += added;
  } else {
    pieces_.push_back({Source::kOutput, stored, added});
    piece_end_.push_back(lines + added);
  }
  typing_open_ = false;
}

void PaneText::Clear() {
  output_.Clear();
  edits_.Clear();
  pieces_ = {};
  piece_end_ = {};
  undo_ = {};
  redo_ = {};
  typing_open_ = false;
  rows_ = {};
  offsets_ = {};
}

// --- Reading ---

std::size_t PaneText::line_count() const { return pieces_.empty() ? 1 : piece_end_.back(); }

const LineStore& PaneText::StoreOf(Source source) const {
  return source == Source::kOutput ? output_ : edits_;
}

std::size_t PaneText::PieceOf(std::size_t line) const {
  return static_cast<std::size_t>(std::upper_bound(piece_end_.begin(), piece_end_.end(), line) -
                                  piece_end_.begin());
}

std::string_view PaneText::Line(std::size_t line) const {
  if (pieces_.empty()) return {};
  const std::size_t p = PieceOf(line);
  const Piece& piece = pieces_[p];
  const std::size_t piece_start = piece_end_[p] - piece.count;
  return StoreOf(piece.source).Line(piece.first + (line - piece_start));
}

std::size_t PaneText::LineChars(std::size_t line) const {
  if (pieces_.empty()) return 0;
  const std::size_t p = PieceOf(line);
  const Piece& piece = pieces_[p];
  return StoreOf(piece.source).CharCount(piece.first + (line - (piece_end_[p] - piece.count)));
}

PanePosition PaneText::Clamp(PanePosition position) const {
  const std::size_t lines = line_count();
  if (position.line >= lines) return {lines - 1, LineChars(lines - 1)};
  position.column = std::min(position.column, LineChars(position.line));
  return position;
}

PaneRange PaneText::All() const {
  const std::size_t last = line_count() - 1;
  return {{0, 0}, {last, LineChars(last)}};
}

template <typename Out, typename AppendDecoded>
Out PaneText::Extract(PaneRange range, AppendDecoded append) const {
  PanePosition from = Clamp(range.from);
  PanePosition to = Clamp(range.to);
  if (to < from) std::swap(from, to);
  Out text;
  // A long range (Ctrl+A) is sized up front from the average line, so that
  // copying a whole report does not pass through doubling reallocations.
  const std::size_t lines = to.line - from.line + 1;
  if (lines > 1024) text.reserve((text_bytes() / line_count() + 2) * lines);
  Out decoded;
  for (std::size_t line = from.line; line <= to.line; ++line) {
    if (line > from.line) text += '\n';
    const bool whole = (line > from.line || from.column == 0) && line < to.line;
    if (whole) {
      append(Line(line), text);
      continue;
    }
    decoded.clear();
    append(Line(line), decoded);
    const std::size_t begin = line == from.line ? from.column : 0;
    const std::size_t end = line == to.line ? to.column : LineChars(line);
    text += Slice(decoded, begin, end);
  }
  return text;
}

std::string PaneText::Text(PaneRange range) const {
  return Extract<std::string>(range, AppendDecodedUtf8);
}

std::u16string PaneText::TextUtf16(PaneRange range) const {
  std::u16string text(Utf16LengthOf(range), u'\0');
  CopyTextUtf16(range, text.data());
  return text;
}

std::size_t PaneText::Utf16LengthOf(PaneRange range) const {
  const std::size_t from = Utf16OffsetOf(range.from);
  const std::size_t to = Utf16OffsetOf(range.to);
  return from < to ? to - from : from - to;
}

void PaneText::CopyTextUtf16(PaneRange range, char16_t* out) const {
  PanePosition from = Clamp(range.from);
  PanePosition to = Clamp(range.to);
  if (to < from) std::swap(from, to);
  std::u16string shown;
  VisitLines(from.line, to.line + 1, [&](std::size_t line, std::string_view bytes, bool ascii) {
    if (line > from.line) *out++ = u'\n';
    const std::size_t begin = line == from.line ? from.column : 0;
    const bool whole = begin == 0 && line < to.line;
    if (whole && ascii) {
      // Most lines: widened straight into place.
      for (char c : bytes) *out++ = static_cast<unsigned char>(c);
      return;
    }
    shown.clear();
    AppendDecodedUtf16(bytes, shown);
    const std::u16string_view part =
        whole ? std::u16string_view(shown)
              : Slice(shown, begin, line == to.line ? to.column : shown.size());
    out = std::copy(part.begin(), part.end(), out);
  });
}

// --- Rows ---

template <typename Visit>
void PaneText::VisitCharCounts(std::size_t first, std::size_t last, Visit&& visit) const {
  if (first >= last) return;
  if (pieces_.empty()) {
    visit(std::size_t{0});
    return;
  }
  for (std::size_t p = PieceOf(first); p < pieces_.size() && first < last; ++p) {
    const Piece& piece = pieces_[p];
    const std::size_t piece_start = piece_end_[p] - piece.count;
    const std::size_t count = std::min(last, piece_end_[p]) - first;
    StoreOf(piece.source).VisitCharCounts(piece.first + (first - piece_start), count, visit);
    first += count;
  }
}

void PaneText::InvalidateRowsFrom(std::size_t line) {
  const std::size_t keep = line / kRowGroupLines + 1;
  if (rows_.rows_before.size() > keep) rows_.rows_before.resize(keep);
  if (offsets_.units_before.size() > keep) offsets_.units_before.resize(keep);
}

const PaneText::OffsetIndex& PaneText::Offsets() const {
  std::vector<std::uint64_t>& units_before = offsets_.units_before;
  if (units_before.empty()) units_before.push_back(0);
  const std::size_t lines = line_count();
  const std::size_t groups = (lines + kRowGroupLines - 1) / kRowGroupLines;
  if (units_before.size() == groups + 1) return offsets_;
  units_before.reserve(groups + 1);
  std::size_t line = (units_before.size() - 1) * kRowGroupLines;
  std::uint64_t units = units_before.back();
  VisitLines(line, lines, [&](std::size_t, std::string_view bytes, bool ascii) {
    units += (ascii ? bytes.size() : LineUtf16Length(bytes)) + 1;
    ++line;
    if (line % kRowGroupLines == 0 || line == lines) units_before.push_back(units);
  });
  return offsets_;
}

std::size_t PaneText::Utf16Length() const {
  // The last line has no break after it.
  return static_cast<std::size_t>(Offsets().units_before.back()) - 1;
}

std::size_t PaneText::Utf16OffsetOf(PanePosition position) const {
  position = Clamp(position);
  const std::size_t group = position.line / kRowGroupLines;
  std::size_t units = static_cast<std::size_t>(Offsets().units_before[group]);
  VisitLines(group * kRowGroupLines, position.line,
             [&](std::size_t, std::string_view bytes, bool ascii) {
               units += (ascii ? bytes.size() : LineUtf16Length(bytes)) + 1;
             });
  const std::string_view bytes = Line(position.line);
  if (IsAscii(bytes)) return units + position.column;
  std::size_t column = 0;
  VisitLineCharacters(bytes, [&](char32_t c, std::size_t) {
    if (column++ < position.column) units += c < 0x10000 ? 1 : 2;
  });
  return units;
}

PanePosition PaneText::PositionAtUtf16(std::size_t offset) const {
  const std::vector<std::uint64_t>& units_before = Offsets().units_before;
  offset = std::min(offset, static_cast<std::size_t>(units_before.back()) - 1);
  const std::size_t group =
      static_cast<std::size_t>(std::upper_bound(units_before.begin(), units_before.end(), offset) -
                               units_before.begin() - 1);
  std::size_t units = static_cast<std::size_t>(units_before[group]);
  PanePosition found{line_count() - 1, 0};
  bool done = false;
  VisitLines(group * kRowGroupLines, std::min((group + 1) * kRowGroupLines, line_count()),
             [&](std::size_t line, std::string_view bytes, bool ascii) {
               if (done) return;
               const std::size_t length = ascii ? bytes.size() : LineUtf16Length(bytes);
               if (offset <= units + length) {
                 found.line = line;
                 done = true;
                 std::size_t left = offset - units;
                 if (ascii || IsAscii(bytes)) {
                   found.column = left;
                   return;
                 }
                 VisitLineCharacters(bytes, [&](char32_t c, std::size_t) {
                   const std::size_t width = c < 0x10000 ? 1 : 2;
                   if (left >= width) {
                     left -= width;
                     ++found.column;
                   } else {
                     left = 0;
                   }
                 });
               }
               units += length + 1;
             });
  return found;
}

const PaneText::RowIndex& PaneText::Rows(std::size_t width) const {
  if (width != rows_.width || rows_.rows_before.empty()) {
    rows_.width = width;
    rows_.rows_before.assign(1, 0);
  }
  const std::size_t lines = line_count();
  const std::size_t groups = (lines + kRowGroupLines - 1) / kRowGroupLines;
  std::vector<std::uint64_t>& rows_before = rows_.rows_before;
  if (rows_before.size() == groups + 1) return rows_;
  rows_before.reserve(groups + 1);
  std::size_t line = (rows_before.size() - 1) * kRowGroupLines;
  std::uint64_t rows = rows_before.back();
  VisitCharCounts(line, lines, [&](std::size_t chars) {
    rows += RowsOfLine(chars, width);
    ++line;
    if (line % kRowGroupLines == 0 || line == lines) rows_before.push_back(rows);
  });
  return rows_;
}

std::size_t PaneText::RowCount(std::size_t width) const {
  return static_cast<std::size_t>(Rows(std::max<std::size_t>(width, 1)).rows_before.back());
}

PaneRow PaneText::RowAt(std::size_t width, std::size_t row) const {
  width = std::max<std::size_t>(width, 1);
  const std::vector<std::uint64_t>& rows_before = Rows(width).rows_before;
  row = std::min<std::size_t>(row, static_cast<std::size_t>(rows_before.back()) - 1);
  const std::size_t group = static_cast<std::size_t>(
      std::upper_bound(rows_before.begin(), rows_before.end(), row) - rows_before.begin() - 1);
  std::size_t line = group * kRowGroupLines;
  std::size_t rows = static_cast<std::size_t>(rows_before[group]);
  PaneRow found;
  bool done = false;
  VisitCharCounts(line, std::min(line + kRowGroupLines, line_count()), [&](std::size_t chars) {
    if (done) return;
    const std::size_t line_rows = RowsOfLine(chars, width);
    if (row < rows + line_rows) {
      const std::size_t column = (row - rows) * width;
      found = {line, column, std::min(width, chars - column)};
      done = true;
    }
    rows += line_rows;
    ++line;
  });
  return found;
}

std::size_t PaneText::RowOf(std::size_t width, PanePosition position) const {
  width = std::max<std::size_t>(width, 1);
  position = Clamp(position);
  const std::vector<std::uint64_t>& rows_before = Rows(width).rows_before;
  const std::size_t group = position.line / kRowGroupLines;
  std::size_t rows = static_cast<std::size_t>(rows_before[group]);
  VisitCharCounts(group * kRowGroupLines, position.line,
                  [&](std::size_t chars) { rows += RowsOfLine(chars, width); });
  const std::size_t last_row = RowsOfLine(LineChars(position.line), width) - 1;
  return rows + std::min(position.column / width, last_row);
}

// --- Edits ---

std::size_t PaneText::PieceLines() const { return pieces_.empty() ? 0 : piece_end_.back(); }

void PaneText::PushMerged(std::vector<Piece>& pieces, Piece piece) const {
  if (piece.count == 0) return;
  if (!pieces.empty() && pieces.back().source == piece.source &&
      pieces.back().first + pieces.back().count == piece.first) {
    pieces.back().count += piece.count;
  } else {
    pieces.push_back(piece);
  }
}

void PaneText::RebuildPieceEnds() {
  piece_end_.resize(pieces_.size());
  std::size_t lines = 0;
  for (std::size_t p = 0; p < pieces_.size(); ++p) piece_end_[p] = lines += pieces_[p].count;
}

// Replaces the `count` lines from `first_line` with the lines of
// `insert`, handing the pieces of the replaced lines to `removed`.
void PaneText::Splice(std::size_t first_line, std::size_t count, std::span<const Piece> insert,
                      std::vector<Piece>* removed) {
  const std::size_t end_line = first_line + count;
  std::vector<Piece> pieces;
  pieces.reserve(pieces_.size() + insert.size() + 2);
  bool inserted = false;
  std::size_t start = 0;
  for (const Piece& piece : pieces_) {
    const std::size_t end = start + piece.count;
    // The part before the replaced lines, the replaced part, the part after.
    const std::size_t cut_from = std::clamp(first_line, start, end) - start;
    const std::size_t cut_to = std::clamp(end_line, start, end) - start;
    PushMerged(pieces, {piece.source, piece.first, cut_from});
    if (removed != nullptr) {
      PushMerged(*removed, {piece.source, piece.first + cut_from, cut_to - cut_from});
    }
    if (!inserted && end_line <= end) {
      for (const Piece& added : insert) PushMerged(pieces, added);
      inserted = true;
    }
    PushMerged(pieces, {piece.source, piece.first + cut_to, piece.count - cut_to});
    start = end;
  }
  if (!inserted) {
    for (const Piece& added : insert) PushMerged(pieces, added);
  }
  piece_end_.reserve(pieces.size());
  pieces_ = std::move(pieces);
  RebuildPieceEnds();
  InvalidateRowsFrom(first_line);
}

PanePosition PaneText::Replace(PaneRange range, std::string_view utf8) {
  PanePosition from = Clamp(range.from);
  PanePosition to = Clamp(range.to);
  if (to < from) std::swap(from, to);
  if (from == to && utf8.empty()) return from;

  std::string text_storage;
  if (!IsValidUtf8(utf8)) {
    text_storage = DecodeLineUtf8(utf8);
    utf8 = text_storage;
  }

  // The touched lines become: the first line up to `from`, the new text, the
  // last line from `to`; split at line breaks and stored as UTF-8.
  const std::string first_line = DecodeLineUtf8(Line(from.line));
  std::string content = first_line.substr(0, Utf8Offset(first_line, from.column));
  content += utf8;
  if (to.line == from.line) {
    content += std::string_view(first_line).substr(Utf8Offset(first_line, to.column));
  } else {
    const std::string last_line = DecodeLineUtf8(Line(to.line));
    content += std::string_view(last_line).substr(Utf8Offset(last_line, to.column));
  }
  const std::size_t stored_from = edits_.size();
  std::size_t line_start = 0;
  for (std::size_t i = 0; i <= content.size(); ++i) {
    if (i == content.size() || content[i] == '\n') {
      edits_.Append(std::string_view(content).substr(line_start, i - line_start));
      line_start = i + 1;
    }
  }
  const Piece new_lines{Source::kEdits, stored_from, edits_.size() - stored_from};

  const std::size_t replaced =
      std::min(to.line + 1, PieceLines()) - std::min(from.line, PieceLines());
  ReserveIndexes(line_count() + new_lines.count);
  undo_.reserve(undo_.size() + 1);
  Step step{from.line, {}, {new_lines}, {from, to}, {}, false};
  Splice(from.line, replaced, step.inserted, &step.removed);

  const std::size_t breaks = static_cast<std::size_t>(std::count(utf8.begin(), utf8.end(), '\n'));
  if (breaks == 0) {
    step.after_end = {from.line, from.column + Utf8CharCount(utf8)};
  } else {
    step.after_end = {from.line + breaks, Utf8CharCount(utf8.substr(utf8.rfind('\n') + 1))};
  }
  step.typing = from == to && breaks == 0;

  redo_.clear();
  if (step.typing && typing_open_ && !undo_.empty() && undo_.back().typing &&
      undo_.back().after_end == from) {
    // Continued typing: the step now leads from its old lines to these.
    undo_.back().inserted = std::move(step.inserted);
    undo_.back().after_end = step.after_end;
  } else {
    undo_.push_back(std::move(step));
  }
  typing_open_ = undo_.back().typing;
  return undo_.back().after_end;
}

std::optional<PaneRange> PaneText::Undo() {
  if (undo_.empty()) return std::nullopt;
  const Step& step = MoveLatestStep(undo_, redo_, /*undo=*/true);
  return step.before;
}

std::optional<PaneRange> PaneText::Redo() {
  if (redo_.empty()) return std::nullopt;
  const Step& step = MoveLatestStep(redo_, undo_, /*undo=*/false);
  return PaneRange{step.before.from, step.after_end};
}

std::optional<PaneRange> PaneText::UndoRange() const {
  if (undo_.empty()) return std::nullopt;
  return PaneRange{undo_.back().before.from, undo_.back().after_end};
}

std::optional<PaneRange> PaneText::RedoRange() const {
  if (redo_.empty()) return std::nullopt;
  return redo_.back().before;
}

const PaneText::Step& PaneText::MoveLatestStep(std::vector<Step>& from, std::vector<Step>& to,
                                               bool undo) {
  to.reserve(to.size() + 1);
  Step& step = from.back();
  // Undoing takes out the lines the step put in and puts back those it took
  // out; redoing does the opposite.
  const std::vector<Piece>& present = undo ? step.inserted : step.removed;
  const std::vector<Piece>& restored = undo ? step.removed : step.inserted;
  std::size_t lines = 0;
  for (const Piece& piece : present) lines += piece.count;
  std::size_t restored_lines = 0;
  for (const Piece& piece : restored) restored_lines += piece.count;
  ReserveIndexes(line_count() + restored_lines);
  Splice(step.first_line, lines, restored, nullptr);
  typing_open_ = false;
  to.push_back(std::move(step));
  from.pop_back();
  return to.back();
}

// --- Figures ---

std::size_t PaneText::MemoryBytes() const {
  std::size_t bytes =
      output_.MemoryBytes() + edits_.MemoryBytes() + pieces_.capacity() * sizeof(Piece) +
      piece_end_.capacity() * sizeof(std::size_t) +
      (rows_.rows_before.capacity() + offsets_.units_before.capacity()) * sizeof(std::uint64_t);
  for (const std::vector<Step>* steps : {&undo_, &redo_}) {
    bytes += steps->capacity() * sizeof(Step);
    for (const Step& step : *steps) {
      bytes += (step.removed.capacity() + step.inserted.capacity()) * sizeof(Piece);
    }
  }
  return bytes;
}

}  // namespace dravelin
