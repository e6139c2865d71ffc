#include <QApplication>

#include "app/window/help_dialogs.h"
#include "app/window/main_window.h"
#include "frontend/out_of_memory.h"

int main(int argc, char** argv) {
  dialectic::EndOnOutOfMemory("dialectic");
  QApplication application(argc, argv);
  // The names under which the user's settings (the recent files) are kept.
  QApplication::setOrganizationName(QStringLiteral("dialectic"));
  QApplication::setApplicationName(QStringLiteral("dialectic"));
  QApplication::setApplicationVersion(dialectic::ProgramVersion());
  dialectic::MainWindow window;
  window.show();
  return application.exec();
}
