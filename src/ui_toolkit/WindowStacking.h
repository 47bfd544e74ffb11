#pragma once

class QWidget;

namespace morvane {

// Stacking order of top-level windows. Each call acts on the widget's window,
// keeps its position, size and visibility (a hidden window stays hidden and
// takes the order when shown) and never activates it.

// Keeps the window above ordinary windows and raises it.
void SetTopMost(QWidget* widget);
// Returns the window to ordinary stacking (also ending SendToBottom) and
// raises it above ordinary windows.
void SetNotTopMost(QWidget* widget);
// Keeps the window below ordinary windows and lowers it.
void SendToBottom(QWidget* widget);
// Brings the window in front of ordinary windows once, without changing
// whether it stays on top.
void BringToFront(QWidget* widget);

bool IsTopMost(const QWidget* widget);
bool IsKeptAtBottom(const QWidget* widget);

} // namespace morvane
