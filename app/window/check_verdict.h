// The status bar's verdict of the check of the last run: one line with a mark and a colour by its
// status (a green check mark when every exact preferred extension is listed, an amber warning sign
// when something is missing or wrong, grey when the run was not checked), cut to the room it has,
// the whole line in its tooltip. A click opens the check's details in a read-only dialog, which
// stays one window and shows the latest check whenever it opens. Moving the caret onto a detail
// line that shows a labeling (an exact or listed extension) offers that labeling to whoever
// colours the theory by it.
#pragma once

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
  // The verdict as shown, mark and all, before it is cut to the room.
  const QString& Verdict() const { return verdict_; }

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
  void OfferLabelingAtCaret();

  CheckReport report_;
  bool has_report_ = false;
  QString verdict_;
  QPointer<QDialog> dialog_;
  QPlainTextEdit* details_ = nullptr;  // the dialog's text, while the dialog lives
};

}  // namespace dialectic
