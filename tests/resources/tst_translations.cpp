// German on a German desktop, Qt's texts included; access keys in every language; the files built in.
#include "Testing.h"
#include "app/widgets/TabbedPages.h"
#include "core/RuntimeError.h"
#include "dialogs/AboutDialog.h"
#include "resources/Translations.h"
#include "search/SearchDialog.h"

namespace {

// "where: Alt+D: &Datei, Rezept &drucken" for each key that two menu items, buttons or box labels share.
QStringList clashes(const QString &where, const QList<const QWidget *> &widgets)
{
    QMap<QString, QStringList> byKey;
    const auto add = [&byKey](const QString &text) { byKey[QKeySequence::mnemonic(text).toString()] << text; };
    for (const QWidget *widget : widgets) {
        for (const QAction *action : widget->actions())
            add(action->text());
        for (const QAbstractButton *button : widget->findChildren<QAbstractButton *>())
            add(button->text());
        for (const QLabel *label : widget->findChildren<QLabel *>())
            if (label->buddy())
                add(label->text());
    }
    QStringList found;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
        if (it->size() > 1 && !it.key().isEmpty())
            found << where + ": " + it.key() + ": " + it->join(", ");
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
        QCOMPARE(RuntimeError(RuntimeError::PermissionDenied).description(), "Zugriff verweigert");
    }

    // Nor the menu titles and the window's buttons, nor the items of a menu, nor a dialog's controls.
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
        QStringList found = clashes("menu bar and window", {w.window->menuBar(), w.window.get()});
        for (const QMenu *menu : w.window->findChildren<QMenu *>())
            found += clashes(menu->title(), {menu});
        const AboutDialog about(w.window.get());
        found += clashes("About", {&about});
        onModal([&found](QWidget *dialog) {
            found += clashes("Search", {dialog});
            dialog->close();
        });
        SearchDialog(w.window.get()).ask();
        QCOMPARE(found.join(u'\n'), QString());
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
