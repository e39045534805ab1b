#include "shell/recovery_dlg.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/qt/windows1252.h"

namespace {
enum : int {
  IDS_RECOVERY_CAPTION = 13200,
  IDS_RECOVERY_PROMPT,
  IDS_RECOVERY_TRACK,
  IDS_RECOVERY_SAVED,
  IDS_RECOVERY_SIZE,
  IDS_RECOVERY_RESTORE,
  IDS_RECOVERY_DISCARD,
  IDS_RECOVERY_LATER,
  IDS_RECOVERY_NEVER_SAVED,
  IDS_RECOVERY_DAMAGED,
};

QString SavedAt(const RecoveryOffer& offer) {
  if (!offer.header) return {};
  const QDateTime when = QDateTime::fromSecsSinceEpoch(offer.header->savedAt);
  return QLocale().toString(when, QLocale::ShortFormat);
}
}  // namespace

QString RecoveryOfferName(const RecoveryOffer& offer) {
  if (!offer.header) return ResText(IDS_RECOVERY_DAMAGED).arg(QString::fromLocal8Bit(offer.file));
  if (!offer.header->path.empty()) return QString::fromLocal8Bit(offer.header->path);
  return ResText(IDS_RECOVERY_NEVER_SAVED).arg(FromWindows1252(offer.header->title));
}

CRecoveryDlg::CRecoveryDlg(const std::vector<RecoveryOffer>& offers, QWidget* parent)
    : QDialog(parent), m_pList(new QTreeWidget(this)) {
  setWindowTitle(ResText(IDS_RECOVERY_CAPTION));
  auto* layout = new QVBoxLayout(this);
  auto* prompt = new QLabel(ResText(IDS_RECOVERY_PROMPT), this);
  prompt->setWordWrap(true);
  layout->addWidget(prompt);

  m_pList->setRootIsDecorated(false);
  m_pList->setHeaderLabels(
      {ResText(IDS_RECOVERY_TRACK), ResText(IDS_RECOVERY_SAVED), ResText(IDS_RECOVERY_SIZE)});
  for (const RecoveryOffer& offer : offers) {
    auto* row = new QTreeWidgetItem(m_pList,
                                    {RecoveryOfferName(offer), SavedAt(offer),
                                     QLocale().formattedDataSize(static_cast<qint64>(offer.size))});
    row->setCheckState(0, Qt::Checked);
    row->setToolTip(0, QString::fromLocal8Bit(offer.error.empty() ? offer.file : offer.error));
  }
  m_pList->header()->setStretchLastSection(false);
  m_pList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  m_pList->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  m_pList->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  m_pList->setMinimumWidth(560);
  layout->addWidget(m_pList);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* restore =
      buttons->addButton(ResText(IDS_RECOVERY_RESTORE), QDialogButtonBox::AcceptRole);
  QPushButton* discard =
      buttons->addButton(ResText(IDS_RECOVERY_DISCARD), QDialogButtonBox::DestructiveRole);
  QPushButton* later =
      buttons->addButton(ResText(IDS_RECOVERY_LATER), QDialogButtonBox::RejectRole);
  restore->setDefault(true);
  connect(restore, &QPushButton::clicked, this, [this] { Choose(RecoveryChoice::kRestore); });
  connect(discard, &QPushButton::clicked, this, [this] { Choose(RecoveryChoice::kDiscard); });
  connect(later, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void CRecoveryDlg::Choose(RecoveryChoice::Action action) {
  m_choice.action = action;
  m_choice.chosen.clear();
  for (int i = 0; i < m_pList->topLevelItemCount(); ++i) {
    if (m_pList->topLevelItem(i)->checkState(0) == Qt::Checked) {
      m_choice.chosen.push_back(static_cast<std::size_t>(i));
    }
  }
  accept();
}

RecoveryChoice CRecoveryDlg::Ask(const std::vector<RecoveryOffer>& offers, QWidget* parent) {
  CRecoveryDlg dialog(offers, parent);
  dialog.exec();
  return dialog.GetChoice();
}
