#include "collection/csv_text.h"

#include <charconv>

#include "base/line_decoding.h"

namespace dravelin {

void AppendCsvText(std::string_view bytes, std::string& out) {
  out += '"';
  const std::size_t start = out.size();
  AppendDecodedUtf8(bytes, out);
  // Double the quotes of the decoded text, from the end so that each is
  // moved once.
  std::size_t quotes = 0;
  for (std::size_t i = start; i < out.size(); ++i) quotes += out[i] == '"' ? 1 : 0;
  if (quotes > 0) {
    std::size_t from = out.size();
    out.resize(out.size() + quotes);
    std::size_t to = out.size();
    while (from > start) {
      const char c = out[--from];
      out[--to] = c;
      if (c == '"') out[--to] = '"';
    }
  }
  out += '"';
}

void AppendCsvNumber(std::uint64_t value, std::string& out) {
  char digits[20];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

}  // namespace dravelin
