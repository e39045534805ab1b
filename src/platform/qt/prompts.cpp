#include "platform/qt/prompts.h"

#include <QCheckBox>

#include <QFileDialog>

#include "platform/qt/windows1252.h"
#include "platform/string_table.h"
#include "resource_ids.h"

// File names are kept as the local 8-bit encoding of the file system, which
// is what the standard library's file functions expect.
namespace {
std::optional<std::string> Chosen(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toLocal8Bit().toStdString();
}
}  // namespace

QString AppTitle() {
  return FromWindows1252(LoadResString(IDS_APP_TITLE));
}

std::optional<std::string> CDialogPrompts::AskOpenPath(const QStringList& filters) {
  QFileDialog dialog(m_pParent);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(filters);
  return Chosen(dialog);
}

std::optional<std::string> CDialogPrompts::AskSavePath(const std::string& proposed,
                                                       const QStringList& filters,
                                                       const QString& defaultSuffix) {
  QFileDialog dialog(m_pParent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(defaultSuffix);
  if (!proposed.empty()) dialog.selectFile(QString::fromLocal8Bit(proposed));
  return Chosen(dialog);
}

QMessageBox::StandardButton CDialogPrompts::MessageBox(const QString& caption, const QString& text,
                                                       QMessageBox::Icon icon,
                                                       QMessageBox::StandardButtons buttons,
                                                       const QString& details) {
  QMessageBox box(icon, caption, text, buttons, m_pParent);
  if (!details.isEmpty()) box.setDetailedText(details);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool CDialogPrompts::MessageBoxWithCheck(const QString& caption, const QString& text,
                                         QMessageBox::Icon icon, const QString& checkText) {
  QMessageBox box(icon, caption, text, QMessageBox::Ok, m_pParent);
  auto* check = new QCheckBox(checkText, &box);
  box.setCheckBox(check);
  box.exec();
  return check->isChecked();
}
