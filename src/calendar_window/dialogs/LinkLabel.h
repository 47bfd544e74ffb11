#pragma once

#include <QLabel>

namespace morvane {

// A web address that underlines itself and turns blue under the mouse, and
// reports a click.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString& address, QWidget* parent = nullptr);

    QString address() const { return text(); }
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_highlighted = false;
};

} // namespace morvane
