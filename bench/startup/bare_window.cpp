// The peer of the editor's start-up: a bare Qt window of the same shape (a main
// window with a menu bar of two menus and four tabs), nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  QMenu* fileMenu = window.menuBar()->addMenu(QStringLiteral("Файл"));
  fileMenu->addAction(QStringLiteral("Новый"));
  fileMenu->addAction(QStringLiteral("Сохранить"));
  window.menuBar()->addMenu(QStringLiteral("Помощь"))->addAction(QStringLiteral("О программе"));
  auto* pages = new QTabWidget(&window);
  for (const char* title : {"Внешний вид", "Языки", "Диалоги", "Переменные"})
    pages->addTab(new QWidget, QString::fromUtf8(title));
  window.setCentralWidget(pages);
  window.show();
  return QApplication::exec();
}
