#include "options/SyncPage.h"

#include "context/AppContext.h"
#include "sync/QtDavTransport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace morvane {

namespace {

const QString kSearchCaption = QStringLiteral("カレンダーを検索");

QLineEdit* Field(QWidget* page, const char* name)
{
    auto* field = new QLineEdit(page);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

QLabel* Line(QWidget* page, const char* name)
{
    auto* label = new QLabel(page);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void ShowAsFailure(QLabel* label, bool failure)
{
    label->setStyleSheet(failure ? QStringLiteral("color: #b00000;") : QString());
}

} // namespace

SyncPage::SyncPage(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    auto* v = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    server = Field(this, "SyncServer");
    server->setPlaceholderText(QStringLiteral("https://example.com/"));
    user = Field(this, "SyncUser");
    password = Field(this, "SyncPassword");
    password->setEchoMode(QLineEdit::Password);
    password->setPlaceholderText(QStringLiteral("変えるときだけ入力"));
    form->addRow(QStringLiteral("サーバー(&S):"), server);
    form->addRow(QStringLiteral("ユーザー名(&U):"), user);
    form->addRow(QStringLiteral("パスワード(&P):"), password);
    search = new QPushButton(kSearchCaption, this);
    search->setObjectName(QStringLiteral("SyncSearch"));
    form->addRow(QString(), search);
    calendar = new QComboBox(this);
    calendar->setObjectName(QStringLiteral("SyncCalendar"));
    form->addRow(QStringLiteral("カレンダー(&C):"), calendar);
    v->addLayout(form);

    trustCertificate = new QCheckBox(QStringLiteral("この指紋の証明書を信頼する(&T)"), this);
    trustCertificate->setObjectName(QStringLiteral("SyncTrust"));
    fingerprint = Line(this, "SyncFingerprint");
    message = Line(this, "SyncMessage");
    // The question, the fingerprint it asks about, then the answer.
    v->addWidget(message);
    v->addWidget(fingerprint);
    v->addWidget(trustCertificate);

    enabled = new QCheckBox(QStringLiteral("同期する(&Y)"), this);
    enabled->setObjectName(QStringLiteral("SyncEnabled"));
    v->addWidget(enabled);
    auto* row = new QHBoxLayout;
    auto* every = new QLabel(QStringLiteral("同期の間隔(&I):"), this);
    interval = new QSpinBox(this);
    interval->setObjectName(QStringLiteral("SyncInterval"));
    interval->setRange(kShortestSyncIntervalMinutes, kLongestSyncIntervalMinutes);
    interval->setSuffix(QStringLiteral(" 分"));
    every->setBuddy(interval);
    row->addWidget(every);
    row->addWidget(interval);
    row->addStretch();
    v->addLayout(row);
    auto* statusRow = new QHBoxLayout;
    syncNow = new QPushButton(QStringLiteral("今すぐ同期"), this);
    syncNow->setObjectName(QStringLiteral("SyncNow"));
    status = Line(this, "SyncStatus");
    statusRow->addWidget(syncNow);
    statusRow->addWidget(status, 1);
    v->addLayout(statusRow);
    v->addStretch();
    trustCertificate->hide();
    fingerprint->hide();

    connect(server, &QLineEdit::textEdited, this, &SyncPage::serverOrUserEdited);
    connect(user, &QLineEdit::textEdited, this, &SyncPage::serverOrUserEdited);
    connect(password, &QLineEdit::textEdited, this, &SyncPage::markEdited);
    connect(calendar, &QComboBox::currentIndexChanged, this, &SyncPage::markEdited);
    connect(enabled, &QCheckBox::toggled, this, &SyncPage::markEdited);
    connect(interval, &QSpinBox::valueChanged, this, &SyncPage::markEdited);
    connect(search, &QPushButton::clicked, this, &SyncPage::startSearch);
    connect(trustCertificate, &QCheckBox::toggled, this, [this](bool on) {
        m_confirmedFingerprint = on ? m_offeredFingerprint : QString();
        markEdited();
        if (on)
            startSearch();
    });
    connect(syncNow, &QPushButton::clicked, this,
            [this] { emit m_context.events().syncNowRequested(); });
    connect(&m_context.events(), &AppEvents::syncStatusChanged, this, &SyncPage::showStatus);
    connect(&m_search, &QFutureWatcher<CalendarSearchOutcome>::finished, this,
            &SyncPage::searchFinished);
}

SyncPage::~SyncPage()
{
    // A search still under way ends on its own; its answer has nowhere to go.
    m_search.disconnect(this);
}

void SyncPage::load()
{
    m_loading = true;
    m_stored = m_store ? ReadSyncSettings(*m_store) : SyncSettings{};
    server->setText(m_stored.server);
    user->setText(m_stored.user);
    password->clear();
    m_confirmedFingerprint = m_stored.trustedFingerprint;
    m_offeredFingerprint.clear();
    {
        const QSignalBlocker block(trustCertificate);
        trustCertificate->setChecked(false);
    }
    trustCertificate->hide();
    fingerprint->hide();
    showStoredCalendar();
    enabled->setChecked(m_stored.enabled);
    interval->setValue(m_stored.intervalMinutes);
    showMessage({}, false);
    showStatus();
    m_edited = false;
    m_loading = false;
}

void SyncPage::markEdited()
{
    if (m_loading)
        return;
    m_edited = true;
    emit changed();
}

void SyncPage::showStoredCalendar()
{
    const QSignalBlocker block(calendar);
    calendar->clear();
    if (m_stored.calendar.isEmpty()) {
        calendar->addItem(QStringLiteral("（サーバーの最初のカレンダー）"), QString());
        return;
    }
    const QUrl url(m_stored.calendar);
    calendar->addItem(CalendarCaption({url, {}}), m_stored.calendar);
    calendar->setItemData(0, url.toDisplayString(QUrl::RemoveUserInfo), Qt::ToolTipRole);
}

void SyncPage::serverOrUserEdited()
{
    // The calendars and a confirmed certificate belong to the server and
    // user they were found for.
    const bool asStored =
        server->text().trimmed() == m_stored.server && user->text().trimmed() == m_stored.user;
    if (server->text().trimmed() != m_stored.server)
        m_confirmedFingerprint.clear();
    else if (m_confirmedFingerprint.isEmpty())
        m_confirmedFingerprint = m_stored.trustedFingerprint;
    if (asStored) {
        showStoredCalendar();
    } else {
        const QSignalBlocker block(calendar);
        calendar->clear();
        calendar->addItem(QStringLiteral("（サーバーの最初のカレンダー）"), QString());
    }
    trustCertificate->hide();
    fingerprint->hide();
    markEdited();
}

bool SyncPage::searching() const
{
    return m_searching;
}

void SyncPage::startSearch()
{
    if (searching())
        return;
    const QString address = server->text().trimmed();
    const QString name = user->text().trimmed();
    if (address.isEmpty() || name.isEmpty()) {
        showMessage(QStringLiteral("サーバーのアドレスとユーザー名を入力してください。"), true);
        return;
    }
    if (const QString refused = RefusedAddress(QUrl::fromUserInput(address)); !refused.isEmpty()) {
        showMessage(refused, true);
        return;
    }
    QString secret = password->text();
    if (secret.isEmpty() && address == m_stored.server && name == m_stored.user)
        secret = m_context.syncPasswordForRun;
    if (secret.isEmpty()) {
        const SecretResult kept = m_secrets.read(address, name);
        if (!kept.password) {
            showMessage(kept.failure + QStringLiteral("パスワードを入力してください。"), true);
            return;
        }
        secret = *kept.password;
    }
    m_searching = true;
    search->setEnabled(false);
    search->setText(QStringLiteral("検索中…"));
    showMessage(QStringLiteral("%1 のカレンダーを探しています…").arg(address), false);
    m_search.setFuture(
        QtConcurrent::run(SearchCalendars, address, name, secret, m_confirmedFingerprint));
}

void SyncPage::searchFinished()
{
    m_searching = false;
    search->setEnabled(true);
    search->setText(kSearchCaption);
    const CalendarSearchOutcome outcome = m_search.result();
    if (outcome.search.ok()) {
        showCalendars(outcome.search.calendars);
        trustCertificate->hide();
        fingerprint->hide();
        showMessage(
            QStringLiteral("カレンダーが %1 件見つかりました。同期するカレンダーを選んでください。")
                .arg(outcome.search.calendars.size()),
            false);
    } else if (!outcome.untrustedFingerprint.isEmpty() &&
               outcome.untrustedFingerprint != m_confirmedFingerprint) {
        m_offeredFingerprint = outcome.untrustedFingerprint;
        {
            const QSignalBlocker block(trustCertificate);
            trustCertificate->setChecked(false);
        }
        fingerprint->setText(QStringLiteral("SHA-256: ") + m_offeredFingerprint);
        trustCertificate->show();
        fingerprint->show();
        showMessage(outcome.search.failure + QStringLiteral("\nこの指紋の証明書を信頼しますか？"),
                    true);
    } else {
        showMessage(outcome.search.failure, true);
    }
    emit searchEnded();
}

void SyncPage::showCalendars(const std::vector<FoundCalendar>& calendars)
{
    const QString before = calendar->currentData().toString();
    QString wanted = before.isEmpty() ? m_stored.calendar : before;
    {
        const QSignalBlocker block(calendar);
        calendar->clear();
        int chosen = 0;
        for (const FoundCalendar& found : calendars) {
            const QString url = found.url.toString();
            if (url == wanted)
                chosen = calendar->count();
            calendar->addItem(CalendarCaption(found), url);
            calendar->setItemData(calendar->count() - 1,
                                  found.url.toDisplayString(QUrl::RemoveUserInfo), Qt::ToolTipRole);
        }
        calendar->setCurrentIndex(chosen);
    }
    if (calendar->currentData().toString() != before)
        markEdited();
}

void SyncPage::showMessage(const QString& text, bool failure)
{
    message->setText(text);
    message->setVisible(!text.isEmpty());
    ShowAsFailure(message, failure);
}

void SyncPage::showStatus()
{
    const SyncStatus& now = m_context.syncStatus;
    status->setText(SyncStatusText(now));
    ShowAsFailure(status, now.failing && !now.running);
    syncNow->setEnabled(SyncIsSetUp(m_stored) && !now.running);
}

SyncSettings SyncPage::typed() const
{
    SyncSettings settings;
    settings.server = server->text();
    settings.user = user->text();
    settings.calendar = calendar->currentData().toString();
    settings.enabled = enabled->isChecked();
    settings.intervalMinutes = interval->value();
    settings.trustedFingerprint = m_confirmedFingerprint;
    return settings;
}

bool SyncPage::passwordKnown() const
{
    // A sync that is on needs a password for the server and user it uses;
    // one kept for other ones does not serve.
    const SyncSettings now = typed();
    if (!now.enabled || !password->text().isEmpty() || now.server.trimmed().isEmpty() ||
        now.user.trimmed().isEmpty())
        return true;
    if (now.server.trimmed() == m_stored.server && now.user.trimmed() == m_stored.user &&
        (!m_context.syncPasswordForRun.isEmpty() || m_stored.enabled))
        return true;
    const SecretResult kept = m_secrets.read(now.server.trimmed(), now.user.trimmed());
    return kept.password.has_value() || !kept.failure.isEmpty();
}

bool SyncPage::apply()
{
    if (!m_edited || !m_store)
        return true;
    if (!passwordKnown()) {
        showMessage(
            QStringLiteral("%1 のパスワードを入力してください。").arg(user->text().trimmed()),
            true);
        return false;
    }
    const SyncApplyResult result = ApplySyncOptions(typed(), password->text(), *m_store, m_secrets,
                                                    &m_context.syncPasswordForRun);
    if (!result.stored) {
        showMessage(result.message, true);
        return false;
    }
    password->clear();
    m_stored = ReadSyncSettings(*m_store);
    m_edited = false;
    showMessage(result.message, true);
    showStatus();
    emit m_context.events().syncSettingsChanged();
    return result.message.isEmpty();
}

} // namespace morvane
