#include "dialogs/SysInfoLookup.h"

#include "dialogs/MessageBox.h"
#include "dialogs/ProgramLauncher.h"
#include "dialogs/Registry.h"
#include "core/RuntimeError.h"

const QString SysInfoLookup::ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString SysInfoLookup::ToolValue = QStringLiteral("PATH");
const QString SysInfoLookup::FolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString SysInfoLookup::FolderValue = QStringLiteral("MSINFO");
const QString SysInfoLookup::ToolFileName = QStringLiteral("\\MSINFO32.EXE");

namespace {

// Closes an open key on every way out, a run-time error included.
class OpenKey
{
public:
    OpenKey(Registry &registry, Registry::Key key) : m_registry(registry), m_key(key) {}
    ~OpenKey() { m_registry.closeKey(m_key); }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

private:
    Registry &m_registry;
    Registry::Key m_key;
};

} // namespace

SysInfoLookup::SysInfoLookup(Registry &registry, ProgramLauncher &launcher)
    : m_registry(registry)
    , m_launcher(launcher)
{
}

QString SysInfoLookup::unavailableMessage()
{
    return QStringLiteral("System Information Is Unavailable At This Time");
}

bool SysInfoLookup::GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal)
{
    // Read rights only: a user who may not change the machine-wide keys can still read them.
    Registry::Key key = 0;
    if (m_registry.openKey(KeyRoot, KeyName.toLocal8Bit(), 0, Registry::KEY_READ, &key) != Registry::ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }
    const OpenKey closer(m_registry, key);

    QByteArray buffer(BufferSize, '\0');
    quint32 size = BufferSize;
    quint32 type = Registry::REG_NONE;
    if (m_registry.queryValue(key, SubKeyRef.toLocal8Bit(), &type, buffer.data(), &size) != Registry::ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }

    // Cut the buffer to the bytes written; a string loses its terminating NUL and nothing else.
    if (size == 0)
        throw RuntimeError(RuntimeError::InvalidProcedureCall);
    const qsizetype length = qMin<qsizetype>(size, buffer.size());
    const bool endsInNul = size <= quint32(buffer.size()) && buffer.at(size - 1) == '\0';
    const QByteArray text = buffer.left(endsInNul ? length - 1 : length);

    if (type == Registry::REG_SZ) {
        KeyVal = QString::fromLocal8Bit(text);
    } else if (type == Registry::REG_DWORD) {
        // Little-endian, as the system stores it.
        quint32 number = 0;
        for (qsizetype i = qMin<qsizetype>(length, 4) - 1; i >= 0; --i)
            number = (number << 8) | quint8(buffer.at(i));
        KeyVal = QString::number(number);
    }
    return true;
}

bool SysInfoLookup::startTool()
{
    QString path;
    if (!GetKeyValue(Registry::HKEY_LOCAL_MACHINE, ToolKey, ToolValue, path)) {
        if (!GetKeyValue(Registry::HKEY_LOCAL_MACHINE, FolderKey, FolderValue, path))
            return false;
        path += ToolFileName;
        if (!m_launcher.isPresent(path))
            return false;
    }
    // The path from entry 1 is started as it stands: a missing file shows as a failed start.
    return m_launcher.startDetached(path);
}

void SysInfoLookup::StartSysInfo(QWidget *owner)
{
    bool started = false;
    try {
        started = startTool();
    } catch (const std::exception &) {
        // A value that cannot be read ends like a missing one.
    }
    if (!started)
        MessageBox::message(owner, unavailableMessage());
}
