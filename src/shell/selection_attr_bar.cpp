#include "shell/selection_attr_bar.h"

#include <QComboBox>
#include <QLineEdit>

#include "model/element_types.h"
#include "model/trasso_doc.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/windows1252.h"
#include "platform/string_table.h"
#include "shell/length_text.h"

namespace {
enum : int {
  IDC_WALL_TYPE = 1001,
  IDC_FLOOR_TYPE = 1002,
  IDC_CEILING_TYPE = 1003,
  IDC_ITEM_TYPE = 1004,
  IDC_FLOOR_LEVEL = 1006,
  IDC_CEILING_LEVEL = 1012,
  IDC_NODE_X = 1015,
  IDC_NODE_Y = 1017,
  IDC_ITEM_ELEVATION = 1022,
  IDC_ITEM_ORIENTATION = 1024,
};

// Captions of the static texts in the string table.
enum : int {
  IDS_WALL_TEXTURE = 10301,
  IDS_CEILING_TEXTURE,
  IDS_FLOOR_TEXTURE,
  IDS_CEILING_LEVEL,
  IDS_FLOOR_LEVEL,
  IDS_POSITION,
  IDS_X,
  IDS_Y,
  IDS_Z,
  IDS_ANGLE,
  IDS_ITEM_TYPE,
};

// Template 103, in tab order; a list's height is that of its open list.
constexpr int kDropped = 83;
constexpr DialogItem kTemplate[] = {
    {DialogControl::Text, -1, 7, 7, 0, 0, IDS_WALL_TEXTURE},
    {DialogControl::DropDownList, IDC_WALL_TYPE, 7, 18, 99, kDropped, 0},
    {DialogControl::Text, -1, 7, 34, 0, 0, IDS_CEILING_TEXTURE},
    {DialogControl::DropDownList, IDC_CEILING_TYPE, 7, 45, 99, kDropped, 0},
    {DialogControl::Text, -1, 7, 62, 0, 0, IDS_FLOOR_TEXTURE},
    {DialogControl::DropDownList, IDC_FLOOR_TYPE, 7, 73, 99, kDropped, 0},
    {DialogControl::Text, -1, 7, 92, 0, 0, IDS_CEILING_LEVEL},
    {DialogControl::Edit, IDC_CEILING_LEVEL, 7, 102, 28, 14, 0},
    {DialogControl::Text, -1, 61, 93, 0, 0, IDS_FLOOR_LEVEL},
    {DialogControl::Edit, IDC_FLOOR_LEVEL, 61, 102, 28, 14, 0},
    {DialogControl::Text, -1, 7, 124, 0, 0, IDS_POSITION},
    {DialogControl::Text, -1, 7, 136, 0, 0, IDS_X},
    {DialogControl::Edit, IDC_NODE_X, 17, 134, 28, 14, 0},
    {DialogControl::Text, -1, 58, 136, 0, 0, IDS_Y},
    {DialogControl::Edit, IDC_NODE_Y, 68, 134, 28, 14, 0},
    {DialogControl::Text, -1, 7, 160, 0, 0, IDS_Z},
    {DialogControl::Edit, IDC_ITEM_ELEVATION, 17, 158, 28, 14, 0},
    {DialogControl::Text, -1, 51, 160, 0, 0, IDS_ANGLE},
    {DialogControl::Edit, IDC_ITEM_ORIENTATION, 68, 158, 28, 14, 0},
    {DialogControl::Text, -1, 7, 176, 0, 0, IDS_ITEM_TYPE},
    {DialogControl::DropDownList, IDC_ITEM_TYPE, 7, 187, 99, kDropped, 0},
};
constexpr int kWidth = 113;
constexpr int kHeight = 206;

// Ranges of the edits, in thousandths.
constexpr int kLevelRange = 20000;
constexpr int kPositionRange = 10000000;
constexpr int kFullCircle = 360000;

// The longest display text a list entry may have.
constexpr std::size_t kMaxEntryLength = 59;

void FillList(QComboBox* list, const ElementType* table, int count) {
  for (int i = 0; i < count; ++i) {
    list->insertItem(i,
                     FromWindows1252(LoadResString(table[i].nStringId).substr(0, kMaxEntryLength)));
  }
}
}  // namespace

CSelectionAttrBar::CSelectionAttrBar(QWidget* parent) : QWidget(parent) {
  BuildDialogTemplate(this, kWidth, kHeight, kTemplate);
  BindFields();
  FillLists();
  for (const ListField& field : m_lists) {
    // `activated` comes only from the user, never from the panel's own filling.
    connect(field.list, &QComboBox::activated, this, [this, &field] { OnListChosen(field); });
  }
  for (const EditField& field : m_edits) {
    // Likewise `textEdited`, unlike `textChanged`.
    connect(field.edit, &QLineEdit::textEdited, this, [this, &field] { OnEditChanged(field); });
  }
  UpdateFromDocument();
}

void CSelectionAttrBar::BindFields() {
  const auto list = [this](int id) { return static_cast<QComboBox*>(GetDlgItem(this, id)); };
  const auto edit = [this](int id) { return static_cast<QLineEdit*>(GetDlgItem(this, id)); };
  m_lists = {{
      {list(IDC_WALL_TYPE), &CTrassoDoc::SetSelWallType},
      {list(IDC_CEILING_TYPE), &CTrassoDoc::SetSelCeilingType},
      {list(IDC_FLOOR_TYPE), &CTrassoDoc::SetSelFloorType},
      {list(IDC_ITEM_TYPE), &CTrassoDoc::SetSelItemType},
  }};
  m_edits = {{
      {edit(IDC_FLOOR_LEVEL), &CTrassoDoc::SetSelFloorLevel, -kLevelRange, kLevelRange},
      {edit(IDC_CEILING_LEVEL), &CTrassoDoc::SetSelCeilingLevel, -kLevelRange, kLevelRange},
      {edit(IDC_NODE_X), &CTrassoDoc::SetSelNodeX, -kPositionRange, kPositionRange},
      {edit(IDC_NODE_Y), &CTrassoDoc::SetSelNodeY, -kPositionRange, kPositionRange},
      {edit(IDC_ITEM_ELEVATION), &CTrassoDoc::SetSelItemElevation, -kLevelRange, kLevelRange},
      {edit(IDC_ITEM_ORIENTATION), &CTrassoDoc::SetSelItemOrientation, 0, kFullCircle},
  }};
}

void CSelectionAttrBar::FillLists() {
  FillList(m_lists[0].list, g_wallTypes, g_nWallTypes);
  FillList(m_lists[1].list, g_ceilingTypes, g_nCeilingTypes);
  FillList(m_lists[2].list, g_floorTypes, g_nFloorTypes);
  FillList(m_lists[3].list, g_itemTypes, g_nItemTypes);
}

void CSelectionAttrBar::AttachDocument(CTrassoDoc* doc) {
  if (doc == m_pDocument) return;
  m_pDocument = doc;
  m_link.Set(doc);
  UpdateFromDocument();
}

void CSelectionAttrBar::DetachDocument(CTrassoDoc* doc) {
  if (doc != m_pDocument) return;
  m_pDocument = nullptr;
  m_link.Set(nullptr);
  UpdateFromDocument();
}

void CSelectionAttrBar::UpdateFromDocument() {
  m_link.MarkFresh();
  const auto query = [this](Operation apply) {
    return m_pDocument == nullptr ? SEL_VALUE_NONE : (m_pDocument->*apply)(SEL_VALUE_MIXED);
  };
  std::array<int, 4> listValues{};
  std::array<int, 6> editValues{};
  for (std::size_t i = 0; i < m_lists.size(); ++i) listValues[i] = query(m_lists[i].apply);
  for (std::size_t i = 0; i < m_edits.size(); ++i) editValues[i] = query(m_edits[i].apply);

  for (std::size_t i = 0; i < m_lists.size(); ++i) {
    m_lists[i].list->setEnabled(listValues[i] != SEL_VALUE_NONE);
    // Both sentinels are negative and show no entry.
    m_lists[i].list->setCurrentIndex(listValues[i] < 0 ? -1 : listValues[i]);
  }
  for (std::size_t i = 0; i < m_edits.size(); ++i) {
    m_edits[i].edit->setEnabled(editValues[i] != SEL_VALUE_NONE);
    m_edits[i].edit->setText(QString::fromStdString(FormatLength(editValues[i])));
    // A number wider than its field shows from its start: its end would read
    // as another number ("61.100" for 161.100).
    if (!m_edits[i].edit->hasFocus()) m_edits[i].edit->setCursorPosition(0);
  }
}

void CSelectionAttrBar::OnListChosen(const ListField& field) {
  const int row = field.list->currentIndex();
  if (row < 0 || m_pDocument == nullptr) return;
  CPanelDocumentLink::Applying applying(m_link);
  (m_pDocument->*field.apply)(row);
}

void CSelectionAttrBar::OnEditChanged(const EditField& field) {
  if (m_pDocument == nullptr) return;
  // The text stays as typed, even where the value applied was clamped.
  const int value = ParseLength(ToWindows1252(field.edit->text()), field.nMin, field.nMax);
  // The keystrokes in one field make one step, until the focus moves.
  CPanelDocumentLink::Applying applying(m_link);
  m_pDocument->BeginStep({}, "field " + field.edit->objectName().toStdString());
  (m_pDocument->*field.apply)(value);
  m_pDocument->EndStep();
}
