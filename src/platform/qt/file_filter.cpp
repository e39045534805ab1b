#include "platform/qt/file_filter.h"

#include "platform/qt/windows1252.h"

QStringList ConvertFileFilter(std::string_view filter) {
  // The double bar ends the list; anything after it is not part of the filter.
  if (const auto end = filter.find("||"); end != std::string_view::npos)
    filter.remove_suffix(filter.size() - end);
  const QStringList parts = FromWindows1252(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& name = parts[i];
    QStringList patternList;
    for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'))) {
      if (!pattern.trimmed().isEmpty()) patternList.append(pattern.trimmed());
    }
    const QString patterns = patternList.join(QLatin1Char(' '));
    if (patterns.isEmpty()) continue;
    const QString suffix = QStringLiteral("(%1)").arg(patterns);
    filters.append(name.endsWith(suffix) ? name : QStringLiteral("%1 %2").arg(name, suffix));
  }
  return filters;
}
