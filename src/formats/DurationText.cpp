#include "formats/DurationText.h"

#include <QCoreApplication>
#include <QStringList>

#include <array>

namespace {

// The parts of a duration, largest first: years, months, weeks, days, then hours, minutes, seconds.
constexpr int PartCount = 7;
constexpr int FirstTimePart = 4;
constexpr char16_t Designators[PartCount] = {u'Y', u'M', u'W', u'D', u'H', u'M', u'S'};

QString unitText(int part, QStringView number)
{
    switch (part) {
    case 0:
        return QCoreApplication::translate("DurationText", "%1 yr").arg(number);
    case 1:
        return QCoreApplication::translate("DurationText", "%1 mo").arg(number);
    case 2:
        return QCoreApplication::translate("DurationText", "%1 wk").arg(number);
    case 3:
        return QCoreApplication::translate("DurationText", "%1 d").arg(number);
    case 4:
        return QCoreApplication::translate("DurationText", "%1 h").arg(number);
    case 5:
        return QCoreApplication::translate("DurationText", "%1 min").arg(number);
    default:
        return QCoreApplication::translate("DurationText", "%1 s").arg(number);
    }
}

// Digits, with a decimal fraction after a point or a comma; its length, or 0.
qsizetype numberAt(QStringView text, qsizetype i)
{
    const qsizetype start = i;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80)
        ++i;
    if (i == start)
        return 0;
    if (i + 1 < text.size() && (text[i] == u'.' || text[i] == u',') && text[i + 1].isDigit()
        && text[i + 1].unicode() < 0x80) {
        for (++i; i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80;)
            ++i;
    }
    return i - start;
}

bool isZero(QStringView number)
{
    for (const QChar c : number) {
        if (c != u'0' && c != u'.' && c != u',')
            return false;
    }
    return true;
}

using Parts = std::array<QStringView, PartCount>;

// A number as a person writes it: without leading zeros ("05" is "5").
QStringView withoutLeadingZeros(QStringView number)
{
    while (number.size() > 1 && number[0] == u'0' && number[1].isDigit())
        number = number.sliced(1);
    return number;
}

QString written(const Parts &parts)
{
    QStringList words;
    for (int part = 0; part < PartCount; ++part) {
        if (!parts[size_t(part)].isEmpty() && !isZero(parts[size_t(part)]))
            words << unitText(part, withoutLeadingZeros(parts[size_t(part)]));
    }
    return words.isEmpty() ? unitText(5, u"0") : words.join(u' ');
}

} // namespace

QString DurationText::fromIso(QStringView text, bool *ok)
{
    if (ok)
        *ok = false;
    if (text.size() < 3 || text[0].toUpper() != u'P')
        return QString();
    Parts parts;
    int next = 0; // the first part that may still come
    bool time = false, any = false;
    for (qsizetype i = 1; i < text.size();) {
        if (text[i].toUpper() == u'T' && !time) {
            time = true;
            any = false;
            next = FirstTimePart;
            ++i;
            continue;
        }
        const qsizetype length = numberAt(text, i);
        if (length == 0 || i + length >= text.size())
            return QString();
        const char16_t designator = text[i + length].toUpper().unicode();
        int part = next;
        while (part < (time ? PartCount : FirstTimePart) && Designators[part] != designator)
            ++part;
        if (part == (time ? PartCount : FirstTimePart))
            return QString();
        parts[size_t(part)] = text.sliced(i, length);
        next = part + 1;
        any = true;
        i += length + 1;
    }
    if (!any)
        return QString();
    if (ok)
        *ok = true;
    return written(parts);
}

QString DurationText::toIso(QStringView text)
{
    QString iso = QStringLiteral("P");
    bool time = false;
    int next = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = numberAt(text, i);
        if (length == 0)
            return QString();
        const QStringView number = text.sliced(i, length);
        int part = next;
        qsizetype end = 0;
        for (; part < PartCount; ++part) {
            const QString word = unitText(part, number);
            if (text.sliced(i).startsWith(word) && (i + word.size() == text.size() || text[i + word.size()] == u' ')) {
                end = i + word.size();
                break;
            }
        }
        if (part == PartCount)
            return QString();
        if (part >= FirstTimePart && !time) {
            iso += u'T';
            time = true;
        }
        iso += number + QChar(Designators[part]);
        next = part + 1;
        i = end + 1;
    }
    return fromIso(iso) == text ? iso : QString();
}

QString DurationText::fromHoursMinutes(QStringView text, bool *ok)
{
    if (ok)
        *ok = false;
    const qsizetype colon = text.indexOf(u':');
    if (colon <= 0 || numberAt(text, 0) != colon || colon + 1 >= text.size()
        || numberAt(text, colon + 1) != text.size() - colon - 1 || text.sliced(colon + 1).contains(u'.')
        || text.sliced(colon + 1).contains(u','))
        return QString();
    if (ok)
        *ok = true;
    Parts parts;
    parts[4] = text.left(colon);
    parts[5] = text.sliced(colon + 1);
    if (isZero(parts[4]) && isZero(parts[5]))
        return QString();
    return written(parts);
}
