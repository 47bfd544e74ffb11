#pragma once

#include <QObject>
#include <QPointer>

namespace morvane {

class AppContext;
class FindFrm;

// Shows the search window for every request (the tray menu, the viewer):
// made on first use, shown again while it is loaded; closing it unloads it.
class SearchWiring : public QObject
{
    Q_OBJECT

public:
    explicit SearchWiring(AppContext& context, QObject* parent = nullptr);
    ~SearchWiring() override;

    // The window, nullptr while it is not loaded.
    FindFrm* findFrm() const;

    void showSearch();

private:
    AppContext& m_context;
    QPointer<FindFrm> m_findFrm;
};

} // namespace morvane
