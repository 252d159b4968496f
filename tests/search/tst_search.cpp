#include "Testing.h"
#include "search/RecipeScan.h"
#include "search/SearchDialog.h"

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void scanFindsTheFirstFieldHoldingTheText_data() { dataTable(QFINDTESTDATA("scanning.txt")); }
    void scanFindsTheFirstFieldHoldingTheText()
    {
        const QStringList row = dataRow(); // fields, start, text, hit
        const std::optional<RecipeScan::Hit> found
            = RecipeScan::find(listOf(row[0].split(u'|'), 1), row[1].toInt(), row[2]);
        QCOMPARE(found ? QStringLiteral("%1 %2").arg(found->recipe).arg(found->field) : "none", row[3]);
        QVERIFY(RecipeScan::find(numbered(32767), 32767, "recipe 32767")->recipe == 32767);
    }

    void dialogHandsBackTheChoiceAndText_data() { dataTable(QFINDTESTDATA("dialog.txt")); }
    void dialogHandsBackTheChoiceAndText()
    {
        const QStringList row = dataRow();
        const QString focus = row[0], way = row[1], answer = row[2];
        SearchDialog search;
        onModal([=](QWidget *dialog) {
            if (focus != "none")
                QTest::keyClicks(dialog->findChild<QWidget *>("findWhatEdit"), "salt"),
                    dialog->findChild<QWidget *>(focus)->setFocus();
            const QHash<QString, QKeyCombination> keys{{"Enter", Qt::Key_Return},
                                                       {"Space", Qt::Key_Space},
                                                       {"Esc", Qt::Key_Escape},
                                                       {"Alt+N", Qt::ALT | Qt::Key_N}};
            if (keys.contains(way))
                QTest::keyClick(dialog->focusWidget(), keys[way].key(), keys[way].keyboardModifiers());
            else
                way == "close" ? void(dialog->close())
                               : QTest::mouseClick(dialog->findChild<QWidget *>(way), Qt::LeftButton);
        });
        const std::optional<SearchRequest> request = search.ask();
        const QString got
            = request ? QStringLiteral("1 %1 %2").arg(request->fromFirst).arg(request->text) : "0 1 before";
        QCOMPARE(got.trimmed(), answer);
        QVERIFY(!search.window()); // gone once closed
    }

    void dialogOpensAfreshEmptyFocusedAndCentred()
    {
        SearchDialog search;
        QStringList seen;
        for (int opening = 0; opening < 2; ++opening) {
            onModal([&](QWidget *dialog) {
                const QPoint offCentre = dialog->frameGeometry().center() - dialog->screen()->geometry().center();
                seen << dialog->windowTitle() + " " + dialog->focusWidget()->objectName() + " '"
                        + dialog->findChild<QLineEdit *>("findWhatEdit")->text() + "'"
                        + (qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1 ? " centred" : "");
                for (const char *name :
                     {"findWhatLabel", "findWhatEdit", "findFirstButton", "findNextButton", "cancelButton"})
                    seen << placement(dialog->findChild<QWidget *>(name), dialog);
                const bool fixed = dialog->minimumSize() == dialog->maximumSize()
                    && !(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
                seen << QStringLiteral("%1x%2").arg(dialog->width()).arg(dialog->height()) + (fixed ? " fixed" : "")
                        + (dialog->findChild<QLabel *>("findWhatLabel")->buddy() == dialog->focusWidget()
                               ? ", Alt+W goes to the box"
                               : "");
                QTest::keyClicks(dialog->focusWidget(), "first");
                dialog->close();
            });
            QVERIFY(!search.ask());
        }
        QCOMPARE(seen, dataLines(QFINDTESTDATA("searchdialog.txt")) + dataLines(QFINDTESTDATA("searchdialog.txt")));
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
