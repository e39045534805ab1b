#include "shell/about_dlg.h"

#include <QLabel>
#include <QPushButton>

#include "platform/qt/dialog_template.h"
#include "platform/qt/dialog_units.h"
#include "platform/qt/windows1252.h"
#include "platform/string_table.h"
#include "shell/app_icon.h"

namespace {
enum : int {
  IDS_ABOUT_CAPTION = 10001,
  IDS_ABOUT_NAME,
  IDS_ABOUT_COPYRIGHT,
  IDS_ABOUT_OK,
};
constexpr int IDOK = 1;
constexpr int kIconX = 11, kIconY = 17;  // dialog units

// Template 100.
constexpr DialogItem kTemplate[] = {
    {DialogControl::Text, -1, 40, 10, 0, 0, IDS_ABOUT_NAME},
    {DialogControl::Text, -1, 40, 25, 0, 0, IDS_ABOUT_COPYRIGHT},
    {DialogControl::DefaultButton, IDOK, 176, 6, 32, 14, IDS_ABOUT_OK},
};
constexpr int kWidth = 217;
constexpr int kHeight = 55;
}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(FromWindows1252(LoadResString(IDS_ABOUT_CAPTION)));
  BuildDialogTemplate(this, kWidth, kHeight, kTemplate);
  auto* icon = new QLabel(this);
  icon->setPixmap(AppIcon().pixmap(32, 32));
  const CDialogUnits units(font());
  icon->move(units.XToPixels(kIconX), units.YToPixels(kIconY));
  connect(static_cast<QPushButton*>(GetDlgItem(this, IDOK)), &QPushButton::clicked, this,
          &QDialog::accept);
}
