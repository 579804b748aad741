#include "sequencer/assignment_file.h"

#include <array>

namespace dravelin {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kComment =
    "# Dravelin: the keyboard bank that each bank file in Compare stands for in the\r\n"
    "# sequencer files (QS+ Banks.ins, .midnam, .reabank). One line per bank file:\r\n"
    "# its name, a tab, and User, Preset 1 to Preset 4, Card 1 to Card 11, or\r\n"
    "# Not on the keyboard. A keyboard bank holds one bank file only; bank files\r\n"
    "# not named here take the free keyboard banks in order.\r\n";

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Control bytes, and a '#' that would make the line a comment.
bool NeedsHexEscape(unsigned char byte, bool first) {
  return byte < 0x20 || byte == 0x7F || (first && byte == '#');
}

void AppendEscaped(std::string& out, std::string_view name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\\') {
      out += "\\\\";
    } else if (NeedsHexEscape(byte, i == 0)) {
      out += "\\x";
      out += kHexDigits[byte >> 4];
      out += kHexDigits[byte & 0xF];
    } else {
      out += c;
    }
  }
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The name that `escaped` stands for, or nullopt when an escape is broken.
std::optional<std::string> Unescaped(std::string_view escaped) {
  std::string name;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] != '\\') {
      name += escaped[i];
      continue;
    }
    if (i + 1 < escaped.size() && escaped[i + 1] == '\\') {
      name += '\\';
      ++i;
      continue;
    }
    if (i + 3 < escaped.size() && escaped[i + 1] == 'x') {
      const int high = HexValue(escaped[i + 2]);
      const int low = HexValue(escaped[i + 3]);
      if (high >= 0 && low >= 0) {
        name += static_cast<char>(high * 16 + low);
        i += 3;
        continue;
      }
    }
    return std::nullopt;
  }
  return name;
}

std::string_view TrimmedBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string FormatAssignmentFile(const BankSet& set, std::span<const KeyboardBank> assignment) {
  std::string text(kComment);
  for (std::size_t i = 0; i < set.size() && i < assignment.size(); ++i) {
    AppendEscaped(text, set[i].file_name);
    text += '\t';
    text += KeyboardBankName(assignment[i]);
    text += kLineEnd;
  }
  return text;
}

AssignmentFileReading ParseAssignmentFile(std::string_view text, const BankSet& set) {
  AssignmentFileReading reading;
  reading.chosen.resize(set.size());
  std::array<bool, kKeyboardBankCount> given{};
  std::size_t line_number = 0;
  const auto ignore = [&reading, &line_number](std::string problem) {
    if (reading.ignored_lines++ == 0) {
      reading.first_problem = "line " + std::to_string(line_number) + ": " + problem;
    }
  };
  while (!text.empty()) {
    ++line_number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (TrimmedBlanks(line).empty() || line.front() == '#') continue;

    const std::size_t tab = line.rfind('\t');
    const std::optional<std::string> file_name =
        tab == std::string_view::npos ? std::nullopt : Unescaped(line.substr(0, tab));
    if (!file_name) {
      ignore("not a bank file name, a tab and a keyboard bank");
      continue;
    }
    std::size_t bank = set.size();
    for (std::size_t i = 0; i < set.size(); ++i) {
      if (set[i].file_name == *file_name) bank = i;
    }
    if (bank == set.size()) {
      ignore("no bank file '" + *file_name + "' in Compare");
      continue;
    }
    const std::string_view keyboard_text = TrimmedBlanks(line.substr(tab + 1));
    const std::optional<KeyboardBank> keyboard_bank = ParseKeyboardBank(keyboard_text);
    if (!keyboard_bank) {
      ignore("no keyboard bank '" + std::string(keyboard_text) + "'");
      continue;
    }
    if (reading.chosen[bank]) {
      ignore("'" + *file_name + "' is named again");
      continue;
    }
    if (IsOnKeyboard(*keyboard_bank)) {
      bool& taken = given[ChoiceIndex(*keyboard_bank)];
      if (taken) {
        ignore(std::string(KeyboardBankName(*keyboard_bank)) + " is given to another bank already");
        continue;
      }
      taken = true;
    }
    reading.chosen[bank] = *keyboard_bank;
  }
  return reading;
}

}  // namespace dravelin
