// Helpers shared by the window's Qt tests: a window over a fresh example library, widgets found
// by name, the lines an editor shows, clicks that wait for the run they start, and the message
// boxes a test closes.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/window/main_window.h"

namespace dialectic {

// The lines as the editor shows them, every character as it stands.
inline QStringList Lines(const QPlainTextEdit* memo) {
  return memo->document()->toRawText().split(QChar::ParagraphSeparator);
}

// The area's lines as shown.
inline QStringList AreaLines(const LineList& area) {
  QStringList lines;
  for (std::string_view line : area) {
    lines << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
  }
  return lines;
}

// What a message box showed before the test closed it.
struct SeenBox {
  bool seen = false;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString text;
};

// Closes the next modal box as soon as it appears, noting what it showed. The watch ends with the
// owner at the latest.
inline void CloseNextBox(SeenBox* seen, QObject* owner) {
  auto* poll = new QTimer(owner);
  QObject::connect(poll, &QTimer::timeout, [poll, seen] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      seen->icon = box->icon();
      seen->text = box->text();
    }
    seen->seen = true;
    modal->close();
    poll->deleteLater();
  });
  poll->start(10);
}

class WindowTestBase : public QObject {
 protected:
  // A window over a fresh temporary folder, shown and active.
  std::unique_ptr<MainWindow> OpenWindow() {
    dir_ = std::make_unique<QTemporaryDir>();
    auto window = std::make_unique<MainWindow>(ExamplesFile().toStdString());
    window->show();
    // Without a window manager (Xvfb) a window becomes active only when asked.
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) return nullptr;
    return window;
  }
  QString ExamplesFile() const { return dir_->filePath(QStringLiteral("examples.txt")); }

  template <typename T>
  static T* Find(const QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
  }
  static QRadioButton* Item(const QWidget& window, const QString& caption) {
    for (QRadioButton* item : window.findChildren<QRadioButton*>()) {
      if (item->text() == caption) return item;
    }
    return nullptr;
  }
  // Whether the run started last has ended, waiting for it as long as a slow machine may need.
  [[nodiscard]] static bool RunEnds(const MainWindow& window) {
    return QTest::qWaitFor([&window] { return !window.IsRunning(); }, 60000);
  }
  // Clicks the item on its indicator, where a click always counts, and waits for the run.
  [[nodiscard]] static bool Choose(const MainWindow& window, QRadioButton* item) {
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(6, item->height() / 2));
    return RunEnds(window);
  }
  static void SetInput(const QWidget& window, const QString& text) {
    auto* memo1 = Find<QPlainTextEdit>(window, "Memo1");
    memo1->clear();
    QTest::keyClicks(memo1, text);
  }
  [[nodiscard]] static bool ClickButton1(const MainWindow& window) {
    QTest::mouseClick(Find<QPushButton>(window, "Button1"), Qt::LeftButton);
    return RunEnds(window);
  }

  std::unique_ptr<QTemporaryDir> dir_;
};

}  // namespace dialectic
