#pragma once

#include <QDate>
#include <QObject>
#include <memory>

namespace morvane {

class AppContext;
class CalendarMenuFrm;
class EditFrm;

// Carries the requests for the day editor to its window: day presses, the
// tray menu's day command and the date-pick dialog open it on a day; the
// list's popup menu runs its new and delete commands. The window is made
// on first use and kept for the run.
class EditorWiring : public QObject
{
    Q_OBJECT

public:
    EditorWiring(AppContext& context, CalendarMenuFrm* menu, QObject* parent = nullptr);
    ~EditorWiring() override;

    // The window, nullptr before the first request.
    EditFrm* editFrm() const { return m_editFrm.get(); }

    // Shows the editor and fills it for date; false when the user chose to
    // stay on the day it showed.
    bool openEditor(QDate date, bool fromViewer);

private:
    EditFrm& window();

    AppContext& m_context;
    CalendarMenuFrm* m_menu;
    std::unique_ptr<EditFrm> m_editFrm;
    // The day whose opening the user just turned down (Cancel to the save
    // question): the new schedule asked for with it is not started.
    QDate m_declined;
};

} // namespace morvane
