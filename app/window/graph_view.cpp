#include "app/window/graph_view.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app/window/graph_items.h"

namespace dialectic {

namespace {

constexpr double kSmallestScale = 0.01;
constexpr double kLargestScale = 8.0;
constexpr double kZoomPerNotch = 1.15;  // a wheel notch of 15 degrees

// The legend's swatches: an ellipse per state, then its caption.
constexpr int kSwatchWidth = 34;
constexpr int kSwatchHeight = 16;
constexpr int kSpacing = 8;

}  // namespace

GraphView::GraphView(QWidget* parent) : QGraphicsView(parent) {
  setDragMode(QGraphicsView::ScrollHandDrag);
  setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
  setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  // Thousands of items: redraw what changed, found through the scene's index.
  setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
  // Every item sets the pen, brush and hints it draws with.
  setOptimizationFlags(QGraphicsView::DontSavePainterState);
  setBackgroundBrush(Qt::white);
}

void GraphView::Zoom(double factor) {
  const double target = std::clamp(Scale() * factor, kSmallestScale, kLargestScale);
  const double applied = target / Scale();
  scale(applied, applied);
}

void GraphView::FitAll() {
  if (scene() == nullptr) return;
  fitInView(scene()->itemsBoundingRect().adjusted(-10, -10, 10, 10), Qt::KeepAspectRatio);
  // A small graph is not blown up beyond its natural size.
  if (Scale() > 1.0) Zoom(1.0 / Scale());
}

void GraphView::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches != 0) Zoom(std::pow(kZoomPerNotch, notches));
  event->accept();
}

NodeItem* GraphView::NodeAt(QPoint point) const {
  for (QGraphicsItem* item : items(point)) {
    if (auto* node = dynamic_cast<NodeItem*>(item)) return node;
  }
  return nullptr;
}

// A click is a press and a release on the same node. A press that starts a drag (a move, an
// attack drawn) never reaches the release here: the graph's editor takes it.
void GraphView::mousePressEvent(QMouseEvent* event) {
  NotePress(*event);
  QGraphicsView::mousePressEvent(event);
}

// The second press of a double click that nothing else took: the second of two clicks.
void GraphView::mouseDoubleClickEvent(QMouseEvent* event) {
  NotePress(*event);
  QGraphicsView::mouseDoubleClickEvent(event);
}

void GraphView::NotePress(const QMouseEvent& event) {
  if (event.button() != Qt::LeftButton) return;
  const NodeItem* node = NodeAt(event.position().toPoint());
  pressed_node_ = node == nullptr ? -1 : node->Position();
}

void GraphView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const NodeItem* node = NodeAt(event->position().toPoint());
    const int pressed = pressed_node_;
    pressed_node_ = -1;
    if (node != nullptr && node->Position() == pressed) emit NodeClicked(pressed);
  }
  QGraphicsView::mouseReleaseEvent(event);
}

bool GraphView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip && NodeToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    NodeItem* node = NodeAt(help->pos());
    const QString text = node != nullptr ? NodeToolTip(node->Position()) : QString();
    if (text.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), text, viewport());
    }
    return true;
  }
  return QGraphicsView::viewportEvent(event);
}

LegendBar::LegendBar(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize LegendBar::sizeHint() const { return {600, kSwatchHeight + 10}; }

void LegendBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QFontMetrics metrics = fontMetrics();
  int x = kSpacing;
  const int top = (height() - kSwatchHeight) / 2;
  const auto swatch = [&](const NodeStyle& style, bool outlined, const QString& caption) {
    const QRectF ellipse(x + 4, top + 2, kSwatchWidth - 8, kSwatchHeight - 4);
    painter.setBrush(PaletteColour(style.fill));
    painter.setPen(BorderPen(style));
    painter.drawEllipse(ellipse);
    if (outlined) {
      QPen ring(PaletteColour(kOutline.colour));
      ring.setWidthF(kOutline.width);
      painter.setPen(ring);
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(ellipse.adjusted(-3, -3, 3, 3));
      x += 4;
    }
    x += kSwatchWidth;
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(x, 0, metrics.horizontalAdvance(caption) + 2, height()),
                     Qt::AlignVCenter, caption);
    x += metrics.horizontalAdvance(caption) + 2 * kSpacing;
  };
  for (NodeState state : kLegendStates) {
    const NodeStyle& style = StyleOf(state);
    swatch(style, false,
           QString::fromLatin1(style.caption.data(), static_cast<qsizetype>(style.caption.size())));
  }
  swatch(StyleOf(NodeState::kPlain), true, tr("options of this argument"));
}

}  // namespace dialectic
