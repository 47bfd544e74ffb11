#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace morvane {

// An ordered list of icons found by key or by 1-based index; index 0 and an
// unknown key give a null icon.
class ImageList
{
public:
    // Appends the icon; a key already in the list is refused.
    bool add(const QString& key, const QIcon& icon);
    // Appends every image of other with its key, each at count() + i.
    void append(const ImageList& other);

    int count() const { return static_cast<int>(m_items.size()); }
    bool contains(const QString& key) const { return indexOf(key) != 0; }
    int indexOf(const QString& key) const;
    QString key(int index) const;
    QStringList keys() const;

    QIcon icon(const QString& key) const;
    QIcon icon(int index) const;
    // A pixmap of size x size device-independent pixels, rendered for the
    // given device pixel ratio.
    QPixmap pixmap(const QString& key, int size = 16, qreal devicePixelRatio = 1.0) const;
    QPixmap pixmap(int index, int size = 16, qreal devicePixelRatio = 1.0) const;

private:
    std::vector<std::pair<QString, QIcon>> m_items;
};

} // namespace morvane
