// File > New Random Framework: the dialog's fields, the theory it writes into the input (the one
// that dialectic-cli --generate writes for the same recipe), the undo step and the
// question about unsaved edits.
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <sstream>

#include "app/cli/command_line.h"
#include "app/window/random_framework_dialog.h"
#include "tests/window/window_test_support.h"

namespace dialectic {

class RandomFrameworkTest : public WindowTestBase {
  Q_OBJECT

 private:
  static QAction* Action(const QWidget& window, const char* name) {
    return window.findChild<QAction*>(QLatin1String(name));
  }

  // Sets the dialog's fields to the recipe.
  static void Fill(RandomFrameworkDialog& dialog, const GeneratorRecipe& recipe) {
    auto* kind = Find<QComboBox>(dialog, "GeneratorKind");
    kind->setCurrentIndex(kind->findData(QString::fromStdString(recipe.kind)));
    Find<QSpinBox>(dialog, "GeneratorCount")->setValue(recipe.count);
    for (std::size_t i = 0; i < recipe.parameters.size(); ++i) {
      const QByteArray name = QStringLiteral("GeneratorParameter%1").arg(i).toLatin1();
      Find<QDoubleSpinBox>(dialog, name.constData())->setValue(recipe.parameters[i]);
    }
    Find<QSpinBox>(dialog, "GeneratorSeed")->setValue(static_cast<int>(recipe.seed));
  }
  static QPushButton* OkButton(const RandomFrameworkDialog& dialog) {
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
  }

  struct SeenDialog {
    bool seen = false;
    GeneratorRecipe offered;
  };
  // Answers the next New Random Framework dialog: notes what it offered, fills in the
  // recipe and presses OK, or Cancel without one.
  static void AnswerNextDialog(const std::optional<GeneratorRecipe>& recipe, SeenDialog* seen,
                               QObject* owner) {
    auto* poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, [poll, recipe, seen] {
      auto* dialog = qobject_cast<RandomFrameworkDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      seen->seen = true;
      seen->offered = dialog->Recipe();
      if (recipe) {
        Fill(*dialog, *recipe);
        OkButton(*dialog)->click();
      } else {
        dialog->reject();
      }
      poll->deleteLater();
    });
    poll->start(10);
  }

  static std::string CommandLineTheory(const QString& recipe) {
    std::istringstream in;
    std::ostringstream out, err;
    const int code = RunCommandLine({"--generate", recipe.toStdString()}, in, out, err);
    return code == 0 ? out.str() : "exit " + std::to_string(code) + ": " + err.str();
  }

 private slots:
  void initTestCase() { KeepSettingsApart(); }
  void init() { ClearSettings(); }

  void TheDialogWritesTheCommandLinesTheoryAsOneUndoStep_data() {
    QTest::addColumn<QString>("recipe_text");
    for (const char* recipe :
         {"er:12:0.3:seed=5", "ba:15:2:seed=2", "ws:10:4:0.2:seed=9", "grid:9:0.5:seed=4",
          "even-cycles:3:4:seed=1", "odd-cycles:2:3:seed=1", "chain:5:seed=1", "tree:7:3:seed=3"}) {
      QTest::newRow(recipe) << QString::fromLatin1(recipe);
    }
  }
  void TheDialogWritesTheCommandLinesTheoryAsOneUndoStep() {
    QFETCH(QString, recipe_text);
    const GeneratorRecipeResult parsed = ParseGeneratorRecipe(recipe_text.toStdString());
    QVERIFY2(parsed.recipe.has_value(), parsed.error.c_str());
    auto window = OpenWindow();
    QVERIFY(window);
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    const QString before = memo1->toPlainText();

    SeenDialog asked;
    AnswerNextDialog(parsed.recipe, &asked, window.get());
    Action(*window, "actionNewRandom")->trigger();
    QVERIFY(asked.seen);
    QVERIFY(RunEnds(*window));
    const std::string expected = CommandLineTheory(recipe_text);
    QCOMPARE(memo1->toPlainText().toStdString() + "\n", expected);
    // The run went over the generated theory: it filled the Options area.
    QVERIFY(!window->form().Memo4.empty());
    QVERIFY(!window->AreResultsStale());
    QVERIFY(!window->isWindowModified());

    // The next dialog offers the same shape with the next seed.
    SeenDialog again;
    AnswerNextDialog(std::nullopt, &again, window.get());
    Action(*window, "actionNewRandom")->trigger();
    QVERIFY(again.seen);
    QCOMPARE(again.offered.kind, parsed.recipe->kind);
    QCOMPARE(again.offered.count, parsed.recipe->count);
    QCOMPARE(again.offered.parameters, parsed.recipe->parameters);
    QCOMPARE(again.offered.seed, parsed.recipe->seed + 1);
    QCOMPARE(memo1->toPlainText().toStdString() + "\n", expected);  // Cancel changed nothing

    // One undo step gives the input back.
    memo1->setFocus();
    QTest::keyClick(memo1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(memo1->toPlainText(), before);
  }

  void UnsavedEditsAreAskedAboutFirst() {
    auto window = OpenWindow();
    QVERIFY(window);
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    SetInput(*window, QStringLiteral("a b"));
    QVERIFY(window->isWindowModified());

    // Cancel: no dialog, the edits stay.
    SeenBox question;
    SeenDialog dialog;
    AnswerNextBox(QMessageBox::Cancel, &question, window.get());
    AnswerNextDialog(ParseGeneratorRecipe("chain:3").recipe, &dialog, window.get());
    Action(*window, "actionNewRandom")->trigger();
    QVERIFY(question.seen);
    QVERIFY(!dialog.seen);
    QCOMPARE(memo1->toPlainText(), QStringLiteral("a b"));

    // Discard: the dialog follows and its theory replaces the edits (the earlier watch is still
    // waiting for it).
    SeenBox second;
    AnswerNextBox(QMessageBox::Discard, &second, window.get());
    Action(*window, "actionNewRandom")->trigger();
    QVERIFY(second.seen);
    QVERIFY(dialog.seen);
    QVERIFY(RunEnds(*window));
    QCOMPARE(memo1->toPlainText(), QStringLiteral("a1 a2\na2 a3"));
  }

  void TheDialogRefusesWhatCannotBeGenerated() {
    RandomFrameworkDialog dialog(FirstGeneratorRecipe());
    auto* kind = Find<QComboBox>(dialog, "GeneratorKind");
    auto* count = Find<QSpinBox>(dialog, "GeneratorCount");
    auto* first = Find<QDoubleSpinBox>(dialog, "GeneratorParameter0");
    auto* second = Find<QDoubleSpinBox>(dialog, "GeneratorParameter1");
    auto* error = Find<QLabel>(dialog, "GeneratorError");
    QCOMPARE(dialog.Recipe().kind, std::string("er"));
    QVERIFY(OkButton(dialog)->isEnabled());

    // Choosing a kind shows its parameters with their defaults.
    kind->setCurrentIndex(kind->findData(QStringLiteral("ws")));
    QCOMPARE(first->value(), 4.0);
    QCOMPARE(second->value(), 0.1);
    QVERIFY(second->isVisibleTo(&dialog));
    kind->setCurrentIndex(kind->findData(QStringLiteral("chain")));
    QVERIFY(!first->isVisibleTo(&dialog));
    QVERIFY(dialog.Recipe().parameters.empty());

    struct Case {
      const char* kind;
      int count;
      double parameter;
      const char* reason;
    };
    const Case cases[] = {
        {"ba", 3, 3, "more arguments than attacks per new argument"},
        {"ws", 4, 4, "more arguments than neighbours"},
        {"odd-cycles", 2, 4, "odd cycle's length is odd"},
        {"even-cycles", 2, 3, "even cycle's length is even"},
        {"er", 20000, 0.1, "from 1 to 10000"},
    };
    for (const Case& c : cases) {
      kind->setCurrentIndex(kind->findData(QString::fromLatin1(c.kind)));
      count->setValue(c.count);
      first->setValue(c.parameter);
      QVERIFY2(!OkButton(dialog)->isEnabled(), c.kind);
      QVERIFY2(error->text().contains(QLatin1String(c.reason)), qPrintable(error->text()));
      // A valid count makes it acceptable again.
      count->setValue(8);
      first->setValue(std::string(c.kind) == "er" ? 0.5
                                                  : 2 + (std::string(c.kind) == "odd-cycles"));
      QVERIFY2(OkButton(dialog)->isEnabled(), qPrintable(error->text()));
    }
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::RandomFrameworkTest)
#include "random_framework_test.moc"
