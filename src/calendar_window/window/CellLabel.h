#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

namespace morvane {

// One label of a cell layer (LB_A, LB_B or LB_C). The calendar paints its
// labels itself instead of keeping 150 widgets, so a label is plain data:
// what it says, how, and where. Geometry is in twips.
class CellLabel
{
public:
    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);

    // The font the label is drawn and measured with: the one it was given,
    // or the one the layout fitted to the grid in its place.
    const QFont& font() const { return m_font; }
    // Gives the label a font (from the settings); the layout fits it again.
    void setFont(const QFont& font);
    const QFont& givenFont() const { return m_givenFont; }
    // Draws the label with font instead of the given one, which is kept so
    // that every fit starts from what the user chose.
    void setFittedFont(const QFont& font);

    // With autoSize on, the label takes the size of its caption whenever the
    // caption or the font changes.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    QRect geometry() const { return m_geometry; }
    void move(int left, int top);
    void move(int left, int top, int width, int height);
    int left() const { return m_geometry.left(); }
    int top() const { return m_geometry.top(); }
    int width() const { return m_geometry.width(); }
    int height() const { return m_geometry.height(); }

    QColor foreColor;
    // An opaque label fills its rectangle with backColor (the today cursor).
    bool opaque = false;
    QColor backColor;
    // 0 the default pointer, 99 the calendar's own (a hand over days).
    int mousePointer = 0;

    // Size of text in font, in twips, as an auto-sized label measures it.
    // A label is one em high whatever the font's own line spacing, with its
    // baseline at baselineOffset: the grid was laid out for fonts of that
    // shape, and the tall line boxes of many CJK and Latin fonts would make
    // the rows and the today cursor overlap.
    static QSize measure(const QString& text, const QFont& font);
    // Distance in pixels from a label's top to the baseline of its text.
    static int baselineOffset(const QFont& font);

    // Where text starts (its baseline origin) when the label is drawn in
    // rect (pixels): centred across a grid cell so one- and two-digit days
    // line up, from the left in an auto-sized label (the title).
    QPoint textOrigin(const QRect& rect, const QString& text) const;
    // The pixels, antialiasing included, that any of texts covers when the
    // label draws it in rect (pixels); empty when none covers any.
    QRect textInk(const QRect& rect, const QStringList& texts) const;

private:
    void fitToCaption();

    QString m_caption;
    QFont m_font;
    QFont m_givenFont;
    bool m_autoSize = false;
    QRect m_geometry;
};

} // namespace morvane
