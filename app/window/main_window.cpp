#include "app/window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextDocument>
#include <QTimer>
#include <chrono>
#include <exception>
#include <optional>
#include <string>

#include "app/window/caption_fit.h"
#include "app/window/check_verdict.h"
#include "app/window/error_box.h"
#include "app/window/find_bar.h"
#include "app/window/line_view.h"
#include "app/window/radio_column.h"
#include "app/window/run_status.h"
#include "frontend/run.h"

namespace dialectic {

namespace {

// Where the window opens, and the size of the client area that holds the controls; the menu bar
// comes above it and the status bar below it.
constexpr QPoint kWindowPlace(11, 8);
constexpr QSize kClientSize(989, 727);

// A run that ends within this time is taken over at once, as if it had run on the window's thread:
// nothing is disabled and nothing flickers.
constexpr std::chrono::milliseconds kQuickRun(25);

constexpr QRect kMemo1Rect(0, 43, 225, 286);
constexpr QRect kMemo2Rect(0, 352, 225, 304);
constexpr QRect kButton1Rect(9, 663, 80, 27);
constexpr QRect kMemo3Rect(224, 43, 165, 613);
constexpr QRect kRadioGroup1Rect(724, 41, 208, 640);
constexpr QRect kMemo4Rect(388, 43, 164, 613);
constexpr QRect kMemo5Rect(551, 43, 165, 613);
constexpr QRect kEdit1Rect(155, 663, 70, 21);
constexpr QRect kCheckBox1Rect(224, 24, 97, 17);

struct LabelLayout {
  const char* name;
  QRect rect;
  const char* caption;
  bool wraps;
};

constexpr LabelLayout kLabels[] = {
    {"Label1", QRect(0, 0, 24, 13), "Input", false},
    {"Label3", QRect(224, 0, 28, 13), "Trace", false},
    {"Label4", QRect(376, 0, 229, 39),
     "Proof and refutation options: minimal admissible stages for or against the arguments in "
     "the theory (and a few non-minimal ones)",
     true},
    {"Label5", QRect(615, 0, 116, 26), "Grounded and preferred extensions", true},
    {"Label6", QRect(112, 672, 32, 13), "Depth:", false},
    {"Label2", QRect(0, 336, 52, 13), "Rephrased", false},
};

QPlainTextEdit* CreateMemo(QWidget* parent, const QRect& rect, bool wraps) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setGeometry(rect);
  memo->setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setHorizontalScrollBarPolicy(wraps ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
  // Tab moves on to the next control, as everywhere else in the window.
  memo->setTabChangesFocus(true);
  return memo;
}

// The view of a large result area, at the editor's place.
LineView* CreateView(QWidget* parent, const QRect& rect) {
  auto* view = new LineView(parent);
  view->setGeometry(rect);
  return view;
}

}  // namespace

MainWindow::MainWindow(const std::filesystem::path& examples_path, QWidget* parent)
    : QMainWindow(parent) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  setFont(font);
  QPalette button_face = palette();
  button_face.setColor(QPalette::Window, button_face.color(QPalette::Button));
  setPalette(button_face);
  setAutoFillBackground(true);

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("Client"));
  setCentralWidget(client);
  CreateControls(client);
  CreateLabels(client);
  find_bar_ = new FindBar(client);
  // The verdict stands left of the progress line and takes most of the bar.
  check_verdict_ = new CheckVerdict(statusBar());
  statusBar()->addWidget(check_verdict_, 3);
  connect(check_verdict_, &CheckVerdict::clicked, this, &MainWindow::ShowCheckDetails);
  run_status_ = new RunStatus(*statusBar(), *this);
  connect(run_status_, &RunStatus::ProgressShown, this, &MainWindow::ClearResults);
  stale_note_ = new QLabel(tr("Previous run: the input has changed since. F5 runs again."));
  stale_note_->setObjectName(QStringLiteral("StaleNote"));
  stale_note_->setVisible(false);
  statusBar()->addWidget(stale_note_);
  CreateMenus();
  // The window is as high as its client area and the bars around it.
  move(kWindowPlace);
  resize(kClientSize.width(),
         menuBar()->sizeHint().height() + kClientSize.height() + statusBar()->sizeHint().height());

  Form1.ExamplesPath = examples_path;
  Form1.RunStarter = [this](TForm1&) { StartRun(); };
  std::optional<std::string> start_up_error;
  try {
    Form1.FormCreate();
  } catch (const std::exception& error) {
    start_up_error = error.what();
  }
  CreateRadioItems();
  CreateFindActions();
  CreateGraph();
  CreateSemanticsPanel();
  SetTabOrder();

  for (auto& area : areas_) area->Show();
  connect(memo1_->document(), &QTextDocument::modificationChanged, this,
          &QWidget::setWindowModified);
  // A new undo step drops the redo steps an undo left, with their origins; the document reports it
  // before the change of its contents.
  connect(memo1_->document(), &QTextDocument::undoCommandAdded, this,
          [this] { input_.StepAdded(InputStep()); });
  connect(memo1_->document(), &QTextDocument::contentsChanged, this, &MainWindow::InputEdited);
  ShowTitle();
  edit1_->setText(QString::fromStdString(Form1.Edit1));
  ShowRadioChoice();
  MoveFocus(Form1.Focus);

  if (start_up_error) {
    QTimer::singleShot(0, this, [this, what = *start_up_error] { ShowErrorBox(this, what); });
  }
}

MainWindow::~MainWindow() { job_.reset(); }

void MainWindow::CreateControls(QWidget* client) {
  memo1_ = CreateMemo(client, kMemo1Rect, false);
  area_widgets_.emplace_back(memo1_, nullptr);
  area_widgets_.emplace_back(CreateMemo(client, kMemo2Rect, true), CreateView(client, kMemo2Rect));

  button1_ = new QPushButton(QStringLiteral("Do your thing"), client);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setGeometry(kButton1Rect);
  connect(button1_, &QPushButton::clicked, this,
          [this] { Forward([this] { Form1.Button1Click(); }); });

  area_widgets_.emplace_back(CreateMemo(client, kMemo3Rect, true), CreateView(client, kMemo3Rect));

  radio_group1_ = new QGroupBox(client);
  radio_group1_->setObjectName(QStringLiteral("RadioGroup1"));
  radio_group1_->setGeometry(kRadioGroup1Rect);

  area_widgets_.emplace_back(CreateMemo(client, kMemo4Rect, true), CreateView(client, kMemo4Rect));
  area_widgets_.emplace_back(CreateMemo(client, kMemo5Rect, true), CreateView(client, kMemo5Rect));

  edit1_ = new QLineEdit(client);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setGeometry(kEdit1Rect);
  edit1_->installEventFilter(this);

  check_box1_ = new QCheckBox(QStringLiteral("Show trace"), client);
  check_box1_->setObjectName(QStringLiteral("CheckBox1"));
  check_box1_->setGeometry(kCheckBox1Rect);
  // Checked as the window opens; from then on the box toggles itself and the click flips
  // ShowTrace on its own.
  check_box1_->setChecked(true);
  connect(check_box1_, &QCheckBox::clicked, this,
          [this] { Forward([this] { Form1.CheckBox1Click(); }); });

  TextArea* const areas[] = {&Form1.Memo1, &Form1.Memo2, &Form1.Memo3, &Form1.Memo4, &Form1.Memo5};
  for (std::size_t i = 0; i < area_widgets_.size(); ++i) {
    const QString name = QStringLiteral("Memo%1").arg(i + 1);
    auto [editor, view] = area_widgets_[i];
    areas_.push_back(view == nullptr
                         ? std::make_unique<AreaBinding>(*areas[i], *editor, name)
                         : std::make_unique<AreaBinding>(*areas[i], *editor, *view, name));
  }
}

void MainWindow::CreateLabels(QWidget* client) {
  for (const LabelLayout& layout : kLabels) {
    auto* label = new QLabel(QLatin1String(layout.caption), client);
    label->setObjectName(QLatin1String(layout.name));
    label->setGeometry(layout.rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(layout.wraps);
    FitLabelCaption(*label);
  }
}

void MainWindow::CreateRadioItems() {
  radio_column_ = new RadioColumn(*radio_group1_, Form1.RadioItems);
  // Every click goes to the form, also one on the chosen item: the form decides what changes.
  connect(radio_column_, &RadioColumn::ItemClicked, this, [this](int index) {
    const int chosen_before = Form1.RadioItemIndex;
    if (index != chosen_before) ForgetGraphPlaces();
    Forward([this, index] { Form1.ChooseRadioItem(index); });
    if (Form1.RadioItemIndex != chosen_before) InputReplaced({}, Format::kText);
  });
}

void MainWindow::CreateFindActions() {
  auto* find = new QAction(tr("Find"), this);
  find->setShortcut(QKeySequence::Find);
  connect(find, &QAction::triggered, this, &MainWindow::OpenFindBar);
  auto* find_next = new QAction(tr("Find next"), this);
  find_next->setShortcut(QKeySequence::FindNext);
  connect(find_next, &QAction::triggered, this, [this] { find_bar_->FindAgain(false); });
  auto* find_previous = new QAction(tr("Find previous"), this);
  find_previous->setShortcut(QKeySequence::FindPrevious);
  connect(find_previous, &QAction::triggered, this, [this] { find_bar_->FindAgain(true); });
  addActions({find, find_next, find_previous});
}

void MainWindow::SetTabOrder() {
  // An area's editor and view stand side by side in the order; only the one showing takes the
  // focus.
  const auto add_area = [this](std::vector<QWidget*>& order, std::size_t area) {
    order.push_back(area_widgets_[area].first);
    if (area_widgets_[area].second != nullptr) order.push_back(area_widgets_[area].second);
  };
  std::vector<QWidget*> order;
  add_area(order, 0);
  add_area(order, 1);
  order.push_back(button1_);
  add_area(order, 2);
  for (QRadioButton* item : radio_column_->Buttons()) order.push_back(item);
  add_area(order, 3);
  add_area(order, 4);
  order.insert(order.end(), {edit1_, check_box1_});
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (MayDropInput()) {
    QMainWindow::closeEvent(event);
  } else {
    event->ignore();
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit1_ && event->type() == QEvent::KeyPress) {
    const int qt_key = static_cast<const QKeyEvent*>(event)->key();
    // Enter and Return are the form's key 13; every other key keeps the toolkit's code, which
    // can never be 13 and which the form ignores.
    const int key = (qt_key == Qt::Key_Return || qt_key == Qt::Key_Enter) ? kEnterKey : qt_key;
    Forward([this, key] { Form1.Edit1KeyDown(key); });
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::Forward(const std::function<void()>& handler) {
  TakeControlState();
  try {
    handler();
  } catch (const std::exception& error) {
    ShowState();
    ShowErrorBox(this, error.what());
    return;
  }
  ShowState();
}

void MainWindow::TakeControlState() {
  for (auto& area : areas_) area->TakeEditorText();
  Form1.Edit1 = edit1_->text().toUtf8().toStdString();
  focus_before_ = FocusedControl();
  Form1.Focus = focus_before_;
}

void MainWindow::ShowState() {
  // The input's editor changes here only because the form's input did, and a run of it started.
  showing_state_ = true;
  for (auto& area : areas_) area->ShowChanges();
  showing_state_ = false;
  const QString edit_text = QString::fromStdString(Form1.Edit1);
  if (edit1_->text() != edit_text) edit1_->setText(edit_text);
  ShowRadioChoice();
  if (Form1.Focus != focus_before_) MoveFocus(Form1.Focus);
}

void MainWindow::ShowRadioChoice() { radio_column_->ShowChoice(Form1.RadioItemIndex); }

void MainWindow::StartRun() {
  ApplyDepth(Form1);
  const std::uint64_t run_number = ++run_number_;
  // The end notice crosses to the window's thread as an event; it finds the run taken over
  // already when the run was quick.
  const auto post_end_notice = [this, run_number] {
    QMetaObject::invokeMethod(
        this,
        [this, run_number] {
          if (run_number == run_number_ && job_ != nullptr) FinishRun();
        },
        Qt::QueuedConnection);
  };
  job_ = std::make_unique<RunJob>(Form1.Memo1, RunSettings{Form1.Depth, Form1.ShowTrace},
                                  Form1.Theory, worker_thread_, post_end_notice);
  if (job_->WaitFor(kQuickRun)) {
    FinishRun();
    return;
  }
  EnableRunControls(false);
  run_status_->Begin(job_->Context());
}

void MainWindow::FinishRun() {
  std::shared_ptr<RunJob> job(std::move(job_));
  RunResult& result = job->Result();
  SwapResultAreas(Form1, result);
  ShowResults();
  check_verdict_->ShowReport(result.Check);
  run_status_->End(result.Completed);
  input_.RunEnded();
  EnableRunControls(true);
  const std::optional<std::string> error = result.Error;
  // The job now holds the areas shown before, which may be huge. Dropping it also waits for the
  // worker, which may still be posting its end notice to the window: the window waits for the
  // drop thread before it goes.
  drop_thread_.Drop(std::move(job));
  emit RunEnded();
  if (error) ShowErrorBox(this, *error);
}

void MainWindow::ClearResults() {
  auto old = std::make_shared<RunResult>();
  SwapResultAreas(Form1, *old);
  ShowResults();
  check_verdict_->ClearReport();
  drop_thread_.Drop(std::move(old));
}

void MainWindow::ShowResults() {
  for (std::size_t i = 1; i < areas_.size(); ++i) areas_[i]->Show();
}

void MainWindow::EnableRunControls(bool enabled) {
  for (QWidget* control : {static_cast<QWidget*>(button1_), static_cast<QWidget*>(radio_group1_),
                           static_cast<QWidget*>(edit1_), static_cast<QWidget*>(check_box1_)}) {
    control->setEnabled(enabled);
  }
  for (QAction* action : file_actions_) action->setEnabled(enabled);
  ListRecentFiles();
  memo1_->setReadOnly(!enabled);
  ShowStaleness();
  if (!enabled) {
    // A disabled control gives the focus to the next one; it comes back unless the user moved it.
    focus_while_running_ = FocusedControl();
    return;
  }
  if (FocusedControl() == focus_while_running_) MoveFocus(Form1.Focus);
}

void MainWindow::ShowCheckDetails() { check_verdict_->OpenDetails(); }

void MainWindow::OpenFindBar() {
  AreaBinding* target = areas_[2].get();
  for (auto& area : areas_) {
    if (area->IsShownBy(QApplication::focusWidget())) target = area.get();
  }
  find_bar_->Open(target->Shown(), [target](const QString& text, bool backward) {
    return target->Find(text, backward);
  });
}

std::vector<std::pair<Control, QWidget*>> MainWindow::FocusableControls() const {
  QWidget* radio_item = radio_column_->FocusButton();
  return {{Control::kMemo1, &areas_[0]->Shown()}, {Control::kMemo2, &areas_[1]->Shown()},
          {Control::kButton1, button1_},          {Control::kMemo3, &areas_[2]->Shown()},
          {Control::kRadioGroup1, radio_item},    {Control::kMemo4, &areas_[3]->Shown()},
          {Control::kMemo5, &areas_[4]->Shown()}, {Control::kEdit1, edit1_},
          {Control::kCheckBox1, check_box1_}};
}

Control MainWindow::FocusedControl() const {
  const QWidget* focused = focusWidget();
  if (focused == nullptr) return Control::kNone;
  // Any item of the radio group counts as the group.
  if (focused->parentWidget() == radio_group1_) return Control::kRadioGroup1;
  for (const auto& [control, widget] : FocusableControls()) {
    if (widget == focused) return control;
  }
  return Control::kNone;
}

void MainWindow::MoveFocus(Control control) {
  for (const auto& [each, widget] : FocusableControls()) {
    if (each == control && widget != nullptr) widget->setFocus(Qt::OtherFocusReason);
  }
}

}  // namespace dialectic
