// The view of the graph's scene and its legend. The view zooms with the wheel (around the mouse)
// and by steps, fits the whole graph, pans by dragging the background, reports a click on a node
// and asks for a node's tooltip text when the mouse rests on it. The legend shows each state's
// fill and border with its caption, and the outline ring.
#pragma once

#include <QGraphicsView>
#include <QString>
#include <functional>

namespace dialectic {

class NodeItem;

class GraphView : public QGraphicsView {
  Q_OBJECT

 public:
  explicit GraphView(QWidget* parent = nullptr);

  // Multiplies the scale by the factor, within the limits of sensible zoom.
  void Zoom(double factor);
  // Shows the whole scene.
  void FitAll();
  double Scale() const { return transform().m11(); }

  // Gives the tooltip of the node at a position; empty text shows none.
  std::function<QString(int position)> NodeToolTip;

 signals:
  void NodeClicked(int position);

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  NodeItem* NodeAt(QPoint point) const;
  // Notes the node under a left press, which a release on the same node makes a click.
  void NotePress(const QMouseEvent& event);

  int pressed_node_ = -1;  // the node under the left button's press, or -1
};

class LegendBar : public QWidget {
 public:
  explicit LegendBar(QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace dialectic
