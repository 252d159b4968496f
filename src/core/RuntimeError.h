#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <exception>

// A run-time error as the user gets to see it: a number that code can test and a description in
// the platform's own wording. Thrown by every library; every handler that reaches the user catches
// it and shows description().
class RuntimeError : public std::exception
{
    Q_DECLARE_TR_FUNCTIONS(RuntimeError)

public:
    enum Number : int {
        InvalidProcedureCall = 5,
        Overflow = 6,
        OutOfMemory = 7,
        SubscriptOutOfRange = 9,
        TypeMismatch = 13,
        FileNotFound = 53,
        DeviceIOError = 57,
        DiskFull = 61,
        InputPastEndOfFile = 62,
        PermissionDenied = 70,
        PathFileAccessError = 75,
        PathNotFound = 76,
        InvalidFileFormat = 321,
    };

    explicit RuntimeError(int number, const QString &description = {}, const QString &source = {});

    int number() const { return m_number; }
    QString description() const { return m_description; }
    QString source() const { return m_source; }

    // The same error raised again by another procedure.
    RuntimeError withSource(const QString &source) const;

    const char *what() const noexcept override { return m_what.constData(); }

    // The wording the platform uses for a standard error number.
    static QString standardDescription(int number);
    // The error for a failure the system reported with `error` (errno), or `fallback`.
    static RuntimeError fromErrno(int error, Number fallback);

private:
    int m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};
