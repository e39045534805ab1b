// The docked panels and the scaling dialog, driven with keys and clicks, and
// the texts they show: lengths, the track file's code page, file filters.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <limits>

#include "platform/qt/dialog_template.h"
#include "platform/qt/file_filter.h"
#include "platform/qt/windows1252.h"
#include "shell/length_text.h"
#include "shell/scale_dlg.h"
#include "shell/selection_attr_bar.h"
#include "shell/track_attr_bar.h"
#include "support/track_builder.h"

namespace {
enum : int {
  kWallType = 1001, kFloorType = 1002, kCeilingType = 1003, kItemType = 1004, kFloorLevel = 1006,
  kCeilingLevel = 1012, kNodeX = 1015, kNodeY = 1017, kElevation = 1022, kAngle = 1024,
  kBackground = 1027, kDescription = 1028, kBrowse = 32792, kPercent = 1034, kOk = 1, kCancel = 2, kPreview = 3,
};
// In the order of the template, which is the order of Tab.
constexpr int kFields[] = {kWallType, kCeilingType, kFloorType, kCeilingLevel, kFloorLevel,
                           kNodeX,    kNodeY,       kElevation, kAngle,        kItemType};

template <typename T>
T* Item(QWidget* parent, int id) {
  return qobject_cast<T*>(GetDlgItem(parent, id));
}
// Replaces an edit's text keystroke by keystroke, as a user would.
void Type(QWidget* edit, const QString& text) {
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, text);
}
// Runs `script` on the modal dialog once it is up, during `open`.
template <typename Dialog>
void WithDialog(std::function<void(Dialog*)> script, std::function<void()> open) {
  bool ran = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    ran = true;
    script(dialog);
  });
  open();
  EXPECT_TRUE(ran);
}

class SelectionAttrBar : public testing::Test {
 protected:
  void SetUp() override { m_bar.show(); }
  QComboBox* List(int id) { return Item<QComboBox>(&m_bar, id); }
  QLineEdit* Edit(int id) { return Item<QLineEdit>(&m_bar, id); }
  // Every field's text, a list's row, or "-" where it is disabled (and empty).
  std::string Shown() {
    std::string shown;
    for (int id : kFields) {
      const QString text = List(id) ? QString::number(List(id)->currentIndex()) : Edit(id)->text();
      const bool empty = text.isEmpty() || text == "-1";
      shown += (GetDlgItem(&m_bar, id)->isEnabled() ? text.toStdString() : empty ? "-" : "?") + " ";
    }
    return shown;
  }
  TSPolygon* Triangle(TSNode* first) {
    return m_track.Section({first, m_track.Node(0, 5000), m_track.Node(5000, 5000)});
  }

  CTrassoDoc m_doc;
  TrackBuilder m_track{m_doc};
  CSelectionAttrBar m_bar;
};
}  // namespace

TEST(LengthText, ThousandthsShowWithThreeDecimalsAndSentinelsEmpty) {
  const std::pair<int, const char*> cases[] = {{1500, "1.500"},   {-20000, "-20.000"}, {0, "0.000"},
                                               {-1, "-0.001"},    {INT_MAX, "2147483.647"},
                                               {SEL_VALUE_NONE, ""}, {SEL_VALUE_MIXED, ""}};
  for (auto [value, text] : cases) EXPECT_EQ(FormatLength(value), text) << value;
}

// The leading number as scanf reads it, clamped; no number, or NaN, is none.
TEST(LengthText, ParsingReadsTheLeadingNumberAndClamps) {
  const std::pair<const char*, int> cases[] = {
      {"  +12abc", 12000}, {"\t-.5", -500}, {"0x10", 16000}, {"1.", 1000}, {"inf", 20000},
      {"-Infinity", -20000}, {"-25", -20000}, {"-1.2345", -1234}, {"abc", SEL_VALUE_MIXED},
      {"", SEL_VALUE_MIXED}, {"-", SEL_VALUE_MIXED}, {".", SEL_VALUE_MIXED}, {"-NAN(1)", SEL_VALUE_MIXED}};
  for (auto [text, value] : cases) EXPECT_EQ(ParseLength(text, -20000, 20000), value) << text;
}

TEST(TextConversion, EveryByteSurvivesTheRoundTripAndOtherCharactersBecomeOneQuestionMark) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  const QString text = FromWindows1252(bytes);
  EXPECT_EQ(text.mid(0x7F, 3), QString::fromUtf8("\u007F€\u0081"));
  EXPECT_EQ(text.mid(0x9F, 2) + text[0xE9], QString::fromUtf8("Ÿ\u00A0é"));
  EXPECT_EQ(ToWindows1252(text), bytes);
  // U+0080 is a control character that Windows-1252 puts the euro sign in
  // place of; U+1F600 is one character of two UTF-16 units.
  EXPECT_EQ(ToWindows1252(QString::fromUtf8("a\u0080b\u0161\u4E2D\U0001F600z")), "a?b\x9A??z");
  EXPECT_EQ(ConvertFileFilter("Tracks|*.tr; *.TR|All Files (*.*)|*.*||ignored|*.x"),
            (QStringList{"Tracks (*.tr *.TR)", "All Files (*.*)"}));
  EXPECT_EQ(ConvertFileFilter("No patterns||"), QStringList{});
}

TEST_F(SelectionAttrBar, WithoutDocumentOrSelectionEveryFieldIsDisabledAndEmpty) {
  EXPECT_EQ(Shown(), "- - - - - - - - - - ");
  TSNode* a = Triangle(m_track.Node(0, 0))->m_wallList[0]->m_pNode;
  m_track.Settle();
  m_bar.AttachDocument(&m_doc);
  EXPECT_EQ(Shown(), "- - - - - - - - - - ");
  // Typing into a field of a panel without document reaches nothing.
  m_bar.DetachDocument(&m_doc);
  Select(a);
  QTest::keyClicks(Edit(kNodeX), "5");
  EXPECT_EQ(a->m_x, 0);
}

TEST_F(SelectionAttrBar, ListsHoldTheTablesTabFollowsTheTemplateAndNoCaptionRunsUnderAControl) {
  EXPECT_EQ((std::vector<int>{List(kWallType)->count(), List(kCeilingType)->count(),
                              List(kFloorType)->count(), List(kItemType)->count()}),
            (std::vector<int>{23, 8, 7, 18}));
  EXPECT_EQ(QStringList({List(kWallType)->itemText(1), List(kFloorType)->itemText(0), List(kItemType)->itemText(17)}),
            QStringList({"Gray Wall", "Metal Plate", "Booster"}));
  // The chain also runs through the inner parts of the controls; Tab skips those.
  std::vector<int> order;
  for (QWidget* field = List(kWallType); order.size() < 10; field = field->nextInFocusChain()) {
    if (field->parentWidget() == &m_bar && field->focusPolicy() & Qt::TabFocus) {
      order.push_back(field->objectName().toInt());
    }
  }
  EXPECT_EQ(order, std::vector<int>(std::begin(kFields), std::end(kFields)));
  const auto labels = m_bar.findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 11);
  for (const QLabel* label : labels) {
    for (int id : kFields) EXPECT_FALSE(label->geometry().intersects(GetDlgItem(&m_bar, id)->geometry())) << id;
  }
}

TEST_F(SelectionAttrBar, NodesShowTheirCommonValuesAndTypingUnitesThem) {
  TSItem* item = m_track.Item(1250, -3000, 12);
  item->m_nElevation = -1500;
  item->m_nOrientation = 90000;
  m_track.Settle();
  Select(item->m_pNode);
  m_bar.AttachDocument(&m_doc);
  EXPECT_EQ(Shown(), "- - - - - 1.250 -3.000 -1.500 90.000 12 ");
  EXPECT_EQ(List(kItemType)->currentText(), "CheckPoint 2");
  EXPECT_FALSE(m_doc.IsModified());
  QTest::keyClicks(List(kItemType), "Mine");
  EXPECT_EQ(item->m_nType, 16);
  EXPECT_TRUE(m_doc.IsModified());
  // A second node with another x, without an item: X empty, Y still common.
  TSNode* b = m_track.Node(2000, -3000);
  Select(b);
  m_bar.UpdateFromDocument();
  EXPECT_EQ(Shown(), "- - - - -  -3.000 -1.500 90.000 16 ");
  QTest::keyClicks(Edit(kNodeX), "5");
  EXPECT_EQ(item->m_pNode->m_x + b->m_x, 10000);
}

TEST_F(SelectionAttrBar, AWholePolygonShowsItsTexturesAndLevelsAndTwoWallsOnlyTheFirstEdge) {
  TSPolygon* room = Triangle(m_track.Node(0, 0));
  room->m_nCeilingType = 3;
  room->m_nFloorType = 2;
  room->m_nFloorLevel = -500;
  room->m_wallList[1]->m_nWallType = 4;
  Select(room);
  m_bar.AttachDocument(&m_doc);
  // The walls differ: enabled, no entry; the nodes differ too.
  EXPECT_EQ(Shown(), "-1 3 2 4.000 -0.500   - - - ");
  EXPECT_EQ(List(kCeilingType)->currentText(), "Water");
  QTest::keyClicks(List(kWallType), "Water");
  for (const auto& wall : room->m_wallList) EXPECT_EQ(wall->m_nWallType, 16);
  // Two consecutive wall handles select the edge of the first only.
  m_track.Settle();
  room->m_wallList[0]->m_bSelected = room->m_wallList[1]->m_bSelected = 1;
  m_bar.UpdateFromDocument();
  EXPECT_EQ(Shown(), "16 - - - - - - - - - ");
  QTest::keyClick(List(kWallType), Qt::Key_Home);  // "[none]"
  EXPECT_EQ((std::vector<int>{room->m_wallList[0]->m_nWallType, room->m_wallList[1]->m_nWallType}),
            (std::vector<int>{0, 16}));
}

TEST_F(SelectionAttrBar, TypedValuesApplyAtEveryKeystrokeClampedToTheFieldsRangeAndNoNumberChangesNothing) {
  TSItem* item = m_track.Item(0, 0, 0);
  TSPolygon* room = Triangle(item->m_pNode);
  TSNode* node = item->m_pNode;
  Select(room);
  m_bar.AttachDocument(&m_doc);
  const struct {
    int id;
    const char* text;
    const int* field;
    int expected;
  } cases[] = {
      {kFloorLevel, "25", &room->m_nFloorLevel, 20000}, {kCeilingLevel, "-25", &room->m_nCeilingLevel, -20000},
      {kNodeX, "-3e9", &node->m_x, -10000000},         {kNodeY, "inf", &node->m_y, 10000000},
      {kAngle, "400", &item->m_nOrientation, 360000},  {kAngle, "-5", &item->m_nOrientation, 0},
      {kElevation, "-25", &item->m_nElevation, -20000}, {kElevation, "25", &item->m_nElevation, 20000},
  };
  for (const auto& c : cases) {
    Type(Edit(c.id), c.text);
    EXPECT_EQ(*c.field, c.expected) << c.text;
    EXPECT_EQ(Edit(c.id)->text(), c.text);  // as typed, even where clamped
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

TEST_F(SelectionAttrBar, RefreshesShowTheValueChangeNothingAndComeOnlyFromAnotherOrTheServedDocument) {
  // Even values beyond what the fields accept, as a loaded file may hold.
  TSNode* node = m_track.Node(1001, -20000001);
  m_track.Settle();
  Select(node);
  UpdateCounter updates(m_doc);
  m_bar.AttachDocument(&m_doc);
  m_bar.UpdateFromDocument();
  EXPECT_EQ(Shown(), "- - - - - 1.001 -20000.001 - - - ");
  EXPECT_EQ(std::make_pair(node->m_x, node->m_y), std::make_pair(1001, -20000001));
  EXPECT_EQ(updates.Count(), 0);
  EXPECT_FALSE(m_doc.IsModified());

  node->m_x = 2000;
  m_bar.AttachDocument(&m_doc);
  CTrassoDoc other;
  m_bar.DetachDocument(&other);
  EXPECT_EQ(Edit(kNodeX)->text(), "1.001");
  m_bar.AttachDocument(&other);
  EXPECT_FALSE(Edit(kNodeX)->isEnabled());
  m_bar.AttachDocument(&m_doc);
  EXPECT_EQ(Edit(kNodeX)->text(), "2.000");
  m_bar.DetachDocument(&m_doc);
  EXPECT_EQ(m_bar.GetDocument(), nullptr);
  EXPECT_EQ(Shown(), "- - - - - - - - - - ");
}

namespace {
class TrackAttrBar : public testing::Test {
 protected:
  void SetUp() override { m_bar.show(); }
  QLineEdit* Background() { return Item<QLineEdit>(&m_bar, kBackground); }
  QPlainTextEdit* Description() { return Item<QPlainTextEdit>(&m_bar, kDescription); }
  QPushButton* Browse() { return Item<QPushButton>(&m_bar, kBrowse); }
  // Which of the three controls are enabled, and the texts shown.
  std::string Shown() {
    return std::to_string(Background()->isEnabled() + 2 * Description()->isEnabled() + 4 * Browse()->isEnabled()) +
           " " + Background()->text().toStdString() + "|" + Description()->toPlainText().toStdString();
  }
  // A document with these texts, not modified.
  void Attach(CTrassoDoc& doc, const char* background, const char* description) {
    doc.SetBackground(background);
    doc.SetDescription(description);
    doc.SetModifiedFlag(false);
    m_bar.AttachDocument(&doc);
  }

  CTrassoDoc m_doc;
  CTrackAttrBar m_bar;
};
}  // namespace

TEST_F(TrackAttrBar, AttachingShowsTheTextsWithoutMarkingTheDocumentAndDetachingEmptiesAll) {
  EXPECT_EQ(Shown(), "0 |");
  Attach(m_doc, "C:\\tracks\\back.pcx", "Fast\r\nand loud");
  // A stored CR LF is one line break in the field.
  EXPECT_EQ(Shown(), "7 C:\\tracks\\back.pcx|Fast\nand loud");
  EXPECT_EQ(Description()->blockCount(), 2);
  EXPECT_FALSE(m_doc.IsModified());
  // A lone line feed, as a file may hold, would read back as CR LF: filling
  // the field must not write it back.
  CTrassoDoc other;
  Attach(other, "", "one\ntwo");
  EXPECT_EQ(Description()->blockCount(), 2);
  EXPECT_EQ(other.GetDescription(), "one\ntwo");
  EXPECT_FALSE(other.IsModified());
  m_bar.DetachDocument(&other);
  EXPECT_EQ(Shown(), "0 |");
  EXPECT_TRUE(Browse()->isVisible());
  m_bar.OnBrowseBackground();  // without a document no file dialog opens
}

TEST_F(TrackAttrBar, TypedTextsAreStoredFromTheFirstKeystrokeWithCrLfAndTheSameTextBackIsNoChange) {
  Attach(m_doc, "x", "Fast\r\nand loud");
  QApplication::clipboard()->setText("Fast\nand loud");
  QTest::keyClick(Description(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Description(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(Background(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(Background(), "x");
  EXPECT_FALSE(m_doc.IsModified());

  Type(Background(), "back.pcx");
  EXPECT_EQ(m_doc.GetBackground(), "back.pcx");
  m_doc.SetModifiedFlag(false);
  QTest::keyClick(Description(), Qt::Key_Exclam);
  EXPECT_TRUE(m_doc.IsModified());
  EXPECT_EQ(m_doc.GetDescription(), "Fast\r\nand loud!");
  QTest::keyClick(Description(), Qt::Key_Return);
  QTest::keyClicks(Description(), "two");
  EXPECT_EQ(m_doc.GetDescription(), "Fast\r\nand loud!\r\ntwo");
}

TEST_F(TrackAttrBar, TextsCrossBetweenWindows1252AndUnicode) {
  Attach(m_doc, "", "caf\xE9 \x80 \xA0!");
  EXPECT_EQ(Description()->document()->toRawText(), QString::fromUtf8("café € \u00A0!"));
  // Typing keeps every character Windows-1252 holds, no-break space included,
  // and stores '?' for one it cannot hold.
  QTest::keyClick(Description(), Qt::Key_End, Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, Description(), Qt::Key_unknown, QString::fromUtf8("ŝ"), Qt::NoModifier);
  EXPECT_EQ(m_doc.GetDescription(), "caf\xE9 \x80 \xA0!?");
}

TEST_F(TrackAttrBar, BrowsePutsTheChosenFullPathIntoFieldAndDocumentUnlessCancelled) {
  Attach(m_doc, "back.pcx", "");
  const auto browse = [&] { QTest::mouseClick(Browse(), Qt::LeftButton); };
  WithDialog<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); }, browse);
  EXPECT_EQ(Shown(), "7 back.pcx|");
  EXPECT_FALSE(m_doc.IsModified());
  QTemporaryDir folder;
  QFile file(folder.filePath("sky.pcx"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  WithDialog<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->nameFilters(), QStringList{"PCX 128colors (*.pcx)"});
    EXPECT_EQ(dialog->defaultSuffix(), "");
    dialog->setDirectory(folder.path());
    dialog->selectFile("sky.pcx");
    static_cast<QDialog*>(dialog)->accept();
  }, browse);
  EXPECT_EQ(Background()->text(), folder.filePath("sky.pcx"));
  EXPECT_EQ(m_doc.GetBackground(), folder.filePath("sky.pcx").toStdString());
  EXPECT_TRUE(m_doc.IsModified());
}

namespace {
// Two selected nodes about the centre (5000, 10000), shown in the dialog.
class ScaleDlg : public testing::Test {
 protected:
  void SetUp() override {
    m_track.Settle();
    Select(m_a);
    Select(m_b);
    m_dialog.show();
  }
  QLineEdit* Edit() { return Item<QLineEdit>(&m_dialog, kPercent); }
  void Press(int id) { QTest::mouseClick(Item<QPushButton>(&m_dialog, id), Qt::LeftButton); }
  // Types the percentage and presses the buttons.
  void Run(const char* percent, std::initializer_list<int> buttons) {
    Type(Edit(), percent);
    for (int id : buttons) Press(id);
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
}  // namespace

TEST_F(ScaleDlg, OkScalesTheSelectedNodesAboutTheirCentreTruncatingTowardZero) {
  TSNode* unselected = m_track.Node(1, 1);
  Type(Edit(), "200");
  QTest::keyClick(&m_dialog, Qt::Key_Return);
  EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
  EXPECT_EQ(Positions(), (Is{-5000, -10000, 15000, 30000}));
  EXPECT_EQ(unselected->m_x, 1);
  EXPECT_TRUE(m_doc.IsModified());
  m_a->m_x = m_a->m_y = 0;
  m_b->m_x = m_b->m_y = 3;
  CScaleDlg shrink(&m_doc);
  shrink.show();
  QTest::keyClicks(GetDlgItem(&shrink, kPercent), "50");
  QTest::keyClick(&shrink, Qt::Key_Return);
  EXPECT_EQ(Positions(), (Is{0, 0, 2, 2}));
}

TEST_F(ScaleDlg, OnlyPercentagesFrom11To999AreTaken) {
  // A number beyond 32 bits reads as no number. The edit takes digits only,
  // but whatever text it may still hold is read: a negative number counts as
  // a very large one.
  for (const char* text : {"10", "1000", "", "0", "99999999999", "4294967295", "-50", "abc"}) {
    Type(Edit(), "");
    Edit()->setText(text);
    Press(kPreview);
    Press(kOk);
    EXPECT_TRUE(m_dialog.isVisible()) << text;
  }
  Type(Edit(), "-1a2.");
  EXPECT_EQ(Edit()->text(), "12");
  EXPECT_EQ(m_updates.Count(), 0);
  Run("11", {kPreview});
  EXPECT_EQ(Positions()[2], 5000 + 550);
  Run("999", {kOk});
  EXPECT_FALSE(m_dialog.isVisible());
  EXPECT_EQ(Positions()[3], 10000 + 99900);
}

TEST_F(ScaleDlg, PreviewsAreCumulativeOkAfterThemScalesNoMoreAndCancelTakesThemBack) {
  Run("150", {kPreview});
  EXPECT_EQ(Positions(), (Is{-2500, -5000, 12500, 25000}));
  Run("200", {kPreview, kPreview});
  EXPECT_EQ(Positions(), (Is{-5000, -10000, 15000, 30000}));
  Press(kCancel);
  EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
  EXPECT_EQ(m_updates.Count(), 3);
  EXPECT_EQ(Positions(), (Is{0, 0, 10000, 20000}));
  EXPECT_TRUE(m_doc.IsModified());  // taken back, but changed on the way
  // Escape is Cancel too.
  m_dialog.show();
  Run("300", {kPreview});
  QTest::keyClick(&m_dialog, Qt::Key_Escape);
  EXPECT_FALSE(m_dialog.isVisible());
  EXPECT_EQ(Positions(), (Is{0, 0, 10000, 20000}));
  m_dialog.show();
  Run("200", {kPreview, kOk});
  EXPECT_EQ(Positions(), (Is{-5000, -10000, 15000, 30000}));
  EXPECT_EQ(m_updates.Count(), 6);
}

TEST_F(ScaleDlg, AnUnchangedDialogClosesWithoutTouchingTheDocument) {
  Run("100", {kOk});
  EXPECT_FALSE(m_dialog.isVisible());
  m_dialog.show();
  Press(kCancel);
  EXPECT_EQ(m_updates.Count(), 0);
  EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(ScaleDlg, TheCommandRunsTheDialogModally) {
  m_dialog.hide();
  WithDialog<CScaleDlg>([](CScaleDlg* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Selection Scaling");
    QTest::keyClicks(GetDlgItem(dialog, kPercent), "50");
    QTest::keyClick(dialog, Qt::Key_Return);
  }, [&] { OnScaleSelection(&m_doc); });
  EXPECT_EQ(Positions(), (Is{2500, 5000, 7500, 15000}));
}
