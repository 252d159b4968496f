#include "RecipeScan.h"
#include "Recipes.h"
#include "WindowFixture.h"
#include "frmSearch.h"

#include <QtTest>
#include <QtWidgets>

namespace {

using Hit = std::optional<RecipeScan::Hit>;

struct Answer
{
    bool ok;
    bool findFirst;
    QString text;
};

// Asks with the caller's variables holding true and "before"; `action` answers the dialog.
Answer ask(frmSearch &search, std::function<void(QWidget *)> action)
{
    onModal(std::move(action));
    Answer answer{false, true, QStringLiteral("before")};
    answer.ok = search.GetSearchStr(answer.findFirst, answer.text);
    return answer;
}

} // namespace

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
        QTest::newRow("part of a word") << "3 Eggs" << "egg" << true;
        QTest::newRow("accents in the field") << "Ragù alla bolognese" << "ragu" << true;
        QTest::newRow("accents and case on both sides") << "CRÈME BRÛLÉE" << "Crème brûlée" << true;
        QTest::newRow("accented capital where the match starts") << "Two Éclairs" << "eclair" << true;
        QTest::newRow("marks written on their own") << QString("cre\u0300me") << "CRÉME" << true;
        QTest::newRow("Kelvin sign is k") << QString("Gra\u212Aauer") << "grakauer" << true;
        QTest::newRow("Greek tonos") << "Μουσακάς" << "μουσακας" << true;
        QTest::newRow("Cyrillic case") << "БОРЩ" << "борщ" << true;
        QTest::newRow("past a run of accented letters") << QString(20, u'ü') + "Salt" << "salt" << true;
        QTest::newRow("after sixteen plain letters") << QString(17, u'x') + "SALT" << "salt" << true;
        QTest::newRow("partial match, then a real one") << "sasalt" << "salt" << true;
        QTest::newRow("wildcard characters are literal") << "50% *fat*" << "% *f" << true;
        QTest::newRow("text of accents alone finds itself") << QString("e\u0301") << QString("\u0301") << true;
        QTest::newRow("run must be unbroken") << "salt and pepper" << "saltpepper" << false;
        QTest::newRow("blanks are not trimmed") << "salt" << " salt" << false;
        QTest::newRow("no wildcards") << "salt" << "s*t" << false;
        QTest::newRow("text longer than the field") << "egg" << "eggs" << false;
        QTest::newRow("empty field") << "" << "a" << false;
        QTest::newRow("œ is not oe") << "oeufs" << "œufs" << false;
        QTest::newRow("ß is not ss") << "Straße" << "strasse" << false;
        QTest::newRow("Japanese voicing marks keep their meaning") << "かき" << "がき" << false;
    }
    void matchingIgnoresCaseAndAccentsOnly()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, found);
        const RecipeList list = listOf({"x", "", "", "", "", field}, 1);
        QCOMPARE(RecipeScan::find(list, 1, text), found ? Hit(RecipeScan::Hit{1, 5}) : Hit());
    }

    void scanGoesForwardFieldByField_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Hit>("hit");
        QTest::newRow("the first field that matches wins") << 1 << "pie" << Hit(RecipeScan::Hit{1, 0});
        QTest::newRow("from the start index on") << 2 << "pie" << Hit(RecipeScan::Hit{2, 2});
        QTest::newRow("directions last") << 3 << "pie" << Hit(RecipeScan::Hit{3, 5});
        QTest::newRow("servings are searched") << 1 << "2" << Hit(RecipeScan::Hit{1, 2});
        QTest::newRow("no wrap-around") << 2 << "apples" << Hit();
        QTest::newRow("start past the last recipe") << 4 << "pie" << Hit();
        QTest::newRow("empty text") << 1 << "" << Hit();
    }
    void scanGoesForwardFieldByField()
    {
        QFETCH(int, start);
        QFETCH(QString, text);
        QFETCH(Hit, hit);
        const RecipeList list = listOf({"Pie", "10", "20", "4", "apples", "bake the pie", "Tart", "5", "pie time", "2", "",
                                        "", "Cake", "", "", "", "", "like a PIE"}, 1);
        QCOMPARE(RecipeScan::find(list, start, text), hit);
        QCOMPARE(RecipeScan::find(RecipeList(), 1, "pie"), Hit());
    }

    void startPastTheLargestIndexFindsNothing()
    {
        const RecipeList list = numbered(32767);
        QCOMPARE(RecipeScan::find(list, 32767, QStringLiteral("recipe 32767")), Hit(RecipeScan::Hit{32767, 0}));
        QCOMPARE(RecipeScan::find(list, 32768, QStringLiteral("recipe")), Hit());
    }

    void dialogHandsBackTheChoiceAndText_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("findFirst");
        QTest::addColumn<QString>("text");
        QTest::newRow("Find First") << "cmdFindFirst" << true << true << "salt";
        QTest::newRow("Enter in the box is Find First") << "Enter" << true << true << "salt";
        QTest::newRow("Find Next clears the caller's true") << "cmdFindNext" << true << false << "salt";
        QTest::newRow("Alt+N is Find Next") << "Alt+N" << true << false << "salt";
        QTest::newRow("Find First with an empty box") << "empty" << true << true << "";
        QTest::newRow("Cancel leaves both") << "cmdCancel" << false << true << "before";
        QTest::newRow("Esc leaves both") << "Esc" << false << true << "before";
        QTest::newRow("close box leaves both") << "close" << false << true << "before";
    }
    void dialogHandsBackTheChoiceAndText()
    {
        QFETCH(QString, way);
        QFETCH(bool, ok);
        QFETCH(bool, findFirst);
        QFETCH(QString, text);
        frmSearch search;
        const Answer answer = ask(search, [way](QWidget *dialog) {
            auto *box = dialog->findChild<QLineEdit *>("txtFindWhat");
            QTest::keyClicks(box, way == "empty" ? QString() : QStringLiteral("salt"));
            if (way == "Enter" || way == "empty")
                QTest::keyClick(box, Qt::Key_Return);
            else if (way == "Alt+N")
                QTest::keyClick(box, Qt::Key_N, Qt::AltModifier);
            else if (way == "Esc")
                QTest::keyClick(box, Qt::Key_Escape);
            else if (way == "close")
                dialog->close();
            else
                QTest::mouseClick(dialog->findChild<QPushButton *>(way), Qt::LeftButton);
        });
        QCOMPARE(answer.ok, ok);
        QCOMPARE(answer.findFirst, findFirst);
        QCOMPARE(answer.text, text);
        QVERIFY(!search.window()); // gone once closed
    }

    void dialogOpensAfreshEmptyFocusedAndCentred()
    {
        frmSearch search;
        QPointer<QWidget> first;
        ask(search, [&](QWidget *dialog) {
            first = dialog;
            QTest::keyClicks(dialog->focusWidget(), QStringLiteral("first"));
            dialog->close();
        });
        QVERIFY(!first);
        QStringList seen;
        const Answer answer = ask(search, [&](QWidget *dialog) {
            const QPoint offCentre = dialog->frameGeometry().center() - dialog->screen()->geometry().center();
            seen << dialog->focusWidget()->objectName() << dialog->windowTitle()
                 << QString::number(qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1);
            for (const char *name : {"Label1", "txtFindWhat", "cmdFindFirst", "cmdFindNext", "cmdCancel"}) {
                auto *control = dialog->findChild<QWidget *>(name);
                const QRect r = control->geometry();
                seen << QStringLiteral("%1 %2,%3 %4x%5 %6").arg(name).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
                            .arg(control->property("text").toString());
            }
            seen << QString::number(dialog->findChild<QLabel *>("Label1")->buddy() == dialog->focusWidget())
                 << QString::number(dialog->minimumSize() == QSize(297, 113) && dialog->maximumSize() == QSize(297, 113))
                 << QString::number(!(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(seen, QStringList({"txtFindWhat", "Search", "1", "Label1 8,24 169x17 Find &What:", "txtFindWhat 8,40 201x19 ",
                                    "cmdFindFirst 216,8 73x25 &Find First", "cmdFindNext 216,40 73x25 Find &Next",
                                    "cmdCancel 216,80 73x25 Cancel", "1", "1", "1"}));
        QVERIFY(answer.ok);
        QCOMPARE(answer.text, QString()); // the caller's text is neither shown nor kept
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
