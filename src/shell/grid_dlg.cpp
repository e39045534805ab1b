#include "shell/grid_dlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "platform/qt/dialog_template.h"
#include "platform/qt/prompts.h"
#include "platform/qt/windows1252.h"
#include "shell/length_text.h"

namespace {
enum : int {
  IDOK = 1,
  IDCANCEL = 2,
  IDC_SPACING = 1040,
};

enum : int {
  IDS_GRID_CAPTION = 13036,
  IDS_GRID_SPACING,
  IDS_OK,
  IDS_CANCEL,
  IDS_BAD_SPACING,
};

constexpr DialogItem kTemplate[] = {
    {DialogControl::Text, -1, 7, 10, 0, 0, IDS_GRID_SPACING},
    {DialogControl::Edit, IDC_SPACING, 60, 7, 50, 14, 0},
    {DialogControl::DefaultButton, IDOK, 129, 7, 50, 14, IDS_OK},
    {DialogControl::Button, IDCANCEL, 129, 24, 50, 14, IDS_CANCEL},
};
constexpr int kWidth = 186;
constexpr int kHeight = 45;

// A thousand world units: wider lines than that help no one place a node.
constexpr TrackLength kMaxSpacing = 1000000;
}  // namespace

CGridDlg::CGridDlg(TrackLength spacing, CPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_spacing(spacing), m_prompts(prompts) {
  setWindowTitle(ResText(IDS_GRID_CAPTION));
  BuildDialogTemplate(this, kWidth, kHeight, kTemplate);
  m_pSpacingEdit = static_cast<QLineEdit*>(GetDlgItem(this, IDC_SPACING));
  m_pSpacingEdit->setText(QString::fromStdString(FormatLength(spacing)));
  m_pSpacingEdit->selectAll();
  connect(static_cast<QPushButton*>(GetDlgItem(this, IDOK)), &QPushButton::clicked, this,
          &CGridDlg::accept);
  connect(static_cast<QPushButton*>(GetDlgItem(this, IDCANCEL)), &QPushButton::clicked, this,
          &CGridDlg::reject);
}

void CGridDlg::accept() {
  // Read with the widest bounds, so that a value out of range is refused
  // rather than clamped into it. Text without a number reads as
  // SEL_VALUE_MIXED, which is negative.
  const int spacing = ParseLength(m_pSpacingEdit->text().toStdString(),
                                  std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  if (spacing <= 0 || spacing > kMaxSpacing) {
    m_prompts.MessageBox(AppTitle(), ResText(IDS_BAD_SPACING), QMessageBox::Warning);
    m_pSpacingEdit->setFocus();
    m_pSpacingEdit->selectAll();
    return;
  }
  m_spacing = spacing;
  QDialog::accept();
}
