// trasso: the track editor. Qt takes its own options from the command line;
// what is left is handed to the application object.
#include <QApplication>

#include "shell/trasso_app.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  CTrassoApp app;
  if (!app.InitInstance(qapp.arguments().mid(1))) return 1;
  return qapp.exec();
}
