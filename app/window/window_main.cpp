#include <QApplication>

#include "app/window/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  dialectic::MainWindow window;
  window.show();
  return application.exec();
}
