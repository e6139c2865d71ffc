#include "app/window/run_status.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>
#include <chrono>

#include "frontend/progress_text.h"

namespace dialectic {

namespace {

// A run shows its progress once it has taken this long, and updates it at this pace.
constexpr std::chrono::milliseconds kQuietTime(200);
constexpr std::chrono::milliseconds kUpdateInterval(200);

}  // namespace

RunStatus::RunStatus(QStatusBar& bar, QWidget& window) : QObject(&window) {
  line_ = new QLabel(&bar);
  line_->setObjectName(QStringLiteral("ProgressLine"));
  bar.addWidget(line_, 1);
  stop_button_ = new QPushButton(tr("Stop"), &bar);
  stop_button_->setObjectName(QStringLiteral("StopButton"));
  stop_button_->setToolTip(tr("Stop the run (Escape)"));
  stop_button_->setFocusPolicy(Qt::NoFocus);
  stop_button_->setEnabled(false);
  bar.addPermanentWidget(stop_button_);
  connect(stop_button_, &QPushButton::clicked, this, &RunStatus::Stop);

  // Escape stops a run wherever the focus is in the window, and means nothing else meanwhile.
  stop_action_ = new QAction(tr("Stop"), &window);
  stop_action_->setShortcut(Qt::Key_Escape);
  stop_action_->setShortcutContext(Qt::WindowShortcut);
  stop_action_->setEnabled(false);
  window.addAction(stop_action_);
  connect(stop_action_, &QAction::triggered, this, &RunStatus::Stop);

  timer_.setInterval(kUpdateInterval);
  connect(&timer_, &QTimer::timeout, this, &RunStatus::Update);
}

void RunStatus::Begin(RunContext& context) {
  context_ = &context;
  shown_ = false;
  clock_.start();
  line_->clear();
  stop_button_->setEnabled(true);
  stop_action_->setEnabled(true);
  timer_.start(kQuietTime);
}

void RunStatus::End(bool completed) {
  timer_.stop();
  context_ = nullptr;
  stop_button_->setEnabled(false);
  stop_action_->setEnabled(false);
  const std::chrono::milliseconds elapsed(clock_.elapsed());
  line_->setText(shown_ ? QString::fromStdString(EndLine(completed, elapsed)) : QString());
  shown_ = false;
}

void RunStatus::Update() {
  if (context_ == nullptr) return;
  if (!shown_) {
    shown_ = true;
    timer_.setInterval(kUpdateInterval);
    emit ProgressShown();
  }
  const std::chrono::milliseconds elapsed(clock_.elapsed());
  line_->setText(QString::fromStdString(
      ProgressLine(context_->CurrentProgress(), elapsed, context_->StopRequested())));
}

void RunStatus::Stop() {
  if (context_ == nullptr) return;
  context_->RequestStop();
  Update();
}

}  // namespace dialectic
