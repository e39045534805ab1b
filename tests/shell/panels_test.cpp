#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/qt/dialog_template.h"
#include "shell/scale_dlg.h"
#include "shell/selection_attr_bar.h"
#include "shell/track_attr_bar.h"
#include "support/track_builder.h"

namespace {
constexpr int kWallType = 1001, kFloorType = 1002, kCeilingType = 1003, kItemType = 1004,
              kFloorLevel = 1006, kCeilingLevel = 1012, kNodeX = 1015, kNodeY = 1017,
              kElevation = 1022, kAngle = 1024, kPercent = 1034, kOk = 1, kCancel = 2, kPreview = 3;
// In the order of the template, which is the order of Tab.
constexpr int kFields[] = {kWallType, kCeilingType, kFloorType, kCeilingLevel, kFloorLevel,
                           kNodeX,    kNodeY,       kElevation, kAngle,        kItemType};

void Type(QWidget* edit, const QString& text) {
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, text);
}

struct SelectionAttrBar : testing::Test {
  void SetUp() override { m_bar.show(); }
  QComboBox* List(int id) { return qobject_cast<QComboBox*>(GetDlgItem(&m_bar, id)); }
  QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(GetDlgItem(&m_bar, id)); }
  std::string Shown() {
    std::string shown;
    for (int id : kFields) {
      const QString text = List(id) ? QString::number(List(id)->currentIndex()) : Edit(id)->text();
      const bool empty = text.isEmpty() || text == "-1";
      shown += (GetDlgItem(&m_bar, id)->isEnabled() ? text.toStdString() : empty ? "-" : "?") + " ";
    }
    return shown;
  }
  void SelectRoom() {
    m_item = m_track.Item(0, 0, 0);
    m_room = m_track.Section({m_item->m_pNode, m_track.Node(0, 5000), m_track.Node(5000, 5000)});
    m_track.Settle();
    Select(m_room);
    m_bar.AttachDocument(&m_doc);
  }

  CTrassoDoc m_doc;
  TrackBuilder m_track{m_doc};
  CSelectionAttrBar m_bar;
  TSItem* m_item = nullptr;
  TSPolygon* m_room = nullptr;
};

TEST_F(SelectionAttrBar, TabFollowsTheTemplateTheFieldsShowWhatIsCommonAndAChoiceAppliesToAll) {
  // Tab skips the inner parts of the controls, which the focus chain runs through.
  std::vector<int> order;
  for (QWidget* field = List(kWallType); order.size() < 10; field = field->nextInFocusChain())
    if (field->parentWidget() == &m_bar && field->focusPolicy() & Qt::TabFocus)
      order.push_back(field->objectName().toInt());
  EXPECT_EQ(order, std::vector<int>(std::begin(kFields), std::end(kFields)));
  EXPECT_EQ(Shown(), "- - - - - - - - - - ");
  SelectRoom();
  m_room->m_nCeilingType = 3;
  m_room->m_nFloorLevel = -500;
  m_room->m_wallList[1]->m_nWallType = 4;
  m_item->m_nType = 12;
  m_item->m_nOrientation = 90000;
  m_bar.UpdateFromDocument();
  EXPECT_EQ(Shown(), "-1 3 0 4.000 -0.500   0.000 90.000 12 ");  // walls, positions differ
  EXPECT_FALSE(m_doc.IsModified());
  QTest::keyClicks(List(kWallType), "Water");
  for (const auto& wall : m_room->m_wallList) EXPECT_EQ(wall->m_nWallType, 16);
  QTest::keyClicks(Edit(kNodeY), "7");
  EXPECT_EQ(Outline(m_room)[1]->m_y + Outline(m_room)[2]->m_y, 14000);
  EXPECT_TRUE(m_doc.IsModified());
  m_track.Settle();  // two consecutive handles select the first one's edge only
  m_room->m_wallList[0]->m_bSelected = m_room->m_wallList[1]->m_bSelected = 1;
  m_bar.UpdateFromDocument();
  EXPECT_EQ(Shown(), "16 - - - - - - - - - ");
  QTest::keyClick(List(kWallType), Qt::Key_Home);  // "[none]"
  m_bar.UpdateFromDocument();
  EXPECT_EQ(Shown(), "0 - - - - - - - - - ");
  EXPECT_EQ(m_room->m_wallList[1]->m_nWallType, 16);
}

TEST_F(SelectionAttrBar, TypedValuesApplyAtEveryKeystrokeClampedToTheFieldsRange) {
  SelectRoom();
  TSNode* node = m_item->m_pNode;
  const std::tuple<int, const char*, const int*, int> cases[] = {
      {kFloorLevel, "25", &m_room->m_nFloorLevel, 20000},
      {kCeilingLevel, "-1.2345", &m_room->m_nCeilingLevel, -1234},
      {kNodeX, "-3e9", &node->m_x, -10000000},
      {kNodeY, "inf", &node->m_y, 10000000},
      {kAngle, "400", &m_item->m_nOrientation, 360000},
      {kAngle, "-5", &m_item->m_nOrientation, 0},
  };
  for (const auto& [id, text, field, expected] : cases) {
    Type(Edit(id), text);
    EXPECT_EQ(*field, expected) << text;
    EXPECT_EQ(Edit(id)->text(), text);  // as typed, even where clamped
  }
  Type(Edit(kNodeX), "");
  UpdateCounter updates(m_doc);
  std::vector<int> applied;
  for (const char* key : {"1", "2", ".", "5", "a"}) {
    QTest::keyClicks(Edit(kNodeX), key);
    applied.push_back(node->m_x);
  }
  for (const char* text : {"abc", "nan", "-", ""}) Type(Edit(kNodeX), text);
  // "12." applies the value already held, which is no change; so does "12.5a".
  EXPECT_EQ(applied, (std::vector<int>{1000, 12000, 12000, 12500, 12500}));
  EXPECT_EQ(updates.Count(), 3);
}

struct TrackAttrBar : testing::Test {
  void SetUp() override { m_bar.show(); }
  QLineEdit* Background() { return qobject_cast<QLineEdit*>(GetDlgItem(&m_bar, 1027)); }
  QPlainTextEdit* Description() { return qobject_cast<QPlainTextEdit*>(GetDlgItem(&m_bar, 1028)); }
  std::string Shown() {
    const int enabled = Background()->isEnabled() + Description()->isEnabled() +
                        GetDlgItem(&m_bar, 32792)->isEnabled();
    return std::to_string(enabled) + " " + Background()->text().toStdString() + "|" +
           Description()->toPlainText().toStdString();
  }
  void Attach(CTrassoDoc& doc, const char* background, const char* description) {
    doc.SetBackground(background);
    doc.SetDescription(description);
    doc.SetModifiedFlag(false);
    m_bar.AttachDocument(&doc);
  }

  CTrassoDoc m_doc;
  CTrackAttrBar m_bar;
};

TEST_F(TrackAttrBar, AttachShowsTheTextsTypedOnesAreStoredInTheCodePageAndBrowseSetsAPath) {
  EXPECT_EQ(Shown(), "0 |");
  Attach(m_doc, "C:\\tracks\\back.pcx", "Fast\r\nand\nloud");  // CR LF is a break; a lone LF stays
  EXPECT_EQ(Shown(), "3 C:\\tracks\\back.pcx|Fast\nand\nloud");
  EXPECT_EQ(std::pair(m_doc.GetDescription(), m_doc.IsModified()),
            std::pair(std::string("Fast\r\nand\nloud"), false));
  m_bar.DetachDocument(&m_doc);
  EXPECT_EQ(Shown(), "0 |");
  m_bar.OnBrowseBackground();                // without a document no file dialog opens
  Attach(m_doc, "x", "caf\xE9 \x80 \xA0!");  // typed in the file's code page
  QApplication::clipboard()->setText(QString::fromUtf8("café € \u00A0!"));
  QTest::keyClick(Description(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Description(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(Background(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(Background(), "x");
  EXPECT_FALSE(m_doc.IsModified());
  // What the code page holds stays, no-break space too; '?' stands for the rest; a break is CR LF.
  QTest::sendKeyEvent(QTest::Click, Description(), Qt::Key_unknown, QString::fromUtf8("ŝ"),
                      Qt::NoModifier);
  EXPECT_TRUE(m_doc.IsModified());
  QTest::keyClick(Description(), Qt::Key_Return);
  QTest::keyClicks(Description(), "two");
  EXPECT_EQ(m_doc.GetDescription(), "caf\xE9 \x80 \xA0!?\r\ntwo");
  QTest::keyClicks(Background(), ".pcx");
  EXPECT_EQ(m_doc.GetBackground(), "x.pcx");
  m_bar.DetachDocument(&m_doc);  // Browse puts the chosen full path in, unless cancelled
  Attach(m_doc, "back.pcx", "");
  QTemporaryDir folder;
  QFile(folder.filePath("sky.pcx")).open(QIODevice::WriteOnly);
  for (bool choose : {false, true}) {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->nameFilters(), QStringList{"PCX 128colors (*.pcx)"});
      dialog->setDirectory(folder.path());
      dialog->selectFile("sky.pcx");
      choose ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
    });
    QTest::mouseClick(GetDlgItem(&m_bar, 32792), Qt::LeftButton);
    const QString shown = choose ? folder.filePath("sky.pcx") : "back.pcx";
    EXPECT_EQ(std::tuple(Background()->text(), m_doc.GetBackground(), m_doc.IsModified()),
              std::tuple(shown, shown.toStdString(), choose));
  }
}

// Two selected nodes about the centre (5000, 10000), shown in the dialog.
struct ScaleDlg : testing::Test {
  void SetUp() override {
    m_track.Settle();
    for (TSNode* node : {m_a, m_b}) Select(node);
    m_dialog.show();
  }
  void Run(const char* percent, std::initializer_list<int> buttons) {
    Type(GetDlgItem(&m_dialog, kPercent), percent);
    for (int id : buttons) QTest::mouseClick(GetDlgItem(&m_dialog, id), Qt::LeftButton);
  }
  std::vector<TrackLength> Positions() const { return {m_a->m_x, m_a->m_y, m_b->m_x, m_b->m_y}; }
  using Is = std::vector<TrackLength>;

  CTrassoDoc m_doc;
  TrackBuilder m_track{m_doc};
  TSNode* m_a = m_track.Node(0, 0);
  TSNode* m_b = m_track.Node(10000, 20000);
  CScaleDlg m_dialog{&m_doc};
  UpdateCounter m_updates{m_doc};
};

TEST_F(ScaleDlg, PreviewsScaleTheSelectionAboutItsCentreOkKeepsItAndCancelTakesItBack) {
  for (const char* text : {"10", "1000", "0", "4294967295", "-1a"}) {
    Run(text, {kPreview, kOk});  // only 11 to 999 per cent, digits; over 32 bits reads as none
    EXPECT_TRUE(m_dialog.isVisible()) << text;
  }
  Run("100", {kPreview, kOk});  // unchanged: the document is left alone
  EXPECT_FALSE(m_dialog.isVisible() || m_doc.IsModified());
  m_dialog.show();
  Run("150", {kPreview});
  EXPECT_EQ(Positions(), (Is{-2500, -5000, 12500, 25000}));
  Run("200", {kPreview, kPreview});
  EXPECT_EQ(Positions(), (Is{-5000, -10000, 15000, 30000}));
  Run("200", {kCancel});  // taken back exactly, and no step is left to undo
  EXPECT_EQ(Positions(), (Is{0, 0, 10000, 20000}));
  EXPECT_EQ(std::tuple(m_updates.Count(), m_doc.IsModified(), m_doc.GetHistory().UndoName()),
            std::tuple(3, false, "Add node"));
  m_dialog.show();
  Run("11", {kPreview});
  QTest::keyClick(&m_dialog, Qt::Key_Escape);  // Cancel too
  EXPECT_EQ(Positions(), (Is{0, 0, 10000, 20000}));
  m_dialog.show();
  Run("999", {kPreview, kOk});  // Ok after a preview scales no more
  EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
  EXPECT_EQ(Positions(), (Is{-44950, -89900, 54950, 109900}));
  EXPECT_EQ(m_updates.Count(), 6);
  EXPECT_EQ(m_doc.GetHistory().UndoName(), "Scale selection");
  m_doc.Undo();  // previews and OK were one step
  EXPECT_EQ(Positions(), (Is{0, 0, 10000, 20000}));
}
}  // namespace
