#include "shell/track_attr_bar.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/qt/dialog_template.h"
#include "support/track_builder.h"

namespace {
enum : int { kBackground = 1027, kDescription = 1028, kBrowse = 32792 };

class TrackAttrBarTest : public testing::Test {
 protected:
  void SetUp() override { m_bar.show(); }

  QLineEdit* Background() { return qobject_cast<QLineEdit*>(GetDlgItem(&m_bar, kBackground)); }
  QPlainTextEdit* Description() {
    return qobject_cast<QPlainTextEdit*>(GetDlgItem(&m_bar, kDescription));
  }
  QPushButton* Browse() { return qobject_cast<QPushButton*>(GetDlgItem(&m_bar, kBrowse)); }

  // Runs `script` on the file dialog once it is up, then presses Browse.
  void BrowseWith(std::function<void(QFileDialog*)> script) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      ran = true;
      script(dialog);
    });
    QTest::mouseClick(Browse(), Qt::LeftButton);
    EXPECT_TRUE(ran);
  }

  CTrassoDoc m_doc;
  CTrackAttrBar m_bar;
};

TEST_F(TrackAttrBarTest, WithoutDocumentEverythingIsDisabledAndEmpty) {
  m_doc.SetBackground("back.pcx");
  m_bar.AttachDocument(&m_doc);
  m_bar.DetachDocument(&m_doc);
  EXPECT_FALSE(Browse()->isEnabled());
  EXPECT_TRUE(Browse()->isVisible());
  EXPECT_FALSE(Background()->isEnabled());
  EXPECT_EQ(Background()->text(), "");
  EXPECT_FALSE(Description()->isEnabled());
  EXPECT_EQ(Description()->toPlainText(), "");
  // Without a document no file dialog opens (the test would hang on it).
  m_bar.OnBrowseBackground();
}

TEST_F(TrackAttrBarTest, AttachingShowsTheTextsWithoutMarkingTheDocument) {
  m_bar.AttachDocument(&m_doc);
  EXPECT_TRUE(Background()->isEnabled());
  EXPECT_TRUE(Description()->isEnabled());
  EXPECT_TRUE(Browse()->isEnabled());
  EXPECT_EQ(Description()->toPlainText(), "");
  EXPECT_FALSE(m_doc.IsModified());

  CTrassoDoc other;
  other.SetBackground("C:\\tracks\\back.pcx");
  other.SetDescription("Fast\r\nand loud");
  other.SetModifiedFlag(false);
  m_bar.AttachDocument(&other);
  EXPECT_EQ(Background()->text(), "C:\\tracks\\back.pcx");
  // A stored CR LF is one line break in the field.
  EXPECT_EQ(Description()->toPlainText(), "Fast\nand loud");
  EXPECT_EQ(Description()->blockCount(), 2);
  EXPECT_FALSE(other.IsModified());

  // A lone line feed, as a file may hold, would read back as CR LF: filling
  // the field must not write it back.
  CTrassoDoc third;
  third.SetDescription("one\ntwo");
  third.SetModifiedFlag(false);
  m_bar.AttachDocument(&third);
  EXPECT_EQ(Description()->blockCount(), 2);
  EXPECT_EQ(third.GetDescription(), "one\ntwo");
  EXPECT_FALSE(third.IsModified());
}

TEST_F(TrackAttrBarTest, TypedDescriptionIsStoredWithCrLfFromTheFirstKeystroke) {
  m_bar.AttachDocument(&m_doc);
  QTest::keyClick(Description(), Qt::Key_O);
  EXPECT_TRUE(m_doc.IsModified());
  EXPECT_EQ(m_doc.GetDescription(), "o");
  QTest::keyClicks(Description(), "ne");
  QTest::keyClick(Description(), Qt::Key_Return);
  QTest::keyClicks(Description(), "two");
  QTest::keyClick(Description(), Qt::Key_Return);
  QTest::keyClicks(Description(), "three");
  EXPECT_EQ(m_doc.GetDescription(), "one\r\ntwo\r\nthree");
}

TEST_F(TrackAttrBarTest, TheSameTextBackDoesNotMarkACleanDocument) {
  m_doc.SetDescription("Fast\r\nand loud");
  m_doc.SetBackground("x");
  m_doc.SetModifiedFlag(false);
  m_bar.AttachDocument(&m_doc);
  QApplication::clipboard()->setText("Fast\nand loud");
  QTest::keyClick(Description(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Description(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(Background(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(Background(), "x");
  EXPECT_EQ(Description()->toPlainText(), "Fast\nand loud");
  EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(TrackAttrBarTest, TextsCrossBetweenWindows1252AndUnicode) {
  m_doc.SetDescription("caf\xE9 \x80 \xA0!");
  m_bar.AttachDocument(&m_doc);
  EXPECT_EQ(Description()->toPlainText(), QString::fromUtf8("café €  !"));
  EXPECT_EQ(Description()->document()->toRawText(), QString::fromUtf8("café € \u00A0!"));
  // Typing keeps every character Windows-1252 holds, no-break space included,
  // and stores '?' for one it cannot hold.
  QTest::keyClick(Description(), Qt::Key_End, Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, Description(), Qt::Key_unknown, QString::fromUtf8("ŝ"),
                      Qt::NoModifier);
  EXPECT_EQ(m_doc.GetDescription(), "caf\xE9 \x80 \xA0!?");
}

TEST_F(TrackAttrBarTest, TypedBackgroundNameIsStoredUnchanged) {
  m_bar.AttachDocument(&m_doc);
  QTest::keyClicks(Background(), "back.pcx");
  EXPECT_EQ(m_doc.GetBackground(), "back.pcx");
  EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(TrackAttrBarTest, BrowseDialogPutsTheChosenFullPathIntoFieldAndDocument) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath("sky.pcx");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  m_bar.AttachDocument(&m_doc);

  BrowseWith([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->nameFilters(), QStringList{"PCX 128colors (*.pcx)"});
    EXPECT_EQ(dialog->defaultSuffix(), "");
    dialog->setDirectory(folder.path());
    dialog->selectFile("sky.pcx");
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(Background()->text(), path);
  EXPECT_EQ(m_doc.GetBackground(), path.toStdString());
  EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(TrackAttrBarTest, CancelledBrowseDialogChangesNothing) {
  m_doc.SetBackground("back.pcx");
  m_doc.SetModifiedFlag(false);
  m_bar.AttachDocument(&m_doc);
  BrowseWith([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(Background()->text(), "back.pcx");
  EXPECT_EQ(m_doc.GetBackground(), "back.pcx");
  EXPECT_FALSE(m_doc.IsModified());
}
}  // namespace
