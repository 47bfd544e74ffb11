#include "options/CalendarOptionsTarget.h"

#include "calendar_window/month/DrawCalendar.h"
#include "calendar_window/month/MonthModel.h"
#include "calendar_window/month/SettingColor.h"
#include "calendar_window/tray/CalendarMenuFrm.h"
#include "calendar_window/window/CalendarFrm.h"
#include "context/AppContext.h"
#include "core/SettingsStore.h"
#include "data/records/UserMessage.h"
#include "ui_toolkit/MsgBox.h"

#include <QAction>
#include <QCoreApplication>
#include <QImageReader>
#include <QSettings>
#include <QTimer>

namespace morvane {

CalendarOptionsTarget::CalendarOptionsTarget(AppContext& context, CalendarFrm& calendar,
                                             CalendarMenuFrm& menu, QSettings* store,
                                             std::unique_ptr<LoginStart> loginStart)
    : m_context(context), m_calendar(calendar), m_menu(menu), m_store(store),
      m_loginStart(loginStart ? std::move(loginStart)
                              : SystemLoginStart(QCoreApplication::applicationFilePath()))
{}

void CalendarOptionsTarget::applyColors()
{
    DrawCalendar(m_context, m_calendar, FirstDayText(m_context.displayMonthDate()));
    const Settings& s = m_context.settings();
    m_calendar.LB_B[0].foreColor = SettingColor(s.YearColor);
    for (CellLabel& shadow : m_calendar.LB_A)
        shadow.foreColor = SettingColor(s.ShadowColor);
}

void CalendarOptionsTarget::dropDesktopCopy()
{
    m_calendar.desktopCopy().forget();
}

void CalendarOptionsTarget::applyLayeredAlpha()
{
    m_calendar.ApplyLayeredAlpha();
}

void CalendarOptionsTarget::resetLayeredAlpha()
{
    m_calendar.ResetLayeredAlpha();
}

bool CalendarOptionsTarget::preparePicture(const QString& path, QString* error)
{
    // The calendar builds its background from the setting in the layout
    // that follows; here it is only made sure the file can be read at all.
    QImageReader reader(path);
    if (reader.canRead())
        return true;
    *error = reader.errorString();
    return false;
}

void CalendarOptionsTarget::clearPicture()
{
    m_calendar.Picture2 = QImage();
}

void CalendarOptionsTarget::reportMissingPicture(const QString& description)
{
    MsgBox(QStringLiteral("指定した背景の画像ファイルがありません。\r\n\r\n") + description,
           MsgBoxStyle::Exclamation, AppTitle, m_messageParent);
}

void CalendarOptionsTarget::setTopMost(bool topMost)
{
    if (topMost)
        m_calendar.SetTopMost();
    else
        m_calendar.SetNotTopMost();
}

void CalendarOptionsTarget::writeTitle()
{
    const int type = m_context.settings().TitleType;
    m_calendar.setTitleClock(false);
    m_calendar.setTitle(TitleText(type, m_context.displayMonthDate(), m_context.clock().now()));
    m_calendar.setTitleClock(TitleHasClock(type));
}

void CalendarOptionsTarget::applyFonts()
{
    m_calendar.ApplyCalendarFonts();
}

void CalendarOptionsTarget::layoutCalendar()
{
    m_calendar.LayoutCalendar();
}

void CalendarOptionsTarget::placeTitleAndIcons()
{
    m_calendar.PlaceTitleAndIcons();
    m_calendar.PlaceIconButtons();
}

void CalendarOptionsTarget::drawFrame(bool on)
{
    if (on)
        m_calendar.DrawCalendarBox();
    else
        m_calendar.ClearPicture1();
}

void CalendarOptionsTarget::setOutline(bool rounded)
{
    if (rounded)
        m_calendar.SetRoundRegion();
    else
        m_calendar.SetRectRegion();
}

void CalendarOptionsTarget::paintBackground()
{
    m_calendar.PaintCalendarBackground();
}

void CalendarOptionsTarget::setCalendarView(bool visible)
{
    m_menu.menus().MNU_P->setChecked(visible);
    emit m_context.events().calendarVisibilityRequested(visible);
}

void CalendarOptionsTarget::setMouseHook(bool)
{
    // The calendar's wheel handler reads the setting at every turn of the
    // wheel, so the new value is already in force.
}

void CalendarOptionsTarget::setTrayPicture(int index, const QString& file)
{
    m_menu.setTrayPicture(index, file);
}

void CalendarOptionsTarget::refreshTrayIcon()
{
    m_menu.setDayNotifyIcon();
}

bool CalendarOptionsTarget::startsAtLogin() const
{
    return m_loginStart->isEnabled();
}

bool CalendarOptionsTarget::setStartAtLogin(bool enabled)
{
    QString error;
    if (!m_loginStart->setEnabled(enabled, &error)) {
        MsgBox((enabled ? QStringLiteral("ログイン時に起動するよう登録できませんでした。\r\n\r\n")
                        : QStringLiteral("ログイン時の起動を解除できませんでした。\r\n\r\n")) +
                   error,
               MsgBoxStyle::Exclamation, AppTitle, m_messageParent);
    }
    return m_loginStart->isEnabled();
}

void CalendarOptionsTarget::saveSettings()
{
    if (!m_store)
        return;
    // Kept at once so that what the user chose survives a crash; the exit
    // line of the activity log belongs to the exit alone.
    Settings copy = m_context.settings();
    const bool endLog = copy.EndLog;
    copy.EndLog = false;
    SaveSettings(*m_store, copy, m_context.programFolder(), m_context.clock());
    WriteRegString(*m_store, QStringLiteral("EndLog"),
                   endLog ? QStringLiteral("True") : QStringLiteral("False"));
    m_store->sync();
}

} // namespace morvane
