// The "Why?" window: an explanation of an argument's acceptance under a semantics, one line per
// sentence and per node of its tree, worked out on the explainer's thread with a Stop button. The
// whole explanation is highlighted on the graph when it arrives; selecting a line highlights what
// that line involves (a tree node: its argument, its parent and children and the attacks between
// them).
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>

#include "exact/exact_engine.h"
#include "exact/explanation.h"
#include "frontend/explanation_lines.h"
#include "model/framework.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace dialectic {

class ExplanationView : public QWidget {
  Q_OBJECT

 public:
  explicit ExplanationView(QWidget* parent = nullptr);
  // Stops the explanation on its way.
  ~ExplanationView() override;

  // Shows the window and starts explaining; an explanation on its way is given up.
  void Explain(std::shared_ptr<const Framework> framework, exact::Semantics semantics,
               exact::AcceptanceQuestion question, int argument);
  void Stop();
  // Stops and empties the view: the theory it spoke of has gone.
  void Clear();
  // The lines shown, with what each highlights; empty while working.
  const std::vector<ExplanationLine>& Lines() const { return lines_; }
  bool IsWorking() const { return working_; }

 signals:
  // An explanation has arrived, or was stopped.
  void Finished();
  // The graph should highlight these arguments and attacks.
  void HighlightChosen(const dialectic::Highlight& highlight);

 private:
  void ShowResult(ExplanationResult result);

  QLabel* status_ = nullptr;
  QListWidget* list_ = nullptr;
  QPushButton* stop_ = nullptr;
  std::vector<ExplanationLine> lines_;
  Highlight whole_;
  std::uint64_t generation_ = 0;  // of the request shown; a late result of another is dropped
  bool working_ = false;
  Explainer explainer_;  // last, so that its thread ends first
};

}  // namespace dialectic
