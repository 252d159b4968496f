#pragma once

// What the tests above the store share: Qt Test and Widgets, the recipe folders, the fixtures for
// the main window and its logic, and the stand-ins for the user, the desktop and the printer.
#include "LogicFixture.h"
#include "PdfText.h"
#include "PromptRecorder.h"
#include "Raised.h"
#include "UrlRecorder.h"
#include "WindowFixture.h"

#include <QtTest>
#include <QtWidgets>
