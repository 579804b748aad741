#include "report/temporary_report_name.h"

#include <random>
#include <string>
#include <string_view>

namespace dravelin {
namespace {

using String = std::filesystem::path::string_type;
using Char = std::filesystem::path::value_type;

// The part of the report's name that a temporary name repeats, so that it
// stays well within the longest name a file system allows.
constexpr std::size_t kNameStemLength = 160;
constexpr std::size_t kRandomLength = 6;
constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view kSuffix = ".tmp";

void Append(String& text, std::string_view ascii) {
  for (char c : ascii) text += static_cast<Char>(c);
}

bool EndsWith(const String& text, std::string_view ascii) {
  if (text.size() < ascii.size()) return false;
  const std::size_t start = text.size() - ascii.size();
  for (std::size_t i = 0; i < ascii.size(); ++i) {
    if (text[start + i] != static_cast<Char>(ascii[i])) return false;
  }
  return true;
}

bool IsRandomCharacter(Char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

}  // namespace

std::filesystem::path TemporaryReportPath(const std::filesystem::path& path,
                                          std::uint64_t writer) {
  static std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  String name(1, '.');
  name += path.filename().native().substr(0, kNameStemLength);
  name += '.';
  Append(name, std::to_string(writer));
  name += '.';
  for (std::size_t i = 0; i < kRandomLength; ++i) name += static_cast<Char>(kAlphabet[pick(random)]);
  Append(name, kSuffix);
  return path.parent_path() / name;
}

std::optional<std::uint64_t> TemporaryReportWriter(const std::filesystem::path& file_name) {
  String name = file_name.native();
  // "." stem "." writer "." random ".tmp", read from the end.
  if (name.empty() || name.front() != '.' || !EndsWith(name, kSuffix)) return std::nullopt;
  name.resize(name.size() - kSuffix.size());
  if (name.size() < kRandomLength + 1) return std::nullopt;
  for (std::size_t i = name.size() - kRandomLength; i < name.size(); ++i) {
    if (!IsRandomCharacter(name[i])) return std::nullopt;
  }
  name.resize(name.size() - kRandomLength);
  if (name.back() != '.') return std::nullopt;
  name.pop_back();
  const std::size_t dot = name.rfind('.');
  // The stem between the leading '.' and this one is never empty.
  if (dot == String::npos || dot < 2) return std::nullopt;
  const String digits = name.substr(dot + 1);
  constexpr std::size_t kMaxDigits = 19;  // below 2^63
  if (digits.empty() || digits.size() > kMaxDigits || digits.front() == '0') return std::nullopt;
  std::uint64_t writer = 0;
  for (Char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    writer = writer * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return writer;
}

}  // namespace dravelin
