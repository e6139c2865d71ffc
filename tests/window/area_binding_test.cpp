// Which widget shows a text area: the input area always its editor (it has no view), a result
// area its editor while the text is small and its view once it is large. Each case runs under the
// sanitizers too, where showing the input area once dereferenced its missing view.
#include "app/window/area_binding.h"

#include <QPlainTextEdit>
#include <QTest>
#include <memory>
#include <string>

#include "app/window/line_view.h"
#include "frontend/text_area.h"

namespace dialectic {

class AreaBindingTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsInItsWidgetWithoutTouchingAMissingView_data() {
    QTest::addColumn<bool>("has_view");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("in_view");
    QTest::newRow("input area without view") << false << 3 << false;
    QTest::newRow("long input without view") << false << 20000 << false;
    QTest::newRow("small result") << true << 3 << false;
    QTest::newRow("large result") << true << 20000 << true;
  }
  void ShowsInItsWidgetWithoutTouchingAMissingView() {
    QFETCH(bool, has_view);
    QFETCH(int, lines);
    QFETCH(bool, in_view);
    TextArea area;
    for (int i = 0; i < lines; ++i) area.Add("a" + std::to_string(i) + " b");
    QWidget parent;
    auto* editor = new QPlainTextEdit(&parent);
    auto* view = new LineView(&parent);
    const auto binding =
        has_view ? std::make_unique<AreaBinding>(area, *editor, *view, QStringLiteral("Memo4"))
                 : std::make_unique<AreaBinding>(area, *editor, QStringLiteral("Memo4"));
    parent.show();
    binding->Show();
    QWidget& shown = in_view ? static_cast<QWidget&>(*view) : *editor;
    QCOMPARE(&binding->Shown(), &shown);
    QCOMPARE(shown.objectName(), QStringLiteral("Memo4"));
    QVERIFY(shown.isVisible());
    if (!in_view) QCOMPARE(editor->document()->blockCount(), lines);
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::AreaBindingTest)
#include "area_binding_test.moc"
