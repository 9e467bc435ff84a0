#include "RuntimeError.h"

RuntimeError::RuntimeError(qint32 number, QString source, QString description)
    : m_number(number), m_source(std::move(source)), m_description(std::move(description)) {
    m_what = QStringLiteral("[%1] %2: %3").arg(m_number).arg(m_source, m_description).toStdString();
}

RuntimeError RuntimeError::overflow(const QString& source) {
    return RuntimeError(Overflow, source, QStringLiteral("Overflow"));
}

RuntimeError RuntimeError::subscript(const QString& source) {
    return RuntimeError(SubscriptOutOfRange, source, QStringLiteral("Subscript out of range"));
}

RuntimeError RuntimeError::typeMismatch(const QString& source) {
    return RuntimeError(TypeMismatch, source, QStringLiteral("Type mismatch"));
}

ErrorDescription describe(const std::exception& error) {
    if (const auto* runtime = dynamic_cast<const RuntimeError*>(&error))
        return {runtime->number(), runtime->description()};
    return {std::nullopt, QString::fromLocal8Bit(error.what())};
}
