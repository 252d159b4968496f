#include "RecipeScan.h"
#include "Testing.h"
#include "frmSearch.h"

namespace {
using Hit = std::optional<RecipeScan::Hit>;
}
Q_DECLARE_METATYPE(Hit)

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void matchingIgnoresCaseAndAccentsOnly_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("found");
        QTest::newRow("letter case") << "Add SALT and pepper" << "salt" << true;
        QTest::newRow("accents and case on both sides") << "CRÈME BRÛLÉE" << "Crème brûlée" << true;
        QTest::newRow("accented capital where the match starts") << "Two Éclairs" << "eclair" << true;
        QTest::newRow("marks written on their own, between letters") << QString("cre\u0300me") << "CRÉME" << true;
        QTest::newRow("Kelvin sign is k") << QString("Gra\u212Aauer") << "grakauer" << true;
        QTest::newRow("Greek and Cyrillic case and tonos") << "Μουσακάς БОРЩ" << "μουσακας борщ" << true;
        QTest::newRow("past a run of accented letters") << QString(20, u'ü') + "Salt" << "salt" << true;
        QTest::newRow("after sixteen plain letters") << QString(17, u'x') + "SALT" << "salt" << true;
        QTest::newRow("partial match, then a real one") << "sasalt" << "salt" << true;
        QTest::newRow("wildcard characters are literal") << "50% *fat*" << "% *f" << true;
        QTest::newRow("text of accents alone finds itself") << QString("e\u0301") << QString("\u0301") << true;
        QTest::newRow("run must be unbroken") << "salt and pepper" << "saltpepper" << false;
        QTest::newRow("blanks are not trimmed, no wildcards") << "salt" << " s*t" << false;
        QTest::newRow("text longer than the field") << "egg" << "eggs" << false;
        QTest::newRow("œ is not oe, ß is not ss") << "oeufs Strasse" << "œufs Straße" << false;
        QTest::newRow("Japanese voicing marks keep their meaning") << "かき" << "がき" << false;
    }
    void matchingIgnoresCaseAndAccentsOnly()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, found);
        QCOMPARE(RecipeScan::find(listOf({"", "", "", "", "", field}, 1), 1, text), found ? Hit({1, 5}) : Hit());
    }

    void scanGoesForwardFieldByField_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Hit>("hit");
        QTest::newRow("the first field that matches wins") << 1 << "pie" << Hit({1, 0});
        QTest::newRow("from the start index on") << 2 << "pie" << Hit({2, 2});
        QTest::newRow("directions last") << 3 << "pie" << Hit({3, 5});
        QTest::newRow("servings are searched") << 1 << "2" << Hit({1, 2});
        QTest::newRow("no wrap-around") << 2 << "apples" << Hit();
        QTest::newRow("start past the last recipe, even past 32,767") << 32768 << "pie" << Hit();
        QTest::newRow("empty text") << 1 << "" << Hit();
    }
    void scanGoesForwardFieldByField()
    {
        QFETCH(int, start);
        QFETCH(QString, text);
        QFETCH(Hit, hit);
        const RecipeList list = listOf({"Pie", "10", "20", "4", "apples", "pie", "Tart", "5", "pie time", "2", "", "",
                                        "Cake", "", "", "", "", "like a PIE"}, 1);
        QCOMPARE(RecipeScan::find(list, start, text), hit);
        QCOMPARE(RecipeScan::find(numbered(32767), 32767, "recipe 32767"), Hit({32767, 0}));
    }

    void dialogHandsBackTheChoiceAndText_data()
    {
        QTest::addColumn<QString>("focus"); // then Enter, or a click, key or close named
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("answer"); // the caller's variables held true and "before"
        QTest::newRow("Enter in the box is Find First") << "txtFindWhat" << "Enter" << "1 1 salt";
        QTest::newRow("Enter on Find Next is Find Next") << "cmdFindNext" << "Enter" << "1 0 salt";
        QTest::newRow("Enter on Cancel is Cancel") << "cmdCancel" << "Enter" << "0 1 before";
        QTest::newRow("Space on Find Next") << "cmdFindNext" << "Space" << "1 0 salt";
        QTest::newRow("Alt+N is Find Next") << "txtFindWhat" << "Alt+N" << "1 0 salt";
        QTest::newRow("click on Find First") << "" << "cmdFindFirst" << "1 1 salt";
        QTest::newRow("Find First with an empty box") << "" << "empty" << "1 1 ";
        QTest::newRow("click on Cancel") << "" << "cmdCancel" << "0 1 before";
        QTest::newRow("Esc on Find Next is Cancel") << "cmdFindNext" << "Esc" << "0 1 before";
        QTest::newRow("close box is Cancel") << "" << "close" << "0 1 before";
    }
    void dialogHandsBackTheChoiceAndText()
    {
        QFETCH(QString, focus);
        QFETCH(QString, way);
        QFETCH(QString, answer);
        frmSearch search;
        onModal([=](QWidget *dialog) {
            if (way != "empty")
                QTest::keyClicks(dialog->findChild<QWidget *>("txtFindWhat"), "salt");
            if (!focus.isEmpty())
                dialog->findChild<QWidget *>(focus)->setFocus();
            const QHash<QString, QKeyCombination> keys{{"Enter", Qt::Key_Return}, {"empty", Qt::Key_Return},
                {"Space", Qt::Key_Space}, {"Esc", Qt::Key_Escape}, {"Alt+N", Qt::ALT | Qt::Key_N}};
            if (keys.contains(way))
                QTest::keyClick(dialog->focusWidget(), keys[way].key(), keys[way].keyboardModifiers());
            else
                way == "close" ? void(dialog->close()) : QTest::mouseClick(dialog->findChild<QWidget *>(way), Qt::LeftButton);
        });
        bool findFirst = true;
        QString text = "before";
        const bool ok = search.GetSearchStr(findFirst, text);
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(ok).arg(findFirst).arg(text), answer);
        QVERIFY(!search.window()); // gone once closed
    }

    void dialogOpensAfreshEmptyFocusedAndCentred()
    {
        frmSearch search;
        QStringList seen;
        for (int opening = 0; opening < 2; ++opening) {
            onModal([&](QWidget *dialog) {
                const QPoint offCentre = dialog->frameGeometry().center() - dialog->screen()->geometry().center();
                seen << dialog->windowTitle() + " " + dialog->focusWidget()->objectName() + " '"
                            + dialog->findChild<QLineEdit *>("txtFindWhat")->text() + "'"
                            + (qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1 ? " centred" : "");
                for (const char *name : {"Label1", "txtFindWhat", "cmdFindFirst", "cmdFindNext", "cmdCancel"}) {
                    const QWidget *c = dialog->findChild<QWidget *>(name);
                    seen << QStringLiteral("%1 %2,%3 %4x%5 %6").arg(name).arg(c->x()).arg(c->y()).arg(c->width())
                                .arg(c->height()).arg(c->property("text").toString());
                }
                seen << QStringLiteral("%1x%2 fixed %3, buddy %4").arg(dialog->width()).arg(dialog->height())
                            .arg(dialog->minimumSize() == dialog->maximumSize()
                                 && !(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)))
                            .arg(dialog->findChild<QLabel *>("Label1")->buddy() == dialog->focusWidget());
                QTest::keyClicks(dialog->focusWidget(), "first");
                dialog->close();
            });
            bool findFirst = false;
            QString text = "what the caller had";
            QVERIFY(!search.GetSearchStr(findFirst, text));
        }
        const QStringList once = {"Search txtFindWhat '' centred", "Label1 8,24 169x17 Find &What:", "txtFindWhat 8,40 201x19 ",
                                  "cmdFindFirst 216,8 73x25 &Find First", "cmdFindNext 216,40 73x25 Find &Next",
                                  "cmdCancel 216,80 73x25 Cancel", "297x113 fixed 1, buddy 1"};
        QCOMPARE(seen, once + once);
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
