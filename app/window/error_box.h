// The message box that reports an error escaping the form's start-up or one of its handlers: a
// stop icon and the error's text, ending in a full stop. The program goes on once it is closed.
#pragma once

#include <QString>
#include <string_view>

class QWidget;

namespace dialectic {

// The error's UTF-8 text as the box shows it, with a full stop appended when it has none.
QString ErrorBoxText(std::string_view what);

// Shows the box over the parent and waits until the user closes it.
void ShowErrorBox(QWidget* parent, std::string_view what);

}  // namespace dialectic
