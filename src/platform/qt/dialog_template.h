#pragma once
// Builds a widget's contents from a dialog template: controls placed at fixed
// positions measured in dialog units, so that the layout scales with the font
// as the template's author saw it. One dialog unit is a quarter of the font's
// average character width across and an eighth of its height down.

#include <QRect>
#include <span>

class QFont;
class QWidget;

enum class DialogControl {
  Text,           // static text, as wide and high as its caption
  DropDownList,   // selection-only list; cy is the height of the open list
  Edit,           // single line, scrolls sideways, no length limit
  MultiLineEdit,  // wraps, scrolls down as it grows, Enter starts a new line
  Button,
  DefaultButton,  // the button Enter presses
};

// One control of a template, in tab order. The caption is a string-table id
// (0 for none); static texts carry no control id (-1).
struct DialogItem {
  DialogControl kind;
  int id;
  int x, y, cx, cy;
  int nCaptionId;
};

// Fixes `host`'s size at cx × cy dialog units of its font and creates the
// items as its children, in tab order. Controls are found again by id with
// GetDlgItem.
void BuildDialogTemplate(QWidget* host, int cx, int cy, std::span<const DialogItem> items);

// The child of `host` with control id `id`, or null.
QWidget* GetDlgItem(const QWidget* host, int id);
