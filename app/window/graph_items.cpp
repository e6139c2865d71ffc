#include "app/window/graph_items.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPathStroker>
#include <QPen>
#include <QStyleOptionGraphicsItem>
#include <algorithm>
#include <cmath>

#include "graph/shown_name.h"
#include "model/framework.h"

namespace dialectic {

namespace {

constexpr int kLongestLabel = 40;  // characters a node shows of a name
constexpr double kNodeHeight = 30;
constexpr double kArrowLength = 9;
constexpr double kArrowHalfWidth = 4;
// Below this scale a name would be a few pixels high: the cheap drawing takes over.
constexpr double kDetailedScale = 0.4;
// How much wider a highlighted node's border and a highlighted attack's line draw.
constexpr double kHighlightExtraWidth = 2.5;
constexpr double kAttackWidth = 1.2;
// What the selection is drawn in: a frame around an argument, an attack drawn thick.
constexpr std::string_view kSelectionColour = "#1e64c8";

bool IsDetailed(const QPainter* painter, const QStyleOptionGraphicsItem* option) {
  return option->levelOfDetailFromTransform(painter->worldTransform()) >= kDetailedScale;
}

// Whether every point lies within a tenth of a point of the line from the first to the last.
bool IsStraight(const std::vector<QPointF>& points) {
  const QPointF from = points.front();
  const QPointF along = points.back() - from;
  const double length = std::hypot(along.x(), along.y());
  if (length < 1e-6) return false;
  return std::all_of(points.begin(), points.end(), [&](QPointF point) {
    const QPointF d = point - from;
    return std::abs(along.x() * d.y() - along.y() * d.x()) / length < 0.1;
  });
}

}  // namespace

QColor PaletteColour(std::string_view colour) {
  return QColor(QString::fromLatin1(colour.data(), static_cast<qsizetype>(colour.size())));
}

QPen BorderPen(const NodeStyle& style) {
  QPen pen(PaletteColour(style.border));
  pen.setWidthF(style.border_width);
  switch (style.border_line) {
    case BorderLine::kDashed:
      pen.setDashPattern({4, 2});
      break;
    case BorderLine::kDotted:
      pen.setDashPattern({1, 1.5});
      break;
    case BorderLine::kSolid:
      break;
  }
  return pen;
}

QString NodeLabel(std::string_view name) {
  const std::string_view shown = ShownName(name);
  QString label = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
  if (label.size() > kLongestLabel) label = label.left(kLongestLabel - 1) + QChar(0x2026);
  return label;
}

QSizeF NodeSize(const QString& label, const QFontMetricsF& metrics) {
  // An ellipse holds a line of text of width w at its middle when it is about 1.25 w wide.
  const double text_width = metrics.horizontalAdvance(label);
  return {std::max(kNodeHeight * 1.4, text_width * 1.25 + 16), kNodeHeight};
}

NodeItem::NodeItem(int position, const QString& label, const QFont& font, QPointF centre,
                   QSizeF size)
    : position_(position), label_(label), font_(font), size_(size) {
  label_.setTextFormat(Qt::PlainText);
  label_.prepare(QTransform(), font_);
  setPos(centre);
  setZValue(1);  // above the attacks that end at its border
  setAcceptHoverEvents(true);
  // Selected arguments are what Delete and F2 act on.
  setFlag(QGraphicsItem::ItemIsSelectable);
}

void NodeItem::SetState(NodeState state, bool outlined) {
  if (state == state_ && outlined == outlined_) return;
  state_ = state;
  outlined_ = outlined;
  update();
}

void NodeItem::SetHighlighted(bool highlighted) {
  if (highlighted == highlighted_) return;
  highlighted_ = highlighted;
  update();
}

QColor NodeItem::Fill() const { return PaletteColour(StyleOf(state_).fill); }

QRectF NodeItem::Ellipse() const {
  return QRectF(-size_.width() / 2, -size_.height() / 2, size_.width(), size_.height());
}

QRectF NodeItem::boundingRect() const {
  const double margin = kOutline.gap + kOutline.width + 4;
  return Ellipse().adjusted(-margin, -margin, margin, margin);
}

QPainterPath NodeItem::shape() const {
  QPainterPath path;
  path.addEllipse(Ellipse());
  return path;
}

void NodeItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
  const NodeStyle& style = StyleOf(state_);
  const bool is_detailed = IsDetailed(painter, option);
  painter->setRenderHint(QPainter::Antialiasing, is_detailed);
  painter->setBrush(PaletteColour(style.fill));
  if (is_detailed) {
    QPen border = BorderPen(style);
    if (highlighted_) border.setWidthF(style.border_width + kHighlightExtraWidth);
    painter->setPen(border);
  } else {
    QPen border(PaletteColour(style.border));
    border.setWidthF(style.border_width + (highlighted_ ? kHighlightExtraWidth : 0));
    painter->setPen(border);
  }
  painter->drawEllipse(Ellipse());
  if (outlined_) {
    const double reach = style.border_width / 2 + kOutline.gap + kOutline.width / 2;
    QPen ring(PaletteColour(kOutline.colour));
    ring.setWidthF(kOutline.width);
    painter->setPen(ring);
    painter->setBrush(Qt::NoBrush);
    painter->drawEllipse(Ellipse().adjusted(-reach, -reach, reach, reach));
  }
  if (isSelected()) {
    QPen frame(PaletteColour(kSelectionColour));
    frame.setWidthF(1.5);
    frame.setStyle(Qt::DashLine);
    painter->setPen(frame);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(boundingRect().adjusted(2, 2, -2, -2));
  }
  if (!is_detailed) return;
  painter->setPen(PaletteColour(style.text));
  painter->setFont(font_);
  const QSizeF text = label_.size();
  painter->drawStaticText(QPointF(-text.width() / 2, -text.height() / 2), label_);
}

EdgeItem::EdgeItem(const EdgeGeometry& geometry)
    : attacker_(geometry.attacker), target_(geometry.target) {
  setFlag(QGraphicsItem::ItemIsSelectable);
  // The force layouts route straight lines, whose control points all lie on the line: drawn as
  // a line it strokes several times faster than as a curve.
  QPainterPath path(geometry.curve.front());
  if (IsStraight(geometry.curve)) {
    path.lineTo(geometry.curve.back());
  } else {
    for (std::size_t k = 1; k + 2 < geometry.curve.size(); k += 3) {
      path.cubicTo(geometry.curve[k], geometry.curve[k + 1], geometry.curve[k + 2]);
    }
  }
  setPath(path);
  QPen pen(PaletteColour(kAttackColour));
  pen.setWidthF(kAttackWidth);
  setPen(pen);

  // The arrowhead points from the curve's end to the tip; without room between them it follows
  // the curve's last direction.
  const QPointF tip = geometry.arrow_tip;
  QPointF direction = tip - geometry.curve.back();
  double length = std::hypot(direction.x(), direction.y());
  if (length < 1) {
    direction = tip - path.pointAtPercent(0.95);
    length = std::max(1.0, std::hypot(direction.x(), direction.y()));
  }
  const QPointF unit = direction / length;
  const QPointF normal(-unit.y(), unit.x());
  const QPointF back = tip - unit * std::max(length, kArrowLength);
  arrowhead_ << tip << back + normal * kArrowHalfWidth << back - normal * kArrowHalfWidth;
}

void EdgeItem::SetHighlighted(bool highlighted) {
  if (highlighted == highlighted_) return;
  highlighted_ = highlighted;
  QPen thicker = pen();
  thicker.setWidthF(highlighted ? kAttackWidth + kHighlightExtraWidth : kAttackWidth);
  setPen(thicker);
  setZValue(highlighted ? 0.5 : 0);  // above the other attacks, below the nodes
}

QRectF EdgeItem::boundingRect() const {
  return QGraphicsPathItem::boundingRect().united(arrowhead_.boundingRect()).adjusted(-2, -2, 2, 2);
}

QPainterPath EdgeItem::shape() const {
  QPainterPathStroker stroker;
  stroker.setWidth(8);
  QPainterPath band = stroker.createStroke(path());
  band.addPolygon(arrowhead_);
  return band;
}

void EdgeItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) {
  painter->setRenderHint(QPainter::Antialiasing, IsDetailed(painter, option));
  // A selected attack is drawn thick in the selection's colour rather than with a frame.
  QStyleOptionGraphicsItem plain(*option);
  plain.state &= ~QStyle::State_Selected;
  const QPen normal = pen();
  if (isSelected()) {
    QPen thick(PaletteColour(kSelectionColour));
    thick.setWidthF(3);
    painter->setPen(thick);
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(path());
  } else {
    QGraphicsPathItem::paint(painter, &plain, widget);
  }
  painter->setPen(Qt::NoPen);
  painter->setBrush(isSelected() ? PaletteColour(kSelectionColour) : normal.color());
  painter->drawPolygon(arrowhead_);
}

}  // namespace dialectic
