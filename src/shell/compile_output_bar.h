#pragma once
// The "Compile output" panel: the command that ran, the compiler's output line
// by line as it arrives, and how the compile ended. Its Stop button, and
// Escape inside it, ask to stop the compile.

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

class CCompileOutputBar : public QWidget {
  Q_OBJECT

 public:
  explicit CCompileOutputBar(QWidget* parent = nullptr);

  // A new compile: its command line starts the log, after what earlier
  // compiles wrote when `keep` is set (others still run).
  void Begin(const QString& commandLine, bool keep);
  void AppendLine(const QString& line);
  void SetStopEnabled(bool enabled);
  QString Text() const;

 signals:
  void StopRequested();
  // A line was double-clicked.
  void LineActivated(const QString& line);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QPlainTextEdit* m_pLog;
  QPushButton* m_pStop;
};
