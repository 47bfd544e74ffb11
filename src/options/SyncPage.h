#pragma once

#include "options/SyncOptions.h"

#include <QFutureWatcher>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;
class QSpinBox;

namespace morvane {

class AppContext;

// "同期": the server, the user and the password, the calendar picked from
// the ones the server lists, the sync on or off and its interval, a sync
// started at once, and where the sync stands. The search runs on a thread
// of its own, so the window never waits on the network. Nothing is stored
// before the dialog's apply.
class SyncPage : public QWidget
{
    Q_OBJECT

public:
    explicit SyncPage(AppContext& context, QWidget* parent = nullptr);
    ~SyncPage() override;

    // The settings store the options go to; without one nothing is stored.
    void setStore(QSettings* store) { m_store = store; }
    void setSecrets(SyncSecrets secrets) { m_secrets = std::move(secrets); }

    // Shows the stored options; the password field stays empty.
    void load();
    // Whether anything was changed since the loading or the last apply.
    bool edited() const { return m_edited; }
    // Stores the options when changed; false when they were refused (the
    // message says why and everything typed stays).
    bool apply();
    // A search was started and its answer is not shown yet.
    bool searching() const;

    QLineEdit* server = nullptr;
    QLineEdit* user = nullptr;
    QLineEdit* password = nullptr;
    QPushButton* search = nullptr;
    QComboBox* calendar = nullptr;
    QCheckBox* trustCertificate = nullptr;
    QLabel* fingerprint = nullptr;
    QLabel* message = nullptr;
    QCheckBox* enabled = nullptr;
    QSpinBox* interval = nullptr;
    QPushButton* syncNow = nullptr;
    QLabel* status = nullptr;

signals:
    // The user changed an option.
    void changed();
    // A calendar search ended (its calendars listed or its failure shown).
    void searchEnded();

private:
    void markEdited();
    void startSearch();
    void searchFinished();
    void showCalendars(const std::vector<FoundCalendar>& calendars);
    void showStoredCalendar();
    void serverOrUserEdited();
    void showMessage(const QString& text, bool failure);
    void showStatus();
    SyncSettings typed() const;
    // False when the sync is turned on for a server and user whose
    // password is neither typed nor kept anywhere.
    bool passwordKnown() const;

    AppContext& m_context;
    QSettings* m_store = nullptr;
    SyncSecrets m_secrets;
    SyncSettings m_stored;          // as loaded or last applied
    QString m_confirmedFingerprint; // for the server typed now
    QString m_offeredFingerprint;   // of the certificate the last search could not verify
    bool m_edited = false;
    bool m_loading = false;
    bool m_searching = false;
    QFutureWatcher<CalendarSearchOutcome> m_search;
};

} // namespace morvane
