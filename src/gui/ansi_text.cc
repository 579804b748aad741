#include "gui/ansi_text.h"

#include <QLatin1StringView>
#include <QString>
#include <string>

#include "base/line_decoding.h"

namespace dravelin {

QString DecodeAnsi(std::string_view text) {
  const auto size = static_cast<qsizetype>(text.size());
  if (IsAscii(text)) return QString(QLatin1StringView(text.data(), size));
  return Utf16ToQString(DecodeLineUtf16(text));
}

QString Utf16ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

}  // namespace dravelin
