#include "ui_toolkit/ImageList.h"

namespace morvane {

bool ImageList::add(const QString& key, const QIcon& icon)
{
    if (key.isEmpty() || contains(key))
        return false;
    m_items.emplace_back(key, icon);
    return true;
}

void ImageList::append(const ImageList& other)
{
    for (const auto& [key, icon] : other.m_items)
        add(key, icon);
}

int ImageList::indexOf(const QString& key) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].first == key)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

QString ImageList::key(int index) const
{
    if (index < 1 || index > count())
        return {};
    return m_items[static_cast<std::size_t>(index - 1)].first;
}

QStringList ImageList::keys() const
{
    QStringList result;
    for (const auto& item : m_items)
        result << item.first;
    return result;
}

QIcon ImageList::icon(const QString& key) const
{
    return icon(indexOf(key));
}

QIcon ImageList::icon(int index) const
{
    if (index < 1 || index > count())
        return {};
    return m_items[static_cast<std::size_t>(index - 1)].second;
}

QPixmap ImageList::pixmap(const QString& key, int size, qreal devicePixelRatio) const
{
    return pixmap(indexOf(key), size, devicePixelRatio);
}

QPixmap ImageList::pixmap(int index, int size, qreal devicePixelRatio) const
{
    const QIcon found = icon(index);
    if (found.isNull())
        return {};
    return found.pixmap(QSize(size, size), devicePixelRatio);
}

} // namespace morvane
