#include "gui/ansi_text.h"

#include <QLatin1StringView>
#include <QString>
#include <string>

#include "pane/line_decoding.h"

namespace dravelin {

QString DecodeAnsi(std::string_view text) {
  const auto size = static_cast<qsizetype>(text.size());
  if (IsAscii(text)) return QString(QLatin1StringView(text.data(), size));
  const std::u16string decoded = DecodeLineUtf16(text);
  return QString(reinterpret_cast<const QChar*>(decoded.data()),
                 static_cast<qsizetype>(decoded.size()));
}

}  // namespace dravelin
