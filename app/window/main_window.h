// The program's one window: the form's controls at their fixed places over the one TForm1, which
// holds all state and behaviour. Before an event reaches a handler the window takes the user's
// input text, depth text and focus into the form; after the handler it shows the form's state in
// the controls: the text areas, the depth text, the chosen radio item and the focus. An error
// escaping a handler goes to a message box and the program goes on with the state reached.
#pragma once

#include <QWidget>
#include <filesystem>
#include <utility>
#include <vector>

#include "app/window/area_binding.h"
#include "frontend/form.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace dialectic {

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // Creates the controls and runs the form's start-up, which reads the example library from
  // examples_path (creating it when absent). A start-up error is shown once the event loop runs;
  // the window opens all the same.
  explicit MainWindow(const std::filesystem::path& examples_path = "examples.txt",
                      QWidget* parent = nullptr);

  const TForm1& form() const { return Form1; }

 protected:
  // Passes every key that goes down in Edit1 to the form, then on to the edit box.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void CreateLabels();
  // One radio button per radio item of the form, placed by hand so that a long list fits.
  void CreateRadioItems();
  void SetTabOrder();

  // Takes the controls' state into the form, runs the handler and shows the state reached.
  template <typename Handler>
  void Forward(Handler handler);
  void TakeControlState();
  void ShowState();
  void ShowRadioChoice();

  // Every control that can hold the focus with its widget; the radio group's is its chosen item
  // (the first one while none is chosen).
  std::vector<std::pair<Control, QWidget*>> FocusableControls() const;
  Control FocusedControl() const;
  void MoveFocus(Control control);

  TForm1 Form1;

  QPlainTextEdit* memo1_ = nullptr;
  QPlainTextEdit* memo2_ = nullptr;
  QPushButton* button1_ = nullptr;
  QPlainTextEdit* memo3_ = nullptr;
  QGroupBox* radio_group1_ = nullptr;
  QButtonGroup* radio_buttons_ = nullptr;  // the items of RadioGroup1; a button's id is its index
  QPlainTextEdit* memo4_ = nullptr;
  QPlainTextEdit* memo5_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QCheckBox* check_box1_ = nullptr;

  std::vector<AreaBinding> areas_;         // Memo1 ... Memo5
  Control focus_before_ = Control::kNone;  // where the focus was when the handler started
};

}  // namespace dialectic
