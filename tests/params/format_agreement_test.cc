// Holds the field tables against the maker's published sysex format itself:
// every parameter row of the program, keyboard sound, drum sound and effects
// tables of that text must be a field of ours with the same bits, bit count,
// offset, limit and direct-editing numbers, and every parameter of ours must
// be a row there. The text is read from the folder beside the checkout; the
// test skips when it is absent.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "params/effects_fields.h"
#include "params/sound_fields.h"

namespace dravelin::params {
namespace {

namespace fs = std::filesystem;

// One numbered row of a parameter table in the text.
struct FormatRow {
  int line = 0;
  int number = -1;
  std::string name;
  std::optional<int> send, function, page, pot, offset, limit, bits;
  BitRange range;
  // The "If n= ..." block the row stands in: the selector row's bits and
  // the values it names.
  std::optional<Condition> when;
  // "18-33. Drum 2 parameters": the bits of one whole drum.
  int drum = 0;
};

using Sections = std::map<std::string, std::vector<FormatRow>>;

std::string Trim(std::string s) {
  const auto space = [](unsigned char c) { return std::isspace(c) != 0; };
  s.erase(s.begin(), std::find_if_not(s.begin(), s.end(), space));
  s.erase(std::find_if_not(s.rbegin(), s.rend(), space).base(), s.end());
  return s;
}

std::vector<std::string> Columns(const std::string& line) {
  std::vector<std::string> columns;
  std::stringstream in(line);
  std::string column;
  while (std::getline(in, column, '\t')) columns.push_back(Trim(column));
  while (!columns.empty() && columns.back().empty()) columns.pop_back();
  return columns;
}

// "8*" reads 8, "6*" 6; "x", "" and "0-6,8" read nothing.
std::optional<int> Number(const std::string& text) {
  static const std::regex kNumber(R"(^(-?\d+)\*?$)");
  std::smatch match;
  if (!std::regex_match(text, match, kNumber)) return std::nullopt;
  return std::stoi(match[1]);
}

// "0 thru 3", "0 or 1", "4".
std::uint32_t ValuesOf(const std::string& text) {
  static const std::regex kThru(R"((\d+) thru (\d+))");
  static const std::regex kOr(R"((\d+) or (\d+))");
  std::smatch match;
  std::uint32_t values = 0;
  if (std::regex_search(text, match, kThru)) {
    for (int v = std::stoi(match[1]); v <= std::stoi(match[2]); ++v) values |= 1u << v;
  } else if (std::regex_search(text, match, kOr)) {
    values = (1u << std::stoi(match[1])) | (1u << std::stoi(match[2]));
  } else {
    values = 1u << std::stoi(text);
  }
  return values;
}

// The parameter tables from "PROGRAM DATA FORMAT" on, by section: "common",
// "keyboard", "drum", "effects" (the rows every configuration shares) and
// "configuration 0" to "configuration 4".
Sections ReadFormat(const fs::path& path) {
  static const std::regex kRow(R"(^(\d+)\.\t)");
  static const std::regex kRangeRow(R"(^(\d+)-(\d+)\.\s+Drum (\d+) parameters)");
  static const std::regex kAddress(R"(^\d+:\d+(-\d+:\d+)?$)");
  static const std::regex kIf(R"(^If (\d+) ?= ?([^(:]+))");
  static const std::regex kSame(
      R"(Parameters (\d+) through (\d+) are identical to configuration 0)");
  static const std::regex kConfiguration(R"(^Configuration (\d) \()");
  static const std::regex kHeading(R"(^[A-Z][A-Z0-9 ]+:\s*$)");
  std::ifstream in(path);
  Sections sections;
  std::string section;
  std::optional<Condition> when;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::smatch match;
    if (line.rfind("PROGRAM DATA FORMAT", 0) == 0) section = "common";
    if (line.rfind("Keyboard Sound:", 0) == 0) section = "keyboard";
    if (line.rfind("Drum Sound:", 0) == 0) section = "drum";
    if (line.rfind("EFFECT DATA FORMAT", 0) == 0) section = "effects";
    if (std::regex_search(line, match, kConfiguration)) {
      section = "configuration " + match[1].str();
      when.reset();
      continue;
    }
    if (section.empty()) continue;
    std::vector<FormatRow>& rows = sections[section];
    if (std::regex_match(line, kHeading)) {
      when.reset();
      continue;
    }
    if (std::regex_search(line, match, kIf)) {
      const int selector = std::stoi(match[1]);
      auto row = std::find_if(rows.rbegin(), rows.rend(),
                              [&](const FormatRow& r) { return r.number == selector && !r.when; });
      EXPECT_NE(row, rows.rend()) << "line " << number << ": no row " << selector;
      if (row != rows.rend()) when = Condition{row->range, ValuesOf(Trim(match[2]))};
      continue;
    }
    if (std::regex_search(line, match, kSame)) {
      const int first = std::stoi(match[1]);
      const int last = std::stoi(match[2]);
      for (const FormatRow& row : sections["configuration 0"]) {
        if (row.number >= first && row.number <= last) rows.push_back(row);
      }
      continue;
    }
    if (std::regex_search(line, match, kRangeRow)) {
      FormatRow row;
      row.line = number;
      row.drum = std::stoi(match[3]);
      row.range = ParseBitAddress(Columns(line).back());
      // A drum is 64 bits, more than one field holds; read it by hand.
      static const std::regex kWide(R"((\d+):(\d+)-(\d+):(\d+))");
      std::smatch bits;
      const std::string last_column = Columns(line).back();
      if (std::regex_match(last_column, bits, kWide)) {
        const int high = 8 * std::stoi(bits[1]) + std::stoi(bits[2]);
        const int low = 8 * std::stoi(bits[3]) + std::stoi(bits[4]);
        row.range = {static_cast<std::uint16_t>(low), static_cast<std::uint8_t>(high - low + 1)};
      }
      rows.push_back(row);
      continue;
    }
    if (!std::regex_search(line, match, kRow)) continue;
    std::vector<std::string> columns = Columns(line);
    if (columns.size() < 3 || !std::regex_match(columns.back(), kAddress)) continue;
    FormatRow row;
    row.line = number;
    row.number = std::stoi(match[1]);
    row.name = columns[1];
    const bool effects = section != "common" && section != "keyboard" && section != "drum";
    if (row.name.size() > 2 && row.name.substr(row.name.size() - 2) == ")x") {
      row.name.pop_back();  // the send column's "x", written without a tab
      columns.insert(columns.begin() + 2, "x");
    }
    row.range = ParseBitAddress(columns.back());
    if (row.range.width == 0) {
      // Wider than one value: a spare run ("58:5-39:0").
      static const std::regex kWide(R"((\d+):(\d+)-(\d+):(\d+))");
      std::smatch bits;
      std::regex_match(columns.back(), bits, kWide);
      const int high = 8 * std::stoi(bits[1]) + std::stoi(bits[2]);
      const int low = 8 * std::stoi(bits[3]) + std::stoi(bits[4]);
      row.range = {static_cast<std::uint16_t>(low), static_cast<std::uint8_t>(high - low + 1)};
    }
    const std::size_t n = columns.size();
    row.bits = Number(columns[n - 2]);
    if (n >= 4) row.limit = Number(columns[n - 3]);
    if (n >= 5) row.offset = Number(columns[n - 4]);
    std::size_t at = 2;
    if (effects && at < n - 4) row.send = Number(columns[at++]);
    if (at < n - 4) row.function = Number(columns[at++]);
    if (at < n - 4) row.page = Number(columns[at++]);
    if (at < n - 4) row.pot = Number(columns[at++]);
    row.when = when;
    rows.push_back(row);
  }
  return sections;
}

// A name as both sides can be compared: lower case, the format's typing
// errors mended, and the prefixes the two sides write differently
// ("Sound", "Send n", "Drum n", "Program") dropped.
std::string Normalized(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const std::pair<const char*, const char*> kMended[] = {
      {"inut ", "input "}, {"treshold", "threshold"},
      {"alfo", "lfo"},     {"send3", "send 3"},
      {"(=0)", ""},        {"(=1)", ""},
      {"*", ""},           {"effect configuration", "configuration"},
  };
  for (const auto& [wrong, right] : kMended) {
    for (std::size_t at; (at = name.find(wrong)) != std::string::npos;) {
      name.replace(at, std::string(wrong).size(), right);
    }
  }
  name = std::regex_replace(name, std::regex(R"(^(sound|program) |^(send|drum) \d+ )"), "");
  return Trim(name);
}

bool IsSpareRow(const FormatRow& row) {
  return row.name.find("pare") != std::string::npos || row.name == "unused";
}

// Rows the tables depart from on purpose, each with its reason: the whole
// row, or one column of it.
struct Departure {
  const char* section;  // null: wherever the row stands
  const char* address;
  const char* name;
  const char* column;  // null: the whole row
};
const Departure kDepartures[] = {
    // Lies on the bits of "Send 1 lezlie mix", with the direct-editing
    // numbers of "Send 1 overdrive type": a slip of the text. The table keeps
    // the lezlie mix.
    {"configuration 4", "31:7-31:1", "overdrive mix", nullptr},
    // Its send column says 0 where every other field of send 2 says 1.
    {nullptr, "32:0-31:1", "pitch detune", "send"},
};

bool Departs(const std::string& section, const FormatRow& row, const char* column) {
  return std::any_of(std::begin(kDepartures), std::end(kDepartures), [&](const Departure& d) {
    return (d.section == nullptr || section == d.section) &&
           ParseBitAddress(d.address) == row.range &&
           Normalized(row.name).find(d.name) != std::string::npos &&
           (d.column == nullptr ? column == nullptr
                                : column != nullptr && std::string(column) == d.column);
  });
}

// Whether `field` may be what `row` describes as to its condition.
bool ConditionFits(const FieldLayout& field, const FormatRow& row) {
  if (field.when.selector.width == 0) return true;
  if (!row.when) return false;
  return field.when.selector == row.when->selector &&
         (field.when.values & row.when->values) == row.when->values;
}

class FormatAgreementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path path = fs::path(DRAVELIN_QS_FORMAT) / "qs-sysex-format.txt";
    if (!fs::is_regular_file(path)) GTEST_SKIP() << "no format text at " << path;
    sections_ = ReadFormat(path);
  }

  // Checks the rows of `section` against `fields`; returns the parameter
  // fields that some row matched.
  std::set<const FieldLayout*> Check(const std::string& section,
                                     std::span<const FieldLayout> fields, int drum = 0) {
    std::set<const FieldLayout*> matched;
    const auto& rows = sections_.at(section);
    EXPECT_FALSE(rows.empty()) << section;
    for (const FormatRow& row : rows) {
      SCOPED_TRACE(section + ", line " + std::to_string(row.line) + ": " + row.name);
      if (row.drum != 0) {
        CheckDrum(row, fields);
        continue;
      }
      if (Departs(section, row, nullptr)) continue;
      if (IsSpareRow(row)) {
        CheckSpare(row, fields);
        continue;
      }
      const FieldLayout* found = nullptr;
      for (const FieldLayout& field : fields) {
        if (field.bits == row.range && ConditionFits(field, row) &&
            (drum == 0 || field.instance == 0 || field.instance == drum) &&
            Normalized(FieldLabel(field)) == Normalized(row.name)) {
          found = &field;
        }
      }
      if (found == nullptr) {
        ADD_FAILURE() << "no field " << FormatBitAddress(row.range) << " named " << row.name;
        continue;
      }
      matched.insert(found);
      // What the row leaves blank is not compared.
      EXPECT_EQ(row.bits.value_or(found->bits.width), found->bits.width) << "bits";
      if (row.limit && row.offset) {
        EXPECT_EQ(*row.limit, found->limit) << "limit";
        EXPECT_EQ(*row.offset, found->offset) << "offset";
      }
      EXPECT_EQ(row.function.value_or(found->function), found->function) << "function";
      EXPECT_EQ(row.page.value_or(found->page), found->page) << "page";
      EXPECT_EQ(row.pot.value_or(found->pot), found->pot) << "pot";
      if (!Departs(section, row, "send")) {
        EXPECT_EQ(row.send.value_or(found->send), found->send) << "send";
      }
    }
    return matched;
  }

  // A spare row: the fields on its bits are spares within it, covering it.
  void CheckSpare(const FormatRow& row, std::span<const FieldLayout> fields) {
    unsigned covered = 0;
    for (const FieldLayout& field : fields) {
      const bool overlaps =
          field.bits.first < row.range.end() && row.range.first < field.bits.end();
      if (!overlaps || !ConditionFits(field, row)) continue;
      if (row.when && field.when.selector.width == 0 && field.kind == FieldKind::kParameter) {
        continue;  // a field of the other layouts' common part
      }
      EXPECT_EQ(field.kind, FieldKind::kSpare) << FieldLabel(field);
      EXPECT_TRUE(field.bits.first >= row.range.first && field.bits.end() <= row.range.end())
          << FieldLabel(field);
      covered += field.bits.width;
    }
    EXPECT_EQ(covered, row.range.width) << FormatBitAddress(row.range);
  }

  // "Drum n parameters": drum n's fields fill exactly those bits.
  void CheckDrum(const FormatRow& row, std::span<const FieldLayout> fields) {
    unsigned covered = 0;
    for (const FieldLayout& field : fields) {
      if (field.instance != row.drum) continue;
      EXPECT_TRUE(field.bits.first >= row.range.first && field.bits.end() <= row.range.end())
          << FieldLabel(field);
      covered += field.bits.width;
    }
    EXPECT_EQ(covered, row.range.width) << "drum " << row.drum;
  }

  static void ExpectAllMatched(std::span<const FieldLayout> fields,
                               const std::set<const FieldLayout*>& matched) {
    for (const FieldLayout& field : fields) {
      if (field.kind != FieldKind::kParameter || field.instance > 1) continue;
      EXPECT_TRUE(matched.count(&field)) << FieldLabel(field) << " is not in the format";
    }
  }

  Sections sections_;
};

TEST_F(FormatAgreementTest, ProgramCommonPart) {
  ExpectAllMatched(ProgramCommonFields(), Check("common", ProgramCommonFields()));
}

TEST_F(FormatAgreementTest, KeyboardSound) {
  const auto fields = SoundFields(SoundKind::kKeyboard);
  ExpectAllMatched(fields, Check("keyboard", fields));
}

TEST_F(FormatAgreementTest, DrumSound) {
  const auto fields = SoundFields(SoundKind::kDrum);
  ExpectAllMatched(fields, Check("drum", fields, 1));
}

TEST_F(FormatAgreementTest, EffectsConfigurations) {
  for (unsigned configuration = 0; configuration < kEffectsConfigurations; ++configuration) {
    SCOPED_TRACE("configuration " + std::to_string(configuration));
    const auto fields = EffectsFields(configuration);
    std::set<const FieldLayout*> matched = Check("effects", fields);
    const std::set<const FieldLayout*> own =
        Check("configuration " + std::to_string(configuration), fields);
    matched.insert(own.begin(), own.end());
    ExpectAllMatched(fields, matched);
  }
}

}  // namespace
}  // namespace dravelin::params
