#include "app/window/help_dialogs.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QtGlobal>

#include "frontend/version.h"

namespace dialectic {

namespace {

constexpr const char* kNotationHelp = QT_TRANSLATE_NOOP(
    "HelpDialogs",
    "<h3>Writing a theory</h3>"
    "<p>Write one clause per line, or several clauses on a line separated by commas. The first "
    "word of a clause names an argument; every further word names an argument that attacks it. "
    "<code>a b c</code> says that <code>b</code> and <code>c</code> attack <code>a</code>; "
    "<code>a b, b c</code> says that <code>b</code> attacks <code>a</code> and <code>c</code> "
    "attacks <code>b</code>. A clause of one word only names its argument.</p>"
    "<p>Only blanks separate words, and names are case-sensitive (<code>A</code> and "
    "<code>a</code> are two arguments). There are no keywords, comments or error messages: every "
    "text is a theory.</p>"
    "<h3>Reading the results</h3>"
    "<p>A labeling is written as its IN arguments followed by its OUT arguments in parentheses: "
    "<code>a c (b)</code> means that <code>a</code> and <code>c</code> are IN and <code>b</code> "
    "is OUT; the arguments not named are undecided. <code>(b)</code> has nothing IN, and "
    "<code>&lt;empty&gt;</code> has nothing IN and nothing OUT.</p>"
    "<p>An argument's proof options are the labelings with it IN, its refutation options those "
    "with it OUT. The grounded and preferred extensions are written the same way.</p>"
    "<p>The last style of the rephrasing lists each argument with its attacks: below the "
    "argument <code>x</code>, the line <code>x-- b</code> says that <code>b</code> attacks "
    "<code>x</code>, and the line <code>--x a</code> says that <code>x</code> attacks "
    "<code>a</code>.</p>"
    "<h3>Semantics and Why?</h3>"
    "<p><b>View &gt; Semantics</b> lists the exact extensions of the last run's theory under the "
    "semantics chosen (grounded, complete, preferred, stable, semi-stable, stage, ideal, "
    "admissible or naive), numbered and written as labelings, as they are found; Stop ends the "
    "listing and keeps what was found. Its table says whether each argument is credulously "
    "accepted (in some extension) and sceptically accepted (in every one). Selecting an "
    "extension colours the graph by it.</p>"
    "<p><b>Why?</b>, under the table for the selected argument or in an argument's context menu "
    "in the Graph window, explains the answer to the question chosen (a double click on an "
    "answer in the table explains that answer): a proof by rounds, a "
    "witness with its defence (every attacker of a proponent argument answered by a proponent "
    "argument that attacks it), the opponent's winning strategy, or a counter-example. The graph "
    "draws the arguments and attacks it involves thicker; selecting a line of a tree shows only "
    "that node's argument, the one it answers, those that answer it and their attacks.</p>");

constexpr const char* kPracticeHelp = QT_TRANSLATE_NOOP(
    "HelpDialogs",
    "<h3>Exercises</h3>"
    "<p>Exercise &gt; New Exercise writes a small generated framework into the input and runs it; "
    "Exercise on This Framework uses the framework of the last run. Choose a semantics (grounded, "
    "complete, preferred or stable) and label every argument: each click on an argument in the "
    "Graph window makes it IN (green), then OUT, then undecided again. You can also type the "
    "labeling, as <code>IN: a c OUT: b</code>; arguments not named are undecided.</p>"
    "<p>Check says whether the labeling is one of the semantics' labelings. When it is not, it "
    "names the first rule the labeling breaks, and the graph shows only the arguments involved: "
    "an IN argument attacked by an IN argument; an IN argument with an attacker that is not OUT; "
    "an OUT argument without an IN attacker; an undecided argument with an IN attacker (it should "
    "be OUT) or with only OUT attackers (it should be IN); under stable semantics, any undecided "
    "argument; under grounded semantics, a complete labeling that decides more than the least "
    "one; under preferred semantics, a complete labeling whose IN arguments a larger admissible "
    "set holds. Show an Answer fills in one right labeling. Why? explains whether the argument "
    "the check names first (else the one clicked last) can be IN under the exercise's semantics, "
    "as the Why? window explains any argument. While the Exercise window is open, the graph is "
    "not edited with the mouse: two quick clicks on an argument are two clicks.</p>"
    "<h3>Discussion games</h3>"
    "<p>Choose a game, an argument (a click on it in the Graph window between games chooses it "
    "too) and your side, press Start and play by clicking arguments in the Graph window; the "
    "program plays the other side, by a winning strategy whenever its side "
    "has one. The proponent argues for the argument and opens with it. The proponent's arguments "
    "show IN, the opponent's OUT.</p>"
    "<p><b>Grounded game.</b> The opponent plays an attacker of the proponent's last argument; "
    "the proponent answers with an attacker of the opponent's last argument. The proponent may "
    "not play an argument twice; the opponent may. The proponent can always win exactly when the "
    "argument is IN in the grounded labeling.</p>"
    "<p><b>Admissibility game</b> (credulous preferred). The opponent plays any attacker of the "
    "proponent's arguments that they do not attack yet; the proponent answers it with an "
    "attacker that neither attacks nor is attacked by any of its arguments, nor attacks itself. "
    "The proponent can always win exactly when some admissible set, and so some preferred "
    "extension, holds the argument.</p>"
    "<p>In both games the side that cannot move when it is its turn loses; the window says who "
    "won and why.</p>");

constexpr const char* kAboutText = QT_TRANSLATE_NOOP(
    "HelpDialogs",
    "<h3>dialectic %1</h3>"
    "<p>Abstract argumentation for students, teachers and researchers: the grounded extension, "
    "every argument's proof and refutation options found by a stage-by-stage dialectical search, "
    "and the preferred extensions built from them.</p>"
    "<p>Built with Qt %2.</p>");

QString Translated(const char* text) { return QCoreApplication::translate("HelpDialogs", text); }

}  // namespace

QString ProgramVersion() {
  return QString::fromLatin1(kVersion.data(), static_cast<qsizetype>(kVersion.size()));
}

void ShowNotationHelp(QWidget* parent) {
  QMessageBox box(QMessageBox::NoIcon, Translated("Input syntax and notation"),
                  Translated(kNotationHelp), QMessageBox::Ok, parent);
  box.setTextFormat(Qt::RichText);
  box.exec();
}

void ShowPracticeHelp(QWidget* parent) {
  QMessageBox box(QMessageBox::NoIcon, Translated("Exercises and discussion games"),
                  Translated(kPracticeHelp), QMessageBox::Ok, parent);
  box.setTextFormat(Qt::RichText);
  box.exec();
}

void ShowAbout(QWidget* parent) {
  QMessageBox box(QMessageBox::NoIcon, Translated("About dialectic"),
                  Translated(kAboutText).arg(ProgramVersion(), QLatin1String(qVersion())),
                  QMessageBox::Ok, parent);
  box.setTextFormat(Qt::RichText);
  box.exec();
}

}  // namespace dialectic
