#include "RecipeGenerator.h"

#include "store/RecipeList.h"
#include "store/RecipeWriter.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

namespace {

const QStringList Dishes = {
    QStringLiteral("Crème brûlée"),        QStringLiteral("Bœuf bourguignon"),  QStringLiteral("Pâté de campagne"),
    QStringLiteral("Ragù alla bolognese"), QStringLiteral("Paella valenciana"), QStringLiteral("Jalapeño cornbread"),
    QStringLiteral("Gâteau au chocolat"),  QStringLiteral("Smørrebrød"),        QStringLiteral("Käsespätzle"),
    QStringLiteral("Crêpes Suzette"),      QStringLiteral("Piña colada cake"),  QStringLiteral("Soupe à l'oignon"),
};
const QStringList Styles = {
    QStringLiteral("de grand-mère"), QStringLiteral("façon bistro"), QStringLiteral("rapide"),
    QStringLiteral("du dimanche"),   QStringLiteral("à l'ancienne"), QStringLiteral("végétarien"),
};
const QStringList Ingredients = {
    QStringLiteral("200 g farine de blé"),
    QStringLiteral("3 œufs frais"),
    QStringLiteral("½ l lait entier"),
    QStringLiteral("100 g beurre doux, fondu"),
    QStringLiteral("1 pincée de sel de Guérande"),
    QStringLiteral("2 c. à soupe de crème fraîche"),
    QStringLiteral("1 gousse de vanille"),
    QStringLiteral("250 g champignons émincés"),
    QStringLiteral("1 oignon haché"),
    QStringLiteral("2 tomates pelées, épépinées"),
    QStringLiteral("50 g parmesan râpé"),
    QStringLiteral("1 branche de thym"),
    QStringLiteral("poivre du moulin"),
    QStringLiteral("1 jalapeño"),
};
const QStringList Steps = {
    QStringLiteral("Préchauffer le four à 180 °C (th. 6)."),
    QStringLiteral("Mélanger la farine et les œufs dans un grand saladier jusqu'à obtenir une pâte lisse."),
    QStringLiteral("Faire revenir l'oignon dans le beurre à feu doux pendant 5 minutes, sans coloration."),
    QStringLiteral("Ajouter la crème fraîche, saler, poivrer et laisser mijoter 20 minutes à couvert."),
    QStringLiteral("Verser dans un moule beurré et enfourner pour 35 à 40 minutes."),
    QStringLiteral("Laisser reposer 10 minutes avant de démouler ; servir tiède ou froid."),
    QStringLiteral("Parsemer de parmesan et passer sous le gril jusqu'à ce que le dessus soit doré."),
};

QString joinRandom(QRandomGenerator &random, const QStringList &from, int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << from.at(random.bounded(from.size()));
    return lines.join(QStringLiteral("\r\n"));
}

void fill(Recipe &recipe, QRandomGenerator &random, int number)
{
    recipe.name = QStringLiteral("%1 %2 n° %3")
                      .arg(Dishes.at(random.bounded(Dishes.size())), Styles.at(random.bounded(Styles.size())))
                      .arg(number);
    recipe.prepTime = QStringLiteral("%1 min").arg(5 + random.bounded(40));
    recipe.cookTime = QStringLiteral("%1 h %2 min").arg(random.bounded(3)).arg(random.bounded(60));
    recipe.servings = QString::number(2 + random.bounded(8));
    recipe.ingredients = joinRandom(random, Ingredients, 12 + random.bounded(6));
    recipe.directions = joinRandom(random, Steps, 9 + random.bounded(5));
}

} // namespace

RecipeList RecipeGenerator::makeList(int count)
{
    QRandomGenerator random(20261206);
    RecipeList list;
    for (int i = 1; i <= count; ++i) {
        list.appendEmpty();
        fill(list.at(i), random, i);
    }
    if (count > 0)
        list.setCurrent(1);
    return list;
}

bool RecipeGenerator::writeFile(const QString &path, int count)
{
    const RecipeList list = makeList(count);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && RecipeWriter::write(list, file);
}
