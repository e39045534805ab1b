#include "platform/qt/windows1252.h"

#include <QList>
#include <array>

namespace {
// Characters of the bytes 0x80 to 0x9F, where Windows-1252 differs from
// Latin-1. The undefined bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D keep their value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t CharacterOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

char ByteOf(char32_t character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<char>(character);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == character) return static_cast<char>(0x80 + i);
  }
  return '?';
}
}  // namespace

QString FromWindows1252(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char byte : bytes) text.append(QChar(CharacterOf(static_cast<unsigned char>(byte))));
  return text;
}

std::string ToWindows1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  // Code points rather than UTF-16 units, so that a character outside the
  // basic plane becomes one '?', not two.
  for (char32_t character : text.toUcs4()) bytes.push_back(ByteOf(character));
  return bytes;
}
