// Helpers shared by the window's Qt tests: a window over a fresh example library, widgets found
// by name, the lines an editor shows, clicks that wait for the run they start, and the message
// boxes and file dialogs a test answers.
#pragma once

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
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

// Answers the next message box by pressing its button, noting what the box showed. The watch
// ends with the owner at the latest.
inline void AnswerNextBox(QMessageBox::StandardButton button, SeenBox* seen, QObject* owner) {
  auto* poll = new QTimer(owner);
  QObject::connect(poll, &QTimer::timeout, [poll, seen, button] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || box->button(button) == nullptr) return;
    seen->seen = true;
    seen->icon = box->icon();
    seen->text = box->text();
    box->button(button)->click();
    poll->deleteLater();
  });
  poll->start(10);
}

// Answers the next file dialog with the path, typed as its file name, in the name filter that
// starts with filter_start (none: the dialog's own choice). The watch ends with the owner at the
// latest.
inline void AnswerNextFileDialog(const QString& path, const QString& filter_start, QObject* owner) {
  auto* poll = new QTimer(owner);
  QObject::connect(poll, &QTimer::timeout, [poll, path, filter_start] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    for (const QString& filter : dialog->nameFilters()) {
      if (!filter_start.isEmpty() && filter.startsWith(filter_start)) {
        dialog->selectNameFilter(filter);
        // Choosing in the dialog's own list tells the dialog; selecting from outside does not.
        emit dialog->filterSelected(filter);
      }
    }
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name == nullptr) return;
    name->setText(path);
    static_cast<QDialog*>(dialog)->accept();  // the dialog's own accept is protected
    poll->deleteLater();
  });
  poll->start(10);
}

class WindowTestBase : public QObject {
 protected:
  // Keeps what the window remembers (QSettings) in a folder of the test's own, and the standard
  // folders in Qt's test places: for initTestCase. ClearSettings empties the folder: for init.
  void KeepSettingsApart() {
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_dir_.path());
    QStandardPaths::setTestModeEnabled(true);
  }
  static void ClearSettings() { QSettings().clear(); }

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
  // Writes the bytes to a file of that name in the window's folder; its path, or empty on failure.
  QString WriteFile(const QString& name, const QByteArray& bytes) const {
    const QString path = dir_->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
    return path;
  }
  // The file's bytes, or "(unreadable)" when it cannot be read.
  static QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
  }

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

 private:
  QTemporaryDir settings_dir_;
};

}  // namespace dialectic
