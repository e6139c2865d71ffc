// The Semantics window (View > Semantics): the exact extensions of the current theory under the
// semantics the user picks, as numbered labelings that appear as the engine finds them, with their
// count and a Stop button, and a table of every argument's credulous and sceptical acceptance. The
// work runs on the listing's thread; the window takes what it found at most every
// kRefreshMs milliseconds, so a flood of extensions never freezes it. Only the first kMostListed
// are listed. Selecting an extension asks for it to be coloured on the graph; "Why?" explains the
// selected argument's acceptance under the question chosen, as does a double click on an answer in
// the table under that answer's question. A theory given while the window is
// hidden is listed when it shows; hiding the window stops a listing, which starts over when the
// window shows again. A new theory clears the explanation, whose positions were the old one's.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "exact/exact_engine.h"
#include "exact/explanation.h"
#include "frontend/semantics_listing.h"
#include "model/framework.h"
#include "model/position_labeling.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTimer;

namespace dialectic {

class ExplanationView;

class SemanticsPanel : public QWidget {
  Q_OBJECT

 public:
  // How often, at most, the window takes in what the listing found.
  static constexpr int kRefreshMs = 100;

  explicit SemanticsPanel(QWidget* parent = nullptr);
  ~SemanticsPanel() override;

  // A new theory: the listing starts over (at once when the window shows, else when it shows).
  void SetFramework(std::shared_ptr<const Framework> framework);
  void SetSemantics(exact::Semantics semantics);
  exact::Semantics CurrentSemantics() const;
  exact::AcceptanceQuestion CurrentQuestion() const;
  void Stop();
  // Explains the argument's acceptance under the chosen semantics and question.
  void Explain(int position);
  ExplanationView& explanation_view() const { return *explanation_view_; }

  // What the window shows, for tests and callers.
  const ListingSnapshot& Shown() const { return shown_; }
  bool IsWorking() const;
  // The labeling of the extension listed at the index.
  PositionLabeling LabelingAt(int index) const;

 signals:
  // The listing has taken in everything found, and the work has ended.
  void ListingEnded();
  // The user selected an extension: the graph should show its labeling.
  void LabelingChosen(const dialectic::PositionLabeling& labeling, const QString& caption);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateControls();
  void StartListing();
  // Takes in what the listing found since the last time.
  void Refresh();
  void ShowCount();
  void ShowAcceptance();

  std::shared_ptr<const Framework> framework_;
  bool listing_pending_ = false;  // the framework waits for the window to show
  std::uint64_t generation_ = 0;  // of the listing shown
  ListingSnapshot shown_;         // every extension listed so far, the rest as last taken
  bool refresh_pending_ = false;
  QElapsedTimer since_refresh_;  // since the last refresh; invalid before the first
  bool ended_ = false;           // ListingEnded was emitted for this listing

  QComboBox* semantics_ = nullptr;
  QPushButton* stop_ = nullptr;
  QLabel* count_ = nullptr;
  QListWidget* extensions_ = nullptr;
  QTableWidget* acceptance_ = nullptr;
  QComboBox* question_ = nullptr;
  QPushButton* why_ = nullptr;
  QTimer* refresh_timer_ = nullptr;
  ExplanationView* explanation_view_ = nullptr;
  SemanticsListing listing_;  // last, so that its thread ends first
};

}  // namespace dialectic
