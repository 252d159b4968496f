// The readers and writers of other recipe programs' formats, with nothing but QtCore: sample files
// of each format, the encodings, the times and the texts of web pages, and the exports read back.
#include "Recipes.h"
#include "formats/ArchiveEncoding.h"
#include "formats/RecipeFormat.h"

#include <QtTest>

namespace {

constexpr auto Automatic = ArchiveEncoding::Automatic;

Fields fieldsOf(const QList<Recipe> &recipes)
{
    Fields fields;
    for (int i = 0; i < recipes.size() * Recipe::FieldCount; ++i)
        fields << recipes[i / Recipe::FieldCount].field(i % Recipe::FieldCount);
    return fields;
}

// Fields written short: '|' between them, '\n' for a line end, '~' for the heading of the rest.
Fields fieldsIn(QString text)
{
    return text.replace("\n", "\r\n").replace("~", "\r\n\r\n-- More about this recipe --\r\n").split('|');
}

// Recipes of pieces each format has to take care of: quotes, line ends and blanks of every kind,
// HTML, character references, times, what looks like Meal-Master, letters of every script.
RecipeList randomRecipes(QRandomGenerator &random)
{
    static const QStringList pieces
        = QString("Soup| |  |\r\n|\r|\n|\t|\"|'|&|&amp;|&lt;b&gt;|&#10;|&#x41;|&nbsp;|&bogus;|<b>|</p>|<br/>|"
                  "<!-- x -->|a < b > c|<3|1 h 30 min|PT5M|P|10|0 min|1 c|2 tb|1/2|-|- x|MMMMM|-----|Title:|é|€|ß|"
                  "→|😀|日本|\u00a0|\u2028|\u0085|\ufeff|x|flour, sifted|1.|* ")
              .split('|');
    RecipeList list;
    for (int i = 1, count = 1 + random.bounded(4); i <= count; ++i) {
        list.appendEmpty();
        for (int f = 0; f < Recipe::FieldCount; ++f) {
            for (int n = random.bounded(8); n > 0; --n)
                list.at(i).field(f) += pieces.at(random.bounded(pieces.size()));
        }
    }
    return list;
}

} // namespace

class TestFormats : public QObject
{
    Q_OBJECT

private slots:
    // The recipes of a sample file, in the format named or else the one its name or contents tell.
    void readsEachShapeOfEachFormat_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("format");
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("error");
        const auto reads = [](const char *file, const char *fields) {
            QTest::newRow(file) << file << "" << fieldsIn(fields) << "none";
        };
        const auto refuses = [](const char *file, const char *format, const char *error) {
            QTest::addRow("%s %s", file, format)
                << file << format << Fields() << QString("%1 %2 ()").arg(RuntimeError::InvalidFileFormat).arg(error);
        };
        // Sections, a continuation, two columns in order, text between recipes.
        reads("two-recipes-v8.mmf",
              "Lemon Cake|||12 servings|225 g Butter\n1 Lemon; zest finely grated and juice\nDRIZZLE\n85 g Icing "
              "sugar|Beat the butter with the sugar, then beat in the eggs and the flour and bake it.\n\nPour the "
              "drizzle over the cake.~Categories: Cakes|Soup|||6 servings|2 tb Olive oil\n1 Onion\n2 Carrots\n1 l "
              "Stock\nSalt|SERVING\nSimmer.");
        reads("cp437-v7.mmf", "Crème brûlée|||4|1/2 l Cream\n1 1/2 ts Vanilla|Bake at 150°C.~Categories: Desserts");
        reads("windows-1252-tie.txt", "Café au lait|||2 servings|250 ml Milk|Heat – not boiling.~Categories: Drinks");
        reads("cp437-signs.mmf", "Scones|||8|1½ c Flour|Bake at 220°.");
        reads("utf-8-bom.mmf", "Purée|||2||");
        reads("two-recipes.mxp",
              "Shepherd's Pie|1 h 15 min||6|1 pound lamb\n1 onion -- chopped\nsalt -- to taste|Brown the lamb with "
              "the onion, put it in a dish, cover it with mashed potatoes and bake it.~Recipe By: May\nCategories: "
              "Main Dish, Beef, Family\nNOTES : Good cold.|Toast|5 min|||2 slices bread|Toast it.");
        reads("recipes.xml",
              "Pancakes|10 min|15 min|8 pancakes|1 1/2 c flour\n1-2 eggs\nmilk or water\nTopping\n2 bananas, sliced\n"
              "Or any fruit.|Whisk a batter.\nCooking\nFry it.~Categories: Breakfast, Quick\nSource: Gran\nNutrition: "
              "150 kcal|Crème fraîche dip|||4|crème & chives|Stir the chives into the\ncrème.\n\nChill.~Total Time: 1 "
              "hour");
        reads("recipe-page.html",
              "Chickpea & spinach curry|15 min|1 h 5 min|4|1 onion\n1/2 tsp salt – to taste|The curry\nFry the "
              "onion.\nAdd\u00a0the chickpeas.\nTo serve\nStir in spinach.~Description: Quick.\nCategories: Main, "
              "Vegan\nCuisine: Indian\nKeywords: curry, quick\nDiet: VeganDiet\nTotal Time: 1 h 20 min\nAuthor: Sam\n"
              "Source: https://blog.example/curry/\nNutrition: calories 320 kcal; protein 12 g|Flatbreads|20 minutes|"
              "PT|6 flatbreads|250 g flour\n1 tsp salt\n150 ml water|Mix.\n\nRoll out and cook.");
        reads("recipes.json",
              "Overnight oats|5 min|0 min|2|80 g oats\n200 ml milk|Mix.\nChill overnight.|Iced tea|||1 jug||Brew tea.\n"
              "Pour it over ice.");
        reads("texts-and-times.json",
              "Texts of pages||||Salt & pepper ½ ½ ½ ¾ é\n&bogus; &amp &#; & x &#xZZ;\n\ufffd\ufffd\ufffd\nStir well.\n"
              "Serve\nhot.\nxy\na < b > c <3 <!-- x\na\nb\nc\nd  ||Times|90 min|5 min||||Times|1 wk 2 d 30 s|1.5 h||||"
              "Times|20 min|PT1H30||||Times|P1H|PT5M3H|||");
        refuses("cut-short.mmf", "", "line 1: the recipe “Cake” has no closing line (MMMMM): the file is cut short");
        refuses("no-title.mmf", "", "line 1: the recipe has no Title line");
        refuses("shopping-list.txt", "mealmaster", "no Meal-Master recipe in it");
        refuses("cut-short.mxp", "", "line 1: the recipe “Toast” has no ingredient table: the file is cut short");
        refuses("two-recipes-v8.mmf", "mxp", "no MasterCook recipe in it");
        refuses("cut-short.xml", "", "line 9: Premature end of document.");
        refuses("not-recipeml.xml", "", "line 2: this is XML, but not RecipeML: its root element is <cookbook>");
        refuses("cut-short.json", "", "line 3: unterminated array");
        refuses("no-recipe.json", "", "no schema.org Recipe in it");
        refuses("shopping-list.txt", "jsonld",
                "no JSON-LD in it (neither a JSON document nor a page with an application/ld+json script)");
    }
    void readsEachShapeOfEachFormat()
    {
        QFETCH(QString, file);
        QFETCH(QString, format);
        QFETCH(Fields, fields);
        QFETCH(QString, error);
        QFile sample(QFINDTESTDATA("data/" + file));
        const QByteArray bytes = sample.open(QIODevice::ReadOnly) ? sample.readAll() : QByteArray();
        const RecipeFormat::Format named = RecipeFormat::fromName(format), byName = RecipeFormat::fromFileName(file);
        const RecipeFormat::Format chosen = named ? named : byName ? byName : RecipeFormat::sniff(bytes);
        Fields read;
        QCOMPARE(raised([&] { read = fieldsOf(RecipeFormat::read(bytes, chosen, Automatic)); }), error);
        QCOMPARE(read, fields);
    }

    // Whatever a box holds, its JSON-LD reads back as the very same fields, and its Meal-Master
    // loses not a character of them, though it has no room for some.
    void exportsGiveBackEveryRecipe()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        const auto tellSeed = qScopeGuard([&] {
            if (QTest::currentTestFailed())
                qWarning("seed %u", seed);
        });
        for (int run = 0; run < 300; ++run) {
            const RecipeList list = randomRecipes(random);
            const QByteArray json = RecipeFormat::write(list, RecipeFormat::JsonLd, Automatic);
            QCOMPARE(fieldsOf(RecipeFormat::read(json, RecipeFormat::JsonLd, Automatic)),
                     fieldsOf(list).mid(0, list.count().value() * Recipe::FieldCount));
            const QByteArray text = RecipeFormat::write(list, RecipeFormat::MealMaster, Automatic);
            const QList<Recipe> read = RecipeFormat::read(text, RecipeFormat::MealMaster, Automatic);
            QCOMPARE(read.size(), list.count().value());
            for (int i = 1; i <= read.size(); ++i) {
                const QString all = fieldsOf({read[i - 1]}).join("").simplified().remove(' '); // blanks aside
                for (int f = 0; f < Recipe::FieldCount; ++f)
                    QVERIFY(all.contains(list.at(i).field(f).simplified().remove(' ')));
            }
        }
    }

    void writesMealMasterOtherProgramsRead_data()
    {
        QTest::addColumn<Fields>("box");
        QTest::addColumn<QString>("lines"); // that the export holds
        QTest::addColumn<Fields>("fields"); // read back
        const auto row = [](const char *name, const char *box, const char *lines, const char *fields) {
            QTest::newRow(name) << fieldsIn(box) << QString(lines).replace("\n", "\r\n") << fieldsIn(fields);
        };
        row("amounts and units in their columns, times in the directions, a long line kept apart from the next",
            "Soup|10 min|1 h|4|1 1/2 c Water\n2 Leeks\nSalt|Heat the oil in a large pan and fry the onions slowly "
            "until golden brown.\nServe.",
            "  1 1/2 c  Water\n      2    Leeks\n           Salt\n",
            "Soup|||4|1 1/2 c Water\n2 Leeks\nSalt|Heat the oil in a large pan and fry the onions slowly until golden "
            "brown.\n\nServe.\n\nPreparation Time: 10 min\nCooking Time: 1 h");
        row("a long name shortened for the title, whole in the directions",
            "Slow-roasted shoulder of lamb with garlic, rosemary and anchovies|||||", "",
            "Slow-roasted shoulder of lamb with garlic, rosemary and...|||||Name of Dish: Slow-roasted shoulder of "
            "lamb with garlic, rosemary and anchovies");
        row("a long ingredient continued, a dash kept from continuing",
            "x||||2 lb Potatoes, peeled and cut into even chunks\n- or sweet potatoes|",
            "      2 lb Potatoes, peeled and cut\n           -into even chunks\n            - or sweet potatoes\n",
            "x||||2 lb Potatoes, peeled and cut into even chunks\n- or sweet potatoes|");
        row("blanks before an ingredient, a first direction like an ingredient, one indented past column 13",
            "x||||   Salt to taste|         --- x\n                     : far in", "",
            "x||||Salt to taste|--- x\n                     : far in");
    }
    void writesMealMasterOtherProgramsRead()
    {
        QFETCH(Fields, box);
        QFETCH(QString, lines);
        QFETCH(Fields, fields);
        const QByteArray text = RecipeFormat::write(listOf(box, 1), RecipeFormat::MealMaster, Automatic);
        QVERIFY2(text.contains(lines.toUtf8()), text.constData());
        QCOMPARE(fieldsOf(RecipeFormat::read(text, RecipeFormat::MealMaster, Automatic)), fields);
    }
};

QTEST_GUILESS_MAIN(TestFormats)
#include "tst_formats.moc"
