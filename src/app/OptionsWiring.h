#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

class QSettings;

namespace morvane {

class AppContext;
class CalendarFrm;
class CalendarMenuFrm;
class CalendarOptionsTarget;
class OptionFrm;

// Shows the options window for every request (the tray menu, the viewer).
// It is loaded on first use and after "キャンセル"; "&OK" only hides it, so
// the next opening shows the controls as they were left.
class OptionsWiring : public QObject
{
    Q_OBJECT

public:
    OptionsWiring(AppContext& context, CalendarFrm& calendar, CalendarMenuFrm& menu,
                  QSettings* store, QObject* parent = nullptr);
    ~OptionsWiring() override;

    // The window, nullptr while it is not loaded.
    OptionFrm* optionFrm() const;

    void showOptions();

private:
    AppContext& m_context;
    CalendarFrm& m_calendar;
    QSettings* m_store;
    std::unique_ptr<CalendarOptionsTarget> m_target;
    QPointer<OptionFrm> m_optionFrm;
};

} // namespace morvane
