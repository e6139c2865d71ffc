#include "app/window/explanation_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "frontend/explanation_text.h"

namespace dialectic {

ExplanationView::ExplanationView(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("ExplanationView"));
  setWindowTitle(tr("Why?"));
  resize(560, 420);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("ExplanationStatus"));
  status_->setTextFormat(Qt::PlainText);
  status_->setWordWrap(true);
  stop_ = new QPushButton(tr("Stop"), this);
  stop_->setObjectName(QStringLiteral("ExplanationStop"));
  stop_->setEnabled(false);
  connect(stop_, &QPushButton::clicked, this, &ExplanationView::Stop);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("ExplanationLines"));
  list_->setFont(QFont(QStringLiteral("DejaVu Sans Mono")));
  // A proof of thousands of nodes lists without measuring each line.
  list_->setUniformItemSizes(true);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row < static_cast<int>(lines_.size())) {
      emit HighlightChosen(lines_[static_cast<std::size_t>(row)].highlight);
    }
  });
  auto* top = new QHBoxLayout;
  top->addWidget(status_, 1);
  top->addWidget(stop_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(list_, 1);
}

ExplanationView::~ExplanationView() { explainer_.Stop(); }

void ExplanationView::Explain(std::shared_ptr<const Framework> framework,
                              exact::Semantics semantics, exact::AcceptanceQuestion question,
                              int argument) {
  if (argument < 0 || argument >= framework->Size()) return;
  lines_.clear();
  list_->clear();
  working_ = true;
  stop_->setEnabled(true);
  const std::string& name = framework->NameOf(argument);
  status_->setText(tr("Why is %1 %2 accepted under %3 semantics? Working it out\u2026")
                       .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                            question == exact::AcceptanceQuestion::kCredulous ? tr("credulously")
                                                                              : tr("sceptically"),
                            QString::fromStdString(std::string(exact::SemanticsWord(semantics)))));
  show();
  raise();
  generation_ = explainer_.Start(
      std::move(framework), semantics, question, argument, [this](ExplanationResult result) {
        QMetaObject::invokeMethod(
            this, [this, result = std::move(result)]() mutable { ShowResult(std::move(result)); },
            Qt::QueuedConnection);
      });
}

void ExplanationView::Stop() { explainer_.Stop(); }

void ExplanationView::Clear() {
  explainer_.Stop();
  generation_ = 0;  // no request has it: a result still on its way is dropped
  working_ = false;
  stop_->setEnabled(false);
  lines_.clear();
  whole_ = {};
  list_->clear();
  status_->setText(tr("The theory has changed: ask Why? again."));
}

void ExplanationView::ShowResult(ExplanationResult result) {
  if (result.generation != generation_) return;
  working_ = false;
  stop_->setEnabled(false);
  if (result.stopped) {
    status_->setText(tr("Stopped before the explanation was complete."));
    emit Finished();
    return;
  }
  lines_ = std::move(result.lines);
  whole_ = std::move(result.whole);
  status_->setText(tr("Select a line to see on the graph what it involves."));
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(lines_.size()));
  for (const ExplanationLine& line : lines_) {
    texts << QString::fromUtf8(line.text.data(), static_cast<qsizetype>(line.text.size()));
  }
  list_->addItems(texts);
  emit HighlightChosen(whole_);
  emit Finished();
}

}  // namespace dialectic
