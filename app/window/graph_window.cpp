#include "app/window/graph_window.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStackedWidget>
#include <QSvgGenerator>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string_view>

#include "app/window/error_box.h"
#include "app/window/graph_items.h"
#include "app/window/graph_view.h"
#include "frontend/text_file.h"
#include "graph/argument_status.h"
#include "graph/theory_dot.h"

namespace dialectic {

namespace {

constexpr QSize kFirstSize(820, 620);
const char* const kGeometryKey = "graph/geometry";
// A status question that takes longer is given up, and its answers say "not settled".
constexpr int kStatusTimeLimitMs = 10000;
// The picture written as PNG: twice the scene's size, within this many pixels on each side.
constexpr double kPngScale = 2.0;
constexpr double kLargestPngSide = 12000;

// Items added to or removed from a scene in one turn of the event loop.
constexpr int kItemsPerTurn = 600;

// Deletes the scene's items a turn's worth at a time, then the scene.
void DropInPieces(QGraphicsScene* scene) {
  const QList<QGraphicsItem*> items = scene->items(Qt::AscendingOrder);
  for (qsizetype i = 0; i < std::min<qsizetype>(items.size(), kItemsPerTurn); ++i) delete items[i];
  if (items.size() > kItemsPerTurn) {
    QTimer::singleShot(0, scene, [scene] { DropInPieces(scene); });
  } else {
    scene->deleteLater();
  }
}

QSettings Settings() { return QSettings(QStringLiteral("dialectic"), QStringLiteral("dialectic")); }

QFont NodeFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(12);
  return font;
}

}  // namespace

GraphWindow::GraphWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("GraphWindow"));
  setWindowTitle(tr("Graph"));
  graph_ = std::make_shared<Framework>();
  CreateControls();
  CreateActions();
  ShowMessage(tr("No theory yet: press \"Do your thing\"."), false);
}

GraphWindow::~GraphWindow() {
  if (isVisible()) Settings().setValue(QLatin1String(kGeometryKey), saveGeometry());
  StopStatusQuestions();
  // A layout still going on is killed; its thread then reports to the window, and the report is
  // dropped with the window's pending events.
  for (Layout& layout : layouts_) layout.cancel->store(true);
  for (Layout& layout : layouts_) layout.done.wait();
}

void GraphWindow::CreateControls() {
  caption_label_ = new QLabel(this);
  caption_label_->setObjectName(QStringLiteral("GraphCaption"));
  caption_label_->setTextFormat(Qt::PlainText);
  // A long labeling line is cut off at the window's edge rather than widening the window.
  caption_label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

  note_label_ = new QLabel(this);
  note_label_->setObjectName(QStringLiteral("GraphNote"));
  note_label_->setTextFormat(Qt::PlainText);
  note_label_->setWordWrap(true);
  note_label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  note_label_->setVisible(false);

  auto* tools = new QHBoxLayout;
  tools->addWidget(caption_label_, 1);
  const auto add_tool = [this, tools](const QString& text, const QString& tip, auto slot) {
    auto* button = new QToolButton(this);
    button->setText(text);
    button->setToolTip(tip);
    connect(button, &QToolButton::clicked, this, slot);
    tools->addWidget(button);
  };
  add_tool(QStringLiteral("\u2212"), tr("Zoom out (Ctrl+-)"), &GraphWindow::ZoomOut);
  add_tool(QStringLiteral("+"), tr("Zoom in (Ctrl++)"), &GraphWindow::ZoomIn);
  add_tool(tr("Fit"), tr("Show the whole graph (Ctrl+0)"), &GraphWindow::FitAll);
  add_tool(tr("Lay out again"),
           tr("Forget where the arguments were put and lay the graph out anew"),
           &GraphWindow::LayOutAgain);
  add_tool(tr("Export\u2026"), tr("Write the picture as SVG or PNG, or the DOT text"),
           &GraphWindow::ExportWithDialog);

  scene_ = new QGraphicsScene(this);
  view_ = new GraphView(this);
  view_->setObjectName(QStringLiteral("GraphView"));
  view_->setScene(scene_);
  view_->NodeToolTip = [this](int position) { return NodeToolTip(position); };
  connect(view_, &GraphView::NodeClicked, this, [this](int position) {
    ShowStatusPanel(position);
    emit NodeClicked(position);
  });
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QWidget::customContextMenuRequested, this, &GraphWindow::ShowArgumentMenu);

  auto* message_page = new QWidget(this);
  message_ = new QLabel(message_page);
  message_->setObjectName(QStringLiteral("GraphMessage"));
  message_->setWordWrap(true);
  message_->setAlignment(Qt::AlignCenter);
  export_dot_ = new QPushButton(tr("Export DOT\u2026"), message_page);
  export_dot_->setObjectName(QStringLiteral("GraphExportDot"));
  connect(export_dot_, &QPushButton::clicked, this, &GraphWindow::ExportWithDialog);
  auto* message_layout = new QVBoxLayout(message_page);
  message_layout->addStretch();
  message_layout->addWidget(message_);
  message_layout->addWidget(export_dot_, 0, Qt::AlignCenter);
  message_layout->addStretch();

  pages_ = new QStackedWidget(this);
  pages_->addWidget(view_);
  pages_->addWidget(message_page);

  status_panel_ = new QLabel(this);
  status_panel_->setObjectName(QStringLiteral("GraphStatus"));
  status_panel_->setTextFormat(Qt::PlainText);
  // A long status wraps within the window's width rather than widening the window.
  status_panel_->setWordWrap(true);
  status_panel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  status_panel_->setText(tr("Click an argument for its status in the exact semantics."));

  legend_ = new LegendBar(this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(tools);
  layout->addWidget(note_label_);
  layout->addWidget(legend_);
  layout->addWidget(pages_, 1);
  layout->addWidget(status_panel_);
}

void GraphWindow::CreateActions() {
  const auto add_action = [this](const QKeySequence& keys, auto slot) {
    auto* action = new QAction(this);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
  };
  add_action(QKeySequence::ZoomIn, &GraphWindow::ZoomIn);
  // Ctrl+= is where Ctrl++ lies on keyboards without a keypad plus.
  add_action(QKeySequence(Qt::CTRL | Qt::Key_Equal), &GraphWindow::ZoomIn);
  add_action(QKeySequence::ZoomOut, &GraphWindow::ZoomOut);
  add_action(QKeySequence(Qt::CTRL | Qt::Key_0), &GraphWindow::FitAll);
}

void GraphWindow::SetTheory(const TTheory& theory) {
  ++generation_;
  StopStatusQuestions();
  status_.clear();
  status_panel_position_ = -1;
  status_panel_->setText(tr("Click an argument for its status in the exact semantics."));
  layout_note_.clear();
  ShowNote();
  // The layouts of earlier theories are no longer wanted.
  for (Layout& layout : layouts_) layout.cancel->store(true);
  graph_ = std::make_shared<Framework>(FrameworkOfTheory(theory));
  states_.assign(static_cast<std::size_t>(graph_->Size()), NodeState::kPlain);
  outlined_ = -1;
  caption_.clear();
  caption_label_->clear();
  highlight_ = {};
  ClearScene();
  laid_out_ = false;
  engine_.clear();
  if (IsTooLarge()) {
    layout_pending_ = false;
    ShowMessage(tr("The theory has %L1 arguments, too many to draw (at most %L2). Export its DOT "
                   "text and draw it with Graphviz.")
                    .arg(graph_->Size())
                    .arg(kLargestDrawnTheory),
                true);
    return;
  }
  ShowMessage(tr("Laying out %L1 arguments\u2026").arg(graph_->Size()), false);
  layout_pending_ = true;
  if (isVisible()) StartLayout();
}

void GraphWindow::StartLayout() {
  layout_pending_ = false;
  // Names are measured here, in the window's fonts; Graphviz only places the boxes.
  const QFontMetricsF metrics(NodeFont());
  auto labels = std::make_shared<std::vector<QString>>();
  auto input = std::make_shared<LayoutInput>();
  labels->reserve(graph_->Names().size());
  input->node_sizes.reserve(graph_->Names().size());
  for (const std::string& name : graph_->Names()) {
    labels->push_back(NodeLabel(name));
    input->node_sizes.push_back(NodeSize(labels->back(), metrics));
  }
  for (int target = 0; target < graph_->Size(); ++target) {
    for (int attacker : graph_->Graph().attackers[static_cast<std::size_t>(target)]) {
      input->attacks.emplace_back(attacker, target);
    }
  }
  if (graph_->Size() <= kLayeredLayoutLimit) {
    for (const std::string& name : graph_->Names()) {
      const auto kept = kept_places_.find(name);
      input->kept.push_back(kept == kept_places_.end()
                                ? std::nullopt
                                : std::optional(QPointF(kept->second.x, kept->second.y)));
    }
  }
  auto drawing = std::make_shared<Drawing>();
  drawing->generation = generation_;
  drawing->keeps_places = KeepsPlaces(*input);
  // Threads of layouts that have ended are joined here; the rest when the window goes.
  std::erase_if(layouts_, [](const Layout& layout) {
    return layout.done.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
  });
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  layouts_.push_back(
      {cancel, std::async(std::launch::async, [this, drawing, labels, input, cancel] {
         drawing->geometry = LayOutGraphApart(*input, *cancel);
         drawing->labels = std::move(*labels);
         drawing->sizes = std::move(input->node_sizes);
         QMetaObject::invokeMethod(
             this, [this, drawing] { ShowLayout(drawing); }, Qt::QueuedConnection);
       })});
}

void GraphWindow::Relayout() {
  ++generation_;
  StopStatusQuestions();
  for (Layout& layout : layouts_) layout.cancel->store(true);
  laid_out_ = false;
  if (IsTooLarge()) return;
  layout_pending_ = true;
  if (isVisible()) StartLayout();
}

void GraphWindow::PlaceNode(const std::string& name, QPointF centre) {
  kept_places_[name] = {centre.x(), centre.y()};
  if (std::find(graph_->Names().begin(), graph_->Names().end(), name) != graph_->Names().end()) {
    Relayout();
  }
}

void GraphWindow::LayOutAgain() {
  kept_places_.clear();
  Relayout();
}

void GraphWindow::ShowLayout(const std::shared_ptr<Drawing>& drawing) {
  if (drawing->generation != generation_) return;
  if (!drawing->geometry.laid_out) {
    ShowMessage(QString::fromStdString(drawing->geometry.error), true);
    return;
  }
  engine_ = drawing->geometry.engine;
  layout_note_ = QString::fromStdString(drawing->geometry.note);
  ShowNote();
  ClearScene();
  drawing_ = drawing;
  AddItems();
}

void GraphWindow::AddItems() {
  // The items go in a few hundred at a time, so that the window answers in between; the page
  // with the scene shows once they are all there.
  if (drawing_ == nullptr || drawing_->generation != generation_) return;
  Drawing& drawing = *drawing_;
  const std::vector<EdgeGeometry>& edges = drawing.geometry.edges;
  const QFont font = NodeFont();
  for (int added = 0; added < kItemsPerTurn; ++added) {
    if (drawing.next_edge < edges.size()) {
      scene_->addItem(new EdgeItem(edges[drawing.next_edge++]));
    } else if (nodes_.size() < drawing.labels.size()) {
      const std::size_t position = nodes_.size();
      auto* node = new NodeItem(static_cast<int>(position), drawing.labels[position], font,
                                drawing.geometry.centres[position], drawing.sizes[position]);
      scene_->addItem(node);
      nodes_.push_back(node);
    } else {
      break;
    }
  }
  if (nodes_.size() < drawing.labels.size() || drawing.next_edge < edges.size()) {
    QTimer::singleShot(0, this, &GraphWindow::AddItems);
    return;
  }
  scene_->setItemIndexMethod(QGraphicsScene::BspTreeIndex);
  scene_->setSceneRect(drawing.geometry.bounds.adjusted(-20, -20, 20, 20));
  // Every argument shown keeps its place from now on.
  if (graph_->Size() <= kLayeredLayoutLimit) {
    for (std::size_t position = 0; position < drawing.labels.size(); ++position) {
      const QPointF centre = drawing.geometry.centres[position];
      kept_places_[graph_->Names()[position]] = {centre.x(), centre.y()};
    }
  }
  const bool keeps_places = drawing.keeps_places;
  drawing_.reset();
  laid_out_ = true;
  ApplyStates();
  ApplyHighlight();
  pages_->setCurrentWidget(view_);
  // A graph whose arguments kept their places stays as the user sees it.
  if (!keeps_places) view_->FitAll();
  emit LayoutShown();
}

void GraphWindow::ClearScene() {
  // A new scene takes over at once; the old one's items go a few hundred at a time.
  nodes_.clear();
  drawing_.reset();
  QGraphicsScene* old = scene_;
  scene_ = new QGraphicsScene(this);
  view_->setScene(scene_);
  old->setItemIndexMethod(QGraphicsScene::NoIndex);
  DropInPieces(old);
}

void GraphWindow::ShowStates(std::vector<NodeState> states, int outlined, const QString& caption) {
  if (static_cast<int>(states.size()) != graph_->Size()) return;
  states_ = std::move(states);
  outlined_ = outlined;
  caption_ = caption;
  caption_label_->setText(caption_);
  ApplyStates();
}

void GraphWindow::ShowLineColouring(const LineColouring& colouring, const QString& caption) {
  if (colouring.is_labeling) {
    ShowStates(colouring.states, colouring.outlined, caption);
  } else if (colouring.outlined >= 0) {
    outlined_ = colouring.outlined;
    ApplyStates();
  }
}

bool GraphWindow::ShowLabeling(const PositionLabeling& labeling, const QString& caption) {
  const int size = graph_->Size();
  const auto outside = [size](int position) { return position < 0 || position >= size; };
  if (std::any_of(labeling.in.begin(), labeling.in.end(), outside) ||
      std::any_of(labeling.out.begin(), labeling.out.end(), outside)) {
    return false;
  }
  ShowStates(StatesOf(labeling, size), -1, caption);
  return true;
}

void GraphWindow::ApplyStates() {
  for (NodeItem* node : nodes_) {
    const auto position = static_cast<std::size_t>(node->Position());
    node->SetState(states_[position], node->Position() == outlined_);
  }
}

NodeState GraphWindow::StateOf(int position) const {
  if (!laid_out_) return NodeState::kPlain;
  return nodes_[static_cast<std::size_t>(position)]->State();
}

QColor GraphWindow::NodeFill(int position) const {
  return PaletteColour(StyleOf(StateOf(position)).fill);
}

QString GraphWindow::Caption() const { return caption_; }

void GraphWindow::MarkStale(bool stale) {
  if (stale == stale_) return;
  stale_ = stale;
  ShowNote();
}

QString GraphWindow::Note() const { return note_label_->text(); }

QString GraphWindow::StatusLine() const { return status_panel_->text(); }

void GraphWindow::ShowNote() {
  QStringList notes;
  if (stale_) notes << tr("Previous run: the input has changed since.");
  if (!layout_note_.isEmpty()) notes << layout_note_;
  note_label_->setText(notes.join(QLatin1Char(' ')));
  note_label_->setVisible(!notes.isEmpty());
}

void GraphWindow::ShowMessage(const QString& text, bool offers_dot) {
  message_->setText(text);
  export_dot_->setVisible(offers_dot);
  pages_->setCurrentIndex(1);
}

QString GraphWindow::ShownName(int position) const {
  const std::string& name = graph_->Names()[static_cast<std::size_t>(position)];
  const std::string_view shown = dialectic::ShownName(name);
  return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

QString GraphWindow::StatusOf(int position) const {
  const auto found = status_.find(position);
  return found == status_.end() ? QString() : found->second;
}

void GraphWindow::RequestStatus(int position) {
  if (status_.contains(position) || status_asked_.contains(position)) return;
  auto context = std::make_shared<RunContext>();
  status_asked_.emplace(position, context);
  QTimer::singleShot(kStatusTimeLimitMs, this, [context] { context->RequestStop(); });
  const std::uint64_t generation = generation_;
  status_thread_.Post([this, generation, position, context, graph = graph_] {
    const std::string text = StatusText(ArgumentStatus(graph->Graph(), position, *context));
    QMetaObject::invokeMethod(
        this,
        [this, generation, position, text] {
          if (generation != generation_) return;
          status_asked_.erase(position);
          status_[position] = QString::fromStdString(text);
          if (position == status_panel_position_) ShowStatusPanel(position);
          emit StatusKnown(position);
        },
        Qt::QueuedConnection);
  });
}

void GraphWindow::StopStatusQuestions() {
  for (auto& [position, context] : status_asked_) context->RequestStop();
  status_asked_.clear();
}

QString GraphWindow::NodeToolTip(int position) {
  RequestStatus(position);
  const QString status = StatusOf(position);
  return ShownName(position) + QLatin1Char('\n') +
         (status.isEmpty() ? tr("working out its status\u2026") : status);
}

void GraphWindow::ShowStatusPanel(int position) {
  status_panel_position_ = position;
  RequestStatus(position);
  const QString status = StatusOf(position);
  status_panel_->setText(ShownName(position) + QStringLiteral(" \u2014 ") +
                         (status.isEmpty()
                              ? tr("working out its status\u2026")
                              : QString(status).replace(QLatin1Char('\n'), QStringLiteral("; "))));
}

void GraphWindow::ZoomIn() { view_->Zoom(1.25); }
void GraphWindow::ZoomOut() { view_->Zoom(0.8); }
void GraphWindow::FitAll() { view_->FitAll(); }
double GraphWindow::Zoom() const { return view_->Scale(); }

QString GraphWindow::ExportTo(const QString& path) const {
  // The file's bytes are made in memory and written whole: a failed write leaves an old file as
  // it was and says why.
  const auto write = [&path](const QByteArray& bytes) -> QString {
    try {
      WriteWholeFile(std::filesystem::path(QFile::encodeName(path).toStdString()),
                     std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const FileError& error) {
      return QString::fromLocal8Bit(error.what());
    }
    return {};
  };
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("dot") || suffix == QLatin1String("gv")) {
    const bool is_coloured = std::any_of(states_.begin(), states_.end(),
                                         [](NodeState s) { return s != NodeState::kPlain; });
    const std::string dot =
        is_coloured ? TheoryDot(*graph_, states_, outlined_) : TheoryDot(*graph_, {}, outlined_);
    return write(QByteArray::fromStdString(dot));
  }
  if (suffix != QLatin1String("svg") && suffix != QLatin1String("png")) {
    return tr("%1: the name should end in .svg, .png, .dot or .gv").arg(path);
  }
  if (!laid_out_) return tr("%1: there is no picture to write; export the DOT text").arg(path);
  const QSizeF size = PictureSize();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (suffix == QLatin1String("svg")) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), size));
    svg.setTitle(caption_.isEmpty() ? tr("Graph") : caption_);
    QPainter painter;
    if (!painter.begin(&svg)) return tr("%1: the picture cannot be drawn").arg(path);
    PaintPicture(painter, size);
    painter.end();
    return write(bytes);
  }
  const double scale = std::min(kPngScale, kLargestPngSide / std::max(size.width(), size.height()));
  QImage image((size * scale).toSize(), QImage::Format_ARGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    PaintPicture(painter, size);
  }
  if (!image.save(&buffer, "PNG")) return tr("%1: the picture cannot be drawn").arg(path);
  return write(bytes);
}

QSizeF GraphWindow::PictureSize() const {
  const QSizeF scene = scene_->sceneRect().size();
  const QSize legend = legend_->sizeHint();
  return {std::max<double>(scene.width(), legend.width()), scene.height() + legend.height()};
}

void GraphWindow::PaintPicture(QPainter& painter, QSizeF size) const {
  painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
  // The legend says what the colours mean, above the graph, as the window shows it.
  LegendBar legend;
  legend.setFont(legend_->font());
  legend.resize(static_cast<int>(size.width()), legend_->sizeHint().height());
  legend.render(&painter, QPoint(0, 0), QRegion(), QWidget::DrawChildren);
  const QRectF source = scene_->sceneRect();
  scene_->render(&painter, QRectF(QPointF(0, legend.height()), source.size()), source);
}

void GraphWindow::ExportWithDialog() {
  struct Type {
    QString filter;
    const char* suffix;
  };
  std::vector<Type> types;
  if (laid_out_) {
    types.push_back({tr("SVG picture (*.svg)"), "svg"});
    types.push_back({tr("PNG picture (*.png)"), "png"});
  }
  types.push_back({tr("DOT text (*.dot *.gv)"), "dot"});
  QFileDialog dialog(this, tr("Export Graph"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  QStringList filters;
  for (const Type& type : types) filters << type.filter;
  dialog.setNameFilters(filters);
  // A name given without an ending gets the one of the type chosen, as Save As does, before the
  // dialog asks whether to replace an existing file.
  const auto suffix_of = [types](const QString& filter) {
    for (const Type& type : types) {
      if (type.filter == filter) return QLatin1String(type.suffix);
    }
    return QLatin1String(types.front().suffix);
  };
  dialog.setDefaultSuffix(suffix_of(filters.front()));
  connect(
      &dialog, &QFileDialog::filterSelected, &dialog,
      [&dialog, &suffix_of](const QString& filter) { dialog.setDefaultSuffix(suffix_of(filter)); });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().front();
  const QString error = ExportTo(path);
  if (!error.isEmpty()) ShowErrorBox(this, error.toStdString());
}

void GraphWindow::showEvent(QShowEvent* event) {
  if (!geometry_restored_) {
    geometry_restored_ = true;
    if (!restoreGeometry(Settings().value(QLatin1String(kGeometryKey)).toByteArray())) {
      resize(kFirstSize);
    }
    BringOntoScreen();
  }
  QWidget::showEvent(event);
  if (layout_pending_) StartLayout();
}

void GraphWindow::BringOntoScreen() {
  // A window counts as on a screen while a corner's worth of it shows there, enough to drag it.
  constexpr int kVisibleSide = 48;
  const QRect frame = frameGeometry();
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect shown = screen->availableGeometry().intersected(frame);
    if (shown.width() >= kVisibleSide && shown.height() >= kVisibleSide) return;
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  resize(size().boundedTo(area.size()));
  move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
}

void GraphWindow::hideEvent(QHideEvent* event) {
  Settings().setValue(QLatin1String(kGeometryKey), saveGeometry());
  QWidget::hideEvent(event);
}

}  // namespace dialectic
