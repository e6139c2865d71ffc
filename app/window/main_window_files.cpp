// The window's menu bar and its file commands: opening, saving and exporting theory files, the
// recent files and the title that names the input's file.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTextDocument>
#include <array>
#include <string>

#include "app/window/edit_actions.h"
#include "app/window/error_box.h"
#include "app/window/help_dialogs.h"
#include "app/window/main_window.h"
#include "frontend/results_export.h"
#include "frontend/theory_file.h"

namespace dialectic {

namespace {

constexpr const char* kProgramTitle = "Computing argumentation";

// The user's settings key of the recent files, most recent first.
constexpr const char* kRecentFilesKey = "recentFiles";
constexpr int kMostRecentFiles = 8;

struct FileType {
  Format format;
  const char* description;
  const char* patterns;  // the names a file dialog lists for the type
  const char* suffix;    // appended to a name given without one
};

constexpr std::array<FileType, 4> kFileTypes = {{
    {Format::kText, QT_TRANSLATE_NOOP("MainWindow", "Theories in the line syntax"), "*.txt", "txt"},
    {Format::kI23, QT_TRANSLATE_NOOP("MainWindow", "i23 frameworks"), "*.i23 *.af", "i23"},
    {Format::kApx, QT_TRANSLATE_NOOP("MainWindow", "APX frameworks"), "*.apx", "apx"},
    {Format::kTgf, QT_TRANSLATE_NOOP("MainWindow", "TGF frameworks"), "*.tgf", "tgf"},
}};

const FileType& FileTypeOf(Format format) {
  for (const FileType& type : kFileTypes) {
    if (type.format == format) return type;
  }
  return kFileTypes.front();
}

// The type as a file dialog's name filter: "APX frameworks (*.apx)".
QString Filter(const FileType& type) {
  return QStringLiteral("%1 (%2)").arg(MainWindow::tr(type.description),
                                       QLatin1String(type.patterns));
}

const FileType& FileTypeOfFilter(const QString& filter) {
  for (const FileType& type : kFileTypes) {
    if (Filter(type) == filter) return type;
  }
  return kFileTypes.front();
}

std::filesystem::path FileSystemPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

Format FormatOfName(const QString& path) { return FormatOfPath(QFile::encodeName(path).data()); }

// The format a file is saved in: the one its name's ending gives when the ending is one of the
// formats', else the one chosen in the dialog. So "x.apx" is always APX, and "x.theory" takes the
// chosen format.
Format FormatForSaving(const QString& path, Format chosen) {
  const Format named = FormatOfName(path);
  const bool names_text =
      QFileInfo(path).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0;
  return named != Format::kText || names_text ? named : chosen;
}

QStringList RecentFiles() {
  return QSettings().value(QLatin1String(kRecentFilesKey)).toStringList();
}

void SetRecentFiles(QStringList paths) {
  while (paths.size() > kMostRecentFiles) paths.removeLast();
  QSettings().setValue(QLatin1String(kRecentFilesKey), paths);
}

// The file goes to the top of the recent files, once.
void AddRecentFile(const QString& path) {
  QStringList paths = RecentFiles();
  const QString full = QFileInfo(path).absoluteFilePath();
  paths.removeAll(full);
  paths.prepend(full);
  SetRecentFiles(paths);
}

void RemoveRecentFile(const QString& path) {
  QStringList paths = RecentFiles();
  paths.removeAll(path);
  SetRecentFiles(paths);
}

}  // namespace

void MainWindow::CreateMenus() {
  QMenuBar* bar = menuBar();
  CreateFileMenu(*bar->addMenu(tr("&File")));

  QMenu* edit = bar->addMenu(tr("&Edit"));
  new EditActions(*edit, *this);

  QMenu* view = bar->addMenu(tr("&View"));
  QAction* graph = view->addAction(tr("&Graph"), this, &MainWindow::ShowGraph);
  graph->setObjectName(QStringLiteral("actionGraph"));
  graph->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  check_details_action_ =
      view->addAction(tr("&Check Details"), this, &MainWindow::ShowCheckDetails);
  check_details_action_->setObjectName(QStringLiteral("actionCheckDetails"));

  QMenu* help = bar->addMenu(tr("&Help"));
  QAction* notation =
      help->addAction(tr("&Input Syntax and Notation"), this, [this] { ShowNotationHelp(this); });
  notation->setObjectName(QStringLiteral("actionNotation"));
  notation->setShortcut(QKeySequence::HelpContents);
  QAction* about = help->addAction(tr("&About dialectic"), this, [this] { ShowAbout(this); });
  about->setObjectName(QStringLiteral("actionAbout"));
}

void MainWindow::CreateFileMenu(QMenu& menu) {
  // Not every desktop has standard keys for Save As and Quit; these are the usual ones.
  const QKeySequence save_as_key(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
  const QKeySequence quit_key(Qt::CTRL | Qt::Key_Q);
  const auto add = [this, &menu](const QString& caption, const char* name, auto slot,
                                 const QKeySequence& key) {
    QAction* action = menu.addAction(caption, this, slot);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(key);
    file_actions_.push_back(action);
  };
  add(tr("&New"), "actionNew", &MainWindow::NewTheory, QKeySequence::New);
  add(tr("&Open..."), "actionOpen", &MainWindow::ChooseAndOpen, QKeySequence::Open);
  recent_menu_ = menu.addMenu(tr("Open &Recent"));
  recent_menu_->menuAction()->setObjectName(QStringLiteral("actionRecent"));
  connect(&menu, &QMenu::aboutToShow, this, &MainWindow::ListRecentFiles);
  menu.addSeparator();
  add(tr("&Save"), "actionSave", &MainWindow::Save, QKeySequence::Save);
  add(tr("Save &As..."), "actionSaveAs", &MainWindow::ChooseAndSaveAs, save_as_key);
  add(tr("&Export Results..."), "actionExport", &MainWindow::ChooseAndExport, QKeySequence());
  QAction* export_graph = menu.addAction(tr("Export &Graph..."), this, &MainWindow::ExportGraph);
  export_graph->setObjectName(QStringLiteral("actionExportGraph"));
  menu.addSeparator();
  QAction* quit = menu.addAction(tr("&Quit"), this, &QWidget::close);
  quit->setObjectName(QStringLiteral("actionQuit"));
  quit->setShortcut(quit_key);
  ListRecentFiles();
}

bool MainWindow::OpenTheoryFile(const QString& path) {
  const Format format = FormatOfName(path);
  const TheoryFileRead read = ReadTheoryFile(FileSystemPath(path), format);
  if (!read.ok()) {
    ShowErrorBox(this, read.error);
    return false;
  }
  Forward([this, &read] { Form1.ReplaceInput(read.lines); });
  SetInputFile(path, format);
  AddRecentFile(path);
  return true;
}

bool MainWindow::SaveTheoryFile(const QString& path, Format format) {
  std::string error;
  // Forwarding takes the editor's text into the input first.
  Forward([this, &error, &path, format] {
    error = WriteTheoryFile(FileSystemPath(path), Form1.Memo1, format);
  });
  if (!error.empty()) {
    ShowErrorBox(this, error);
    return false;
  }
  SetInputFile(path, format);
  AddRecentFile(path);
  return true;
}

bool MainWindow::ExportResultsFile(const QString& path) {
  bool exported = false;
  // A file error escapes the handler into the window's message box.
  Forward([this, &exported, &path] {
    ExportResults(Form1, FileSystemPath(path));
    exported = true;
  });
  return exported;
}

void MainWindow::NewTheory() {
  Forward([this] { Form1.ReplaceInput({}); });
  SetInputFile({}, Format::kText);
}

void MainWindow::ChooseAndOpen() {
  QStringList patterns;
  QStringList filters;
  for (const FileType& type : kFileTypes) {
    filters << Filter(type);
    patterns << QLatin1String(type.patterns);
  }
  filters.prepend(tr("All theory files (%1)").arg(patterns.join(QLatin1Char(' '))));
  filters << tr("All files (*)");
  const QString path =
      QFileDialog::getOpenFileName(this, tr("Open Theory"), StartFolder(), filters.join(";;"));
  if (!path.isEmpty()) OpenTheoryFile(path);
}

void MainWindow::Save() {
  if (file_path_.isEmpty()) {
    ChooseAndSaveAs();
  } else {
    SaveTheoryFile(file_path_, file_format_);
  }
}

void MainWindow::ChooseAndSaveAs() {
  QFileDialog dialog(this, tr("Save Theory As"), StartFolder());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  QStringList filters;
  for (const FileType& type : kFileTypes) filters << Filter(type);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(Filter(FileTypeOf(file_format_)));
  dialog.setDefaultSuffix(QLatin1String(FileTypeOf(file_format_).suffix));
  if (!file_path_.isEmpty()) dialog.selectFile(QFileInfo(file_path_).fileName());
  // A name given without an ending gets the one of the format chosen, before the dialog asks
  // whether to replace an existing file.
  connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    dialog.setDefaultSuffix(QLatin1String(FileTypeOfFilter(filter).suffix));
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().front();
  SaveTheoryFile(path, FormatForSaving(path, FileTypeOfFilter(dialog.selectedNameFilter()).format));
}

void MainWindow::ChooseAndExport() {
  const QString path = QFileDialog::getSaveFileName(this, tr("Export Results"), StartFolder(),
                                                    tr("Text files (*.txt);;All files (*)"));
  if (!path.isEmpty()) ExportResultsFile(path);
}

void MainWindow::ListRecentFiles() {
  recent_menu_->clear();
  const QStringList paths = RecentFiles();
  for (qsizetype i = 0; i < paths.size(); ++i) {
    const QString& path = paths[i];
    recent_menu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)),
                            this, [this, path] { OpenRecentFile(path); });
  }
  if (!paths.isEmpty()) {
    recent_menu_->addSeparator();
    recent_menu_->addAction(tr("&Clear Recent Files"), this, [this] {
      SetRecentFiles({});
      ListRecentFiles();
    });
  }
  recent_menu_->menuAction()->setEnabled(!paths.isEmpty() && !IsRunning());
}

void MainWindow::OpenRecentFile(const QString& path) {
  // A file that is gone leaves the list once the user has been told.
  if (!OpenTheoryFile(path) && !QFileInfo::exists(path)) RemoveRecentFile(path);
}

QString MainWindow::StartFolder() const {
  if (!file_path_.isEmpty()) return QFileInfo(file_path_).absolutePath();
  const QStringList recent = RecentFiles();
  if (!recent.isEmpty()) return QFileInfo(recent.front()).absolutePath();
  return QDir::currentPath();
}

void MainWindow::SetInputFile(const QString& path, Format format) {
  file_path_ = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
  file_format_ = format;
  memo1_->document()->setModified(false);
  ShowTitle();
}

void MainWindow::ShowTitle() {
  const QString title = QLatin1String(kProgramTitle);
  // The mark [*] shows as "*" while the window is modified, and not at all otherwise.
  setWindowTitle(file_path_.isEmpty()
                     ? title + QLatin1String("[*]")
                     : QFileInfo(file_path_).fileName() + QLatin1String("[*] - ") + title);
}

}  // namespace dialectic
