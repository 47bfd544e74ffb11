#include "data/engine/DatabaseEngine.h"

namespace morvane {

EngineError::EngineError(EngineErrorCode code, QString message)
    : m_code(code), m_message(std::move(message)),
      m_what(QString(QStringLiteral("Database error %1: %2"))
                 .arg(static_cast<int>(code))
                 .arg(m_message)
                 .toUtf8())
{}

} // namespace morvane
