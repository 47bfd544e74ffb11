#include "context/AppContext.h"

#include "data/records/ScheduleDatabase.h"

#include <QStringList>

namespace morvane {

MarkSymbolTable StandardMarkSymbols()
{
    return {QString(),
            QStringLiteral(u"●"),
            QStringLiteral(u"■"),
            QStringLiteral(u"◆"),
            QStringLiteral(u"▲"),
            QStringLiteral(u"▼"),
            QStringLiteral(u"★"),
            QStringLiteral(u"○"),
            QStringLiteral(u"◎"),
            QStringLiteral(u"□"),
            QStringLiteral(u"◇"),
            QStringLiteral(u"△"),
            QStringLiteral(u"▽"),
            QStringLiteral(u"☆"),
            QStringLiteral(u"＿"),
            QStringLiteral(u"〓")};
}

AppContext::AppContext(const Clock& clock, QString programFolder)
    : m_clock(clock), m_programFolder(std::move(programFolder))
{}

AppContext::~AppContext()
{
    closeDatabase();
}

void AppContext::setDatabase(std::unique_ptr<ScheduleDatabase> database)
{
    closeDatabase();
    m_database = std::move(database);
}

void AppContext::closeDatabase()
{
    if (m_database) {
        m_database->Close();
        m_database.reset();
    }
}

QDate AppContext::displayMonthDate() const
{
    const QDate date = ParseDateText(DisplayMonth);
    return date.isValid() ? QDate(date.year(), date.month(), 1) : QDate();
}

void AppContext::setDisplayMonth(QDate date)
{
    DisplayMonth = FirstDayText(date);
}

QString FirstDayText(QDate date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1/%2/01").arg(date.year()).arg(date.month());
}

QDate ParseDateText(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('/'));
    if (parts.size() != 3)
        return {};
    bool okYear = false;
    bool okMonth = false;
    bool okDay = false;
    const int year = parts[0].trimmed().toInt(&okYear);
    const int month = parts[1].trimmed().toInt(&okMonth);
    const int day = parts[2].trimmed().toInt(&okDay);
    if (!okYear || !okMonth || !okDay)
        return {};
    return QDate(year, month, day);
}

} // namespace morvane
