#pragma once

#include "options/OptionApply.h"

#include <QStringList>

namespace morvane {

// Writes down every call the apply makes on the windows, in order.
class RecordingTarget : public OptionsTarget
{
public:
    QStringList calls;
    QString unreadablePicture; // preparePicture fails for this path

    void applyColors() override { calls << "colors"; }
    void dropDesktopCopy() override { calls << "dropDesktopCopy"; }
    void applyLayeredAlpha() override { calls << "layeredAlpha"; }
    void resetLayeredAlpha() override { calls << "resetAlpha"; }
    bool preparePicture(const QString& path, QString* error) override
    {
        calls << "picture " + path;
        if (path != unreadablePicture)
            return true;
        *error = QStringLiteral("unreadable");
        return false;
    }
    void clearPicture() override { calls << "clearPicture"; }
    void reportMissingPicture(const QString& description) override
    {
        calls << "missingPicture " + description;
    }
    void setTopMost(bool topMost) override { calls << QString("topMost %1").arg(topMost); }
    void writeTitle() override { calls << "title"; }
    void applyFonts() override { calls << "fonts"; }
    void layoutCalendar() override { calls << "layout"; }
    void placeTitleAndIcons() override { calls << "icons"; }
    void drawFrame(bool on) override { calls << QString("frame %1").arg(on); }
    void setOutline(bool rounded) override { calls << QString("outline %1").arg(rounded); }
    void paintBackground() override { calls << "paint"; }
    void setCalendarView(bool visible) override { calls << QString("view %1").arg(visible); }
    void setMouseHook(bool hooked) override { calls << QString("hook %1").arg(hooked); }
    void setTrayPicture(int index, const QString& file) override
    {
        calls << QString("tray %1 %2").arg(index).arg(file);
    }
    void refreshTrayIcon() override { calls << "trayRefresh"; }
    bool loginEntry = false;      // the desktop's start-at-login entry
    bool loginEntryFails = false; // writing the entry fails
    bool startsAtLogin() const override { return loginEntry; }
    bool setStartAtLogin(bool enabled) override
    {
        calls << QString("login %1").arg(enabled);
        if (!loginEntryFails)
            loginEntry = enabled;
        return loginEntry;
    }
    void saveSettings() override { calls << "save"; }
};

} // namespace morvane
