#include "shell/scale_dlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <cstdint>
#include <limits>

#include "model/trasso_doc.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/windows1252.h"
#include "platform/string_table.h"

namespace {
enum : int {
  IDOK = 1,
  IDCANCEL = 2,
  IDC_PREVIEW = 3,
  IDC_PERCENT = 1034,
};

enum : int {
  IDS_SCALE_CAPTION = 14301,
  IDS_PERCENT_SIGN,
  IDS_OK,
  IDS_CANCEL,
  IDS_PREVIEW,
};

// Template 143, in tab order.
constexpr DialogItem kTemplate[] = {
    {DialogControl::Edit, IDC_PERCENT, 7, 7, 40, 14, 0},
    {DialogControl::Text, -1, 50, 10, 0, 0, IDS_PERCENT_SIGN},
    {DialogControl::DefaultButton, IDOK, 129, 7, 50, 14, IDS_OK},
    {DialogControl::Button, IDCANCEL, 129, 24, 50, 14, IDS_CANCEL},
    {DialogControl::Button, IDC_PREVIEW, 129, 41, 50, 14, IDS_PREVIEW},
};
constexpr int kWidth = 186;
constexpr int kHeight = 62;

// Percentages from 11 to 999 are accepted.
bool IsValidPercent(unsigned percent) {
  return percent > 10 && percent < 1000;
}

// A signed whole number at the start of the text, after blanks; anything after
// it is ignored. No number, or one beyond 32 bits, reads 0.
std::int32_t ReadInteger(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i].isSpace()) ++i;
  const bool negative = i < text.size() && text[i] == QLatin1Char('-');
  if (negative || (i < text.size() && text[i] == QLatin1Char('+'))) ++i;
  std::int64_t value = 0;
  const qsizetype first = i;
  for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
    value = value * 10 + (text[i].unicode() - u'0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return 0;
  }
  if (i == first) return 0;
  value = negative ? -value : value;
  if (value > std::numeric_limits<std::int32_t>::max()) return 0;
  return static_cast<std::int32_t>(value);
}
}  // namespace

CScaleDlg::CScaleDlg(CTrassoDoc* doc, QWidget* parent) : QDialog(parent), m_pDoc(doc) {
  setWindowTitle(FromWindows1252(LoadResString(IDS_SCALE_CAPTION)));
  BuildDialogTemplate(this, kWidth, kHeight, kTemplate);
  m_pPercentEdit = static_cast<QLineEdit*>(GetDlgItem(this, IDC_PERCENT));
  m_pPercentEdit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
  connect(static_cast<QPushButton*>(GetDlgItem(this, IDOK)), &QPushButton::clicked, this,
          &CScaleDlg::accept);
  connect(static_cast<QPushButton*>(GetDlgItem(this, IDCANCEL)), &QPushButton::clicked, this,
          &CScaleDlg::reject);
  connect(static_cast<QPushButton*>(GetDlgItem(this, IDC_PREVIEW)), &QPushButton::clicked, this,
          &CScaleDlg::OnPreview);
}

CScaleDlg::~CScaleDlg() {
  CloseStep(true);
}

void CScaleDlg::CloseStep(bool keep) {
  if (!m_bStepOpen) return;
  m_bStepOpen = false;
  if (keep) {
    m_pDoc->EndStep();
  } else {
    m_pDoc->CancelStep();
  }
}

unsigned CScaleDlg::ReadPercent() const {
  return static_cast<unsigned>(ReadInteger(m_pPercentEdit->text()));
}

void CScaleDlg::ScaleTo(unsigned percent) {
  if (!m_bStepOpen) {
    m_pDoc->BeginStep("Scale selection");
    m_bStepOpen = true;
  }
  const double target = percent;
  m_pDoc->ScaleSelection(target / m_dPercent);
  m_dPercent = target;
}

void CScaleDlg::OnPreview() {
  const unsigned percent = ReadPercent();
  if (!IsValidPercent(percent) || percent == m_dPercent) return;
  ScaleTo(percent);
}

void CScaleDlg::accept() {
  const unsigned percent = ReadPercent();
  if (!IsValidPercent(percent)) return;
  if (percent != m_dPercent) ScaleTo(percent);
  CloseStep(true);
  QDialog::accept();
}

// Taking the step back restores every node exactly, which scaling back by the
// inverse factor would not after truncation.
void CScaleDlg::reject() {
  CloseStep(false);
  m_dPercent = 100.0;
  QDialog::reject();
}

void OnScaleSelection(CTrassoDoc* doc, QWidget* parent) {
  CScaleDlg dialog(doc, parent);
  dialog.exec();
}
