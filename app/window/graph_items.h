// The items of the graph's scene: a node per argument, drawn in the style of its state (fill,
// text colour, border line and width from the palette) with its shown name and, when outlined, a
// ring around it; an attack as the curve Graphviz routed, ending in an arrowhead. A node changes
// state without moving, so recolouring needs no new layout. Zoomed far out, where names could not
// be read, items draw without names, dash patterns and smoothing, so that thousands paint fast.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QGraphicsPathItem>
#include <QPainterPath>
#include <QStaticText>
#include <QString>

#include "app/window/graph_layout.h"
#include "graph/node_palette.h"
#include "graph/node_states.h"

namespace dialectic {

// A "#RRGGBB" colour of the palette.
QColor PaletteColour(std::string_view colour);

// The pen of a state's border, widths in scene points.
QPen BorderPen(const NodeStyle& style);

class NodeItem : public QGraphicsItem {
 public:
  // The node of the argument at the position, centred on the point, of the given size.
  NodeItem(int position, const QString& label, const QFont& font, QPointF centre, QSizeF size);

  int Position() const { return position_; }
  NodeState State() const { return state_; }
  bool IsOutlined() const { return outlined_; }
  // Changes the look only where it changed.
  void SetState(NodeState state, bool outlined);
  QColor Fill() const;
  // A highlighted node draws its border thicker.
  void SetHighlighted(bool highlighted);
  bool IsHighlighted() const { return highlighted_; }

  QRectF boundingRect() const override;
  QPainterPath shape() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  QRectF Ellipse() const;

  int position_;
  QStaticText label_;  // laid out once, drawn often
  QFont font_;
  QSizeF size_;
  NodeState state_ = NodeState::kPlain;
  bool outlined_ = false;
  bool highlighted_ = false;
};

class EdgeItem : public QGraphicsPathItem {
 public:
  explicit EdgeItem(const EdgeGeometry& geometry);

  int Attacker() const { return attacker_; }
  int Target() const { return target_; }
  // A highlighted attack draws thicker, above the others.
  void SetHighlighted(bool highlighted);
  bool IsHighlighted() const { return highlighted_; }

  // A band a few points wide along the curve, so that a thin arrow can be clicked.
  QPainterPath shape() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
  QRectF boundingRect() const override;

 private:
  QPolygonF arrowhead_;
  int attacker_ = 0;
  int target_ = 0;
  bool highlighted_ = false;
};

// The text a node shows for a name: its shown part, cut short with an ellipsis when very long.
QString NodeLabel(std::string_view name);

// The size of the node that shows the label in the font the metrics are of.
QSizeF NodeSize(const QString& label, const QFontMetricsF& metrics);

}  // namespace dialectic
