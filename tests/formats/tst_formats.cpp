// The readers and writers of other recipe programs' formats, with nothing but QtCore: sample files
// of each format, the encodings, the times and the texts of web pages, and the exports read back.
#include "Recipes.h"
#include "formats/ArchiveEncoding.h"
#include "formats/DurationText.h"
#include "formats/HtmlText.h"
#include "formats/RecipeFormat.h"

#include <QtTest>

namespace {

QByteArray sample(const QString &name)
{
    QFile file(QFINDTESTDATA("data/" + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Fields fieldsOf(const QList<Recipe> &recipes)
{
    Fields fields;
    for (const Recipe &recipe : recipes) {
        for (int f = 0; f < Recipe::FieldCount; ++f)
            fields << recipe.field(f);
    }
    return fields;
}

// The fields of every recipe a sample file gives, in the format its name or its contents tell.
Fields imported(const QString &name)
{
    const QByteArray bytes = sample(name);
    RecipeFormat::Format format = RecipeFormat::fromFileName(name);
    if (format == RecipeFormat::Unknown)
        format = RecipeFormat::sniff(bytes);
    return fieldsOf(RecipeFormat::read(bytes, format, ArchiveEncoding::Automatic));
}

const QString More = "\r\n\r\n-- More about this recipe --\r\n";

// Recipes made of pieces that each format has to take care of: quotes, line ends of every kind,
// blanks at the ends, HTML, character references, times and durations, letters of every script.
RecipeList randomRecipes(QRandomGenerator &random)
{
    // clang-format off
    static const QStringList pieces = {
        "Soup", " ", "  ", "\r\n", "\r", "\n", "\t", "\"", "'", "&", "&amp;", "&lt;b&gt;", "&#10;", "&#x41;", "&nbsp;",
        "&bogus;", "<b>", "</p>", "<br/>", "<!-- x -->", "a < b > c", "<3", "1 h 30 min", "PT5M", "P", "10", "0 min",
        "1 c", "2 tb", "1/2", "-", "- x", "MMMMM", "-----", "Title:", "é", "€", "ß", "→", "😀", "日本", "\u00a0",
        "\u2028", "\u0085", QString(QChar(0xFEFF)), "x", "flour, sifted", "1.", "* "};
    // clang-format on
    RecipeList list;
    const int count = 1 + random.bounded(4);
    for (int i = 1; i <= count; ++i) {
        list.appendEmpty();
        for (int f = 0; f < Recipe::FieldCount; ++f) {
            QString text;
            for (int n = random.bounded(8); n > 0; --n)
                text += pieces.at(random.bounded(pieces.size()));
            list.at(i).field(f) = text;
        }
    }
    list.setCurrent(1);
    return list;
}

QString withoutBlanks(const QString &text)
{
    QString kept;
    for (const QChar c : text) {
        if (!c.isSpace())
            kept += c;
    }
    return kept;
}

} // namespace

class TestFormats : public QObject
{
    Q_OBJECT

private slots:
    void readsMealMaster_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Fields>("fields");
        // clang-format off
        QTest::newRow("version 8: sections, continuations, lists, two columns, text between recipes") << "two-recipes-v8.mmf" << Fields{
            "Lemon Drizzle Cake", "", "", "12 servings",
            "225 g Butter, softened\r\n225 g Caster sugar\r\n4 Eggs\r\n225 g Self-raising flour\r\n1 Lemon; zest finely grated and juice kept for the drizzle\r\nDRIZZLE\r\n85 g Icing sugar",
            "Heat the oven to 180 C. Beat the butter and sugar until pale, then beat in the eggs one at a time, adding a spoon of flour with each.\r\n\r\n"
            "Fold in the rest of the flour and the zest, spoon into a lined loaf tin and bake for 45 to 50 minutes.\r\n\r\n"
            "1. Mix the icing sugar with the lemon juice.\r\n2. Spoon over the warm cake." + More + "Categories: Cakes, Baking",
            "Garden Vegetable Soup", "", "", "6 servings",
            "2 tb Olive oil\r\n1 md Onion, chopped\r\n2 Carrots, diced\r\n2 Celery sticks, sliced\r\n1 l Vegetable stock\r\n1 cn Tomatoes (400 g)\r\nSalt and pepper",
            "SERVING\r\nSoften the onion, carrots and celery in the oil for ten minutes. Add the stock and the tomatoes and simmer for twenty minutes. Season." + More + "Categories: Soups, Vegetarian"};
        QTest::newRow("version 7 in CP437") << "cp437-v7.mmf" << Fields{
            "Crème brûlée", "", "", "4", "1/2 l Cream\r\n4 Egg yolks\r\n80 g Sugar; plus extra for the tops\r\n1 1/2 ts Vanilla extract",
            "Heat the oven to 150°C. Whisk the yolks with the sugar, pour on the hot cream, add the vanilla and pour into four ramekins.\r\n\r\n"
            "Bake in a bain-marie for 35 minutes; chill, sprinkle with sugar and burn it with a hot iron or a torch." + More + "Categories: Desserts, French"};
        QTest::newRow("Windows-1252 with LF line ends, told from its header in a .txt") << "windows-1252.txt" << Fields{
            "Café au lait", "", "", "2 servings", "250 ml Milk\r\n250 ml Strong coffee",
            "Heat the milk to 65°C – not boiling – and pour it with the coffee." + More + "Categories: Drinks"};
        // clang-format on
    }
    void readsMealMaster()
    {
        QFETCH(QString, file);
        QFETCH(Fields, fields);
        QCOMPARE(imported(file), fields);
    }

    void readsMasterCook_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Fields>("fields");
        // clang-format off
        QTest::newRow("two recipes: header fields, the ingredient table, notes after the rule") << "two-recipes.mxp" << Fields{
            "Shepherd's Pie", "1 h 15 min", "", "6",
            "1 pound minced lamb\r\n2 tablespoons olive oil\r\n1 onion -- chopped\r\n1 kilogram potatoes -- peeled\r\nsalt and pepper -- to taste",
            "Brown the lamb in the oil with the onion, season and put it in a baking dish. Boil the potatoes, mash them and spread them over the meat.\r\n\r\n"
            "Bake at 200 C for 25 minutes." + More + "Recipe By: Aunt May\r\nCategories: Main Dish, Beef, Family\r\n"
            "Per Serving (excluding unknown items): 512 Calories; 28g Fat (49.0% calories from fat); 25g Protein; 40g Carbohydrate.\r\n\r\n"
            "Serving Ideas : With peas.\r\n\r\nNOTES : Leftover roast lamb works as well.",
            "Toast", "5 min", "", "", "2 slices bread", "Toast the bread."};
        // clang-format on
    }
    void readsMasterCook()
    {
        QFETCH(QString, file);
        QFETCH(Fields, fields);
        QCOMPARE(imported(file), fields);
    }

    void readsRecipeMl_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Fields>("fields");
        // clang-format off
        QTest::newRow("a menu of two: fractions, ranges, divisions, alternatives, HTML entities, loose text") << "recipes.xml" << Fields{
            "Pancakes", "10 minutes", "15 minutes", "8 pancakes",
            "1 1/2 cups flour\r\n1-2 tablespoons sugar\r\n1 cup milk or buttermilk\r\nTopping\r\n2 bananas, sliced\r\nOr any soft fruit.",
            "Whisk everything to a smooth batter.\r\nCooking\r\nFry ladlefuls in a hot pan, 2 minutes a side." + More
            + "Categories: Breakfast, Quick\r\nSource: The family card box\r\nNutrition: About 150 kcal a pancake.",
            "Crème fraîche dip", "", "", "4", "crème fraîche & chives",
            "Stir the chives into the crème\r\nfraîche.\r\n\r\nChill for an hour." + More + "Total Time: 1 hour"};
        // clang-format on
    }
    void readsRecipeMl()
    {
        QFETCH(QString, file);
        QFETCH(Fields, fields);
        QCOMPARE(imported(file), fields);
    }

    void readsJsonLd_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Fields>("fields");
        // clang-format off
        QTest::newRow("a saved page: @graph, sections, entities, yields, a recipe named twice, a list of two") << "recipe-page.html" << Fields{
            "Chickpea & spinach curry", "15 min", "1 h 5 min", "4",
            "1 tbsp oil\r\n1 onion, chopped\r\n2 x 400 g tins chickpeas\r\n200 g spinach\r\n1/2 tsp salt – or to taste",
            "The curry\r\nFry the onion in the oil until soft.\r\nAdd the chickpeas\u00a0and simmer for 20 minutes.\r\nTo serve\r\nStir in the spinach until it wilts." + More
            + "Description: A quick curry for a weeknight.\r\nCategories: Main course, Vegetarian\r\nCuisine: Indian\r\nKeywords: curry, chickpeas, quick\r\n"
              "Diet: VeganDiet\r\nTotal Time: 1 h 20 min\r\nAuthor: Sam Cook\r\nSource: https://blog.example/curry/\r\nNutrition: calories 320 kcal; protein 12 g",
            "Flatbreads", "20 minutes", "PT", "6 flatbreads", "250 g flour\r\n1 tsp salt\r\n150 ml water",
            "Mix to a dough.\r\n\r\nRoll out six rounds and cook them in a dry pan."};
        QTest::newRow("a .json list: types as lists and prefixed, a number yield, a text of lines, an ItemList") << "recipes.json" << Fields{
            "Overnight oats", "5 min", "0 min", "2", "80 g oats\r\n200 ml milk", "Mix the oats and milk.\r\nLeave in the fridge overnight.",
            "Iced tea", "", "", "1 jug", "", "Brew the tea strong.\r\nPour it over ice."};
        // clang-format on
    }
    void readsJsonLd()
    {
        QFETCH(QString, file);
        QFETCH(Fields, fields);
        QCOMPARE(imported(file), fields);
    }

    void refusesWhatItCannotRead_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("format"); // empty: by the file's name or contents
        QTest::addColumn<QString>("error");
        // clang-format off
        QTest::newRow("Meal-Master cut short") << "cut-short.mmf" << "" << "line 1: the recipe “Lemon Drizzle Cake” has no closing line (MMMMM): the file is cut short";
        QTest::newRow("Meal-Master without a title") << "no-title.mmf" << "" << "line 1: the recipe has no Title line";
        QTest::newRow("no Meal-Master recipe") << "shopping-list.txt" << "mealmaster" << "no Meal-Master recipe in it";
        QTest::newRow("MasterCook cut short") << "cut-short.mxp" << "" << "line 36: the recipe “Toast” has no ingredient table: the file is cut short";
        QTest::newRow("no MasterCook recipe") << "two-recipes-v8.mmf" << "mxp" << "no MasterCook recipe in it";
        QTest::newRow("RecipeML cut short") << "cut-short.xml" << "" << "line 9: Premature end of document.";
        QTest::newRow("XML that is not RecipeML") << "not-recipeml.xml" << "" << "line 2: this is XML, but not RecipeML: its root element is <cookbook>";
        QTest::newRow("JSON cut short") << "cut-short.json" << "" << "line 3: unterminated array";
        QTest::newRow("JSON-LD without a recipe") << "no-recipe.json" << "" << "no schema.org Recipe in it";
        QTest::newRow("a page without JSON-LD") << "shopping-list.txt" << "jsonld" << "no JSON-LD in it (neither a JSON document nor a page with an application/ld+json script)";
        // clang-format on
    }
    void refusesWhatItCannotRead()
    {
        QFETCH(QString, file);
        QFETCH(QString, format);
        QFETCH(QString, error);
        const QByteArray bytes = sample(file);
        RecipeFormat::Format chosen
            = format.isEmpty() ? RecipeFormat::fromFileName(file) : RecipeFormat::fromName(format);
        if (chosen == RecipeFormat::Unknown)
            chosen = RecipeFormat::sniff(bytes);
        QCOMPARE(raised([&] { RecipeFormat::read(bytes, chosen, ArchiveEncoding::Automatic); }),
                 QString("%1 %2 ()").arg(RuntimeError::InvalidFileFormat).arg(error));
    }

    void tellsTheEncodingOfAnArchive_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("encoding"); // empty: by the rule
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("UTF-8") << QByteArray("Cr\xc3\xa8me") << "" << "Crème";
        QTest::newRow("UTF-8 after a byte-order mark") << QByteArray("\xef\xbb\xbfx\xc3\xa9") << "" << "xé";
        QTest::newRow("CP437 letters") << QByteArray("Cr\x8ame br\x96l\x82" "e") << "" << "Crème brûlée";
        QTest::newRow("CP437 degrees after a number") << QByteArray("180\xf8" "C") << "" << "180°C";
        QTest::newRow("CP437 half after a number") << QByteArray("1\xab cups") << "" << "1½ cups";
        QTest::newRow("Windows-1252 letters, as many in CP437: Windows-1252") << QByteArray("Caf\xe9 cr\xe8me") << "" << "Café crème";
        QTest::newRow("Windows-1252 degrees") << QByteArray("180\xb0" "C \x80") << "" << "180°C €";
        QTest::newRow("CP437 when named") << QByteArray("Caf\xe9") << "cp437" << "CafΘ";
        QTest::newRow("Windows-1252 when named") << QByteArray("\x82\xab") << "windows-1252" << "‚«";
        QTest::newRow("UTF-8 when named, bytes that are not as U+FFFD") << QByteArray("a\xff") << "utf-8" << "a\ufffd";
        // clang-format on
    }
    void tellsTheEncodingOfAnArchive()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, encoding);
        QFETCH(QString, text);
        ArchiveEncoding::Encoding chosen = ArchiveEncoding::Automatic;
        QVERIFY(encoding.isEmpty() || ArchiveEncoding::fromName(encoding, &chosen));
        QCOMPARE(ArchiveEncoding::decode(bytes, chosen), text);
    }

    void writesAnArchiveTheRuleReadsBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("encoding");
        QTest::newRow("Windows-1252 when it holds the text") << "Crème brûlée, 180 °C"
                                                             << "windows-1252";
        QTest::newRow("UTF-8 when it does not") << "Crème → brûlée"
                                                << "utf-8";
        QTest::newRow("UTF-8 when the Windows-1252 bytes read as UTF-8") << "Ã©"
                                                                         << "utf-8";
        QTest::newRow("UTF-8 when the Windows-1252 bytes read as CP437") << "350ø"
                                                                         << "utf-8";
    }
    void writesAnArchiveTheRuleReadsBack()
    {
        QFETCH(QString, text);
        QFETCH(QString, encoding);
        ArchiveEncoding::Encoding used = ArchiveEncoding::Automatic;
        const QByteArray bytes = ArchiveEncoding::encode(text, ArchiveEncoding::Automatic, &used);
        QCOMPARE(ArchiveEncoding::name(used), encoding);
        QCOMPARE(ArchiveEncoding::decode(bytes, ArchiveEncoding::Automatic), text);
    }

    void writesDurationsAsAPersonDoes_data()
    {
        QTest::addColumn<QString>("iso");
        QTest::addColumn<QString>("text"); // empty: not a duration
        QTest::newRow("hours and minutes") << "PT1H30M"
                                           << "1 h 30 min";
        QTest::newRow("minutes past the hour stay minutes") << "PT90M"
                                                            << "90 min";
        QTest::newRow("zero parts left out, leading zeros too") << "P0DT0H05M"
                                                                << "5 min";
        QTest::newRow("days, weeks and seconds") << "P1W2DT30S"
                                                 << "1 wk 2 d 30 s";
        QTest::newRow("a fraction") << "PT1.5H"
                                    << "1.5 h";
        QTest::newRow("small letters") << "pt20m"
                                       << "20 min";
        QTest::newRow("all zero") << "PT0S"
                                  << "0 min";
        QTest::newRow("no part") << "PT"
                                 << "";
        QTest::newRow("a number without its designator") << "PT1H30"
                                                         << "";
        QTest::newRow("hours among the date parts") << "P1H"
                                                    << "";
        QTest::newRow("parts out of order") << "PT5M3H"
                                            << "";
        QTest::newRow("words") << "20 minutes"
                               << "";
    }
    void writesDurationsAsAPersonDoes()
    {
        QFETCH(QString, iso);
        QFETCH(QString, text);
        bool ok = false;
        QCOMPARE(DurationText::fromIso(iso, &ok), text);
        QCOMPARE(ok, !text.isEmpty());
        if (ok) // and back, to a duration of the same text
            QCOMPARE(DurationText::fromIso(DurationText::toIso(text)), text);
    }

    void readsTheTextsOfPages_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("named and numeric references") << "Salt &amp; pepper &frac12; &#189; &#xBD; &eacute;" << "Salt & pepper ½ ½ ½ é";
        QTest::newRow("references that are none stay") << "&bogus; &amp &#; & x &#xZZ;" << "&bogus; &amp &#; & x &#xZZ;";
        QTest::newRow("references past Unicode or to nothing") << "&#0;&#99999999999;&#xD800;" << "\ufffd\ufffd\ufffd";
        QTest::newRow("tags gone, line breaks for br and block ends") << "<p>Stir <b>well</b>.</p><p>Serve<br/>hot.</p>" << "Stir well.\r\nServe\r\nhot.";
        QTest::newRow("a quoted > inside a tag, a comment") << "<a title=\"a > b\">x</a><!-- <p> -->y" << "xy";
        QTest::newRow("what only looks like a tag stays") << "a < b > c <3 <!-- x" << "a < b > c <3 <!-- x";
        QTest::newRow("line ends as CR LF, blanks trimmed, references after") << " \n a\nb\rc\r\nd &#32;" << "a\r\nb\r\nc\r\nd  ";
        // clang-format on
    }
    void readsTheTextsOfPages()
    {
        QFETCH(QString, raw);
        QFETCH(QString, text);
        QCOMPARE(HtmlText::toPlainText(raw), text);
        QCOMPARE(HtmlText::toPlainText(HtmlText::escape(text)), text);
    }

    // A box exported as JSON-LD and imported again is the same box, whatever its texts.
    void jsonLdGivesBackEveryField()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        for (int run = 0; run < 300; ++run) {
            const RecipeList list = randomRecipes(random);
            const QByteArray json = RecipeFormat::write(list, RecipeFormat::JsonLd, ArchiveEncoding::Automatic);
            const Fields expected = fieldsOf(list).mid(0, list.count().value() * Recipe::FieldCount);
            const Fields read = fieldsOf(RecipeFormat::read(json, RecipeFormat::JsonLd, ArchiveEncoding::Automatic));
            if (read != expected)
                qWarning("seed %u, run %d:\n%s", seed, run, json.constData());
            QCOMPARE(read, expected);
        }
    }

    // Meal-Master has no room for some things, but an export never loses a character of them.
    void mealMasterKeepsEveryCharacter()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        for (int run = 0; run < 300; ++run) {
            const RecipeList list = randomRecipes(random);
            const QByteArray text = RecipeFormat::write(list, RecipeFormat::MealMaster, ArchiveEncoding::Automatic);
            const QList<Recipe> read = RecipeFormat::read(text, RecipeFormat::MealMaster, ArchiveEncoding::Automatic);
            QCOMPARE(read.size(), list.count().value());
            for (int i = 1; i <= list.count().value(); ++i) {
                const QString all = withoutBlanks(fieldsOf({read[i - 1]}).join(QString()));
                for (int f = 0; f < Recipe::FieldCount; ++f) {
                    if (!all.contains(withoutBlanks(list.at(i).field(f))))
                        qWarning() << seed << run << f << list.at(i).field(f) << all;
                    QVERIFY(all.contains(withoutBlanks(list.at(i).field(f))));
                }
            }
        }
    }

    void writesMealMasterOtherProgramsRead_data()
    {
        QTest::addColumn<Fields>("box");
        QTest::addColumn<QString>("lines"); // that the export holds
        QTest::addColumn<Fields>("fields"); // read back
        // clang-format off
        const QString long40 = "Slow-roasted shoulder of lamb with garlic";
        QTest::newRow("amounts and units in their columns, times in the directions") << Fields{"Soup", "10 min", "1 h", "4", "1 1/2 c Water\r\n2 Leeks\r\nSalt", "Boil."}
            << "      Title: Soup\r\n Categories: None\r\n      Yield: 4\r\n\r\n  1 1/2 c  Water\r\n      2    Leeks\r\n           Salt\r\n\r\n  Boil.\r\n\r\n  Preparation Time: 10 min\r\n  Cooking Time: 1 h\r\n\r\nMMMMM\r\n"
            << Fields{"Soup", "", "", "4", "1 1/2 c Water\r\n2 Leeks\r\nSalt", "Boil.\r\n\r\nPreparation Time: 10 min\r\nCooking Time: 1 h"};
        QTest::newRow("a long name shortened for the title, whole in the directions") << Fields{long40 + ", rosemary and anchovies", "", "", "", "", ""}
            << "      Title: Slow-roasted shoulder of lamb with garlic, rosemary and...\r\n"
            << Fields{"Slow-roasted shoulder of lamb with garlic, rosemary and...", "", "", "", "", "Name of Dish: " + long40 + ", rosemary and anchovies"};
        QTest::newRow("a long ingredient continued, a dash kept from continuing") << Fields{"x", "", "", "", "2 lb Potatoes, peeled and cut into even chunks\r\n- or sweet potatoes", ""}
            << "      2 lb Potatoes, peeled and cut\r\n           -into even chunks\r\n            - or sweet potatoes\r\n"
            << Fields{"x", "", "", "", "2 lb Potatoes, peeled and cut into even chunks\r\n- or sweet potatoes", ""};
        QTest::newRow("an ingredient's blanks in front left out, lest it begin past column 13") << Fields{"x", "", "", "", "   Salt to taste", ""}
            << "\r\n           Salt to taste\r\n\r\n" << Fields{"x", "", "", "", "Salt to taste", ""};
        QTest::newRow("a direction indented past column 13 is no ingredient") << Fields{"x", "", "", "", "", "                     : far in\r\nNext"}
            << "\r\n\r\n                       : far in\r\n  Next\r\n"
            << Fields{"x", "", "", "", "", "                     : far in\r\nNext"};
        QTest::newRow("a first direction that would read as an ingredient loses its indentation") << Fields{"x", "", "", "", "", "         --- x"}
            << "\r\n\r\n  --- x\r\n" << Fields{"x", "", "", "", "", "--- x"};
        QTest::newRow("a long line and the next kept apart") << Fields{"x", "", "", "", "", "Heat the oil in a large pan and fry the onions slowly until golden brown.\r\nServe."}
            << "  Heat the oil in a large pan and fry the onions slowly until golden brown.\r\n\r\n  Serve.\r\n"
            << Fields{"x", "", "", "", "", "Heat the oil in a large pan and fry the onions slowly until golden brown.\r\n\r\nServe."};
        // clang-format on
    }
    void writesMealMasterOtherProgramsRead()
    {
        QFETCH(Fields, box);
        QFETCH(QString, lines);
        QFETCH(Fields, fields);
        const QByteArray text
            = RecipeFormat::write(listOf(box, 1), RecipeFormat::MealMaster, ArchiveEncoding::Automatic);
        QVERIFY2(text.contains(lines.toUtf8()), text.constData());
        QCOMPARE(fieldsOf(RecipeFormat::read(text, RecipeFormat::MealMaster, ArchiveEncoding::Automatic)), fields);
    }
};

QTEST_GUILESS_MAIN(TestFormats)
#include "tst_formats.moc"
