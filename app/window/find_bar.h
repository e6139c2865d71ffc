// The small bar that finds text in one text area: a field over the bottom of the area, with
// buttons for the previous and the next place and one that closes it. Enter finds the next
// place, Shift+Enter the previous one, Escape closes the bar and gives the focus back to the
// area. A search that finds nothing colours the field.
#pragma once

#include <QFrame>
#include <QPointer>
#include <QString>
#include <functional>

class QLineEdit;

namespace dialectic {

class FindBar : public QFrame {
  Q_OBJECT

 public:
  // Finds the text from the selection on (backward or not); false when there is none.
  using Finder = std::function<bool(const QString& text, bool backward)>;

  explicit FindBar(QWidget* parent);

  // Opens the bar over the bottom of the area's widget, a sibling of the bar, with the focus in
  // its field.
  void Open(QWidget& area, Finder finder);
  void Close();
  // Finds the field's text again; an empty field finds nothing.
  void FindAgain(bool backward);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowFound(bool found);

  QLineEdit* field_ = nullptr;
  QPointer<QWidget> area_;
  Finder finder_;
};

}  // namespace dialectic
