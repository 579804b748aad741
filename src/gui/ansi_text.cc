#include "gui/ansi_text.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace dravelin {
namespace {

// Windows-1252 from 0x80 to 0x9F; the five bytes it leaves undefined keep
// the control character of their own number.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

QString DecodeAnsi(std::string_view text) {
  const auto size = static_cast<qsizetype>(text.size());
  bool ascii = true;
  for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (!ascii) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(QByteArrayView(text.data(), size));
    if (!utf8.hasError()) return decoded;
  }
  QString result = QString::fromLatin1(text.data(), size);
  for (qsizetype i = 0; i < result.size(); ++i) {
    const char16_t c = result.at(i).unicode();
    if (c >= 0x80 && c < 0xA0) result[i] = QChar(kCp1252High[c - 0x80]);
  }
  return result;
}

}  // namespace dravelin
