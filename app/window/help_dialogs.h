// The Help menu's boxes: how to write a theory and read the results (the input syntax, the
// labeling notation of the result areas and the attack lines of the rephrasing), the rules of
// exercises and discussion games, and the program's name, version and purpose.
#pragma once

#include <QString>

class QWidget;

namespace dialectic {

// The version of this build, as the build system gives it ("1.0.0").
QString ProgramVersion();

// Shows the notation box over the parent and waits until the user closes it.
void ShowNotationHelp(QWidget* parent);
// Shows the rules of exercises and discussion games over the parent and waits until the user
// closes it.
void ShowPracticeHelp(QWidget* parent);
// Shows the About box over the parent and waits until the user closes it.
void ShowAbout(QWidget* parent);

}  // namespace dialectic
