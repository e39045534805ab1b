#include "shell/compile_output_bar.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

CCompileOutputBar::CCompileOutputBar(QWidget* parent)
    : QWidget(parent),
      m_pLog(new QPlainTextEdit(this)),
      m_pStop(new QPushButton(tr("Stop"), this)) {
  m_pLog->setReadOnly(true);
  // Ctrl+A and Ctrl+C in the log select and copy its text, not the track.
  m_pLog->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  m_pLog->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_pLog->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_pStop->setEnabled(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(m_pLog);
  layout->addWidget(m_pStop, 0, Qt::AlignRight);
  connect(m_pStop, &QPushButton::clicked, this, &CCompileOutputBar::StopRequested);
  m_pLog->viewport()->installEventFilter(this);
  m_pLog->installEventFilter(this);
}

// The log leaves Escape to its parent.
void CCompileOutputBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && m_pStop->isEnabled()) {
    emit StopRequested();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool CCompileOutputBar::eventFilter(QObject* watched, QEvent* event) {
  // Select All and Copy belong to the log while it has the focus, not to the
  // track's Edit entries of the same keys.
  if (watched == m_pLog && event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::SelectAll) || key->matches(QKeySequence::Copy)) {
      event->accept();
      return true;
    }
  }
  if (watched == m_pLog->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    emit LineActivated(m_pLog->cursorForPosition(at).block().text());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void CCompileOutputBar::Begin(const QString& commandLine, bool keep) {
  if (!keep) m_pLog->clear();
  AppendLine(QStringLiteral("$ ") + commandLine);
}

void CCompileOutputBar::AppendLine(const QString& line) {
  m_pLog->appendPlainText(line);
}

void CCompileOutputBar::SetStopEnabled(bool enabled) {
  m_pStop->setEnabled(enabled);
}

QString CCompileOutputBar::Text() const {
  return m_pLog->toPlainText();
}
