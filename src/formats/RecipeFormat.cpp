#include "formats/RecipeFormat.h"

#include "core/RuntimeError.h"
#include "formats/JsonLdReader.h"
#include "formats/JsonLdWriter.h"
#include "formats/MasterCookReader.h"
#include "formats/MealMasterReader.h"
#include "formats/MealMasterWriter.h"
#include "formats/RecipeMlReader.h"
#include "formats/TextLines.h"
#include "store/RecipeList.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// How far into a file sniff() looks for the first recipe.
constexpr qsizetype SniffedBytes = 1 << 20;

constexpr QStringView Names[] = {u"", u"mealmaster", u"mxp", u"recipeml", u"jsonld"};

} // namespace

RecipeFormat::Format RecipeFormat::fromName(const QString &name)
{
    for (int format = MealMaster; format <= JsonLd; ++format) {
        if (name.compare(Names[format], Qt::CaseInsensitive) == 0)
            return Format(format);
    }
    return Unknown;
}

QString RecipeFormat::name(Format format)
{
    return Names[format].toString();
}

RecipeFormat::Format RecipeFormat::fromFileName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"mmf" || suffix == u"mm")
        return MealMaster;
    if (suffix == u"mxp")
        return MasterCook;
    if (suffix == u"xml" || suffix == u"rml")
        return RecipeMl;
    if (suffix == u"json" || suffix == u"jsonld" || suffix == u"html" || suffix == u"htm")
        return JsonLd;
    return Unknown;
}

RecipeFormat::Format RecipeFormat::sniff(QByteArrayView bytes)
{
    if (JsonLdReader::isJson(bytes))
        return JsonLd;
    const QString start = QString::fromLatin1(bytes.first(std::min(bytes.size(), SniffedBytes)));
    if (start.contains(u"<recipeml"))
        return RecipeMl;
    if (start.contains(u"application/ld+json", Qt::CaseInsensitive))
        return JsonLd;
    for (const QStringView line : TextLines::split(start)) {
        if (MealMasterReader::isHeader(line))
            return MealMaster;
        if (MasterCookReader::isHeader(line))
            return MasterCook;
    }
    return Unknown;
}

bool RecipeFormat::canWrite(Format format)
{
    return format == MealMaster || format == JsonLd;
}

QList<Recipe> RecipeFormat::read(QByteArrayView bytes, Format format, ArchiveEncoding::Encoding encoding)
{
    switch (format) {
    case MealMaster:
        return MealMasterReader::read(ArchiveEncoding::decode(bytes, encoding));
    case MasterCook:
        return MasterCookReader::read(ArchiveEncoding::decode(bytes, encoding));
    case RecipeMl:
        return RecipeMlReader::read(bytes);
    case JsonLd:
        return JsonLdReader::read(bytes);
    case Unknown:
        break;
    }
    throw RuntimeError(RuntimeError::InvalidFileFormat);
}

namespace {

// About the size of the list written in either format, to reserve room for it at once.
qsizetype writtenSize(const RecipeList &list)
{
    qsizetype size = 0;
    for (int i = 1; i <= list.count().value(); ++i) {
        for (int field = 0; field < Recipe::FieldCount; ++field)
            size += list.at(i).field(field).size();
    }
    return size + size / 4 + qsizetype(list.count().value()) * 256;
}

RuntimeError unencodable(const RecipeList &list, int i, const QString &text, ArchiveEncoding::Encoding encoding)
{
    const qsizetype at = ArchiveEncoding::unencodable(text, encoding);
    const uint character = QStringView(text).sliced(at).toUcs4().value(0);
    return RuntimeError(
        RuntimeError::InvalidFileFormat,
        QCoreApplication::translate("RecipeFormat", "recipe %1 (“%2”) holds %3, which %4 has no code for")
            .arg(i)
            .arg(list.at(i).name, QStringLiteral("U+%1").arg(character, 4, 16, QLatin1Char('0')).toUpper(),
                 ArchiveEncoding::name(encoding)));
}

// The recipes in Meal-Master, encoded a recipe at a time. Automatic writes Windows-1252 unless a
// recipe holds a character it lacks, or its bytes would be read back as another encoding: then
// the whole file is written again as UTF-8.
QByteArray writeMealMaster(const RecipeList &list, ArchiveEncoding::Encoding encoding)
{
    const bool automatic = encoding == ArchiveEncoding::Automatic;
    const ArchiveEncoding::Encoding target = automatic ? ArchiveEncoding::Windows1252 : encoding;
    QByteArray out;
    out.reserve(writtenSize(list));
    for (int i = 1; i <= list.count().value(); ++i) {
        const QString text = MealMasterWriter::write(list.at(i));
        if (ArchiveEncoding::append(out, text, target))
            continue;
        if (automatic)
            return writeMealMaster(list, ArchiveEncoding::Utf8);
        throw unencodable(list, i, text, encoding);
    }
    if (automatic && ArchiveEncoding::detect(out) != ArchiveEncoding::Windows1252)
        return writeMealMaster(list, ArchiveEncoding::Utf8);
    return out;
}

} // namespace

QByteArray RecipeFormat::write(const RecipeList &list, Format format, ArchiveEncoding::Encoding encoding)
{
    if (format == JsonLd)
        return JsonLdWriter::write(list);
    if (format != MealMaster)
        throw RuntimeError(RuntimeError::InvalidFileFormat);
    return writeMealMaster(list, encoding);
}
