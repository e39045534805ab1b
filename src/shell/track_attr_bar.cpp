#include "shell/track_attr_bar.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "model/trasso_doc.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/file_filter.h"
#include "platform/qt/windows1252.h"
#include "platform/string_table.h"

namespace {
enum : int {
  IDC_BACKGROUND = 1027,
  IDC_DESCRIPTION = 1028,
  ID_BROWSE_BACKGROUND = 32792,
};

enum : int {
  IDS_BACKGROUND_IMAGE = 103101,
  IDS_BROWSE,
  IDS_TRACK_DESCRIPTION,
  IDS_BACKGROUND_FILTER = 61489,
};

// Template 1031, in tab order.
constexpr DialogItem kTemplate[] = {
    {DialogControl::Text, -1, 7, 3, 0, 0, IDS_BACKGROUND_IMAGE},
    {DialogControl::Edit, IDC_BACKGROUND, 7, 12, 85, 14, 0},
    {DialogControl::Button, ID_BROWSE_BACKGROUND, 90, 12, 15, 14, IDS_BROWSE},
    {DialogControl::Text, -1, 7, 28, 0, 0, IDS_TRACK_DESCRIPTION},
    {DialogControl::MultiLineEdit, IDC_DESCRIPTION, 7, 38, 98, 69, 0},
};
constexpr int kWidth = 112;
constexpr int kHeight = 110;

const QString kCrLf = QStringLiteral("\r\n");

// The document separates lines with CR LF; the text field with a line feed.
QString DescriptionToField(std::string_view stored) {
  return FromWindows1252(stored).replace(kCrLf, QStringLiteral("\n"));
}

// The field's raw text, not its plain text, so that no-break spaces stay what
// they are. Paragraph and line separators are both line breaks.
std::string FieldToDescription(const QPlainTextEdit* edit) {
  QString text = edit->document()->toRawText();
  text.replace(QChar(QChar::ParagraphSeparator), kCrLf).replace(QChar(QChar::LineSeparator), kCrLf);
  return ToWindows1252(text);
}
}  // namespace

CTrackAttrBar::CTrackAttrBar(QWidget* parent) : QWidget(parent) {
  BuildDialogTemplate(this, kWidth, kHeight, kTemplate);
  m_pBrowseButton = static_cast<QPushButton*>(GetDlgItem(this, ID_BROWSE_BACKGROUND));
  m_pBackgroundEdit = static_cast<QLineEdit*>(GetDlgItem(this, IDC_BACKGROUND));
  m_pDescriptionEdit = static_cast<QPlainTextEdit*>(GetDlgItem(this, IDC_DESCRIPTION));
  m_pBrowseButton->show();
  connect(m_pBrowseButton, &QPushButton::clicked, this, &CTrackAttrBar::OnBrowseBackground);
  // `textEdited` comes only from the user; the description's `textChanged`
  // also comes from the panel's own filling, which m_bFilling screens out.
  connect(m_pBackgroundEdit, &QLineEdit::textEdited, this, &CTrackAttrBar::OnBackgroundChanged);
  connect(m_pDescriptionEdit, &QPlainTextEdit::textChanged, this,
          &CTrackAttrBar::OnDescriptionChanged);
  UpdateFromDocument();
}

void CTrackAttrBar::AttachDocument(CTrassoDoc* doc) {
  if (doc == m_pDocument) return;
  m_pDocument = doc;
  m_link.Set(doc);
  UpdateFromDocument();
}

void CTrackAttrBar::DetachDocument(CTrassoDoc* doc) {
  if (doc != m_pDocument) return;
  m_pDocument = nullptr;
  m_link.Set(nullptr);
  UpdateFromDocument();
}

void CTrackAttrBar::UpdateFromDocument() {
  m_link.MarkFresh();
  const bool enabled = m_pDocument != nullptr;
  m_pBrowseButton->setEnabled(enabled);
  m_pBackgroundEdit->setEnabled(enabled);
  m_pDescriptionEdit->setEnabled(enabled);
  m_pBackgroundEdit->setText(enabled ? FromWindows1252(m_pDocument->GetBackground()) : QString());
  // Show a long path from its start, as a freshly filled field does.
  m_pBackgroundEdit->setCursorPosition(0);
  m_bFilling = true;
  m_pDescriptionEdit->setPlainText(enabled ? DescriptionToField(m_pDocument->GetDescription())
                                           : QString());
  m_bFilling = false;
}

void CTrackAttrBar::OnBackgroundChanged() {
  if (m_pDocument == nullptr) return;
  CPanelDocumentLink::Applying applying(m_link);
  m_pDocument->BeginStep({}, "background");
  m_pDocument->SetBackground(ToWindows1252(m_pBackgroundEdit->text()));
  m_pDocument->EndStep();
}

void CTrackAttrBar::OnDescriptionChanged() {
  if (m_bFilling || m_pDocument == nullptr) return;
  CPanelDocumentLink::Applying applying(m_link);
  m_pDocument->BeginStep({}, "description");
  m_pDocument->SetDescription(FieldToDescription(m_pDescriptionEdit));
  m_pDocument->EndStep();
}

void CTrackAttrBar::OnBrowseBackground() {
  if (m_pDocument == nullptr) return;
  QFileDialog dialog(this);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(ConvertFileFilter(LoadResString(IDS_BACKGROUND_FILTER)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  // The dialog runs an event loop, in which the document may have gone.
  if (m_pDocument == nullptr) return;
  const QString path = QFileInfo(dialog.selectedFiles().first()).absoluteFilePath();
  m_pBackgroundEdit->setText(path);
  m_pBackgroundEdit->setCursorPosition(0);
  CPanelDocumentLink::Applying applying(m_link);
  m_pDocument->SetBackground(ToWindows1252(path));
}
