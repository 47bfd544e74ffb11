#include "calendar_window/dialogs/HelpWindow.h"

#include "ui_toolkit/WindowFitting.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The help pages are compiled into the program as the resource
// "help_pages"; a static library has to register it by name.
static void InitHelpResource()
{
    Q_INIT_RESOURCE(help_pages);
}

namespace morvane {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    InitHelpResource();
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("モルヴァ ヘルプ"));
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    // Pages of the help open here; addresses outside it go to the browser.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == QLatin1String("qrc") || url.isRelative()) {
            m_browser->setSource(m_browser->source().resolved(url));
        } else {
            QDesktopServices::openUrl(url);
        }
    });
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("モルヴァ ヘルプ")
                                       : title + QStringLiteral(" - モルヴァ ヘルプ"));
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 560);
}

void HelpWindow::showTopic(const QString& topic)
{
    m_browser->setSource(QUrl(QStringLiteral("qrc:/help/") + topic));
    // Over the window it helps with, wholly on the screen.
    FitOnScreen(this, parentWidget());
    show();
    raise();
    activateWindow();
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QUrl HelpWindow::currentSource() const
{
    return m_browser->source();
}

} // namespace morvane
