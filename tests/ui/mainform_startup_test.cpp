// The main window as it starts: its title, size, menus and pages; and how it starts
// without a catalogue or with one that cannot be read.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QMenuBar>
#include <QTabWidget>
#include <cstring>

#include "mainform_fixture.h"
#include "ui/widgets/render.h"
#include "ui/widgets/variablesgrid.h"

namespace {

// Each menu of the bar: its name and title, then each entry's name, text and shortcuts.
void ExpectMenus(const QMenuBar& bar) {
  struct TEntry {
    const char* Name;
    const char* Text;
    QList<QKeySequence> Keys;
  };
  const std::vector<std::pair<TEntry, std::vector<TEntry>>> expected = {
      {{"FileMenu", "Файл", {}},
       {{"New", "Новый", {QKeySequence(QStringLiteral("Ctrl+N"))}},
        {"Open", "Открыть…", {QKeySequence(QStringLiteral("Ctrl+O"))}},
        {"RecentMenu", "Недавние файлы", {}},
        {"Save", "Сохранить", {QKeySequence(QStringLiteral("Ctrl+S"))}},
        {"SaveAs", "Сохранить как…", {QKeySequence(QStringLiteral("Ctrl+Shift+S"))}},
        {"Catalogue", "Каталог…", {}}}},
      {{"EditMenu", "Правка", {}},
       {{"Undo", "Отменить", {QKeySequence(QStringLiteral("Ctrl+Z"))}},
        {"Redo",
         "Повторить",
         {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}}}},
      {{"HelpMenu", "Помощь", {}},
       {{"About", "О программе", {}}, {"LanguageMenu", "Язык интерфейса", {}}}}};
  // A submenu's entry is named by the submenu.
  const auto name = [](const QAction* action) {
    return action->menu() ? action->menu()->objectName() : action->objectName();
  };
  const QList<QAction*> menus = bar.actions();
  ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
  for (qsizetype m = 0; m < menus.size(); ++m) {
    const auto& [menu, entries] = expected[static_cast<size_t>(m)];
    EXPECT_EQ(name(menus[m]), QString::fromUtf8(menu.Name));
    EXPECT_EQ(menus[m]->text(), QString::fromUtf8(menu.Text));
    const QList<QAction*> actions = menus[m]->menu()->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(entries.size())) << menu.Name;
    for (qsizetype e = 0; e < actions.size(); ++e) {
      const TEntry& entry = entries[static_cast<size_t>(e)];
      EXPECT_EQ(name(actions[e]), QString::fromUtf8(entry.Name));
      EXPECT_EQ(actions[e]->text(), QString::fromUtf8(entry.Text));
      EXPECT_EQ(actions[e]->shortcuts(), entry.Keys) << entry.Name;
    }
  }
}

}  // namespace

TEST_F(MainForm, StartsWithTitleSizeMenuAndTheAppearancePageFocused) {
  EXPECT_EQ(Main().objectName(), QStringLiteral("MainForm"));
  EXPECT_EQ(Main().windowTitle(), QStringLiteral("Visual vuka.ini manager [ROVEL] 1.0"));
  EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Visual RVL"));
  // The client area under the menu bar is 427 by 320 and cannot be resized.
  EXPECT_EQ(Pages()->geometry(), QRect(0, Main().menuBar()->height(), 427, 320));
  EXPECT_EQ(Main().size(), QSize(427, Main().menuBar()->height() + 320));
  EXPECT_EQ(Main().minimumSize(), Main().maximumSize());
  EXPECT_TRUE(Main().windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(Main().windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(Main().font().pixelSize(), 11);

  ExpectMenus(*Main().menuBar());
  // Nothing to undo yet.
  EXPECT_FALSE(Find<QAction>("Undo")->isEnabled());
  EXPECT_FALSE(Find<QAction>("Redo")->isEnabled());

  ASSERT_EQ(Pages()->count(), 4);
  const char* const names[] = {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4"};
  const QStringList texts = {QStringLiteral("Внешний вид"), QStringLiteral("Языки"),
                             QStringLiteral("Диалоги"), QStringLiteral("Переменные")};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Pages()->widget(i)->objectName(), QString::fromLatin1(names[i]));
    EXPECT_EQ(Pages()->tabText(i), texts[i]);
  }
  EXPECT_EQ(Pages()->currentIndex(), 0);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  EXPECT_TRUE(Pages()->hasFocus());

  // The lists come from the catalogue with "Русский" ticked and selected.
  const TProject& project = Main().Project();
  ASSERT_EQ(project.Langs.Count(), 3);
  EXPECT_TRUE(project.Langs.IsTicked(1));
  EXPECT_EQ(project.Langs.Selected(), 1);
  EXPECT_EQ(project.Pred.Count(), 2);
  EXPECT_EQ(project.Post.Count(), 2);
}

namespace {

class MainFormWithoutCatalogue : public TAppFixture {
 protected:
  std::optional<std::string> CatalogueText() const override { return std::nullopt; }
};

}  // namespace

TEST_F(MainFormWithoutCatalogue, StartsWithEmptyListsTheInstallPathRowAndTheGradient) {
  const TProject& project = Main().Project();
  EXPECT_EQ(project.Langs.Count(), 0);
  EXPECT_EQ(project.Langs.Selected(), -1);
  EXPECT_EQ(project.Pred.Count(), 0);
  EXPECT_EQ(project.Post.Count(), 0);
  ASSERT_EQ(project.Variables.size(), 1u);
  EXPECT_EQ(project.Variables[0].Name, "InstallPath");
  const QImage background = Find("Background")->grab().toImage();
  EXPECT_EQ(background.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(background.pixel(0, 273), qRgb(0, 0, 0));
}

namespace {

// The catalogue is there but cannot be read: it is a socket, no regular file.
class MainFormWithUnopenableCatalogue : public TAppFixture {
 protected:
  std::optional<std::string> CatalogueText() const override { return std::nullopt; }
  void BeforeWindows() override {
    Socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(Socket, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(CataloguePath);
    ASSERT_LT(static_cast<size_t>(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    ASSERT_EQ(::bind(Socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  }
  void TearDown() override {
    if (Socket >= 0) ::close(Socket);
    TAppFixture::TearDown();
  }
  int Socket = -1;
};

}  // namespace

// "New" stops at the catalogue: the table keeps its current cell and the page stays.
TEST_F(MainFormWithUnopenableCatalogue, AFailedNewLeavesTheTableAndThePageAlone) {
  Dialogs.Errors.clear();
  auto* pages = Find<QTabWidget>("Pages");
  pages->setCurrentIndex(3);
  auto* table = Find<TVariablesGrid>("Variables");
  QTest::keyClick(table, Qt::Key_Home);
  ASSERT_EQ(table->CurrentColumn(), 0);
  QTest::keyClick(&Main(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(TakeErrors().size(), 1);
  EXPECT_EQ(pages->currentIndex(), 3);
  EXPECT_EQ(table->CurrentRow(), 1);
  EXPECT_EQ(table->CurrentColumn(), 0);
}

TEST_F(MainFormWithUnopenableCatalogue, StartUpShowsTheOpenErrorSkipsTheRestAndGoesOn) {
  EXPECT_EQ(
      TakeErrors(),
      QStringList{QStringLiteral("Каталог «%1» не является обычным файлом.").arg(CataloguePath)});

  // The titles were reset before the catalogue was opened; the lists stay empty,
  // the table keeps its start-up row, and the gradient is not painted.
  EXPECT_EQ(Find<TShadowLabel>("ProgramName")->Caption(), QStringLiteral("Демо-программа 1.0"));
  EXPECT_EQ(Main().Project().Langs.Count(), 0);
  EXPECT_EQ(Main().Project().Variables.size(), 1u);
  EXPECT_NE(Find("Background")->grab().toImage().pixel(0, 0), qRgb(0, 0, 255));

  // Start-up went on: the dialogs exist, and the window works once the catalogue is fixed.
  EXPECT_NE(Windows.StyleDlg, nullptr);
  EXPECT_NE(Windows.ColorForm, nullptr);
  EXPECT_NE(Windows.PosForm, nullptr);
  ASSERT_TRUE(QFile::remove(CataloguePath));
  WriteCatalogue(CataloguePath, SampleCatalogue());
  QTest::keyClick(&Main(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Main().Project().Langs.Count(), 3);
  EXPECT_EQ(Find("Background")->grab().toImage().pixel(0, 0), qRgb(0, 0, 255));
}
