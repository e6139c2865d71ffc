#include "app/window/main_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "app/window/caption_fit.h"
#include "app/window/error_box.h"

namespace dialectic {

namespace {

constexpr QRect kWindowRect(11, 8, 989, 727);

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

// The radio items stand in one column across the group's contents. A radio button wants 19 pixels
// in the window's font; a list too long for that is pressed to fit the group's height.
constexpr int kRadioItemMargin = 4;  // above the first item and below the last
constexpr int kRadioItemPitch = 19;

QRect RadioItemRect(int index, int count, const QRect& inside) {
  const int room = inside.height() - 2 * kRadioItemMargin;
  const int pitch = std::clamp(room / std::max(count, 1), 1, kRadioItemPitch);
  const int top =
      inside.top() + kRadioItemMargin + (pitch < kRadioItemPitch ? (room - count * pitch) / 2 : 0);
  return QRect(inside.left(), top + index * pitch, inside.width(), pitch);
}

QPlainTextEdit* CreateMemo(QWidget* parent, const char* name, const QRect& rect, bool wraps) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(QLatin1String(name));
  memo->setGeometry(rect);
  memo->setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setHorizontalScrollBarPolicy(wraps ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
  // Tab moves on to the next control, as everywhere else in the window.
  memo->setTabChangesFocus(true);
  return memo;
}

}  // namespace

MainWindow::MainWindow(const std::filesystem::path& examples_path, QWidget* parent)
    : QWidget(parent) {
  setWindowTitle(QStringLiteral("Computing argumentation"));
  move(kWindowRect.topLeft());
  resize(kWindowRect.size());
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  setFont(font);
  QPalette button_face = palette();
  button_face.setColor(QPalette::Window, button_face.color(QPalette::Button));
  setPalette(button_face);
  setAutoFillBackground(true);

  CreateControls();
  CreateLabels();

  Form1.ExamplesPath = examples_path;
  std::optional<std::string> start_up_error;
  try {
    Form1.FormCreate();
  } catch (const std::exception& error) {
    start_up_error = error.what();
  }
  CreateRadioItems();
  SetTabOrder();

  for (AreaBinding& area : areas_) area.Show();
  edit1_->setText(QString::fromStdString(Form1.Edit1));
  ShowRadioChoice();
  MoveFocus(Form1.Focus);

  if (start_up_error) {
    QTimer::singleShot(0, this, [this, what = *start_up_error] { ShowErrorBox(this, what); });
  }
}

void MainWindow::CreateControls() {
  memo1_ = CreateMemo(this, "Memo1", kMemo1Rect, false);
  memo2_ = CreateMemo(this, "Memo2", kMemo2Rect, true);

  button1_ = new QPushButton(QStringLiteral("Do your thing"), this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setGeometry(kButton1Rect);
  connect(button1_, &QPushButton::clicked, this,
          [this] { Forward([this] { Form1.Button1Click(); }); });

  memo3_ = CreateMemo(this, "Memo3", kMemo3Rect, true);

  radio_group1_ = new QGroupBox(this);
  radio_group1_->setObjectName(QStringLiteral("RadioGroup1"));
  radio_group1_->setGeometry(kRadioGroup1Rect);
  radio_buttons_ = new QButtonGroup(this);
  radio_buttons_->setExclusive(true);
  // Every click goes to the form, also one on the chosen item: the form decides what changes.
  connect(radio_buttons_, &QButtonGroup::idClicked, this,
          [this](int index) { Forward([this, index] { Form1.ChooseRadioItem(index); }); });

  memo4_ = CreateMemo(this, "Memo4", kMemo4Rect, true);
  memo5_ = CreateMemo(this, "Memo5", kMemo5Rect, true);

  edit1_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setGeometry(kEdit1Rect);
  edit1_->installEventFilter(this);

  check_box1_ = new QCheckBox(QStringLiteral("Show trace"), this);
  check_box1_->setObjectName(QStringLiteral("CheckBox1"));
  check_box1_->setGeometry(kCheckBox1Rect);
  // Checked as the window opens; from then on the box toggles itself and the click flips
  // ShowTrace on its own.
  check_box1_->setChecked(true);
  connect(check_box1_, &QCheckBox::clicked, this,
          [this] { Forward([this] { Form1.CheckBox1Click(); }); });

  areas_.reserve(5);
  areas_.emplace_back(Form1.Memo1, *memo1_, true);
  areas_.emplace_back(Form1.Memo2, *memo2_, false);
  areas_.emplace_back(Form1.Memo3, *memo3_, false);
  areas_.emplace_back(Form1.Memo4, *memo4_, false);
  areas_.emplace_back(Form1.Memo5, *memo5_, false);
}

void MainWindow::CreateLabels() {
  for (const LabelLayout& layout : kLabels) {
    auto* label = new QLabel(QLatin1String(layout.caption), this);
    label->setObjectName(QLatin1String(layout.name));
    label->setGeometry(layout.rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(layout.wraps);
    FitLabelCaption(*label);
  }
}

void MainWindow::CreateRadioItems() {
  const int count = static_cast<int>(Form1.RadioItems.size());
  for (int index = 0; index < count; ++index) {
    const QString caption =
        QString::fromStdString(Form1.RadioItems[static_cast<std::size_t>(index)]);
    auto* item = new QRadioButton(caption, radio_group1_);
    item->setGeometry(RadioItemRect(index, count, radio_group1_->contentsRect()));
    if (!FitButtonCaption(*item)) item->setToolTip(caption);
    // The group is one stop in the tab order: Tab enters it at one item (the chosen one, once
    // there is a choice) and the arrow keys move within it.
    if (index > 0) item->setFocusPolicy(Qt::ClickFocus);
    radio_buttons_->addButton(item, index);
  }
}

void MainWindow::SetTabOrder() {
  std::vector<QWidget*> order = {memo1_, memo2_, button1_, memo3_};
  for (QAbstractButton* item : radio_buttons_->buttons()) order.push_back(item);
  order.insert(order.end(), {memo4_, memo5_, edit1_, check_box1_});
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit1_ && event->type() == QEvent::KeyPress) {
    const int qt_key = static_cast<const QKeyEvent*>(event)->key();
    // Enter and Return are the form's key 13; every other key keeps the toolkit's code, which
    // can never be 13 and which the form ignores.
    const int key = (qt_key == Qt::Key_Return || qt_key == Qt::Key_Enter) ? kEnterKey : qt_key;
    Forward([this, key] { Form1.Edit1KeyDown(key); });
  }
  return QWidget::eventFilter(watched, event);
}

template <typename Handler>
void MainWindow::Forward(Handler handler) {
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
  for (AreaBinding& area : areas_) area.TakeEditorText();
  Form1.Edit1 = edit1_->text().toUtf8().toStdString();
  focus_before_ = FocusedControl();
  Form1.Focus = focus_before_;
}

void MainWindow::ShowState() {
  for (AreaBinding& area : areas_) area.ShowChanges();
  const QString edit_text = QString::fromStdString(Form1.Edit1);
  if (edit1_->text() != edit_text) edit1_->setText(edit_text);
  ShowRadioChoice();
  if (Form1.Focus != focus_before_) MoveFocus(Form1.Focus);
}

void MainWindow::ShowRadioChoice() {
  if (QAbstractButton* chosen = radio_buttons_->button(Form1.RadioItemIndex)) {
    chosen->setChecked(true);
    return;
  }
  // An exclusive group keeps its checked button checked; it lets go only while not exclusive.
  if (QAbstractButton* checked = radio_buttons_->checkedButton()) {
    radio_buttons_->setExclusive(false);
    checked->setChecked(false);
    radio_buttons_->setExclusive(true);
  }
}

std::vector<std::pair<Control, QWidget*>> MainWindow::FocusableControls() const {
  QAbstractButton* chosen = radio_buttons_->checkedButton();
  QWidget* radio_item = chosen != nullptr ? chosen : radio_buttons_->button(0);
  return {{Control::kMemo1, memo1_},           {Control::kMemo2, memo2_},
          {Control::kButton1, button1_},       {Control::kMemo3, memo3_},
          {Control::kRadioGroup1, radio_item}, {Control::kMemo4, memo4_},
          {Control::kMemo5, memo5_},           {Control::kEdit1, edit1_},
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
