#pragma once

#include "core/LoginStart.h"
#include "options/OptionApply.h"

#include <QWidget>

class QSettings;

namespace morvane {

class AppContext;
class CalendarFrm;
class CalendarMenuFrm;

// The apply carried out on the live calendar window and tray.
class CalendarOptionsTarget : public OptionsTarget
{
public:
    // store may be null (nothing is written before the exit then);
    // messageParent owns the messages of the apply. Without loginStart the
    // desktop's entry for the running program is used.
    CalendarOptionsTarget(AppContext& context, CalendarFrm& calendar, CalendarMenuFrm& menu,
                          QSettings* store, std::unique_ptr<LoginStart> loginStart = nullptr);

    void setMessageParent(QWidget* parent) { m_messageParent = parent; }

    void applyColors() override;
    void dropDesktopCopy() override;
    void applyLayeredAlpha() override;
    void resetLayeredAlpha() override;
    bool preparePicture(const QString& path, QString* error) override;
    void clearPicture() override;
    void reportMissingPicture(const QString& description) override;
    void setTopMost(bool topMost) override;
    void writeTitle() override;
    void applyFonts() override;
    void layoutCalendar() override;
    void placeTitleAndIcons() override;
    void drawFrame(bool on) override;
    void setOutline(bool rounded) override;
    void paintBackground() override;
    bool startsAtLogin() const override;
    bool setStartAtLogin(bool enabled) override;
    void setCalendarView(bool visible) override;
    void setMouseHook(bool hooked) override;
    void setTrayPicture(int index, const QString& file) override;
    void refreshTrayIcon() override;
    void saveSettings() override;

private:
    AppContext& m_context;
    CalendarFrm& m_calendar;
    CalendarMenuFrm& m_menu;
    QSettings* m_store;
    std::unique_ptr<LoginStart> m_loginStart;
    QWidget* m_messageParent = nullptr;
};

} // namespace morvane
