// The scan behind Search and Find Next, and the search dialog.
#include "Testing.h"
#include "search/RecipeScan.h"
#include "search/SearchDialog.h"

namespace {

const Fields ThreeRecipes{"Pie", "10", "20", "4", "apples", "pie", "Tart", "5", "pie time", "2", "", "",
                          "Cake", "", "", "", "", "like a PIE"};

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void scanFindsTheFirstFieldHoldingTheText_data()
    {
        QTest::addColumn<Fields>("fields"); // six a recipe
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hit"); // recipe and field (0 the name, 5 the directions), or none
        const auto directions = [](const QString &text) { return Fields{"", "", "", "", "", text}; };
        QTest::newRow("letter case") << directions("Add SALT and pepper") << 1 << "salt" << "1 5";
        QTest::newRow("accents and case on both sides") << directions("CRÈME BRÛLÉE") << 1 << "Crème brûlée" << "1 5";
        QTest::newRow("an accented capital where the match starts") << directions("Two Éclairs") << 1 << "eclair" << "1 5";
        QTest::newRow("marks written on their own, between letters") << directions("cre\u0300me") << 1 << "CRÉME" << "1 5";
        QTest::newRow("the Kelvin sign is k") << directions("Gra\u212Aauer") << 1 << "grakauer" << "1 5";
        QTest::newRow("Greek and Cyrillic case and tonos") << directions("Μουσακάς БОРЩ") << 1 << "μουσακας борщ" << "1 5";
        QTest::newRow("past a run of accented letters") << directions("üüüüüüüüüüüüüüüüüüüüSalt") << 1 << "salt" << "1 5";
        QTest::newRow("after sixteen plain letters") << directions("xxxxxxxxxxxxxxxxxSALT") << 1 << "salt" << "1 5";
        QTest::newRow("a partial match, then a real one") << directions("sasalt") << 1 << "salt" << "1 5";
        QTest::newRow("wildcard characters are literal") << directions("50% *fat*") << 1 << "% *f" << "1 5";
        QTest::newRow("a text of accents alone finds itself") << directions("e\u0301") << 1 << "\u0301" << "1 5";
        QTest::newRow("the run must be unbroken") << directions("salt and pepper") << 1 << "saltpepper" << "none";
        QTest::newRow("blanks are not trimmed, no wildcards") << directions("salt") << 1 << " s*t" << "none";
        QTest::newRow("a text longer than the field") << directions("egg") << 1 << "eggs" << "none";
        QTest::newRow("œ is not oe, ß is not ss") << directions("oeufs Strasse") << 1 << "œufs Straße" << "none";
        QTest::newRow("Japanese voicing marks keep their meaning") << directions("かき") << 1 << "がき" << "none";
        QTest::newRow("the first field that matches wins") << ThreeRecipes << 1 << "pie" << "1 0";
        QTest::newRow("from the start index on") << ThreeRecipes << 2 << "pie" << "2 2";
        QTest::newRow("directions last") << ThreeRecipes << 3 << "pie" << "3 5";
        QTest::newRow("servings are searched") << ThreeRecipes << 1 << "2" << "1 2";
        QTest::newRow("no wrap-around") << ThreeRecipes << 2 << "apples" << "none";
        QTest::newRow("a start past the last recipe, even past 32,767") << ThreeRecipes << 32768 << "pie" << "none";
        QTest::newRow("an empty text") << ThreeRecipes << 1 << "" << "none";
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

    void scanReachesTheLastOfTheMostRecipes()
    {
        QCOMPARE(RecipeScan::find(numbered(32767), 32767, "recipe 32767")->recipe, 32767);
    }

    void dialogHandsBackTheChoiceAndText_data()
    {
        QTest::addColumn<QString>("focus"); // given after "salt" is typed; none for no text at all
        QTest::addColumn<QString>("way");   // a key pressed, a button clicked, or close
        QTest::addColumn<QString>("request"); // "first" or "next" and the text, or none
        QTest::newRow("Enter in the box is Find First") << "findWhatEdit" << "Enter" << "first salt";
        QTest::newRow("Enter on Find Next is Find Next") << "findNextButton" << "Enter" << "next salt";
        QTest::newRow("Enter on Cancel is Cancel") << "cancelButton" << "Enter" << "none";
        QTest::newRow("Space on Find Next") << "findNextButton" << "Space" << "next salt";
        QTest::newRow("Alt+N is Find Next") << "findWhatEdit" << "Alt+N" << "next salt";
        QTest::newRow("a click on Find First") << "findWhatEdit" << "findFirstButton" << "first salt";
        QTest::newRow("Find First with an empty box") << "none" << "Enter" << "first ";
        QTest::newRow("a click on Cancel") << "findWhatEdit" << "cancelButton" << "none";
        QTest::newRow("Esc on Find Next is Cancel") << "findNextButton" << "Esc" << "none";
        QTest::newRow("the close box is Cancel") << "findWhatEdit" << "close" << "none";
    }
    void dialogHandsBackTheChoiceAndText()
    {
        QFETCH(QString, focus);
        QFETCH(QString, way);
        QFETCH(QString, request);
        SearchDialog search;
        onModal([=](QWidget *dialog) {
            if (focus != "none") {
                QTest::keyClicks(dialog->findChild<QWidget *>("findWhatEdit"), "salt");
                dialog->findChild<QWidget *>(focus)->setFocus();
            }
            const QHash<QString, QKeyCombination> keys{{"Enter", Qt::Key_Return}, {"Space", Qt::Key_Space},
                                                       {"Esc", Qt::Key_Escape}, {"Alt+N", Qt::ALT | Qt::Key_N}};
            if (keys.contains(way))
                QTest::keyClick(dialog->focusWidget(), keys[way].key(), keys[way].keyboardModifiers());
            else if (way == "close")
                dialog->close();
            else
                QTest::mouseClick(dialog->findChild<QWidget *>(way), Qt::LeftButton);
        });
        const std::optional<SearchRequest> asked = search.ask();
        QCOMPARE(asked ? (asked->fromFirst ? "first " : "next ") + asked->text : "none", request);
        QVERIFY(!search.window()); // gone once closed
    }

    void dialogOpensAfreshEmptyFocusedAndCentred_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("place"); // in pixels
        QTest::addColumn<QString>("text");
        QTest::newRow("the label") << "findWhatLabel" << QRect(8, 24, 169, 17) << "Find &What:";
        QTest::newRow("the box") << "findWhatEdit" << QRect(8, 40, 201, 19) << "";
        QTest::newRow("Find First") << "findFirstButton" << QRect(216, 8, 73, 25) << "&Find First";
        QTest::newRow("Find Next") << "findNextButton" << QRect(216, 40, 73, 25) << "Find &Next";
        QTest::newRow("Cancel") << "cancelButton" << QRect(216, 80, 73, 25) << "Cancel";
    }
    void dialogOpensAfreshEmptyFocusedAndCentred()
    {
        QFETCH(QString, control);
        QFETCH(QRect, place);
        QFETCH(QString, text);
        SearchDialog search;
        for (int opening = 0; opening < 2; ++opening) {
            onModal([&](QWidget *dialog) {
                QCOMPARE(dialog->windowTitle(), "Search");
                QCOMPARE(dialog->size(), QSize(297, 113));
                QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
                QVERIFY(!(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
                QCOMPARE(dialog->frameGeometry().center(), dialog->screen()->geometry().center());
                QCOMPARE(dialog->focusWidget()->objectName(), "findWhatEdit");
                QCOMPARE(dialog->findChild<QLineEdit *>("findWhatEdit")->text(), ""); // afresh
                QCOMPARE(dialog->findChild<QLabel *>("findWhatLabel")->buddy(), dialog->focusWidget()); // Alt+W
                auto *widget = dialog->findChild<QWidget *>(control);
                QCOMPARE(widget->geometry(), place);
                QCOMPARE(widget->property("text").toString(), text);
                QTest::keyClicks(dialog->focusWidget(), "first");
                dialog->close();
            });
            QVERIFY(!search.ask());
        }
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
