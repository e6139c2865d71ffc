#include "app/window/radio_column.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "app/window/caption_fit.h"

namespace dialectic {

namespace {

// A radio button wants 19 pixels in the window's font; a list too long for that is pressed closer,
// down to the font's height and 4 pixels, below which a caption can no longer be read.
constexpr int kItemMargin = 4;  // above the first row and below the last
constexpr int kItemPitch = 19;
constexpr int kReadableSpace = 4;

}  // namespace

RadioColumn::RadioColumn(QGroupBox& group, const StringList& captions)
    : QObject(&group), group_(group), captions_(captions) {
  button_group_ = new QButtonGroup(this);
  button_group_->setExclusive(true);
  connect(button_group_, &QButtonGroup::idClicked, this,
          [this](int row) { emit ItemClicked(FirstShown() + row); });

  const int count = static_cast<int>(captions_.size());
  QRect inside = group_.contentsRect();
  const int room = inside.height() - 2 * kItemMargin;
  const int readable_pitch = group_.fontMetrics().height() + kReadableSpace;
  int pitch = std::clamp(room / std::max(count, 1), readable_pitch, kItemPitch);
  int rows = count;
  int top = inside.top() + kItemMargin;
  if (count * pitch > room) {
    // Too many to press into the box: whole rows at the readable pitch, beside a scroll bar.
    pitch = readable_pitch;
    rows = room / pitch;
    scroll_bar_ = new QScrollBar(Qt::Vertical, &group_);
    const int bar_width = scroll_bar_->sizeHint().width();
    scroll_bar_->setGeometry(inside.right() + 1 - bar_width, inside.top(), bar_width,
                             inside.height());
    scroll_bar_->setRange(0, count - rows);
    scroll_bar_->setPageStep(rows);
    scroll_bar_->setSingleStep(1);
    inside.setRight(inside.right() - bar_width);
    connect(scroll_bar_, &QScrollBar::valueChanged, this, &RadioColumn::ShowRows);
    group_.installEventFilter(this);
  } else if (pitch < kItemPitch) {
    top += (room - count * pitch) / 2;
  }
  for (int row = 0; row < rows; ++row) {
    auto* button = new QRadioButton(&group_);
    button->setGeometry(inside.left(), top + row * pitch, inside.width(), pitch);
    // The group is one stop in the tab order: Tab enters it at one item (the chosen one, once
    // there is a choice) and the arrow keys move within it.
    if (row > 0) button->setFocusPolicy(Qt::ClickFocus);
    button->installEventFilter(this);
    button_group_->addButton(button, row);
    buttons_.push_back(button);
  }
  ShowRows();
}

int RadioColumn::FirstShown() const { return scroll_bar_ != nullptr ? scroll_bar_->value() : 0; }

void RadioColumn::ScrollTo(int index) {
  if (scroll_bar_ == nullptr) return;
  const int rows = static_cast<int>(buttons_.size());
  if (index < FirstShown()) {
    scroll_bar_->setValue(index);
  } else if (index >= FirstShown() + rows) {
    scroll_bar_->setValue(index - rows + 1);
  }
}

void RadioColumn::ShowChoice(int index) {
  chosen_ = index >= 0 && index < static_cast<int>(captions_.size()) ? index : -1;
  const int row = chosen_ - FirstShown();
  if (QAbstractButton* button = button_group_->button(row); button != nullptr && chosen_ >= 0) {
    button->setChecked(true);
    return;
  }
  // An exclusive group keeps its checked button checked; it lets go only while not exclusive.
  if (QAbstractButton* checked = button_group_->checkedButton()) {
    button_group_->setExclusive(false);
    checked->setChecked(false);
    button_group_->setExclusive(true);
  }
}

QRadioButton* RadioColumn::FocusButton() const {
  if (buttons_.empty()) return nullptr;
  const int row = chosen_ - FirstShown();
  if (chosen_ >= 0 && row >= 0 && row < static_cast<int>(buttons_.size())) {
    return buttons_[static_cast<std::size_t>(row)];
  }
  return buttons_.front();
}

void RadioColumn::ShowRows() {
  const int first = FirstShown();
  for (std::size_t row = 0; row < buttons_.size(); ++row) {
    QRadioButton& button = *buttons_[row];
    const QString caption =
        QString::fromStdString(captions_[static_cast<std::size_t>(first) + row]);
    if (button.text() == caption) continue;
    button.setText(caption);
    // Each caption starts from the group's font; a narrowed one would carry over otherwise.
    button.setFont(QFont());
    button.setToolTip(FitButtonCaption(button) ? QString() : caption);
  }
  ShowChoice(chosen_);
}

bool RadioColumn::ScrollByRowForKey(int row, int key) {
  const int last_row = static_cast<int>(buttons_.size()) - 1;
  const int step = key == Qt::Key_Up && row == 0            ? -1
                   : key == Qt::Key_Down && row == last_row ? 1
                                                            : 0;
  if (step == 0 || scroll_bar_ == nullptr) return false;
  const int item = FirstShown() + row + step;
  if (item < 0 || item >= static_cast<int>(captions_.size())) return false;
  const bool was_chosen = FirstShown() + row == chosen_;
  scroll_bar_->setValue(FirstShown() + step);
  if (was_chosen) emit ItemClicked(item);
  return true;
}

bool RadioColumn::eventFilter(QObject* watched, QEvent* event) {
  if (scroll_bar_ != nullptr && event->type() == QEvent::Wheel) {
    QCoreApplication::sendEvent(scroll_bar_, event);
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    const int row = button_group_->id(qobject_cast<QAbstractButton*>(watched));
    if (row >= 0) return ScrollByRowForKey(row, static_cast<QKeyEvent*>(event)->key());
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace dialectic
