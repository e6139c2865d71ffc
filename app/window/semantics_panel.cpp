#include "app/window/semantics_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/window/explanation_view.h"
#include "frontend/explanation_text.h"

namespace dialectic {

namespace {

// The semantics in the order the choice lists them.
constexpr exact::Semantics kChoices[] = {
    exact::Semantics::kGrounded, exact::Semantics::kComplete,   exact::Semantics::kPreferred,
    exact::Semantics::kStable,   exact::Semantics::kSemiStable, exact::Semantics::kStage,
    exact::Semantics::kIdeal,    exact::Semantics::kAdmissible, exact::Semantics::kNaive,
};

// The rows of the acceptance table; a larger theory shows its first arguments.
constexpr int kMostTableRows = 5000;
// A listed labeling longer than this many bytes is cut at a blank before it: the list lays out
// every line it paints, and the graph shows the whole labeling when the line is selected.
constexpr std::size_t kLongestListedLine = 400;

// The line, cut short with an ellipsis (in UTF-8) when long.
std::string ListedLine(std::string line) {
  if (line.size() <= kLongestListedLine) return line;
  const std::size_t blank = line.rfind(' ', kLongestListedLine);
  line.resize(blank == std::string::npos || blank == 0 ? kLongestListedLine : blank);
  return line + " \xE2\x80\xA6";
}

QString FromBytes(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Capitalised(const std::string& word) {
  QString text = FromBytes(word);
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  return text;
}

}  // namespace

SemanticsPanel::SemanticsPanel(QWidget* parent)
    : QWidget(parent, Qt::Window), listing_([this] {
        // On the listing's thread: the window takes the findings on its own, a little later.
        QMetaObject::invokeMethod(
            this,
            [this] {
              if (refresh_pending_) return;
              refresh_pending_ = true;
              // The first findings show at once, later ones at most every kRefreshMs.
              const qint64 since = since_refresh_.isValid() ? since_refresh_.elapsed() : kRefreshMs;
              refresh_timer_->start(static_cast<int>(std::max<qint64>(0, kRefreshMs - since)));
            },
            Qt::QueuedConnection);
      }) {
  setObjectName(QStringLiteral("SemanticsPanel"));
  setWindowTitle(tr("Semantics"));
  resize(620, 560);
  framework_ = std::make_shared<Framework>();
  CreateControls();
  explanation_view_ = new ExplanationView(this);
}

SemanticsPanel::~SemanticsPanel() { listing_.Stop(); }

void SemanticsPanel::CreateControls() {
  semantics_ = new QComboBox(this);
  semantics_->setObjectName(QStringLiteral("SemanticsChoice"));
  for (const exact::Semantics semantics : kChoices) {
    semantics_->addItem(Capitalised(std::string(exact::SemanticsWord(semantics))),
                        static_cast<int>(semantics));
  }
  semantics_->setCurrentIndex(2);  // preferred
  connect(semantics_, &QComboBox::currentIndexChanged, this, [this] {
    if (isVisible()) {
      StartListing();
    } else {
      listing_pending_ = true;
    }
  });
  stop_ = new QPushButton(tr("Stop"), this);
  stop_->setObjectName(QStringLiteral("SemanticsStop"));
  stop_->setEnabled(false);
  connect(stop_, &QPushButton::clicked, this, &SemanticsPanel::Stop);
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("SemanticsCount"));
  count_->setTextFormat(Qt::PlainText);
  count_->setWordWrap(true);

  extensions_ = new QListWidget(this);
  extensions_->setObjectName(QStringLiteral("SemanticsExtensions"));
  extensions_->setUniformItemSizes(true);
  connect(extensions_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0 || row >= static_cast<int>(shown_.listed.size())) return;
    emit LabelingChosen(LabelingAt(row), tr("%1 extension %2: %3")
                                             .arg(semantics_->currentText())
                                             .arg(row + 1)
                                             .arg(extensions_->item(row)->text()));
  });

  acceptance_ = new QTableWidget(0, 3, this);
  acceptance_->setObjectName(QStringLiteral("SemanticsAcceptance"));
  acceptance_->setHorizontalHeaderLabels({tr("Argument"), tr("Credulous"), tr("Sceptical")});
  acceptance_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  acceptance_->verticalHeader()->setVisible(false);
  acceptance_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  acceptance_->setSelectionBehavior(QAbstractItemView::SelectRows);
  acceptance_->setSelectionMode(QAbstractItemView::SingleSelection);

  question_ = new QComboBox(this);
  question_->setObjectName(QStringLiteral("SemanticsQuestion"));
  question_->addItem(tr("credulous"), static_cast<int>(exact::AcceptanceQuestion::kCredulous));
  question_->addItem(tr("sceptical"), static_cast<int>(exact::AcceptanceQuestion::kSceptical));
  why_ = new QPushButton(tr("Why?"), this);
  why_->setObjectName(QStringLiteral("SemanticsWhy"));
  why_->setToolTip(tr("Explain the selected argument's acceptance"));
  why_->setEnabled(false);
  connect(acceptance_, &QTableWidget::currentCellChanged, this,
          [this](int row) { why_->setEnabled(row >= 0); });
  // A double click on an answer asks why, under that answer's question.
  connect(acceptance_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
    if (column == 1 || column == 2) question_->setCurrentIndex(column - 1);
    Explain(row);
  });
  connect(why_, &QPushButton::clicked, this, [this] {
    if (acceptance_->currentRow() >= 0) Explain(acceptance_->currentRow());
  });

  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(tr("Semantics:"), this));
  top->addWidget(semantics_);
  top->addWidget(count_, 1);
  top->addWidget(stop_);
  auto* why_row = new QHBoxLayout;
  why_row->addStretch();
  why_row->addWidget(new QLabel(tr("Acceptance:"), this));
  why_row->addWidget(question_);
  why_row->addWidget(why_);
  auto* table_page = new QWidget(this);
  auto* table_layout = new QVBoxLayout(table_page);
  table_layout->setContentsMargins(0, 0, 0, 0);
  table_layout->addWidget(acceptance_, 1);
  table_layout->addLayout(why_row);
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(extensions_);
  splitter->addWidget(table_page);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(splitter, 1);

  refresh_timer_ = new QTimer(this);
  refresh_timer_->setSingleShot(true);
  connect(refresh_timer_, &QTimer::timeout, this, &SemanticsPanel::Refresh);
}

void SemanticsPanel::SetFramework(std::shared_ptr<const Framework> framework) {
  framework_ = std::move(framework);
  explanation_view_->Clear();
  listing_pending_ = true;
  if (isVisible()) StartListing();
}

void SemanticsPanel::SetSemantics(exact::Semantics semantics) {
  const int index = semantics_->findData(static_cast<int>(semantics));
  if (index != semantics_->currentIndex()) {
    semantics_->setCurrentIndex(index);  // starts the listing
  } else if (isVisible()) {
    StartListing();
  } else {
    listing_pending_ = true;
  }
}

exact::Semantics SemanticsPanel::CurrentSemantics() const {
  return static_cast<exact::Semantics>(semantics_->currentData().toInt());
}

exact::AcceptanceQuestion SemanticsPanel::CurrentQuestion() const {
  return static_cast<exact::AcceptanceQuestion>(question_->currentData().toInt());
}

void SemanticsPanel::Stop() { listing_.Stop(); }

bool SemanticsPanel::IsWorking() const {
  return shown_.state == ListingState::kListing || shown_.state == ListingState::kDeciding;
}

void SemanticsPanel::Explain(int position) {
  explanation_view_->Explain(framework_, CurrentSemantics(), CurrentQuestion(), position);
}

PositionLabeling SemanticsPanel::LabelingAt(int index) const {
  if (index < 0 || index >= static_cast<int>(shown_.listed.size())) return {};
  return ExtensionLabeling(framework_->Graph(), shown_.listed[static_cast<std::size_t>(index)]);
}

void SemanticsPanel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (listing_pending_) StartListing();
}

void SemanticsPanel::hideEvent(QHideEvent* event) {
  // Nobody sees the listing: the processor goes to other work until the window shows again.
  if (IsWorking()) {
    listing_.Stop();
    listing_pending_ = true;
  }
  QWidget::hideEvent(event);
}

void SemanticsPanel::StartListing() {
  listing_pending_ = false;
  ended_ = false;
  shown_ = {};
  shown_.state = ListingState::kListing;
  extensions_->clear();
  const int rows = std::min(framework_->Size(), kMostTableRows);
  acceptance_->clearContents();
  acceptance_->setRowCount(rows);
  for (int row = 0; row < rows; ++row) {
    acceptance_->setItem(row, 0, new QTableWidgetItem(FromBytes(framework_->NameOf(row))));
    acceptance_->setItem(row, 1, new QTableWidgetItem(QStringLiteral("\u2026")));
    acceptance_->setItem(row, 2, new QTableWidgetItem(QStringLiteral("\u2026")));
  }
  // An explanation asks the engine itself: it need not wait for the listing.
  why_->setEnabled(acceptance_->currentRow() >= 0 && acceptance_->currentRow() < rows);
  stop_->setEnabled(true);
  generation_ = listing_.Start(framework_, CurrentSemantics());
  ShowCount();
}

void SemanticsPanel::Refresh() {
  refresh_pending_ = false;
  since_refresh_.start();
  ListingSnapshot snapshot = listing_.Snapshot(shown_.listed.size());
  if (snapshot.generation != generation_) return;
  const int first_new = static_cast<int>(shown_.listed.size());
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(snapshot.listed.size()));
  for (std::size_t i = 0; i < snapshot.listed.size(); ++i) {
    const std::string line = ListedLine(LabelingLine(
        ExtensionLabeling(framework_->Graph(), snapshot.listed[i]), framework_->Names()));
    lines << QStringLiteral("%1. %2").arg(first_new + static_cast<int>(i) + 1).arg(FromBytes(line));
  }
  extensions_->addItems(lines);
  for (exact::Extension& extension : snapshot.listed) shown_.listed.push_back(std::move(extension));
  shown_.state = snapshot.state;
  shown_.found = snapshot.found;
  shown_.count_capped = snapshot.count_capped;
  shown_.generation = snapshot.generation;
  const std::vector<Acceptance> credulous_before = std::move(shown_.credulous);
  const std::vector<Acceptance> sceptical_before = std::move(shown_.sceptical);
  shown_.credulous = std::move(snapshot.credulous);
  shown_.sceptical = std::move(snapshot.sceptical);
  ShowCount();
  // Only the cells that changed are written again.
  const bool stopped = shown_.state == ListingState::kStopped;
  const auto cell_text = [stopped](Acceptance acceptance) {
    switch (acceptance) {
      case Acceptance::kYes:
        return tr("yes");
      case Acceptance::kNo:
        return tr("no");
      case Acceptance::kUnknown:
        break;
    }
    return stopped ? tr("not settled") : QStringLiteral("\u2026");
  };
  const int rows = acceptance_->rowCount();
  for (int row = 0; row < rows; ++row) {
    const auto a = static_cast<std::size_t>(row);
    if (a >= shown_.credulous.size()) break;
    if (stopped || credulous_before.size() <= a || credulous_before[a] != shown_.credulous[a]) {
      acceptance_->item(row, 1)->setText(cell_text(shown_.credulous[a]));
    }
    if (stopped || sceptical_before.size() <= a || sceptical_before[a] != shown_.sceptical[a]) {
      acceptance_->item(row, 2)->setText(cell_text(shown_.sceptical[a]));
    }
  }
  if (!IsWorking() && !ended_) {
    ended_ = true;
    stop_->setEnabled(false);
    emit ListingEnded();
  }
}

void SemanticsPanel::ShowCount() {
  const QString word = semantics_->currentText().toLower();
  const auto found = static_cast<qulonglong>(shown_.found);
  QString text;
  switch (shown_.state) {
    case ListingState::kIdle:
    case ListingState::kListing:
      text = tr("Listing the %1 extensions\u2026 %L2 found so far.").arg(word).arg(found);
      break;
    case ListingState::kDeciding:
      text = tr("At least %L1 %2 extensions; the count stopped there. Working out the acceptance "
                "left open\u2026")
                 .arg(found)
                 .arg(word);
      break;
    case ListingState::kFinished:
      text = shown_.count_capped
                 ? tr("At least %L1 %2 extensions; the count stopped there.").arg(found).arg(word)
                 : tr("%L1 %2 extension(s).").arg(found).arg(word);
      break;
    case ListingState::kStopped:
      text = tr("Stopped: %L1 %2 extension(s) found so far.").arg(found).arg(word);
      break;
  }
  if (shown_.found > kMostListed) {
    text += QLatin1Char(' ') + tr("The first %L1 are listed.").arg(kMostListed);
  }
  if (framework_->Size() > kMostTableRows) {
    text += QLatin1Char(' ') + tr("The table shows the first %L1 arguments.").arg(kMostTableRows);
  }
  count_->setText(text);
}

}  // namespace dialectic
