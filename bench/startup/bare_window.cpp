// The peer of the editor's start-up: a bare Qt window of the same shape (a main
// window with a menu bar of two menus and four tabs), nothing else. Given a
// configuration file, it then opens it through the model alone and puts its
// name into the title, as the editor does: the peer of the editor showing an
// opened file. A file that does not open ends it with status 1.
#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabWidget>
#include <cstdio>
#include <exception>

#include "model/model.h"

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
  TProject project;
  try {
    if (argc > 1) OpenProject(project, argv[1], CataloguePath());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  if (argc > 1) window.setWindowTitle(QFileInfo(argv[1]).fileName());
  return QApplication::exec();
}
