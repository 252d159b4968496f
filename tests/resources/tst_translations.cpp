// The program in German on a German desktop, Qt's own texts included.
#include "Testing.h"
#include "app/TabbedPages.h"
#include "core/RuntimeError.h"
#include "resources/Translations.h"

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
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
