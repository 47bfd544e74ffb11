#pragma once

#include <QDate>
#include <QString>
#include <ostream>

// Readable failure messages for the Qt values these tests compare.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(QDate date, std::ostream* os)
{
    *os << date.toString(Qt::ISODate).toStdString();
}

inline std::ostream& operator<<(std::ostream& os, const QString& text)
{
    return os << text.toStdString();
}

inline std::ostream& operator<<(std::ostream& os, QDate date)
{
    return os << date.toString(Qt::ISODate).toStdString();
}
