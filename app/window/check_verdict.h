// The status bar's verdict of the check of the last run: one line with a mark and a colour by its
// status (a green check mark when every exact preferred extension is listed, an amber warning sign
// when something is missing or wrong, grey when the run was not checked), cut to the room it has,
// the whole line in its tooltip. A click opens the check's details in a read-only dialog, which
// stays one window and shows the latest check whenever it opens. Moving the caret onto a detail
// line that shows a labeling (an exact or listed extension) offers that labeling to whoever
// colours the theory by it.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPointer>
#include <QString>
#include <string>

#include "check/run_check.h"

class QDialog;
class QPlainTextEdit;

namespace dialectic {

class CheckVerdict : public QLabel {
  Q_OBJECT

 public:
  explicit CheckVerdict(QWidget* parent = nullptr);

  // Shows the verdict of a run's check.
  void ShowReport(const CheckReport& report);
  // Shows nothing, while a run goes on.
  void ClearReport();
  // The verdict of the latest check, mark and all.
  const QString& Verdict() const { return verdict_; }
  // Marks the verdict as the previous run's, while the input has changed since that run.
  void MarkStale(bool stale);
  // The verdict as shown, before it is cut to the room: with the mark of the previous run.
  QString ShownVerdict() const;

  // Opens the dialog with the details of the latest check, or brings it to the front.
  void OpenDetails();

 signals:
  void clicked();
  // The caret moved onto a detail line that shows a labeling: the labeling and the line itself,
  // trimmed, as a caption.
  void LabelingChosen(const dialectic::PositionLabeling& labeling, const QString& caption);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowElided();
  void ShowColour();
  void OfferLabelingAtCaret();

  CheckReport report_;
  bool has_report_ = false;
  bool stale_ = false;
  QColor colour_;  // the colour of the verdict's status
  QString verdict_;
  QPointer<QDialog> dialog_;
  QPlainTextEdit* details_ = nullptr;  // the dialog's text, while the dialog lives
};

}  // namespace dialectic
