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

#include "support/track_builder.h"
#include "platform/qt/dialog_template.h"

namespace {
class TrackAttrBar : public testing::Test {
 protected:
  void SetUp() override { m_bar.show(); }
  QLineEdit* Background() { return qobject_cast<QLineEdit*>(GetDlgItem(&m_bar, 1027)); }
  QPlainTextEdit* Description() { return qobject_cast<QPlainTextEdit*>(GetDlgItem(&m_bar, 1028)); }
  QPushButton* Browse() { return qobject_cast<QPushButton*>(GetDlgItem(&m_bar, 32792)); }
  // The enabled state of the three controls, and the texts shown.
  std::string Shown() {
    return std::string(Background()->isEnabled() ? "1" : "0") + (Description()->isEnabled() ? "1" : "0") +
           (Browse()->isEnabled() ? "1 " : "0 ") + Background()->text().toStdString() + "|" +
           Description()->toPlainText().toStdString();
  }
  // A document with these texts, not modified.
  void Attach(CTrassoDoc& doc, const char* background, const char* description) {
    doc.SetBackground(background);
    doc.SetDescription(description);
    doc.SetModifiedFlag(false);
    m_bar.AttachDocument(&doc);
  }
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
}  // namespace

TEST_F(TrackAttrBar, AttachingShowsTheTextsWithoutMarkingTheDocumentAndDetachingEmptiesAll) {
  EXPECT_EQ(Shown(), "000 |");
  Attach(m_doc, "C:\\tracks\\back.pcx", "Fast\r\nand loud");
  // A stored CR LF is one line break in the field.
  EXPECT_EQ(Shown(), "111 C:\\tracks\\back.pcx|Fast\nand loud");
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
  EXPECT_EQ(Shown(), "000 |");
  EXPECT_TRUE(Browse()->isVisible());
  // Without a document no file dialog opens (the test would hang on it).
  m_bar.OnBrowseBackground();
}

TEST_F(TrackAttrBar, TypedTextsAreStoredFromTheFirstKeystrokeWithCrLf) {
  m_bar.AttachDocument(&m_doc);
  QTest::keyClick(Description(), Qt::Key_O);
  EXPECT_TRUE(m_doc.IsModified());
  EXPECT_EQ(m_doc.GetDescription(), "o");
  for (const char* line : {"ne", "two", "three"}) {
    if (*line == 't') QTest::keyClick(Description(), Qt::Key_Return);
    QTest::keyClicks(Description(), line);
  }
  EXPECT_EQ(m_doc.GetDescription(), "one\r\ntwo\r\nthree");
  QTest::keyClicks(Background(), "back.pcx");
  EXPECT_EQ(m_doc.GetBackground(), "back.pcx");
}

TEST_F(TrackAttrBar, TheSameTextBackDoesNotMarkACleanDocument) {
  Attach(m_doc, "x", "Fast\r\nand loud");
  QApplication::clipboard()->setText("Fast\nand loud");
  QTest::keyClick(Description(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Description(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(Background(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(Background(), "x");
  EXPECT_EQ(Description()->toPlainText(), "Fast\nand loud");
  EXPECT_FALSE(m_doc.IsModified());
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
  BrowseWith([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(Background()->text(), "back.pcx");
  EXPECT_EQ(m_doc.GetBackground(), "back.pcx");
  EXPECT_FALSE(m_doc.IsModified());

  QTemporaryDir folder;
  const QString path = folder.filePath("sky.pcx");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
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
