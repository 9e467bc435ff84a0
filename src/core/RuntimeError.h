#pragma once

#include <QString>
#include <exception>
#include <optional>
#include <string>

// A run-time error as the program reports it: a number, the member that raised it and a description.
class RuntimeError : public std::exception {
public:
    static constexpr qint32 InvalidProcedureCall = 5;
    static constexpr qint32 Overflow = 6;
    static constexpr qint32 SubscriptOutOfRange = 9;
    static constexpr qint32 DivisionByZero = 11;
    static constexpr qint32 TypeMismatch = 13;
    // A failure that is no run-time error of its own (a library's exception, say).
    static constexpr qint32 InternalError = 51;
    static constexpr qint32 ObjectNotSet = 91;
    static constexpr qint32 InvalidPropertyValue = 380;
    static constexpr qint32 NoSuchMember = 438;
    // A keyed list asked to hold a second entry under a key it already holds.
    static constexpr qint32 KeyAlreadyHeld = 457;
    // A tree or list item looked up by a key it does not hold.
    static constexpr qint32 ElementNotFound = 35601;
    static constexpr qint32 InvalidArgument = qint32(0x80040201);
    static constexpr qint32 DuplicateKey = 3022;
    static constexpr qint32 FieldTooSmall = 3163;

    RuntimeError(qint32 number, QString source, QString description);

    qint32 number() const { return m_number; }
    const QString& source() const { return m_source; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.c_str(); }

    static RuntimeError overflow(const QString& source = {});
    static RuntimeError subscript(const QString& source = {});
    static RuntimeError typeMismatch(const QString& source = {});

private:
    qint32 m_number;
    QString m_source;
    QString m_description;
    std::string m_what;
};

// What a report says of a failure: a run-time error's number and description; any other failure
// has no number, and its own text as the description.
struct ErrorDescription {
    std::optional<qint32> number;
    QString description;
};
ErrorDescription describe(const std::exception& error);
