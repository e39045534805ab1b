#include "platform/qt/dialog_template.h"

#include "platform/qt/dialog_units.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/qt/windows1252.h"
#include "platform/string_table.h"

namespace {
QString Caption(int id) {
  return id == 0 ? QString() : FromWindows1252(LoadResString(id));
}

QWidget* CreateText(const DialogItem& item, QWidget* host) {
  auto* label = new QLabel(Caption(item.nCaptionId), host);
  label->setTextFormat(Qt::PlainText);
  label->adjustSize();
  return label;
}

// A list that takes the wheel only while it has the focus: turning the wheel
// over a panel on the way somewhere else must not change the track.
class CDropDownList : public QComboBox {
 public:
  using QComboBox::QComboBox;

 protected:
  void wheelEvent(QWheelEvent* event) override {
    if (hasFocus()) {
      QComboBox::wheelEvent(event);
    } else {
      event->ignore();
    }
  }
};

QWidget* CreateDropDownList(const DialogItem& item, const CDialogUnits& units, QWidget* host) {
  auto* list = new CDropDownList(host);
  list->setFocusPolicy(Qt::StrongFocus);  // the wheel alone does not give it the focus
  list->setEditable(false);
  // The template's height covers the closed box and the open list together.
  const int rowHeight = std::max(1, list->fontMetrics().height());
  const int openHeight = units.YToPixels(item.cy) - list->sizeHint().height();
  list->setMaxVisibleItems(std::max(1, openHeight / rowHeight));
  return list;
}

QWidget* CreateEdit(QWidget* host) {
  auto* edit = new QLineEdit(host);
  edit->setMaxLength(std::numeric_limits<int>::max());
  return edit;
}

QWidget* CreateMultiLineEdit(QWidget* host) {
  auto* edit = new QPlainTextEdit(host);
  edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // In a dialog, Tab moves on to the next control rather than into the text.
  edit->setTabChangesFocus(true);
  return edit;
}

QWidget* CreateButton(const DialogItem& item, QWidget* host) {
  auto* button = new QPushButton(Caption(item.nCaptionId), host);
  button->setDefault(item.kind == DialogControl::DefaultButton);
  return button;
}

// Created as children of `host`, so that they take its font.
QWidget* CreateControl(const DialogItem& item, const CDialogUnits& units, QWidget* host) {
  switch (item.kind) {
    case DialogControl::Text:
      return CreateText(item, host);
    case DialogControl::DropDownList:
      return CreateDropDownList(item, units, host);
    case DialogControl::Edit:
      return CreateEdit(host);
    case DialogControl::MultiLineEdit:
      return CreateMultiLineEdit(host);
    case DialogControl::Button:
    case DialogControl::DefaultButton:
      return CreateButton(item, host);
  }
  return nullptr;
}

QRect PlaceOf(const DialogItem& item, const QWidget* control, const CDialogUnits& units) {
  switch (item.kind) {
    case DialogControl::Text:
      return QRect(QPoint(units.XToPixels(item.x), units.YToPixels(item.y)), control->size());
    case DialogControl::DropDownList:
      return QRect(units.XToPixels(item.x), units.YToPixels(item.y), units.XToPixels(item.cx),
                   control->sizeHint().height());
    default:
      return units.ToPixels(QRect(item.x, item.y, item.cx, item.cy));
  }
}
// A static text takes the width of its caption, which in a wider font than
// the template's author used can run under the control that follows it on its
// row. Such a text is moved left to end where that control begins, provided it
// does not then run into the control before it.
void FitTextBeforeNextControl(QLabel* text, const QWidget* host) {
  const QRect place = text->geometry();
  int roomLeft = 0;
  int roomRight = host->width();
  for (const QObject* child : host->children()) {
    const auto* control = qobject_cast<const QWidget*>(child);
    if (control == nullptr || control == text || qobject_cast<const QLabel*>(control)) continue;
    const QRect other = control->geometry();
    if (other.bottom() < place.top() || other.top() > place.bottom()) continue;
    if (other.left() >= place.left()) roomRight = std::min(roomRight, other.left());
    if (other.right() < place.left()) roomLeft = std::max(roomLeft, other.right() + 1);
  }
  if (place.right() < roomRight) return;
  const int left = roomRight - place.width();
  if (left >= roomLeft) text->move(left, place.top());
}
}  // namespace

void BuildDialogTemplate(QWidget* host, int cx, int cy, std::span<const DialogItem> items) {
  const CDialogUnits units(host->font());
  host->setFixedSize(units.XToPixels(cx), units.YToPixels(cy));
  QWidget* previous = nullptr;
  for (const DialogItem& item : items) {
    QWidget* control = CreateControl(item, units, host);
    control->setGeometry(PlaceOf(item, control, units));
    if (item.id != -1) control->setObjectName(QString::number(item.id));
    if (control->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, control);
    previous = control;
  }
  for (QLabel* text : host->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
    FitTextBeforeNextControl(text, host);
  }
}

QWidget* GetDlgItem(const QWidget* host, int id) {
  return host->findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
}
