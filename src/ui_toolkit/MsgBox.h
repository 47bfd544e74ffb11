#pragma once

#include <QString>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

class QWidget;

namespace morvane {

// Style codes of a message box. A style is the sum of one icon, one button
// set and, optionally, DefaultButton2:
//     MsgBox(text, MsgBoxStyle::YesNo + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton2,
//            title)
namespace MsgBoxStyle {
inline constexpr int OkOnly = 0;
inline constexpr int OkCancel = 1;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;

inline constexpr int NoIcon = 0;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;

inline constexpr int DefaultButton2 = 256;
inline constexpr int DefaultButton3 = 512;
} // namespace MsgBoxStyle

// What MsgBox returns: the button the user chose.
namespace MsgBoxResult {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace MsgBoxResult

// Shows a modal message box and returns the chosen button's result code.
// An empty title falls back to the application's display name. Escape and
// the window's close button answer Cancel where the box has one; a Yes/No
// box answers No and an OK box answers OK. Without a parent the box stays on
// top so that it never hides behind an always-on-top calendar.
int MsgBox(const QString& text, int style = MsgBoxStyle::OkOnly, const QString& title = {},
           QWidget* parent = nullptr);

// Button texts of their own for some of the box's results, e.g. a YesNoCancel
// box whose Yes reads "この日だけ" and whose No reads "すべて". The others keep
// theirs.
using MsgBoxButtonTexts = std::vector<std::pair<int, QString>>;
int MsgBox(const QString& text, int style, const QString& title,
           const MsgBoxButtonTexts& buttonTexts, QWidget* parent = nullptr);

// The pieces of a style code, for callers and tests that need to reason about
// them. Unknown button codes are treated as OkOnly.
int MsgBoxButtons(int style);
int MsgBoxIcon(int style);
// The results a box of this style can return, in button order.
std::vector<int> MsgBoxPossibleResults(int style);
// The result of the initially focused button (Enter).
int MsgBoxDefaultResult(int style);
// The result of Escape or closing the box.
int MsgBoxEscapeResult(int style);

// One message box call as a scripted run records it.
struct MsgBoxCall
{
    QString text;
    int style = 0;
    QString title;                 // the title shown (after the application-name fallback)
    int result = 0;                // what MsgBox returned
    MsgBoxButtonTexts buttonTexts; // the texts of their own it was given
};

// While an instance lives, MsgBox shows nothing: every call is recorded and
// answered from the queue of scripted answers, or, when the queue is empty,
// with the box's default button. An answer the box cannot give (Yes to an
// OK box) is a fault of the test and aborts with a message naming the box.
// Only one script may be active at a time.
class MsgBoxScript
{
public:
    MsgBoxScript();
    ~MsgBoxScript();
    MsgBoxScript(const MsgBoxScript&) = delete;
    MsgBoxScript& operator=(const MsgBoxScript&) = delete;

    // Queues answers for the following boxes, first answer first.
    void answer(int result);
    void answer(std::initializer_list<int> results);
    // Scripted answers not consumed yet.
    int pendingAnswers() const;
    // Runs action while the next box is "open", before it is answered: what
    // timers and other windows may do while a real box waits for the user.
    void whileNextBoxIsOpen(std::function<void()> action);

    const std::vector<MsgBoxCall>& calls() const { return m_calls; }
    // The most recent call; an empty record when nothing was shown.
    MsgBoxCall lastCall() const;
    void clearCalls() { m_calls.clear(); }

    // Used by MsgBox: the active script or nullptr.
    static MsgBoxScript* active();
    int take(const QString& text, int style, const QString& title,
             const MsgBoxButtonTexts& buttonTexts = {});

private:
    std::vector<int> m_answers;
    std::size_t m_next = 0;
    std::function<void()> m_whileOpen;
    std::vector<MsgBoxCall> m_calls;
};

} // namespace morvane
