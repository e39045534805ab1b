#include "platform/qt/windows1252.h"

#include "platform/string_table.h"
#include "platform/windows1252.h"

QString FromWindows1252(std::string_view bytes) {
  const std::u16string text = Windows1252ToUtf16(bytes);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToWindows1252(const QString& text) {
  return Utf16ToWindows1252(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                static_cast<std::size_t>(text.size())));
}

QString ResText(int id) {
  return FromWindows1252(LoadResString(id));
}
