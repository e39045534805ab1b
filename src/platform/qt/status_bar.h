#pragma once
// A status bar of panes named by id: the message pane (ID_SEPARATOR) first,
// stretching, then fixed panes as wide as their strings. The message pane
// shows the idle message whenever no other message is shown.

#include <QStatusBar>
#include <vector>

class QLabel;

class CStatusBar : public QStatusBar {
  Q_OBJECT

 public:
  explicit CStatusBar(QWidget* parent = nullptr);

  // Replaces the panes. Each pane but the message pane starts with the
  // string of its id, which also sets its width.
  void SetIndicators(const std::vector<int>& ids);
  // The index of the pane with that id, or −1.
  int CommandToIndex(int id) const;
  // Sets a pane's text; with `bUpdate` the pane is repainted at once.
  void SetPaneText(int index, const QString& text, bool bUpdate = true);
  QString GetPaneText(int index) const;

 private:
  QLabel* m_pIdleMessage;
  std::vector<int> m_ids;
  std::vector<QLabel*> m_panes;  // children of the bar; null for the message pane
};
