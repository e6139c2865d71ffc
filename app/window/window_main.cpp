#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/window/help_dialogs.h"
#include "app/window/main_window.h"
#include "frontend/out_of_memory.h"
#include "frontend/window_arguments.h"

namespace {

QtMessageHandler toolkit_handler = nullptr;

// While the toolkit starts, a fatal message (no display, no platform plugin) ends the program with
// advice and status 1 instead of an abort.
void StartUpMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s%s\n", dialectic::NoDisplayAdvice().c_str(),
                 message.toLocal8Bit().constData());
    std::_Exit(1);
  }
  if (toolkit_handler != nullptr) {
    toolkit_handler(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().data());
  }
}

std::vector<std::string> Arguments(const QStringList& arguments) {
  std::vector<std::string> args;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    args.push_back(QFile::encodeName(arguments[i]).toStdString());
  }
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  dialectic::EndOnOutOfMemory("dialectic");
  // --help and --version answer before the toolkit starts, so they need no display.
  const std::vector<std::string> raw(argv + std::min(argc, 1), argv + argc);
  if (dialectic::AsksForTextOnly(raw)) {
    const dialectic::WindowArguments read = dialectic::ReadWindowArguments(raw);
    std::fputs(read.action == dialectic::WindowArguments::Action::kVersion
                   ? dialectic::WindowVersionLine().c_str()
                   : dialectic::WindowUsage().c_str(),
               stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
  }
  toolkit_handler = qInstallMessageHandler(StartUpMessage);
  QApplication application(argc, argv);
  qInstallMessageHandler(toolkit_handler);
  // The toolkit has taken its own options (-platform and the like) out of the arguments.
  const dialectic::WindowArguments read =
      dialectic::ReadWindowArguments(Arguments(QApplication::arguments()));
  if (read.action == dialectic::WindowArguments::Action::kUsageError) {
    std::fprintf(stderr, "dialectic: %s (see --help)\n", read.error.c_str());
    return 2;
  }
  // The names under which the user's settings (the recent files) are kept.
  QApplication::setOrganizationName(QStringLiteral("dialectic"));
  QApplication::setApplicationName(QStringLiteral("dialectic"));
  QApplication::setApplicationVersion(dialectic::ProgramVersion());
  dialectic::MainWindow window;
  window.show();
  if (!read.file.empty()) window.OpenTheoryFile(QFile::decodeName(read.file.c_str()));
  return application.exec();
}
