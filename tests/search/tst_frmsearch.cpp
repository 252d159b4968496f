#include "frmSearch.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// Acts on the search window once it is on view, modal and active, from inside its own event loop.
void whenShown(std::function<void(QDialog *)> action)
{
    QTimer::singleShot(0, [action = std::move(action)]() mutable {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || !dialog->isActiveWindow()) {
            whenShown(std::move(action));
            return;
        }
        action(dialog);
        // An action that failed to close the window must fail the test, not hang it.
        QTimer::singleShot(5000, dialog, [dialog] {
            QTest::qFail("the search window stayed open", __FILE__, __LINE__);
            dialog->close();
        });
    });
}

template<typename T = QWidget>
T *child(QDialog *dialog, const char *name)
{
    return dialog->findChild<T *>(QString::fromLatin1(name));
}

struct Result
{
    bool ok;
    bool findFirst;
    QString text;
};

Result ask(frmSearch &search, std::function<void(QDialog *)> action, bool findFirstBefore = true,
           const QString &textBefore = QStringLiteral("before"))
{
    whenShown(std::move(action));
    Result r{false, findFirstBefore, textBefore};
    r.ok = search.GetSearchStr(r.findFirst, r.text);
    return r;
}

} // namespace

class TestFrmSearch : public QObject
{
    Q_OBJECT

private slots:
    void waysOut_data();
    void waysOut();
    void opensAfreshWithAnEmptyFocusedBoxCentred();
    void layout_data();
    void layout();
};

void TestFrmSearch::waysOut_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("findFirst");
    QTest::addColumn<QString>("text");

    QTest::newRow("Find First") << "Find First" << true << true << "salt";
    QTest::newRow("Enter in the box is Find First") << "Enter" << true << true << "salt";
    QTest::newRow("Find Next clears the caller's True") << "Find Next" << true << false << "salt";
    QTest::newRow("Alt+N is Find Next") << "Alt+N" << true << false << "salt";
    QTest::newRow("Find First with an empty box") << "empty Find First" << true << true << "";
    QTest::newRow("Cancel leaves both arguments") << "Cancel" << false << true << "before";
    QTest::newRow("Esc leaves both arguments") << "Esc" << false << true << "before";
    QTest::newRow("close box leaves both arguments") << "close box" << false << true << "before";
}

void TestFrmSearch::waysOut()
{
    QFETCH(QString, way);
    QFETCH(bool, ok);
    QFETCH(bool, findFirst);
    QFETCH(QString, text);

    frmSearch search;
    const Result r = ask(search, [way](QDialog *dialog) {
        auto *box = child<QLineEdit>(dialog, "txtFindWhat");
        if (!way.startsWith(QLatin1String("empty")))
            QTest::keyClicks(box, QStringLiteral("salt"));
        if (way.endsWith(QLatin1String("Find First")))
            QTest::mouseClick(child<QPushButton>(dialog, "cmdFindFirst"), Qt::LeftButton);
        else if (way == "Enter")
            QTest::keyClick(box, Qt::Key_Return);
        else if (way == "Find Next")
            QTest::mouseClick(child<QPushButton>(dialog, "cmdFindNext"), Qt::LeftButton);
        else if (way == "Alt+N")
            QTest::keyClick(box, Qt::Key_N, Qt::AltModifier);
        else if (way == "Cancel")
            QTest::mouseClick(child<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
        else if (way == "Esc")
            QTest::keyClick(box, Qt::Key_Escape);
        else
            dialog->close();
    });
    QCOMPARE(r.ok, ok);
    QCOMPARE(r.findFirst, findFirst);
    QCOMPARE(r.text, text);
    QVERIFY(!search.window()); // the window is gone once closed
}

void TestFrmSearch::opensAfreshWithAnEmptyFocusedBoxCentred()
{
    frmSearch search;
    QPointer<QDialog> first;
    ask(search, [&](QDialog *dialog) {
        first = dialog;
        QTest::keyClicks(child(dialog, "txtFindWhat"), QStringLiteral("first"));
        dialog->close();
    });
    QVERIFY(!first);

    QString boxText = QStringLiteral("not looked at");
    bool focused = false;
    QPoint offCentre;
    const Result r = ask(
        search,
        [&](QDialog *dialog) {
            auto *box = child<QLineEdit>(dialog, "txtFindWhat");
            boxText = box->text();
            focused = QApplication::focusWidget() == box;
            offCentre = dialog->frameGeometry().center() - dialog->screen()->geometry().center();
            QTest::keyClick(box, Qt::Key_Return);
        },
        false, QStringLiteral("what the caller had"));
    QCOMPARE(boxText, QString());
    QVERIFY(focused);
    QVERIFY2(qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1, qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    QVERIFY(r.ok);
    QCOMPARE(r.text, QString()); // the caller's text is not shown and not kept
}

void TestFrmSearch::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1") << "Label1" << QRect(8, 24, 169, 17) << "Find &What:";
    QTest::newRow("txtFindWhat") << "txtFindWhat" << QRect(8, 40, 201, 19) << "";
    QTest::newRow("cmdFindFirst") << "cmdFindFirst" << QRect(216, 8, 73, 25) << "&Find First";
    QTest::newRow("cmdFindNext") << "cmdFindNext" << QRect(216, 40, 73, 25) << "Find &Next";
    QTest::newRow("cmdCancel") << "cmdCancel" << QRect(216, 80, 73, 25) << "Cancel";
}

void TestFrmSearch::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    frmSearch search;
    ask(search, [=](QDialog *dialog) {
        QWidget *control = dialog->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
        if (auto *label = qobject_cast<QLabel *>(control)) {
            QCOMPARE(label->text(), text);
            QCOMPARE(label->buddy(), child(dialog, "txtFindWhat")); // Alt+W goes to the box
        } else if (auto *button = qobject_cast<QPushButton *>(control)) {
            QCOMPARE(button->text(), text);
            QCOMPARE(button->isDefault(), name == "cmdFindFirst");
        }
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Search"));
        QCOMPARE(dialog->size(), QSize(297, 113));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QVERIFY(!(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(dialog->isModal());
        QVERIFY(!dialog->windowIcon().isNull());
        dialog->close();
    });
}

QTEST_MAIN(TestFrmSearch)
#include "tst_frmsearch.moc"
