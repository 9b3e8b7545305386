// The file commands as desktop editors have them: "Save" into the open file and
// "Save As", the recent files, a file dropped on the window, and the open file
// changed, replaced or deleted by another program. Driven with keys, menu
// entries and drop events through the window.
#include <QDropEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSaveFile>
#include <QUrl>

#include "app_fixture.h"
#include "ui/support/recentfiles.h"

namespace {

class FileHabits : public TAppFixture {
 protected:
  void SetUp() override {
    TRecentFiles().Clear();
    TAppFixture::SetUp();
  }
  QString Path(const char* name) const { return Dir.filePath(QString::fromUtf8(name)); }
  // A configuration file with the product name, as another program writes it.
  void WriteFile(const QString& file, const char* productName) {
    WriteCatalogue(file, std::string("[Variables]\nProgramName=") + productName + "\n");
  }
  QString ProductName() const {
    return QString::fromStdString(Cp1251ToUtf8(Windows.MainForm->Project().ProgramNameText));
  }
  void Command(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QApplication::setActiveWindow(&Main());
    QTest::keyClick(&Main(), key, modifiers);
  }
  // An edit that Save writes: the product name, as the main title's dialog sets it.
  void Edit(const char* productName) {
    TProject& project = Main().Project();
    project.ProgramNameText = project.MainTitleCaption = Utf8ToCp1251(productName);
  }
  // The next message boxes: their names are kept in Dialogs.Modals and each is
  // answered by a click on the button named `button` (an object name or a
  // standard button's number).
  void Answer(const QString& button) {
    Dialogs.OnModal = [this, button](QDialog& dialog) {
      BoxTexts << qobject_cast<QMessageBox*>(&dialog)->text();
      auto* clicked = dialog.findChild<QAbstractButton*>(button);
      if (clicked == nullptr) {
        clicked = qobject_cast<QMessageBox*>(&dialog)->button(
            static_cast<QMessageBox::StandardButton>(button.toInt()));
      }
      ASSERT_NE(clicked, nullptr) << button.toStdString();
      Click(clicked);
    };
  }
  static QString Standard(QMessageBox::StandardButton button) { return QString::number(button); }
  // Writes the file as many editors save: a new file renamed over it.
  static void ReplaceByRenaming(const QString& file, const char* productName) {
    QSaveFile other(file);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(QByteArray("[Variables]\r\nProgramName=") + productName + "\r\n");
    ASSERT_TRUE(other.commit());
  }
  // Waits up to five seconds for as many modal dialogs as expected, then checks them.
  void ExpectModalsSoon(const QStringList& expected) {
    // The comparison below fails a wait that timed out, naming what came instead.
    static_cast<void>(
        QTest::qWaitFor([&] { return Dialogs.Modals.size() >= expected.size(); }, 5000));
    EXPECT_EQ(Dialogs.Modals, expected);
  }
  // The entries of "Недавние файлы" as the menu shows them before it opens.
  QList<QAction*> RecentEntries() {
    auto* menu = Find<QMenu>("RecentMenu");
    emit menu->aboutToShow();
    QList<QAction*> entries;
    for (QAction* action : menu->actions()) {
      if (!action->data().toString().isEmpty()) entries << action;
    }
    return entries;
  }
  QStringList RecentFiles() {
    QStringList files;
    for (const QAction* entry : RecentEntries()) files << entry->data().toString();
    return files;
  }
  // Drags the URLs over the window and drops them; true when the window took them.
  bool Drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = Main().rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Main(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Main(), &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted();
  }

  QStringList BoxTexts;
};

}  // namespace

TEST_F(FileHabits, SaveWritesIntoTheOpenFileAndTheSaveAnswerToo) {
  const QString file = Path("open.ini");
  WriteFile(file, "Opened");
  Main().OpenFile(file);
  Edit("Saved");
  Command(Qt::Key_S);
  EXPECT_TRUE(Dialogs.Modals.isEmpty());
  EXPECT_TRUE(ReadBytes(file).contains("ProgramName=Saved\r\n"));

  // "Save" to the question before "New": the same file, no dialog either.
  Edit("Asked");
  Answer(Standard(QMessageBox::Save));
  Command(Qt::Key_N);
  EXPECT_EQ(Dialogs.Modals, QStringList{"SaveChangesBox"});
  EXPECT_TRUE(ReadBytes(file).contains("ProgramName=Asked\r\n"));
  EXPECT_TRUE(Main().Project().Origin.FileName.empty());

  // Without a file, Save asks as Save As does.
  Dialogs.OnFileDialog = [&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Выберите файл"));
    return false;
  };
  Command(Qt::Key_S);
  EXPECT_EQ(Dialogs.Modals, (QStringList{"SaveChangesBox", "OpenDlg"}));
}

TEST_F(FileHabits, RecentFilesListTheLastEightNewestFirstAndOpenThem) {
  QStringList files;
  for (int i = 0; i < 10; ++i) {
    files << Path(QStringLiteral("f%1.ini").arg(i).toUtf8().constData());
    WriteFile(files.last(), "P");
    Main().OpenFile(files.last());
  }
  // Reopened: first again, not twice.
  Main().OpenFile(files[7]);
  QStringList expected = {files[7], files[9], files[8], files[6],
                          files[5], files[4], files[3], files[2]};
  EXPECT_EQ(RecentFiles(), expected);
  EXPECT_EQ(TRecentFiles().Files(), expected);  // kept in the settings

  // Saved as another file: that one comes first.
  Dialogs.OnFileDialog = [&](QFileDialog& dialog) {
    dialog.selectFile(Path("saved.ini"));
    return true;
  };
  Command(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(RecentFiles().value(0), Path("saved.ini"));

  // A missing file is greyed; a file that went after the menu was shown is
  // reported when chosen and leaves the list.
  QFile::remove(files[9]);
  QList<QAction*> entries = RecentEntries();
  EXPECT_FALSE(entries[2]->isEnabled());
  EXPECT_TRUE(entries[1]->isEnabled());
  entries[1]->trigger();
  EXPECT_EQ(Main().Project().Origin.FileName, Native(files[7]));
  entries = RecentEntries();
  QFile::remove(files[6]);
  entries[4]->trigger();
  ASSERT_EQ(Dialogs.Errors.size(), 1);
  EXPECT_TRUE(Dialogs.Errors.takeFirst().contains(files[6]));
  EXPECT_FALSE(RecentFiles().contains(files[6]));

  Find<QAction>("ClearRecent")->trigger();
  EXPECT_TRUE(RecentFiles().isEmpty());
  EXPECT_FALSE(Find<QAction>("ClearRecent")->isEnabled());
}

TEST_F(FileHabits, OneDroppedFileOpensOtherDropsAreRefused) {
  const QString a = Path("a.ini");
  const QString b = Path("b.ini");
  WriteFile(a, "Dropped");
  WriteFile(b, "Other");
  EXPECT_FALSE(Drop({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)}));
  EXPECT_FALSE(Drop({QUrl::fromLocalFile(Dir.path())}));
  EXPECT_FALSE(Drop({QUrl(QStringLiteral("https://example.org/vuka.ini"))}));
  EXPECT_TRUE(Main().Project().Origin.FileName.empty());

  EXPECT_TRUE(Drop({QUrl::fromLocalFile(a)}));
  EXPECT_EQ(ProductName(), QStringLiteral("Dropped"));
  EXPECT_EQ(Main().Project().Origin.FileName, Native(a));

  // Over unsaved work the question comes first; Cancel keeps everything.
  Edit("Mine");
  Answer(Standard(QMessageBox::Cancel));
  EXPECT_TRUE(Drop({QUrl::fromLocalFile(b)}));
  EXPECT_EQ(Dialogs.Modals, QStringList{"SaveChangesBox"});
  EXPECT_EQ(ProductName(), QStringLiteral("Mine"));
}

TEST_F(FileHabits, AFileChangedOnDiskIsAskedAboutBeforeItIsReadOrSavedOver) {
  const QString file = Path("watched.ini");
  WriteFile(file, "First");
  Main().OpenFile(file);

  // No unsaved work: the editor offers to read the file again.
  Answer(Standard(QMessageBox::Yes));
  WriteFile(file, "Second version");
  ExpectModalsSoon({"RereadBox"});
  EXPECT_TRUE(BoxTexts.value(0).contains(QDir::toNativeSeparators(file)));
  EXPECT_EQ(ProductName(), QStringLiteral("Second version"));

  // Unsaved work: Save asks first, naming the file; Cancel writes nothing.
  Dialogs.Modals.clear();
  BoxTexts.clear();
  Edit("Mine");
  Answer(QStringLiteral("Cancel"));
  ReplaceByRenaming(file, "Third");
  EXPECT_FALSE(QTest::qWaitFor([this] { return !Dialogs.Modals.isEmpty(); }, 500))
      << "asked before Save";
  Command(Qt::Key_S);
  EXPECT_EQ(Dialogs.Modals, QStringList{"OverwriteBox"});
  EXPECT_TRUE(BoxTexts.value(0).contains(QDir::toNativeSeparators(file)));
  EXPECT_TRUE(ReadBytes(file).contains("ProgramName=Third\r\n"));
  EXPECT_EQ(ProductName(), QStringLiteral("Mine"));

  // "Перечитать": the other program's file is shown, the edit is gone.
  Answer(QStringLiteral("Reread"));
  Command(Qt::Key_S);
  EXPECT_EQ(ProductName(), QStringLiteral("Third"));
  EXPECT_TRUE(ReadBytes(file).contains("ProgramName=Third\r\n"));

  // "Перезаписать": written over.
  Edit("Mine again");
  WriteFile(file, "Fourth, longer");
  Answer(QStringLiteral("Overwrite"));
  Command(Qt::Key_S);
  EXPECT_TRUE(ReadBytes(file).contains("ProgramName=Mine again\r\n"));
  // Saved now: the next Save asks nothing.
  Dialogs.Modals.clear();
  Command(Qt::Key_S);
  EXPECT_TRUE(Dialogs.Modals.isEmpty());
}

// Another program saves by renaming a new file over the open one: the new
// file is the one watched from then on, also after "Нет" to reading it.
TEST_F(FileHabits, AFileReplacedByRenamingStaysWatchedAfterTheAnswerNo) {
  const QString file = Path("renamed.ini");
  WriteFile(file, "First");
  Main().OpenFile(file);
  Answer(Standard(QMessageBox::No));
  ReplaceByRenaming(file, "Renamed");
  ExpectModalsSoon({"RereadBox"});
  EXPECT_EQ(ProductName(), QStringLiteral("First"));

  WriteFile(file, "Changed in place");
  ExpectModalsSoon({"RereadBox", "RereadBox"});
  EXPECT_EQ(ProductName(), QStringLiteral("First"));
}

TEST_F(FileHabits, AFileDeletedOnDiskIsReportedAndSaveWritesItAnew) {
  const QString file = Path("deleted.ini");
  WriteFile(file, "Here");
  Main().OpenFile(file);
  Answer(Standard(QMessageBox::Ok));
  ASSERT_TRUE(QFile::remove(file));
  ExpectModalsSoon({"MessageBox"});
  EXPECT_TRUE(BoxTexts.value(0).contains(QDir::toNativeSeparators(file)));
  Edit("Anew");
  Command(Qt::Key_S);
  EXPECT_EQ(Dialogs.Modals, QStringList{"MessageBox"});
  EXPECT_TRUE(ReadBytes(file).contains("ProgramName=Anew\r\n"));

  // Deleted, then made again by another program: its folder tells of that.
  ASSERT_TRUE(QFile::remove(file));
  ExpectModalsSoon({"MessageBox", "MessageBox"});
  Answer(Standard(QMessageBox::No));
  ReplaceByRenaming(file, "Back");
  ExpectModalsSoon({"MessageBox", "MessageBox", "RereadBox"});
}
