#include "app/window/find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <utility>

namespace dialectic {

namespace {

constexpr int kBarHeight = 24;
// The field's colour when the text is nowhere in the area.
constexpr QColor kNotFoundColor(255, 200, 200);

QToolButton* CreateButton(QWidget* parent, Qt::ArrowType arrow, const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setToolTip(tip);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

FindBar::FindBar(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("FindBar"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  field_ = new QLineEdit(this);
  field_->setObjectName(QStringLiteral("FindField"));
  field_->setPlaceholderText(tr("Find"));
  field_->installEventFilter(this);
  QToolButton* previous = CreateButton(this, Qt::UpArrow, tr("Previous (Shift+Enter)"));
  QToolButton* next = CreateButton(this, Qt::DownArrow, tr("Next (Enter)"));
  auto* close = new QToolButton(this);
  close->setText(QStringLiteral("\u00d7"));
  close->setToolTip(tr("Close (Escape)"));
  close->setAutoRaise(true);
  close->setFocusPolicy(Qt::NoFocus);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 1, 2, 1);
  layout->setSpacing(1);
  layout->addWidget(field_, 1);
  layout->addWidget(previous);
  layout->addWidget(next);
  layout->addWidget(close);

  connect(previous, &QToolButton::clicked, this, [this] { FindAgain(true); });
  connect(next, &QToolButton::clicked, this, [this] { FindAgain(false); });
  connect(close, &QToolButton::clicked, this, &FindBar::Close);
  connect(field_, &QLineEdit::textEdited, this, [this] { ShowFound(true); });
  hide();
}

void FindBar::Open(QWidget& area, Finder finder) {
  area_ = &area;
  finder_ = std::move(finder);
  const QRect place = area.geometry();
  setGeometry(place.left(), place.bottom() + 1 - kBarHeight, place.width(), kBarHeight);
  ShowFound(true);
  show();
  raise();
  field_->setFocus(Qt::ShortcutFocusReason);
  field_->selectAll();
}

void FindBar::Close() {
  hide();
  if (area_ != nullptr && area_->isVisible()) area_->setFocus(Qt::OtherFocusReason);
}

void FindBar::FindAgain(bool backward) {
  if (!finder_ || field_->text().isEmpty()) return;
  ShowFound(finder_(field_->text(), backward));
}

void FindBar::ShowFound(bool found) {
  QPalette colours = field_->palette();
  colours.setColor(QPalette::Base, found ? palette().color(QPalette::Base) : kNotFoundColor);
  field_->setPalette(colours);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched != field_) return QFrame::eventFilter(watched, event);
  const bool is_key =
      event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
  if (!is_key) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  const bool is_enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (key->key() != Qt::Key_Escape && !is_enter) return false;
  // Escape and Enter belong to the field, whatever the window binds them to.
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();
    return true;
  }
  if (key->key() == Qt::Key_Escape) {
    Close();
  } else {
    FindAgain((key->modifiers() & Qt::ShiftModifier) != 0);
  }
  return true;
}

}  // namespace dialectic
