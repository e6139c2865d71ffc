#include "app/window/caption_fit.h"

#include <QAbstractButton>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

namespace dialectic {

namespace {

constexpr int kNarrowestStretch = 70;
constexpr int kStretchStep = 5;

// Narrows the widget's font step by step until the caption fits or the narrowest width is
// reached; the widget keeps its own font when that fits already.
template <typename Fits>
bool NarrowUntilFit(QWidget& widget, Fits fits) {
  if (fits()) return true;
  QFont font = widget.font();
  for (int stretch = 100 - kStretchStep; stretch >= kNarrowestStretch; stretch -= kStretchStep) {
    font.setStretch(stretch);
    widget.setFont(font);
    if (fits()) return true;
  }
  return false;
}

}  // namespace

bool FitLabelCaption(QLabel& label) {
  if (!label.wordWrap()) {
    const QRect room(0, 0, QWIDGETSIZE_MAX, label.height());
    const int needed = label.fontMetrics().boundingRect(room, 0, label.text()).width();
    label.resize(std::max(label.width(), needed), label.height());
    return true;
  }
  return NarrowUntilFit(label, [&label] {
    const QRect box = label.contentsRect();
    return box.contains(label.fontMetrics().boundingRect(box, Qt::TextWordWrap, label.text()));
  });
}

bool FitButtonCaption(QAbstractButton& button) {
  return NarrowUntilFit(button, [&button] { return button.sizeHint().width() <= button.width(); });
}

}  // namespace dialectic
