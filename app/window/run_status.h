// The status bar's part in a run: the progress line and the Stop button, which Escape presses too.
// A run that ends within about 0.2 s shows nothing, so that a quick run does not flicker. A longer
// one shows its progress from the run context a few times a second, and when it ends the line says
// how it ended until the next run starts. The Stop button is enabled exactly while a run is on.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "model/run_context.h"

class QAction;
class QLabel;
class QPushButton;
class QStatusBar;
class QWidget;

namespace dialectic {

class RunStatus : public QObject {
  Q_OBJECT

 public:
  // Puts the progress line and the Stop button into the bar and binds Escape in the window.
  RunStatus(QStatusBar& bar, QWidget& window);

  // A run has started; its context lives until End.
  void Begin(RunContext& context);
  // The run has ended, completed or not.
  void End(bool completed);

 signals:
  // The run has now taken long enough for its progress to show.
  void ProgressShown();

 private:
  void Update();
  void Stop();

  QLabel* line_ = nullptr;
  QPushButton* stop_button_ = nullptr;
  QAction* stop_action_ = nullptr;
  QTimer timer_;
  QElapsedTimer clock_;
  RunContext* context_ = nullptr;  // the running run's, or none
  bool shown_ = false;             // whether the running run's progress shows
};

}  // namespace dialectic
