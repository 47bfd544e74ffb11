#include "app/EditorWiring.h"

#include "calendar_window/tray/CalendarMenuFrm.h"
#include "context/AppContext.h"
#include "editor/EditFrm.h"

#include <QMenu>

namespace morvane {

EditorWiring::EditorWiring(AppContext& context, CalendarMenuFrm* menu, QObject* parent)
    : QObject(parent), m_context(context), m_menu(menu)
{
    AppEvents& events = context.events();
    connect(&events, &AppEvents::editorRequested, this, &EditorWiring::openEditor);
    connect(&events, &AppEvents::newScheduleRequested, this, [this](QDate date) {
        // The date-pick dialog and the viewer open the day first: when the
        // user stayed on the day shown there, the answer stands for this
        // request too, with no second question and nothing started on the
        // wrong day.
        const bool declined = m_declined.isValid() && m_declined == date;
        m_declined = QDate();
        if (declined)
            return;
        EditFrm& editor = window();
        if (!editor.isVisible() || editor.editor().shownDate() != date) {
            if (!openEditor(date, false)) {
                m_declined = QDate();
                return;
            }
        }
        editor.MNU_F_N_Click();
    });
    connect(&events, &AppEvents::editorNewCommandRequested, this, [this] {
        if (m_editFrm && m_editFrm->isVisible())
            m_editFrm->MNU_F_N_Click();
    });
    connect(&events, &AppEvents::editorDeleteCommandRequested, this, [this] {
        if (m_editFrm && m_editFrm->isVisible())
            m_editFrm->MNU_E_D_Click();
    });
}

EditorWiring::~EditorWiring() = default;

EditFrm& EditorWiring::window()
{
    if (!m_editFrm) {
        m_editFrm = std::make_unique<EditFrm>(m_context);
        if (m_menu) {
            QMenu* popup = m_menu->menus().MNU_EDITFRM;
            m_editFrm->setListPopup([popup](const QPoint& where) { popup->popup(where); });
        }
    }
    return *m_editFrm;
}

bool EditorWiring::openEditor(QDate date, bool fromViewer)
{
    EditFrm& editor = window();
    // Filled, with the text box holding the focus, before the window shows:
    // keys typed the moment it appears go into the text box of the day
    // asked for, never into another control or the day shown before.
    const bool shown = editor.SetEditFrm(date, fromViewer);
    m_declined = shown ? QDate() : date;
    editor.show();
    editor.raise();
    editor.activateWindow();
    return shown;
}

} // namespace morvane
