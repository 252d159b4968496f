// The program in German on a German desktop, Qt's own texts included; access keys in every language;
// the files built in.
#include "Testing.h"
#include "app/TabbedPages.h"
#include "core/RuntimeError.h"
#include "dialogs/AboutDialog.h"
#include "resources/Translations.h"
#include "search/SearchDialog.h"

namespace {

// The texts of a window's controls that an access key reaches: buttons, and labels naming a box.
QStringList controlTexts(const QWidget *window)
{
    QStringList texts;
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
        texts << button->text();
    for (const QLabel *label : window->findChildren<QLabel *>())
        if (label->buddy())
            texts << label->text();
    return texts;
}

// "where: Alt+D: &Datei, Rezept &drucken" for every key that two of the texts share.
QStringList clashes(const QString &where, const QStringList &texts)
{
    QMultiMap<QString, QString> byKey;
    for (const QString &text : texts) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty())
            byKey.insert(key.toString(), text);
    }
    QStringList found;
    for (const QString &key : byKey.uniqueKeys())
        if (byKey.count(key) > 1)
            found << where + ": " + key + ": " + byKey.values(key).join(", ");
    return found;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void aGermanDesktopGetsGermanTexts() // the test runs with LANG=de_DE.UTF-8
    {
        Translations::install();
        const auto uninstall = qScopeGuard([] { qDeleteAll(qApp->findChildren<QTranslator *>()); });
        WindowFixture w;
        LogicFixture logic(numbered(3, 1));
        PromptRecorder prompts;
        logic.logic.deleteRecipe();
        QCOMPARE(w.child<QMenu>("fileMenu")->title(), "&Datei");
        QCOMPARE(w.child<TabbedPages>("tabs")->tabBar()->tabText(1), "Ressourcen");
        QCOMPARE(logic.view.counter, "Rezept 1 von 3");
        QCOMPARE(prompts.texts(), QStringList("Soll »Recipe 1« wirklich gelöscht werden?"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Ja"); // Qt's own
        QCOMPARE(RuntimeError(RuntimeError::PermissionDenied).description(), "Zugriff verweigert");
    }

    // The files built into the program carry no time of their own, which would change the program
    // whenever they are made again: one commit builds the same bytes.
    void builtInFilesCarryNoTime()
    {
        for (const char *file : {":/i18n/larderly_de.qm", ":/pictures/logo.png"})
            QVERIFY2(QFileInfo::exists(file) && !QFileInfo(file).lastModified().isValid(), file);
    }

    // An access key reaches one control: the menu titles and the window's buttons share none, nor
    // the items of one menu, nor the controls of one dialog. Every catalogue built in is checked.
    void noTwoControlsShareAnAccessKey_data()
    {
        QTest::addColumn<QString>("catalogue"); // none: English
        QTest::newRow("English") << QString();
        for (const QString &file : QDir(":/i18n").entryList({"larderly_*.qm"}))
            QTest::newRow(qPrintable(file)) << ":/i18n/" + file;
    }
    void noTwoControlsShareAnAccessKey()
    {
        QFETCH(QString, catalogue);
        QTranslator translator;
        QVERIFY(catalogue.isEmpty() || translator.load(catalogue));
        QCoreApplication::installTranslator(&translator);
        WindowFixture w;
        QStringList menuTitles;
        for (const QAction *menu : w.window->menuBar()->actions())
            menuTitles << menu->text();
        QStringList found = clashes("menu bar and window", menuTitles + controlTexts(w.window.get()));
        for (const QMenu *menu : w.window->findChildren<QMenu *>()) {
            QStringList items;
            for (const QAction *item : menu->actions())
                items << item->text();
            found += clashes(menu->title(), items);
        }
        const AboutDialog about(w.window.get());
        found += clashes("About", controlTexts(&about));
        onModal([&found](QWidget *dialog) {
            found += clashes("Search", controlTexts(dialog));
            dialog->close();
        });
        SearchDialog(w.window.get()).ask();
        QCOMPARE(found.join(u'\n'), QString());
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
