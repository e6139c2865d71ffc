#include "app/window/check_verdict.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <string>

namespace dialectic {

namespace {

struct StatusLook {
  const char* mark;  // UTF-8
  QColor colour;
};

StatusLook LookOf(CheckStatus status) {
  switch (status) {
    case CheckStatus::kAllListed:
      return {"\u2713", QColor(0x1e, 0x7b, 0x34)};
    case CheckStatus::kMissingOrWrong:
      return {"\u26a0", QColor(0xb0, 0x6a, 0x00)};
    case CheckStatus::kNotChecked:
      return {"\u25cb", QColor(0x6e, 0x6e, 0x6e)};
  }
  return {"", QColor()};
}

QString FromBytes(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CheckVerdict::CheckVerdict(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("CheckVerdict"));
  // The verdict takes the room the bar gives it and never widens the window.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  setCursor(Qt::PointingHandCursor);
}

void CheckVerdict::ShowReport(const CheckReport& report) {
  report_ = report;
  has_report_ = true;
  const StatusLook look = LookOf(report.status);
  verdict_ = QString::fromUtf8(look.mark) + u' ' + FromBytes(report.verdict);
  colour_ = look.colour;
  ShowColour();
  setToolTip(verdict_ + tr("\nClick for the details."));
  ShowElided();
  if (dialog_ != nullptr && dialog_->isVisible()) OpenDetails();
}

void CheckVerdict::ClearReport() {
  verdict_.clear();
  setToolTip(QString());
  ShowElided();
}

void CheckVerdict::OpenDetails() {
  if (dialog_ == nullptr) {
    dialog_ = new QDialog(window());
    dialog_->setObjectName(QStringLiteral("CheckDetailsDialog"));
    dialog_->setWindowTitle(tr("Check of the run"));
    details_ = new QPlainTextEdit(dialog_);
    details_->setObjectName(QStringLiteral("CheckDetails"));
    details_->setReadOnly(true);
    // The verdict is one long line; the details are short ones.
    details_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(details_, &QPlainTextEdit::cursorPositionChanged, this,
            &CheckVerdict::OfferLabelingAtCaret);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog_);
    connect(buttons, &QDialogButtonBox::rejected, dialog_, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog_);
    layout->addWidget(details_);
    layout->addWidget(buttons);
    dialog_->resize(640, 420);
  }
  QString text;
  if (has_report_) {
    for (const std::string& line : ReportLines(report_)) text += FromBytes(line) + u'\n';
  } else {
    text = tr("Nothing has been run yet.");
  }
  details_->setPlainText(text);
  dialog_->show();
  dialog_->raise();
  dialog_->activateWindow();
}

void CheckVerdict::OfferLabelingAtCaret() {
  if (!has_report_) return;
  // The dialog shows the verdict and a blank line above the detail lines.
  constexpr int kLinesAboveDetails = 2;
  const int detail = details_->textCursor().blockNumber() - kLinesAboveDetails;
  if (detail < 0 || detail >= static_cast<int>(report_.detail_labelings.size())) return;
  const std::optional<PositionLabeling>& labeling =
      report_.detail_labelings[static_cast<std::size_t>(detail)];
  if (!labeling) return;
  emit LabelingChosen(*labeling,
                      FromBytes(report_.details[static_cast<std::size_t>(detail)]).trimmed());
}

void CheckVerdict::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

void CheckVerdict::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  ShowElided();
}

void CheckVerdict::MarkStale(bool stale) {
  if (stale == stale_) return;
  stale_ = stale;
  ShowColour();
  ShowElided();
}

void CheckVerdict::ShowColour() {
  // The previous run's verdict is greyed, whatever it said.
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText,
                   stale_ ? LookOf(CheckStatus::kNotChecked).colour : colour_);
  setPalette(colours);
}

QString CheckVerdict::ShownVerdict() const {
  if (!stale_ || verdict_.isEmpty()) return verdict_;
  return tr("Previous run: %1").arg(verdict_);
}

void CheckVerdict::ShowElided() {
  setText(fontMetrics().elidedText(ShownVerdict(), Qt::ElideRight,
                                   std::max(0, contentsRect().width())));
}

}  // namespace dialectic
