#include "platform/qt/prompts.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

#include "platform/qt/windows1252.h"
#include "platform/string_table.h"
#include "resource_ids.h"

namespace {
const QString kLastFolderKey = QStringLiteral("Settings/Last Folder");
}  // namespace

// File names are kept as the local 8-bit encoding of the file system, which
// is what the standard library's file functions expect.
std::optional<std::string> CDialogPrompts::Chosen(QFileDialog& dialog, const QString& proposed) {
  if (m_pSettings && m_pSettings->contains(kLastFolderKey))
    dialog.setDirectory(m_pSettings->value(kLastFolderKey).toString());
  // After the folder, so that a proposed name with a folder of its own wins.
  if (!proposed.isEmpty()) dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().first();
  if (m_pSettings) m_pSettings->setValue(kLastFolderKey, QFileInfo(chosen).absolutePath());
  return chosen.toLocal8Bit().toStdString();
}

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
  return Chosen(dialog, QString::fromLocal8Bit(proposed));
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
