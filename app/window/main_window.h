// The program's one window: the form's controls at their fixed places over the one TForm1, which
// holds all state and behaviour, with a status bar below them. Before an event reaches a handler
// the window takes the user's input text, depth text and focus into the form; after the handler it
// shows the form's state in the controls: the input, the depth text, the chosen radio item and the
// focus. An error escaping a handler goes to a message box and the program goes on with the state
// reached.
// A run goes on the window's worker thread (RunJob) into areas of its own, so the window stays
// responsive. Until it ends, the controls that start or change a run are disabled and the form's
// theory belongs to the worker; the status bar shows the progress and can stop it. When it ends
// the run's areas replace the form's result areas and show; the old ones are dropped on a thread
// of their own. A run that ends within 25 ms is taken over at once, without any of that.
// A menu bar above the controls opens, saves and exports theory files, edits the focused area and
// explains the notation. The input's editor keeps its undo history across every replacement (an
// example, an opened file, a new theory). An InputState follows that history: undoing a
// replacement gives the input back its file, format and chosen example, and the title names the
// input's file with a mark while the input differs from what that file holds. New, Open, Open
// Recent and closing the window ask first whether to save such changes. After an edit or an undo
// the status bar, the verdict and the Graph window say that the results are the previous run's
// until the next run ends. F5 and Ctrl+Return run, as the button does.
// The worker checks every run against the exact semantics after it; the status bar shows the
// check's verdict, and a click on it (or ShowCheckDetails) shows the details.
#pragma once

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "app/window/area_binding.h"
#include "formats/formats.h"
#include "frontend/form.h"
#include "frontend/generated_theory.h"
#include "frontend/input_state.h"
#include "frontend/run_job.h"
#include "frontend/task_thread.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace dialectic {

class CheckVerdict;
class FindBar;
class GraphEditor;
class GraphWindow;
class LineView;
class RadioColumn;
class RunStatus;
class SemanticsPanel;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Creates the controls and runs the form's start-up, which reads the example library from
  // examples_path (creating it when absent). A start-up error is shown once the event loop runs;
  // the window opens all the same.
  explicit MainWindow(const std::filesystem::path& examples_path = "examples.txt",
                      QWidget* parent = nullptr);
  // Stops a run that is still going on and waits for it.
  ~MainWindow() override;

  const TForm1& form() const { return Form1; }
  bool IsRunning() const { return job_ != nullptr; }
  GraphWindow& graph_window() const { return *graph_window_; }
  SemanticsPanel& semantics_panel() const { return *semantics_panel_; }
  GraphEditor& graph_editor() const { return *graph_editor_; }

 public slots:
  // The Graph window (main_window_graph.cpp): shows it; exports what it shows into a file.
  void ShowGraph();
  void ExportGraph();
  // The Semantics window (main_window_semantics.cpp): shows it.
  void ShowSemantics();

  // The file the input was last opened from or saved to; empty when it came from none.
  QString FilePath() const;
  // Whether the input differs from what its file holds (without a file: from the text it was
  // replaced by).
  bool IsInputModified() const;
  // Whether the results shown are those of an earlier input than the one in the editor.
  bool AreResultsStale() const { return input_.AreResultsStale(); }
  // The File menu's commands once the dialog has given a file, for use while no run goes on (the
  // menu is disabled during a run). Each one shows its error in a message box and tells whether
  // it succeeded; a failed one changes nothing.
  // The file, in the format its name's ending gives, replaces the input and the run starts.
  bool OpenTheoryFile(const QString& path);
  // Writes the input to the file in the format; the file becomes the input's.
  bool SaveTheoryFile(const QString& path, Format format);
  // Writes the five areas to the file.
  bool ExportResultsFile(const QString& path);
  // An empty input replaces the input, and the run starts.
  void NewTheory();
  // The theory of the generated framework replaces the input, as New does, and the run starts.
  void NewGeneratedTheory(const GeneratorRecipe& recipe);
  // When the input holds changes not saved to its file, asks whether to save them: true when they
  // were saved or may be dropped, false when the user cancelled (or the save failed).
  bool MayDropInput();

  QAction* check_details_action() const { return check_details_action_; }

 public slots:
  // Opens the dialog with the details of the last run's check.
  void ShowCheckDetails();

 signals:
  // A run has ended and its areas show.
  void RunEnded();

 protected:
  // Passes every key that goes down in Edit1 to the form, then on to the edit box.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Closes only when the input's unsaved changes may go.
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls(QWidget* client);
  void CreateLabels(QWidget* client);
  // The radio group's column of items over the form's radio items.
  void CreateRadioItems();
  void CreateFindActions();
  void SetTabOrder();

  // The menu bar with its File, Edit, View and Help menus.
  void CreateMenus();
  void CreateFileMenu(QMenu& menu);
  // What File > New Random Framework offers next.
  GeneratorRecipe next_generated_ = FirstGeneratorRecipe();
  // The File menu's commands that ask for a file first.
  void ChooseAndOpen();
  // Asks about unsaved changes, then for the framework's recipe.
  void ChooseAndGenerate();
  // Each tells whether the input was written.
  bool Save();
  bool ChooseAndSaveAs();
  void ChooseAndExport();
  // Lists the recent files in their menu; the menu is disabled when there are none and during a
  // run.
  void ListRecentFiles();
  void OpenRecentFile(const QString& path);
  // Where a file dialog starts: the folder of the input's file, else of the latest recent file.
  QString StartFolder() const;
  // The handler replaced the input by what the file (none for an example or a new theory) gave,
  // as one undo step: it counts as unmodified there, and the title names the file.
  void InputReplaced(const QString& path, Format format);
  // The undo step the input's editor stands at.
  int InputStep() const;
  // The input's editor changed: an edit, an undo or a redo, or a replacement being shown.
  void InputEdited();
  // Shows the origin of the input at its undo step: the title, the mark and the chosen example.
  void ShowInputOrigin();
  void ShowTitle();
  // Marks the results as the previous run's while the input has changed since.
  void ShowStaleness();

  // Takes the controls' state into the form, runs the handler and shows the state reached.
  void Forward(const std::function<void()>& handler);
  void TakeControlState();
  void ShowState();
  void ShowRadioChoice();

  // The form's run starter: the depth from the depth box, then the run on a worker thread.
  void StartRun();
  // The run has ended: its areas go into the form and show.
  void FinishRun();
  // The areas of the previous run give way to empty ones while a long run goes on.
  void ClearResults();
  void ShowResults();
  void EnableRunControls(bool enabled);

  // Opens the find bar over the area that has the focus, else over the trace.
  void OpenFindBar();

  // The Graph window follows the runs and the lines chosen in the result areas.
  void CreateGraph();
  void ShowRunInGraph();
  void ShowAreaLineInGraph(std::size_t area, int line);
  void SelectHeadingOf(int position);
  // The Semantics window follows the Graph window's theory and colours and highlights the graph.
  void CreateSemanticsPanel();
  // The graph edits the input: the edited text replaces the input's as one undo step; the graph
  // shows the input's theory at once after an edit, an undo or a redo from the graph, and a short
  // pause after typing.
  void ReplaceInputFromGraph(const std::string& text);
  // Whether the graph had to be drawn anew for the input.
  bool DrawInputInGraph();
  // The headings of the arguments selected in the graph are selected in the options area.
  void SelectHeadingsOf(const std::vector<int>& positions);
  // The options area's line of the heading of the graph's argument, or -1.
  int HeadingLineOf(int position) const;
  // The places of the graph's arguments go with the theory's file: opening it takes them from its
  // side file when that belongs to the theory of the lines (else the status bar says why not),
  // saving writes them. A theory from elsewhere (new, generated, an example) is laid out afresh.
  void TakeGraphPlaces(const QString& path, const StringList& lines);
  void SaveGraphPlaces(const QString& path);
  void ForgetGraphPlaces();

  // Every control that can hold the focus with its widget; the radio group's is its chosen item
  // (the first one while none is chosen).
  std::vector<std::pair<Control, QWidget*>> FocusableControls() const;
  Control FocusedControl() const;
  void MoveFocus(Control control);

  TForm1 Form1;

  QPlainTextEdit* memo1_ = nullptr;
  QPushButton* button1_ = nullptr;
  QGroupBox* radio_group1_ = nullptr;
  RadioColumn* radio_column_ = nullptr;  // the items of RadioGroup1
  QLineEdit* edit1_ = nullptr;
  QCheckBox* check_box1_ = nullptr;
  // Each area's editor and, for the result areas, its view, in tab order.
  std::vector<std::pair<QPlainTextEdit*, LineView*>> area_widgets_;

  std::vector<std::unique_ptr<AreaBinding>> areas_;  // Memo1 ... Memo5
  Control focus_before_ = Control::kNone;            // where the focus was when the handler started
  bool showing_state_ = false;  // the input's editor changes because the form's input did

  // Runs the computations, one after another.
  TaskThread worker_thread_;
  // Destroys the areas the window lets go of, which may be huge, and the jobs that wrote them. It
  // goes before the worker, which the jobs wait for.
  TaskThread drop_thread_;
  FindBar* find_bar_ = nullptr;
  CheckVerdict* check_verdict_ = nullptr;
  RunStatus* run_status_ = nullptr;
  GraphWindow* graph_window_ = nullptr;
  SemanticsPanel* semantics_panel_ = nullptr;
  GraphEditor* graph_editor_ = nullptr;
  QTimer* input_graph_timer_ = nullptr;  // draws the input's theory once typing pauses
  // The run going on, or none. It works on Form1.Theory, so it is declared after Form1 and ends
  // before Form1 goes.
  std::unique_ptr<RunJob> job_;
  std::uint64_t run_number_ = 0;  // counts the runs started; an end notice of an older one is
                                  // dropped
  Control focus_while_running_ = Control::kNone;  // where the focus went when the controls were
                                                  // disabled

  InputState input_;    // the input's origins along the editor's undo history
  int input_step_ = 0;  // the undo step the origin shown belongs to
  QLabel* stale_note_ = nullptr;
  QMenu* recent_menu_ = nullptr;
  // The File menu's commands but Quit and the recent files; disabled during a run.
  std::vector<QAction*> file_actions_;
  QAction* check_details_action_ = nullptr;
};

}  // namespace dialectic
