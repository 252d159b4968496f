#pragma once

#include "core/RuntimeError.h"

#include <QString>

// The error `body` raises as "number description (source)", "none" for none.
template<typename Body>
QString raised(Body body)
{
    try {
        body();
    } catch (const RuntimeError &error) {
        return QStringLiteral("%1 %2 (%3)").arg(error.number()).arg(error.description(), error.source());
    }
    return "none";
}
