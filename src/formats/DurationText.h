#pragma once

#include <QString>
#include <QStringView>

// Times as a person writes them in a recipe ("1 h 30 min"), from the forms other programs store:
// ISO 8601 durations ("PT1H30M") and MasterCook's hours and minutes ("1:30").
namespace DurationText {

// An ISO 8601 duration (designators in either case) as a person writes it: each part that is not
// zero, largest first, its number as written but for leading zeros ("PT1H05M" is "1 h 5 min",
// "PT90M" is "90 min"), and "0 min" when every part is zero. Empty, with *ok false, for any
// other text.
QString fromIso(QStringView text, bool *ok = nullptr);

// The ISO 8601 duration that fromIso() turns into exactly this text, or empty when there is none.
QString toIso(QStringView text);

// Hours and minutes ("1:30") written as fromIso() writes them; empty for "0:00". Empty, with *ok
// false, for any other text.
QString fromHoursMinutes(QStringView text, bool *ok = nullptr);

} // namespace DurationText
