#include "platform/qt/doc_template.h"

#include "platform/qt/windows1252.h"
#include "platform/string_table.h"

CDocTemplate::CDocTemplate(int nIdResource)
    : m_fields(FromWindows1252(LoadResString(nIdResource)).split('\n')) {}

QString CDocTemplate::GetDocString(DocStringIndex index) const {
  return index < m_fields.size() ? m_fields[index] : QString();
}
