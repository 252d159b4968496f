// The program in German on a German desktop, Qt's own texts included, and every text of every
// window fitting its place in each language the program speaks.
#include "Testing.h"
#include "core/RuntimeError.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/SplashScreen.h"
#include "print/RecipePrinting.h"
#include "resources/Translations.h"
#include "search/SearchDialog.h"

namespace {

// The desktop's language while it exists.
struct Desktop
{
    explicit Desktop(const QLocale &language)
    {
        QLocale::setDefault(language);
        Translations::install();
    }
    ~Desktop()
    {
        for (QTranslator *translator : qApp->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        QLocale::setDefault(QLocale::c());
    }
};

const QLocale German(QLocale::German, QLocale::Germany);

// The texts of a window's labels, buttons and frames that do not fit their place.
QStringList cutShort(QWidget *window)
{
    QStringList cut;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        QString text;
        QRect room;
        int flags = Qt::TextShowMnemonic;
        const QFontMetrics metrics(control->font());
        if (auto *label = qobject_cast<QLabel *>(control); label && label->pixmap().isNull()) {
            text = label->text();
            room = label->contentsRect();
            flags |= int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        } else if (auto *button = qobject_cast<QPushButton *>(control)) {
            text = button->text();
            room = button->rect().adjusted(4, 0, -4, 0); // the button's frame
        } else if (auto *frame = qobject_cast<QGroupBox *>(control)) {
            text = frame->title();
            room = QRect(0, 0, frame->width() - 16, frame->height());
        }
        if (!text.isEmpty() && !room.contains(metrics.boundingRect(room, flags, text)))
            cut << control->objectName() + ": " + text;
    }
    return cut;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void aGermanDesktopGetsGermanTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("german");
        QTest::newRow("a menu, with its access key") << "file menu"
                                                     << "&Datei";
        QTest::newRow("a label of the recipe") << "name label"
                                               << "Gericht:";
        QTest::newRow("the record counter") << "counter"
                                            << "Rezept 1 von 3";
        QTest::newRow("a question with the recipe's name") << "delete"
                                                           << "Soll »Recipe 1« wirklich gelöscht werden?";
        QTest::newRow("a message with the search text") << "not found"
                                                        << "Keine weiteren Vorkommen von »Salz«.";
        QTest::newRow("Qt's own Yes button") << "yes button"
                                             << "&Ja";
        QTest::newRow("the search dialog") << "search"
                                           << "Suchen";
        QTest::newRow("the About box, with the title") << "about"
                                                       << "Über Larderly";
        QTest::newRow("the splash screen") << "splash"
                                           << "Plattform";
        QTest::newRow("a printed label") << "printed"
                                         << "line(10) Rezeptname: Recipe 1";
        QTest::newRow("an error's description") << "error"
                                                << "Zugriff verweigert";
    }
    void aGermanDesktopGetsGermanTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, german);
        const Desktop desktop(German);
        QString seen;
        if (text == "file menu" || text == "name label" || text == "counter") {
            LogicFixture recipes(numbered(3, 1));
            RecipeFile::write(recipes.list, recipes.path());
            WindowFixture w(recipes.bytes());
            seen = text == "file menu" ? w.child<QMenu>("fileMenu")->title()
                : text == "name label" ? w.child<QLabel>("nameLabel")->text()
                                       : w.counter();
        } else if (text == "delete" || text == "not found") {
            LogicFixture w(numbered(3, 1));
            PromptRecorder prompts;
            w.answers << SearchRequest{"Salz", true};
            text == "delete" ? w.logic.deleteRecipe() : w.logic.search();
            seen = prompts.texts().value(0);
        } else if (text == "yes button") {
            RealMessageBoxes real;
            onModal([&](QWidget *box) {
                seen = qobject_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->text();
                box->close();
            });
            MessageBox::askYesNo(nullptr, "?", MessageBox::Yes);
        } else if (text == "search") {
            SearchDialog search;
            onModal([&](QWidget *dialog) {
                seen = dialog->windowTitle();
                dialog->close();
            });
            search.ask();
        } else if (text == "about") {
            seen = AboutDialog(nullptr).windowTitle();
        } else if (text == "splash") {
            seen = SplashScreen().findChild<QLabel *>("platformLabel")->text();
        } else if (text == "printed") {
            RecordingPrinter printer;
            RecipePrinting::printAllRecipes(numbered(1), printer);
            seen = printer.operations.value(5);
        } else {
            seen = RuntimeError(RuntimeError::PermissionDenied).description();
        }
        QCOMPARE(seen, german);
    }

    void everyTextFitsItsPlaceInEachLanguage_data()
    {
        QTest::addColumn<QLocale>("language");
        QTest::newRow("English") << QLocale::c();
        QTest::newRow("German") << German;
    }
    void everyTextFitsItsPlaceInEachLanguage()
    {
        QFETCH(QLocale, language);
        const Desktop desktop(language);
        WindowFixture main;
        QStringList cut = cutShort(main.window.get());
        SplashScreen splash;
        AboutDialog about(nullptr);
        cut << cutShort(&splash) << cutShort(&about);
        SearchDialog search;
        onModal([&](QWidget *dialog) {
            cut << cutShort(dialog);
            dialog->close();
        });
        search.ask();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
