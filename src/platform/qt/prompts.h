#pragma once
// The modal questions the program asks: file dialogs and message boxes. The
// document manager and the commands ask through this interface, so that the
// tests can answer in place of a user.

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

class QFileDialog;
class QSettings;
class QWidget;

class CPrompts {
 public:
  virtual ~CPrompts() = default;

  // The chosen existing file, or nothing when the user cancelled.
  virtual std::optional<std::string> AskOpenPath(const QStringList& filters) = 0;
  // The chosen file to write, or nothing. `proposed` is the name shown first;
  // a name typed without an extension gets `defaultSuffix` (no dot), and an
  // existing file is only chosen after the user agreed to replace it.
  virtual std::optional<std::string> AskSavePath(const std::string& proposed,
                                                 const QStringList& filters,
                                                 const QString& defaultSuffix) = 0;
  // A message box with `buttons`; returns the button pressed. `details`, when
  // not empty, is shown as the box's detailed text.
  virtual QMessageBox::StandardButton MessageBox(
      const QString& caption, const QString& text, QMessageBox::Icon icon,
      QMessageBox::StandardButtons buttons = QMessageBox::Ok, const QString& details = {}) = 0;
  // A message box with an OK button and a check box labelled `checkText`;
  // whether the user ticked it.
  virtual bool MessageBoxWithCheck(const QString& caption, const QString& text,
                                   QMessageBox::Icon icon, const QString& checkText) = 0;
};

// The real dialogs, owned by `parent` (which may be null).
class CDialogPrompts : public CPrompts {
 public:
  explicit CDialogPrompts(QWidget* parent = nullptr) : m_pParent(parent) {}
  void SetParent(QWidget* parent) { m_pParent = parent; }
  // The file dialogs open in the folder of the last file chosen, kept in
  // `settings` (not owned; null: no memory).
  void SetFolderMemory(QSettings* settings) { m_pSettings = settings; }

  std::optional<std::string> AskOpenPath(const QStringList& filters) override;
  std::optional<std::string> AskSavePath(const std::string& proposed, const QStringList& filters,
                                         const QString& defaultSuffix) override;
  QMessageBox::StandardButton MessageBox(const QString& caption, const QString& text,
                                         QMessageBox::Icon icon,
                                         QMessageBox::StandardButtons buttons,
                                         const QString& details) override;
  bool MessageBoxWithCheck(const QString& caption, const QString& text, QMessageBox::Icon icon,
                           const QString& checkText) override;

 private:
  // Runs the dialog in the remembered folder, showing `proposed` (a name, or
  // a path) first, and remembers the folder of the file chosen.
  std::optional<std::string> Chosen(QFileDialog& dialog, const QString& proposed = {});

  QWidget* m_pParent;
  QSettings* m_pSettings = nullptr;
};

// The caption of the program's own message boxes.
QString AppTitle();
