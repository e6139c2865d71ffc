// The radio group's items: one column of radio buttons in the group's box. While every caption
// fits, each has a button of its own, pressed closer for a long list down to the pitch at which an
// item stays readable; past that, the box holds as many buttons as whole rows fit beside a scroll
// bar, and scrolling shows other captions on the same buttons. Only the rows in view exist, so a
// library of any size opens at once, and the captions stay in the form's list, never copied.
// A button's id in the button group is its row; the item it shows is the first shown plus the row.
#pragma once

#include <QObject>
#include <vector>

#include "model/string_list.h"

class QButtonGroup;
class QGroupBox;
class QRadioButton;
class QScrollBar;

namespace dialectic {

class RadioColumn : public QObject {
  Q_OBJECT

 public:
  // Fills the group's box with the captions' buttons; the captions must outlive the column.
  RadioColumn(QGroupBox& group, const StringList& captions);

  // The buttons in view, top to bottom.
  const std::vector<QRadioButton*>& Buttons() const { return buttons_; }
  // The item shown on the top row.
  int FirstShown() const;
  // Scrolls as little as needed to bring the item into view.
  void ScrollTo(int index);
  // Shows the item as chosen, or none for an index outside the items, without scrolling.
  void ShowChoice(int index);
  // The button that stands for the group in the tab order: the chosen item's when it is in view,
  // else the top one; none without items.
  QRadioButton* FocusButton() const;

 signals:
  // The user clicked the item's button (also when it is the chosen item).
  void ItemClicked(int index);

 protected:
  // The wheel over the buttons scrolls; Up on the top row and Down on the bottom row scroll by one
  // row and, as the arrow keys do within the group, choose the item they reach when the focused
  // one was chosen.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowRows();
  bool ScrollByRowForKey(int row, int key);

  QGroupBox& group_;
  const StringList& captions_;
  QButtonGroup* button_group_ = nullptr;
  QScrollBar* scroll_bar_ = nullptr;  // shown only when the captions do not all fit
  std::vector<QRadioButton*> buttons_;
  int chosen_ = -1;
};

}  // namespace dialectic
