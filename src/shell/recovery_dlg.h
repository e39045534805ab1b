#pragma once
// Offers the work that editors which did not end normally left in recovery
// files: one row a file, each checked, with Restore, Discard and Later.

#include <QDialog>
#include <cstddef>
#include <functional>
#include <vector>

#include "platform/recovery_store.h"

class QTreeWidget;

struct RecoveryChoice {
  enum Action { kLater, kRestore, kDiscard };
  Action action = kLater;
  std::vector<std::size_t> chosen;  // indexes of the offers acted on
};
// Asks what to do with `offers`; the real dialog, or a test's answer.
using RecoveryAsker = std::function<RecoveryChoice(const std::vector<RecoveryOffer>&)>;

class CRecoveryDlg : public QDialog {
  Q_OBJECT

 public:
  CRecoveryDlg(const std::vector<RecoveryOffer>& offers, QWidget* parent = nullptr);
  // Restore (the default button), Discard, or Later (also Escape and the close box).
  RecoveryChoice GetChoice() const { return m_choice; }

  // Runs the dialog on `offers`.
  static RecoveryChoice Ask(const std::vector<RecoveryOffer>& offers, QWidget* parent);

 private:
  void Choose(RecoveryChoice::Action action);

  QTreeWidget* m_pList;
  RecoveryChoice m_choice;
};

// The row's name for an offer: the track's file, else its title, else the
// reason it cannot be read.
QString RecoveryOfferName(const RecoveryOffer& offer);
