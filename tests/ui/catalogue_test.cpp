// The catalogue in use, driven through the window: opening a file from a setup's
// folder takes that setup's catalogue, "Каталог…" changes it keeping the ticks,
// codes that the catalogue lacks stay through open and save, and the window
// names the catalogue without changing its size.
#include <QAbstractButton>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTabBar>
#include <QTabWidget>
#include <filesystem>

#include "app_fixture.h"
#include "ui/widgets/checklistbox.h"

namespace {

class CatalogueInUse : public TAppFixture {
 protected:
  QString Path(const char* name) const { return Dir.filePath(QString::fromUtf8(name)); }

  // A catalogue of its own in the folder, with the UTF-8 text.
  QString SetupCatalogue(const char* folder, const std::string& text) {
    std::filesystem::create_directories(Native(Path(folder)));
    QString path = Path(folder) + QStringLiteral("/version.ini");
    WriteCatalogue(path, text);
    return path;
  }

  // The file dialogs take `path` from now on.
  void ChooseFile(const QString& path) {
    Dialogs.OnFileDialog = [path](QFileDialog& dialog) {
      dialog.selectFile(path);
      return true;
    };
  }

  // Message boxes are answered with OK; their texts are kept.
  void KeepBoxTexts() {
    Dialogs.OnModal = [this](QDialog& dialog) {
      auto* box = qobject_cast<QMessageBox*>(&dialog);
      ASSERT_NE(box, nullptr) << dialog.objectName().toStdString();
      BoxTexts << box->text();
      Click(box->button(QMessageBox::Ok));
    };
  }

  // Opens the menu with a click on the menu bar and clicks the item.
  void ClickMenuItem(const char* menuName, const char* itemName) {
    QApplication::setActiveWindow(&Main());
    QMenuBar* bar = Main().menuBar();
    auto* menu = Find<QMenu>(menuName);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      bar->actionGeometry(menu->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    auto* item = Find<QAction>(itemName);
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
  }

  // A click on the check strip of the language entry, on the languages page.
  void ToggleLanguage(int index) {
    auto* pages = Find<QTabWidget>("Pages");
    Click(pages->tabBar(), pages->tabBar()->tabRect(1).center());
    auto* langs = Find<TCheckListBox>("Langs");
    const QRect entry = langs->ItemRect(index);
    Click(langs->viewport(), QPoint(entry.left() + 7, entry.center().y()));
  }

  // The languages as shown, "+" for ticked: "text+|text-|".
  QString ShownLanguages() {
    const TCheckList& list = Main().Project().Langs;
    QString text;
    for (int i = 0; i < list.Count(); ++i) {
      text += EntryText(list, i) + (list.IsTicked(i) ? QStringLiteral("+|") : QStringLiteral("-|"));
    }
    return text;
  }

  QStringList BoxTexts;
};

TEST_F(CatalogueInUse, OpeningFromASetupFolderUsesItsCatalogueAndKeepsUnknownCodes) {
  const QSize size = Main().size();
  const QString own =
      SetupCatalogue("setup",
                     "[Languages]\nРусский=RUS\nСвой=OWN\n[PreInstallDlg]\nМой=Mine\n"
                     "[PostInstallDlg]\nИтог=Fin\n");
  // A file as Save writes it, with a language code that no catalogue knows.
  const QString file = Path("setup/vuka.ini");
  TProject written;
  ResetProject(written, Native(own));
  written.Langs.SetTick(1, true);
  written.Langs.AppendUnknown("ZZZ");
  written.Langs.SetTick(2, true);
  SaveProject(written, Native(file));
  const QByteArray bytes = ReadBytes(file);

  ChooseFile(file);
  KeepBoxTexts();
  ClickMenuItem("FileMenu", "Open");
  EXPECT_EQ(Main().CatalogueFile(), Native(own));
  EXPECT_EQ(ShownLanguages(), QStringLiteral("Русский+|Свой+|ZZZ (нет в каталоге)+|"));
  ASSERT_EQ(BoxTexts.size(), 1);
  EXPECT_TRUE(BoxTexts[0].contains(QStringLiteral("код «ZZZ» не найден в каталоге «%1»").arg(own)))
      << BoxTexts[0].toStdString();
  EXPECT_TRUE(Find<TCheckListBox>("Langs")->toolTip().contains(own));

  // Saved unchanged, the file stays byte for byte; unticked, the unknown code leaves it.
  QTest::keyClick(&Main(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(ReadBytes(file), bytes);
  ToggleLanguage(2);
  QApplication::setActiveWindow(&Main());
  QTest::keyClick(&Main(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(ReadBytes(file).contains("\r\nLanguages=RUS,OWN\r\n")) << ReadBytes(file).data();
  EXPECT_EQ(Main().size(), size);
}

TEST_F(CatalogueInUse, CatalogueCommandReloadsTheListsKeepingTheTicksItCan) {
  const QSize size = Main().size();
  ToggleLanguage(0);  // English, beside the ticked Русский
  EXPECT_EQ(ShownLanguages(), QStringLiteral("English+|Русский+|Deutsch-|"));
  const QString other = SetupCatalogue(
      "other",
      "[Languages]\nРусский=RUS\nФранцузский=FRA\n[PreInstallDlg]\nЛицензия=License\n"
      "[PostInstallDlg]\nКонец=Finished\n");

  auto* command = Find<QAction>("Catalogue");
  EXPECT_EQ(command->text(), QStringLiteral("Каталог…"));
  EXPECT_EQ(command->toolTip(), QStringLiteral("Каталог: %1").arg(CataloguePath));
  ChooseFile(other);
  KeepBoxTexts();
  ClickMenuItem("FileMenu", "Catalogue");
  EXPECT_EQ(Dialogs.Modals.value(0), QStringLiteral("CatalogueDlg"));
  EXPECT_EQ(Main().CatalogueFile(), Native(other));
  EXPECT_EQ(ShownLanguages(), QStringLiteral("Русский+|Французский-|ENU (нет в каталоге)+|"));
  // The one tick the new catalogue cannot hold as an entry of its own is listed.
  ASSERT_EQ(BoxTexts.size(), 1);
  EXPECT_TRUE(BoxTexts[0].contains(QStringLiteral("код «ENU» не найден")))
      << BoxTexts[0].toStdString();
  EXPECT_FALSE(BoxTexts[0].contains(QStringLiteral("«RUS»")));
  EXPECT_EQ(command->toolTip(), QStringLiteral("Каталог: %1").arg(other));
  EXPECT_EQ(Find<TCheckListBox>("Pred")->toolTip(), command->toolTip());

  ClickMenuItem("HelpMenu", "About");
  ASSERT_EQ(Dialogs.Abouts.size(), 1);
  EXPECT_TRUE(Dialogs.Abouts[0].endsWith(QStringLiteral("\r\n\r\nКаталог: %1").arg(other)));
  EXPECT_EQ(Main().size(), size);

  // A file that cannot serve as a catalogue is reported and changes nothing.
  Dialogs.OnFileDialog = [this](QFileDialog& dialog) {
    dialog.selectFile(Path("missing.ini"));
    return true;
  };
  ClickMenuItem("FileMenu", "Catalogue");
  ASSERT_EQ(Dialogs.Errors.size(), 1);
  EXPECT_TRUE(Dialogs.Errors.takeFirst().contains(QStringLiteral("не найден")));
  EXPECT_EQ(Main().CatalogueFile(), Native(other));
}

TEST_F(CatalogueInUse, StartUpChoosesTheOptionThenTheFilesFolderThenTheCurrentOne) {
  const QString own = SetupCatalogue("setup", "[Languages]\nСвой=OWN\n");
  const QString option = SetupCatalogue("option", "[Languages]\nОпция=OPT\n");
  WriteBytes(Native(Path("setup/vuka.ini")), "[Config]\r\nLanguages=OWN\r\n");
  WriteBytes(Native(Path("plain.ini")), "[Config]\r\nLanguages=RUS\r\n");
  KeepBoxTexts();

  // An unreadable --catalogue is told once and the usual catalogue serves.
  EXPECT_EQ(StartUpCatalogue(Native(Path("missing.ini"))), "");
  ASSERT_EQ(Dialogs.Errors.size(), 1);
  EXPECT_TRUE(Dialogs.Errors.takeFirst().contains(QStringLiteral("не найден")));
  EXPECT_EQ(StartUpCatalogue(Native(option)), Native(option));
  EXPECT_EQ(StartUpCatalogue(""), "");
  EXPECT_EQ(CreateMainWindow()->CatalogueFile(), ::CataloguePath());

  // A file without a catalogue beside it keeps the one in use.
  OpenAtStartUp(Main(), Path("plain.ini"));
  EXPECT_EQ(Main().CatalogueFile(), Native(CataloguePath));
  OpenAtStartUp(Main(), Path("setup/vuka.ini"));
  EXPECT_EQ(Main().CatalogueFile(), Native(own));
  EXPECT_EQ(ShownLanguages(), QStringLiteral("Свой+|"));
  // The catalogue named on the command line wins over the one beside the file.
  OpenAtStartUp(Main(), Path("setup/vuka.ini"), Native(option));
  EXPECT_EQ(Main().CatalogueFile(), Native(option));
  EXPECT_EQ(ShownLanguages(), QStringLiteral("Опция-|OWN (нет в каталоге)+|"));
}

}  // namespace
