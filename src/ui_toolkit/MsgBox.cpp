#include "ui_toolkit/MsgBox.h"

#include "core/AppIdentity.h"
#include "ui_toolkit/MousePointer.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <utility>

namespace morvane {

namespace {

MsgBoxScript* g_activeScript = nullptr;

QString buttonLabel(int result)
{
    switch (result) {
    case MsgBoxResult::Cancel:
        return QStringLiteral("キャンセル");
    case MsgBoxResult::Yes:
        return QStringLiteral("はい(&Y)");
    case MsgBoxResult::No:
        return QStringLiteral("いいえ(&N)");
    default:
        return QStringLiteral("OK");
    }
}

QMessageBox::ButtonRole buttonRole(int result)
{
    switch (result) {
    case MsgBoxResult::Cancel:
        return QMessageBox::RejectRole;
    case MsgBoxResult::Yes:
        return QMessageBox::YesRole;
    case MsgBoxResult::No:
        return QMessageBox::NoRole;
    default:
        return QMessageBox::AcceptRole;
    }
}

QMessageBox::Icon boxIcon(int style)
{
    switch (MsgBoxIcon(style)) {
    case MsgBoxStyle::Critical:
        return QMessageBox::Critical;
    case MsgBoxStyle::Question:
        return QMessageBox::Question;
    case MsgBoxStyle::Exclamation:
        return QMessageBox::Warning;
    case MsgBoxStyle::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QString effectiveTitle(const QString& title)
{
    if (!title.isEmpty())
        return title;
    return QString::fromUtf16(kDisplayName);
}

QString resultName(int result)
{
    switch (result) {
    case MsgBoxResult::Ok:
        return QStringLiteral("OK");
    case MsgBoxResult::Cancel:
        return QStringLiteral("Cancel");
    case MsgBoxResult::Yes:
        return QStringLiteral("Yes");
    case MsgBoxResult::No:
        return QStringLiteral("No");
    default:
        return QString::number(result);
    }
}

int showDialog(const QString& text, int style, const QString& title, QWidget* parent,
               const MsgBoxButtonTexts& buttonTexts)
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        // Nothing can be shown without a widget application; say so where a
        // developer will see it instead of crashing.
        qWarning("MsgBox without a QApplication: \"%s\" - %s", qUtf8Printable(title),
                 qUtf8Printable(text));
        return MsgBoxEscapeResult(style);
    }

    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setIcon(boxIcon(style));
    // Texts carry user data (schedule texts, file names): never rich text.
    box.setTextFormat(Qt::PlainText);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(shown);
    if (parent == nullptr)
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);

    const std::vector<int> results = MsgBoxPossibleResults(style);
    std::vector<QPushButton*> buttons;
    for (int result : results) {
        QString label = buttonLabel(result);
        for (const auto& [own, ownText] : buttonTexts) {
            if (own == result)
                label = ownText;
        }
        QPushButton* button = box.addButton(label, buttonRole(result));
        button->setProperty("msgBoxResult", result);
        buttons.push_back(button);
    }
    const auto indexOf = [&](int result) {
        return static_cast<std::size_t>(std::find(results.begin(), results.end(), result) -
                                        results.begin());
    };
    box.setDefaultButton(buttons[indexOf(MsgBoxDefaultResult(style))]);
    box.setEscapeButton(buttons[indexOf(MsgBoxEscapeResult(style))]);

    const ArrowWhileAsking arrow;
    box.exec();
    if (QAbstractButton* clicked = box.clickedButton()) {
        bool ok = false;
        const int result = clicked->property("msgBoxResult").toInt(&ok);
        if (ok)
            return result;
    }
    return MsgBoxEscapeResult(style);
}

} // namespace

int MsgBoxButtons(int style)
{
    const int buttons = style & 0x0F;
    switch (buttons) {
    case MsgBoxStyle::OkOnly:
    case MsgBoxStyle::OkCancel:
    case MsgBoxStyle::YesNoCancel:
    case MsgBoxStyle::YesNo:
        return buttons;
    default:
        return MsgBoxStyle::OkOnly;
    }
}

int MsgBoxIcon(int style)
{
    const int icon = style & 0x70;
    switch (icon) {
    case MsgBoxStyle::Critical:
    case MsgBoxStyle::Question:
    case MsgBoxStyle::Exclamation:
    case MsgBoxStyle::Information:
        return icon;
    default:
        return MsgBoxStyle::NoIcon;
    }
}

std::vector<int> MsgBoxPossibleResults(int style)
{
    switch (MsgBoxButtons(style)) {
    case MsgBoxStyle::OkCancel:
        return {MsgBoxResult::Ok, MsgBoxResult::Cancel};
    case MsgBoxStyle::YesNoCancel:
        return {MsgBoxResult::Yes, MsgBoxResult::No, MsgBoxResult::Cancel};
    case MsgBoxStyle::YesNo:
        return {MsgBoxResult::Yes, MsgBoxResult::No};
    default:
        return {MsgBoxResult::Ok};
    }
}

int MsgBoxDefaultResult(int style)
{
    const std::vector<int> results = MsgBoxPossibleResults(style);
    if ((style & MsgBoxStyle::DefaultButton3) != 0 && results.size() > 2)
        return results[2];
    if ((style & MsgBoxStyle::DefaultButton2) != 0 && results.size() > 1)
        return results[1];
    return results[0];
}

int MsgBoxEscapeResult(int style)
{
    switch (MsgBoxButtons(style)) {
    case MsgBoxStyle::OkCancel:
    case MsgBoxStyle::YesNoCancel:
        return MsgBoxResult::Cancel;
    case MsgBoxStyle::YesNo:
        // No Cancel to fall back on: Escape declines.
        return MsgBoxResult::No;
    default:
        return MsgBoxResult::Ok;
    }
}

int MsgBox(const QString& text, int style, const QString& title, QWidget* parent)
{
    return MsgBox(text, style, title, MsgBoxButtonTexts(), parent);
}

int MsgBox(const QString& text, int style, const QString& title,
           const MsgBoxButtonTexts& buttonTexts, QWidget* parent)
{
    const QString shownTitle = effectiveTitle(title);
    if (MsgBoxScript* script = MsgBoxScript::active())
        return script->take(text, style, shownTitle, buttonTexts);
    return showDialog(text, style, shownTitle, parent, buttonTexts);
}

MsgBoxScript::MsgBoxScript()
{
    if (g_activeScript != nullptr)
        qFatal("MsgBoxScript: a script is already active");
    g_activeScript = this;
}

MsgBoxScript::~MsgBoxScript()
{
    g_activeScript = nullptr;
}

void MsgBoxScript::answer(int result)
{
    m_answers.push_back(result);
}

void MsgBoxScript::answer(std::initializer_list<int> results)
{
    m_answers.insert(m_answers.end(), results.begin(), results.end());
}

int MsgBoxScript::pendingAnswers() const
{
    return static_cast<int>(m_answers.size() - m_next);
}

MsgBoxCall MsgBoxScript::lastCall() const
{
    return m_calls.empty() ? MsgBoxCall{} : m_calls.back();
}

MsgBoxScript* MsgBoxScript::active()
{
    return g_activeScript;
}

void MsgBoxScript::whileNextBoxIsOpen(std::function<void()> action)
{
    m_whileOpen = std::move(action);
}

int MsgBoxScript::take(const QString& text, int style, const QString& title,
                       const MsgBoxButtonTexts& buttonTexts)
{
    if (m_whileOpen)
        std::exchange(m_whileOpen, {})();
    int result = MsgBoxDefaultResult(style);
    if (m_next < m_answers.size()) {
        result = m_answers[m_next++];
        const std::vector<int> possible = MsgBoxPossibleResults(style);
        if (std::find(possible.begin(), possible.end(), result) == possible.end()) {
            qFatal("MsgBoxScript: answer %s is not a button of the box \"%s\" (style %d): %s",
                   qUtf8Printable(resultName(result)), qUtf8Printable(title), style,
                   qUtf8Printable(text));
        }
    }
    m_calls.push_back(MsgBoxCall{text, style, title, result, buttonTexts});
    return result;
}

} // namespace morvane
