#pragma once

#include "core/Settings.h"
#include "options/OptionControls.h"

#include <QString>
#include <functional>

namespace morvane {

// What the apply asks of the live windows (the calendar and the tray), in
// the order it asks. The real one drives CalendarFrm and CalendarMenuFrm;
// tests record the calls.
class OptionsTarget
{
public:
    virtual ~OptionsTarget() = default;

    // The colours just stored reach the calendar: background, month redrawn,
    // title and shadow colours.
    virtual void applyColors() = 0;
    // Pseudo transparency turned off: the desktop copy goes.
    virtual void dropDesktopCopy() = 0;
    virtual void applyLayeredAlpha() = 0;
    virtual void resetLayeredAlpha() = 0;
    // Loads PictureFile as the calendar's background picture; false with a
    // description when it cannot be read.
    virtual bool preparePicture(const QString& path, QString* error) = 0;
    virtual void clearPicture() = 0;
    // The background picture named in the settings cannot be read.
    virtual void reportMissingPicture(const QString& description) = 0;
    virtual void setTopMost(bool topMost) = 0;
    // Stops the title clock, writes the title in TitleType's format and
    // starts the clock again for the types that show the time.
    virtual void writeTitle() = 0;
    // Fonts and sizes of the title, header, day numbers and marks from the
    // settings.
    virtual void applyFonts() = 0;
    virtual void layoutCalendar() = 0;
    // Title placed beside or between the icons, icons shown as set and put
    // in their places.
    virtual void placeTitleAndIcons() = 0;
    virtual void drawFrame(bool on) = 0;
    virtual void setOutline(bool rounded) = 0;
    virtual void paintBackground() = 0;
    virtual void setCalendarView(bool visible) = 0;
    virtual void setMouseHook(bool hooked) = 0;
    // Tray picture index 0 (normal) or 1 (flashing partner) from file, or
    // the built-in picture when file is empty; the tray shows it at once.
    virtual void setTrayPicture(int index, const QString& file) = 0;
    virtual void refreshTrayIcon() = 0;
    // Whether the desktop starts the program at login, read from its entry.
    virtual bool startsAtLogin() const = 0;
    // Writes or removes that entry; a failure is reported to the user.
    // Returns the state the entry is in afterwards.
    virtual bool setStartAtLogin(bool enabled) = 0;
    // The settings just applied are kept on disk.
    virtual void saveSettings() = 0;
};

using FileExists = std::function<bool(const QString&)>;

// Takes the settings from the controls and hands each group to the windows
// in the fixed order that keeps the calendar consistent at every step
// (colours before the picture, fonts before the layout, the layout before
// icons, frame, outline and background).
void ApplyOptions(const OptionControls& c, Settings& s, OptionsTarget& target,
                  const FileExists& fileExists);

} // namespace morvane
