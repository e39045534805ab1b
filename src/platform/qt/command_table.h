#pragma once
// Commands by id, each a QAction that menus, toolbars and keys share. A
// command runs its handler when triggered; its enabled and checked state comes
// from its update handler in one pass over all commands, which runs shortly
// after anything that can change a state asks for it. A command without a
// handler shows disabled.

#include <QObject>
#include <functional>
#include <map>

class QAction;

#include <QString>

// The state an update handler sets. Enabled unless the handler says otherwise;
// the text stays as it is unless the handler sets one.
struct CCmdUI {
  void Enable(bool bOn = true) { m_bEnabled = bOn; }
  void SetCheck(bool bChecked = true) { m_bChecked = bChecked; }
  void SetText(QString text) { m_text = std::move(text); }
  bool m_bEnabled = true;
  bool m_bChecked = false;
  QString m_text;  // null: unchanged
};

class CCommandTable : public QObject {
  Q_OBJECT

 public:
  using Handler = std::function<void()>;
  using UpdateHandler = std::function<void(CCmdUI&)>;

  explicit CCommandTable(QObject* parent = nullptr);

  // The action of `id`, made on first use as a child of the table. Its text,
  // status tip and tool tip come from the string table: `nTextId` for the
  // menu text (0: the tool tip stands in), `id` for the prompt and the tip.
  QAction* Action(int id, int nTextId = 0);
  // The action of `id`, or null when no one asked for it yet.
  QAction* Find(int id) const;

  void OnCommand(int id, Handler handler);
  // Without an update handler a command with a handler is enabled and unchecked.
  void OnUpdate(int id, UpdateHandler update);
  // Makes the command checkable, so that its button shows pressed when checked.
  void SetCheckable(int id);

  // Recomputes every state now.
  void UpdateAll();
  // Asks for one UpdateAll from the event loop; many requests make one pass.
  void RequestUpdate();

 signals:
  // At the start of every pass, for what else has to follow the same events.
  void AboutToUpdate();

 private:
  struct Command {
    QAction* action = nullptr;
    Handler handler;
    UpdateHandler update;
  };
  Command& Entry(int id);

  std::map<int, Command> m_commands;
  bool m_bUpdatePending = false;
};

// The prompt of a command: its string up to the line break.
QString CommandPrompt(int id);
// The tool tip of a command: its string after the line break, or the whole
// string when it has none.
QString CommandTip(int id);
