#pragma once

#include <QString>

class ProgramLauncher;
class QWidget;
class Registry;

// Finds the system information tool through two registry entries and starts it; the About box's
// System Info button runs it. The registry, the file test and the start are handed in, so the
// lookup runs against any store.
class SysInfoLookup
{
public:
    // Entry 1 holds the tool's full path; entry 2 the folder that holds MSINFO32.EXE.
    static const QString ToolKey;
    static const QString ToolValue;
    static const QString FolderKey;
    static const QString FolderValue;
    static const QString ToolFileName;
    // The size of the buffer a value is read into: a longer value counts as not found.
    static constexpr int BufferSize = 1024;

    SysInfoLookup(Registry &registry, ProgramLauncher &launcher);

    // Reads the value `SubKeyRef` of the key `KeyName` under `KeyRoot` into `KeyVal`: a string as
    // it stands, a number as its decimal text; a value of another type leaves `KeyVal` as it was.
    // False, with `KeyVal` emptied, when the key or the value cannot be read. A value with no
    // bytes at all raises "Invalid procedure call or argument".
    bool GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

    // Starts the tool and returns at once, or says that it is unavailable. Never throws.
    void StartSysInfo(QWidget *owner);

    static QString unavailableMessage();

private:
    bool startTool();

    Registry &m_registry;
    ProgramLauncher &m_launcher;
};
