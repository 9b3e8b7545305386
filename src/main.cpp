// Visual vuka.ini manager: the editor of a setup program's configuration file.
#include "ui/app.h"

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  TApplicationWindows windows = CreateApplicationWindows();
  windows.MainForm->show();
  return app.exec();
}
