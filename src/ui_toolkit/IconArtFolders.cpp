#include "ui_toolkit/IconArt.h"

// The viewer tree's icons: books for the schedule lists, windows for the
// list views, a memo pad and the log clipboard.

namespace morvane::icon_art {

namespace {

const QColor Ink(0x3d, 0x44, 0x51);
const QColor Paper(0xff, 0xff, 0xff);
const QColor Pages(0xf6, 0xf0, 0xdc);
const QColor TextLine(0x8f, 0xa3, 0xc0);
const QColor Blue(0x3b, 0x73, 0xc8);
const QColor BlueLight(0x6f, 0x9c, 0xe0);
const QColor BlueLine(0x1f, 0x3f, 0x78);

void window(QPainter& p, const QColor& bar, const QColor& highlight)
{
    framed(p, 0, 1, 16, 14, Paper, Ink);
    box(p, 1, 2, 14, 3, bar);
    box(p, 12, 3, 2, 1, Paper);
    // A small month grid in the client area.
    const QColor grid(0xc5, 0xcf, 0xdd);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col)
            box(p, 2 + col * 3, 6 + row * 3, 2, 2, grid);
    }
    if (highlight.isValid())
        box(p, 5, 9, 2, 2, highlight);
}

} // namespace

void bookClose(QPainter& p)
{
    // Closed book lying at a slight angle: back cover, page block, front.
    framed(p, 3, 2, 12, 14, Blue, BlueLine);
    framed(p, 3, 1, 11, 14, Pages, BlueLine);
    box(p, 4, 12, 9, 1, QColor(0xd8, 0xcc, 0xa8));
    framed(p, 1, 0, 11, 14, Blue, BlueLine);
    box(p, 2, 1, 2, 12, BlueLine);
    box(p, 5, 3, 5, 2, BlueLight);
    box(p, 5, 6, 5, 1, BlueLight);
}

void bookOpen(QPainter& p)
{
    // The cover shows below and beside the spread; the two pages meet in a
    // dark gutter.
    framed(p, 0, 5, 16, 11, Blue, BlueLine);
    framed(p, 1, 2, 7, 13, Paper, BlueLine);
    framed(p, 8, 2, 7, 13, Paper, BlueLine);
    // The spine shows above the pages.
    box(p, 7, 1, 2, 1, BlueLine);
    for (int i = 0; i < 4; ++i) {
        const int width = i == 3 ? 2 : 3;
        box(p, 3, 5 + i * 2, width, 1, TextLine);
        box(p, 10, 5 + i * 2, width, 1, TextLine);
    }
}

void appClose(QPainter& p)
{
    window(p, QColor(0x8a, 0x97, 0xab), QColor());
}

void appOpen(QPainter& p)
{
    window(p, QColor(0x2f, 0x7f, 0xe0), QColor(0xff, 0x9f, 0x1c));
}

void memoClose(QPainter& p)
{
    const QColor note(0xff, 0xe2, 0x6e);
    const QColor back(0xf2, 0xc9, 0x4c);
    const QColor line(0xa8, 0x84, 0x14);
    // A pad of notes: two sheets behind, the top sheet in front.
    framed(p, 4, 0, 12, 12, back, line);
    framed(p, 2, 2, 12, 12, back, line);
    framed(p, 0, 4, 12, 12, note, line);
    box(p, 1, 5, 10, 2, QColor(0xf5, 0xb8, 0x2e));
    box(p, 2, 9, 8, 1, line);
    box(p, 2, 11, 8, 1, line);
    box(p, 2, 13, 5, 1, line);
}

void logClose(QPainter& p)
{
    const QColor board(0xb9, 0x82, 0x48);
    const QColor boardLine(0x6e, 0x45, 0x20);
    const QColor metal(0xb4, 0xbc, 0xc8);
    framed(p, 1, 1, 14, 15, board, boardLine);
    framed(p, 3, 3, 10, 11, Paper, QColor(0xa0, 0x8a, 0x70));
    framed(p, 5, 0, 6, 4, metal, QColor(0x5d, 0x66, 0x73));
    // Log lines: a dot and a text line each.
    const QColor dot(0x3f, 0xa0, 0x5a);
    for (int i = 0; i < 3; ++i) {
        box(p, 4, 5 + i * 3, 1, 1, dot);
        box(p, 6, 5 + i * 3, 6, 1, TextLine);
    }
}

} // namespace morvane::icon_art
