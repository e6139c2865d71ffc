// The window's menu bar and its file commands: opening, saving and exporting theory files, the
// recent files and the title that names the input's file.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTextDocument>
#include <array>
#include <string>

#include "app/window/check_verdict.h"
#include "app/window/edit_actions.h"
#include "app/window/error_box.h"
#include "app/window/exercise_window.h"
#include "app/window/graph_window.h"
#include "app/window/help_dialogs.h"
#include "app/window/main_window.h"
#include "app/window/random_framework_dialog.h"
#include "frontend/generated_theory.h"
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

Format FormatOfName(const QString& path) {
  return FormatOfFile(QFile::encodeName(path).data(), std::nullopt, Format::kText);
}

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

  QMenu* run = bar->addMenu(tr("&Run"));
  QAction* run_action = run->addAction(tr("&Do Your Thing"), this, [this] {
    if (button1_->isEnabled()) button1_->click();
  });
  run_action->setObjectName(QStringLiteral("actionRun"));
  // F5 is the usual key to run; Ctrl+Return runs from within the input, where Return is a line.
  run_action->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return),
                            QKeySequence(Qt::CTRL | Qt::Key_Enter)});
  file_actions_.push_back(run_action);

  QMenu* view = bar->addMenu(tr("&View"));
  QAction* graph = view->addAction(tr("&Graph"), this, &MainWindow::ShowGraph);
  graph->setObjectName(QStringLiteral("actionGraph"));
  graph->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  QAction* semantics = view->addAction(tr("&Semantics"), this, &MainWindow::ShowSemantics);
  semantics->setObjectName(QStringLiteral("actionSemantics"));
  semantics->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
  check_details_action_ =
      view->addAction(tr("&Check Details"), this, &MainWindow::ShowCheckDetails);
  check_details_action_->setObjectName(QStringLiteral("actionCheckDetails"));
  check_details_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));

  QMenu* help = bar->addMenu(tr("&Help"));
  QAction* notation =
      help->addAction(tr("&Input Syntax and Notation"), this, [this] { ShowNotationHelp(this); });
  notation->setObjectName(QStringLiteral("actionNotation"));
  notation->setShortcut(QKeySequence::HelpContents);
  QAction* about = help->addAction(tr("&About dialectic"), this, [this] { ShowAbout(this); });
  about->setObjectName(QStringLiteral("actionAbout"));
  AddExerciseMenu(*this, *bar, *help);
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
  add(
      tr("&New"), "actionNew",
      [this] {
        if (MayDropInput()) NewTheory();
      },
      QKeySequence::New);
  add(tr("New &Random Framework..."), "actionNewRandom", &MainWindow::ChooseAndGenerate,
      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
  add(tr("&Open..."), "actionOpen", &MainWindow::ChooseAndOpen, QKeySequence::Open);
  recent_menu_ = menu.addMenu(tr("Open &Recent"));
  recent_menu_->menuAction()->setObjectName(QStringLiteral("actionRecent"));
  connect(&menu, &QMenu::aboutToShow, this, &MainWindow::ListRecentFiles);
  menu.addSeparator();
  add(tr("&Save"), "actionSave", &MainWindow::Save, QKeySequence::Save);
  add(tr("Save &As..."), "actionSaveAs", &MainWindow::ChooseAndSaveAs, save_as_key);
  add(tr("&Export Results..."), "actionExport", &MainWindow::ChooseAndExport,
      QKeySequence(Qt::CTRL | Qt::Key_E));
  QAction* export_graph = menu.addAction(tr("Export &Graph..."), this, &MainWindow::ExportGraph);
  export_graph->setObjectName(QStringLiteral("actionExportGraph"));
  export_graph->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
  menu.addSeparator();
  QAction* quit = menu.addAction(tr("&Quit"), this, &QWidget::close);
  quit->setObjectName(QStringLiteral("actionQuit"));
  quit->setShortcut(quit_key);
  // The key quits from the Graph window too, as it does in every window of a program.
  quit->setShortcutContext(Qt::ApplicationShortcut);
  ListRecentFiles();
}

bool MainWindow::OpenTheoryFile(const QString& path) {
  const Format format = FormatOfName(path);
  const TheoryFileRead read = ReadTheoryFile(FileSystemPath(path), format);
  if (!read.ok()) {
    ShowErrorBox(this, read.error);
    return false;
  }
  TakeGraphPlaces(path, read.lines);
  Forward([this, &read] { Form1.ReplaceInput(read.lines); });
  InputReplaced(path, format);
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
  input_.Saved(InputStep(), QFileInfo(path).absoluteFilePath().toStdString(), format);
  SaveGraphPlaces(path);
  ShowInputOrigin();
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
  ForgetGraphPlaces();
  Forward([this] { Form1.ReplaceInput({}); });
  InputReplaced({}, Format::kText);
}

void MainWindow::NewGeneratedTheory(const GeneratorRecipe& recipe) {
  ForgetGraphPlaces();
  Forward([this, &recipe] { Form1.ReplaceInput(GeneratedTheoryLines(recipe)); });
  InputReplaced({}, Format::kText);
  next_generated_ = NextGeneratorRecipe(recipe);
}

void MainWindow::ChooseAndGenerate() {
  if (!MayDropInput()) return;
  RandomFrameworkDialog dialog(next_generated_, this);
  if (dialog.exec() == QDialog::Accepted) NewGeneratedTheory(dialog.Recipe());
}

bool MainWindow::MayDropInput() {
  if (!IsInputModified()) return true;
  const QString file = FilePath();
  const QString where = file.isEmpty() ? tr("The input has changes that are not saved to a file.")
                                       : tr("The input has changes that are not saved to %1.")
                                             .arg(QDir::toNativeSeparators(file));
  // The file commands wait while a run goes on, and so does saving.
  const bool can_save = !IsRunning();
  QMessageBox box(QMessageBox::Warning, QLatin1String(kProgramTitle),
                  where + (can_save ? tr(" Save them?") : tr(" Drop them?")),
                  (can_save ? QMessageBox::Save : QMessageBox::NoButton) | QMessageBox::Discard |
                      QMessageBox::Cancel,
                  this);
  box.setObjectName(QStringLiteral("SaveChangesBox"));
  box.setDefaultButton(can_save ? QMessageBox::Save : QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return Save();
    case QMessageBox::Discard:
      return true;
    default:
      return false;
  }
}

void MainWindow::ChooseAndOpen() {
  if (!MayDropInput()) return;
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

bool MainWindow::Save() {
  // The text goes to the file it belongs to at its undo step, never to one it was not read from
  // or written to.
  const InputOrigin& origin = input_.OriginAt(InputStep());
  if (origin.file.empty()) return ChooseAndSaveAs();
  return SaveTheoryFile(QString::fromStdString(origin.file), origin.format);
}

bool MainWindow::ChooseAndSaveAs() {
  const QString file_path = FilePath();
  const Format file_format = input_.OriginAt(InputStep()).format;
  QFileDialog dialog(this, tr("Save Theory As"), StartFolder());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  QStringList filters;
  for (const FileType& type : kFileTypes) filters << Filter(type);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(Filter(FileTypeOf(file_format)));
  dialog.setDefaultSuffix(QLatin1String(FileTypeOf(file_format).suffix));
  if (!file_path.isEmpty()) dialog.selectFile(QFileInfo(file_path).fileName());
  // A name given without an ending gets the one of the format chosen, before the dialog asks
  // whether to replace an existing file.
  connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    dialog.setDefaultSuffix(QLatin1String(FileTypeOfFilter(filter).suffix));
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const QString path = dialog.selectedFiles().front();
  return SaveTheoryFile(
      path, FormatForSaving(path, FileTypeOfFilter(dialog.selectedNameFilter()).format));
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
                            this, [this, path] {
                              if (MayDropInput()) OpenRecentFile(path);
                            });
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
  const QString file_path = FilePath();
  if (!file_path.isEmpty()) return QFileInfo(file_path).absolutePath();
  const QStringList recent = RecentFiles();
  if (!recent.isEmpty()) return QFileInfo(recent.front()).absolutePath();
  return QDir::currentPath();
}

QString MainWindow::FilePath() const {
  return QString::fromStdString(input_.OriginAt(InputStep()).file);
}

bool MainWindow::IsInputModified() const { return input_.IsModifiedAt(InputStep()); }

int MainWindow::InputStep() const { return memo1_->document()->availableUndoSteps(); }

void MainWindow::InputReplaced(const QString& path, Format format) {
  const std::string file =
      path.isEmpty() ? std::string() : QFileInfo(path).absoluteFilePath().toStdString();
  input_.Replaced(InputStep(), file, format, Form1.RadioItemIndex);
  ShowInputOrigin();
}

void MainWindow::InputEdited() {
  // A replacement being shown belongs to the run it started; its handler records its origin.
  if (showing_state_) return;
  input_.InputChanged();
  ShowStaleness();
  const QTextDocument& document = *memo1_->document();
  // A change that leaves nothing to undo or redo set the text anew (clear, setPlainText).
  if (document.availableUndoSteps() == 0 && document.availableRedoSteps() == 0) {
    input_.HistoryCleared(input_step_);
    ShowInputOrigin();
  } else if (InputStep() != input_step_) {
    ShowInputOrigin();
  }
}

void MainWindow::ShowInputOrigin() {
  input_step_ = InputStep();
  const InputOrigin& origin = input_.OriginAt(input_step_);
  Form1.RadioItemIndex = origin.example;
  ShowRadioChoice();
  // The editor's own mark follows; set at an unmodified step, it also keeps the next keystroke
  // from merging into that step's edit.
  memo1_->document()->setModified(input_.IsModifiedAt(input_step_));
  setWindowModified(memo1_->document()->isModified());
  ShowTitle();
}

void MainWindow::ShowTitle() {
  const QString title = QLatin1String(kProgramTitle);
  const QString file_path = FilePath();
  // The mark [*] shows as "*" while the window is modified, and not at all otherwise.
  setWindowTitle(file_path.isEmpty()
                     ? title + QLatin1String("[*]")
                     : QFileInfo(file_path).fileName() + QLatin1String("[*] - ") + title);
}

void MainWindow::ShowStaleness() {
  const bool stale = input_.AreResultsStale() && !IsRunning();
  stale_note_->setVisible(stale);
  check_verdict_->MarkStale(stale);
  graph_window_->MarkStale(stale);
}

}  // namespace dialectic
