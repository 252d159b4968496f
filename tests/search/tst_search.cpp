// The scan behind Search and Find Next, and the search dialog.
#include "Testing.h"
#include "search/RecipeScan.h"
#include "search/SearchDialog.h"

namespace {

const Fields ThreeRecipes{"Pie", "10", "20", "4",    "apples", "pie", "Tart", "5", "pie time",
                          "2",   "",   "",   "Cake", "",       "",    "",     "",  "like a PIE"};

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

    SearchDialog m_search; // one for every row, as the window keeps one

private slots:
    void scanFindsTheFirstFieldHoldingTheText_data()
    {
        QTest::addColumn<Fields>("fields"); // six a recipe
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hit"); // recipe and field (0 the name, 5 the directions), or none
        const auto row = [](const char *name, const Fields &fields, int start, const QString &text,
                            const QString &hit) { QTest::newRow(name) << fields << start << text << hit; };
        const auto directions = [](const QString &text) { return Fields{"", "", "", "", "", text}; };
        row("accents and case on both sides", directions("CRÈME BRÛLÉE"), 1, "Crème brûlée", "1 5");
        row("marks written on their own, between letters", directions("cre\u0300me"), 1, "CRÉME", "1 5");
        row("past a run of accented letters", directions("üüüüüüüüüüüüüüüüüüüüSalt"), 1, "salt", "1 5");
        row("after sixteen plain letters", directions("xxxxxxxxxxxxxxxxxSALT"), 1, "salt", "1 5");
        row("a partial match, then a real one", directions("sasalt"), 1, "salt", "1 5");
        row("œ is not oe, ß is not ss", directions("oeufs Strasse"), 1, "œufs Straße", "none");
        row("Japanese voicing marks keep their meaning", directions("かき"), 1, "がき", "none");
        row("from the start index on", ThreeRecipes, 2, "pie", "2 2");
        row("directions last", ThreeRecipes, 3, "pie", "3 5");
        row("no wrap-around", ThreeRecipes, 2, "apples", "none");
        row("a start past the last recipe, even past 32,767", ThreeRecipes, 32768, "pie", "none");
        row("an empty text", ThreeRecipes, 1, "", "none");
    }
    void scanFindsTheFirstFieldHoldingTheText()
    {
        QFETCH(Fields, fields);
        QFETCH(int, start);
        QFETCH(QString, text);
        QFETCH(QString, hit);
        const std::optional<RecipeScan::Hit> found = RecipeScan::find(listOf(fields, 1), start, text);
        QCOMPARE(found ? QStringLiteral("%1 %2").arg(found->recipe).arg(found->field) : "none", hit);
    }

    void dialogHandsBackTheChoiceAndText_data()
    {
        QTest::addColumn<QString>("focus"); // given after "salt" is typed; none for no text at all
        QTest::addColumn<QString>("way"); // a key pressed, or close
        QTest::addColumn<QString>("request"); // "first" or "next" and the text, or none
        const auto row = [](const char *name, const QString &focus, const QString &way, const QString &request) {
            QTest::newRow(name) << focus << way << request;
        };
        row("Enter in the box is Find First", "findWhatEdit", "Enter", "first salt");
        row("Enter on Find Next is Find Next", "findNextButton", "Enter", "next salt");
        row("Enter on Cancel is Cancel", "cancelButton", "Enter", "none");
        row("Alt+N is Find Next", "findWhatEdit", "Alt+N", "next salt");
        row("Find First with an empty box", "none", "Enter", "first ");
        row("the close box is Cancel", "findWhatEdit", "close", "none");
    }
    void dialogHandsBackTheChoiceAndText()
    {
        QFETCH(QString, focus);
        QFETCH(QString, way);
        QFETCH(QString, request);
        onModal([=](QWidget *dialog) { // afresh, centred, the box empty and focused
            QCOMPARE(dialog->frameGeometry().center(), dialog->screen()->geometry().center());
            QCOMPARE(dialog->focusWidget()->objectName(), "findWhatEdit");
            QCOMPARE(dialog->findChild<QLineEdit *>("findWhatEdit")->text(), "");
            if (focus != "none") {
                QTest::keyClicks(dialog->findChild<QWidget *>("findWhatEdit"), "salt");
                dialog->findChild<QWidget *>(focus)->setFocus();
            }
            const QHash<QString, QKeyCombination> keys{
                {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}, {"Alt+N", Qt::ALT | Qt::Key_N}};
            if (way == "close")
                dialog->close();
            else
                QTest::keyClick(dialog->focusWidget(), keys[way].key(), keys[way].keyboardModifiers());
        });
        const std::optional<SearchRequest> asked = m_search.ask();
        QCOMPARE(asked ? (asked->fromFirst ? "first " : "next ") + asked->text : "none", request);
        QVERIFY(!m_search.window()); // gone once closed
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
