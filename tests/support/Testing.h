#pragma once

// What the tests above the store share: fixtures, and stand-ins for the user and printer.
#include "LogicFixture.h"
#include "PdfText.h"
#include "PromptRecorder.h"
#include "WindowFixture.h"

#include <QtTest>
#include <QtWidgets>
