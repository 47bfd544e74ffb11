#include "calendar_window/tray/PopupMenus.h"

#include <QAction>
#include <QMenu>

namespace morvane {

namespace {

QAction* AddItem(QMenu* menu, const char* name, const QString& caption, bool checkable = false)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    return action;
}

void AddSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

QMenu* NewMenu(QWidget* owner, const char* name, const QString& title = {})
{
    auto* menu = new QMenu(title, owner);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

DayItemCaptions DayItemCaptionsFor(int day)
{
    if (day <= 0) {
        return {QStringLiteral("今日の予定(&E)..."), QStringLiteral("今日の予定削除(&D)")};
    }
    const QString number = QString::number(day);
    return {number + "日の予定(&E)...", number + "日の予定削除(&D)"};
}

void SetMonthTicked(QAction* item, bool ticked)
{
    // Styles draw a box for every checkable item; only the ticked one is.
    item->setCheckable(ticked);
    item->setChecked(ticked);
}

PopupMenus BuildPopupMenus(QWidget* owner)
{
    PopupMenus m;

    m.MNU = NewMenu(owner, "MNU", QStringLiteral("Popup"));
    m.MNU_S = AddItem(m.MNU, "MNU_S", QStringLiteral("新規予定作成(&S)..."));
    AddSeparator(m.MNU, "MNU_SP1");
    m.MNU_E = AddItem(m.MNU, "MNU_E", QStringLiteral("##日の予定編集(&E)..."));
    m.MNU_D = AddItem(m.MNU, "MNU_D", QStringLiteral("##日の予定削除(&D)"));
    AddSeparator(m.MNU, "MNU_SP2");
    m.MNU_P = AddItem(m.MNU, "MNU_P", QStringLiteral("モルヴァの表示(&P)"), true);
    AddSeparator(m.MNU, "MNU_SP3");
    m.MNU_V = AddItem(m.MNU, "MNU_V", QStringLiteral("Viewerを開く(&V)..."));
    m.MNU_F = AddItem(m.MNU, "MNU_F", QStringLiteral("予定の検索(&F)..."));
    m.MNU_Y = AddItem(m.MNU, "MNU_Y", QStringLiteral("今すぐ同期(&Y)"));
    m.MNU_Y->setVisible(false);
    AddSeparator(m.MNU, "MNU_SP4");
    m.MNU_B = AddItem(m.MNU, "MNU_B", QStringLiteral("前月(&B)"));
    m.MNU_N = AddItem(m.MNU, "MNU_N", QStringLiteral("次月(&N)"));
    m.MNU_J = AddItem(m.MNU, "MNU_J", QStringLiteral("ジャンプ指定(&J)..."));
    AddSeparator(m.MNU, "MNU_SP5");
    m.MNU_O = AddItem(m.MNU, "MNU_O", QStringLiteral("オプション設定(&O)..."));
    m.MNU_T = AddItem(m.MNU, "MNU_T", QStringLiteral("常に手前に表示(&T)"), true);
    m.MNU_U = AddItem(m.MNU, "MNU_U", QStringLiteral("表示位置を元に戻す(&U)"));
    AddSeparator(m.MNU, "MNU_SP6");
    m.MNU_H = NewMenu(owner, "MNU_H", QStringLiteral("ヘルプ(&H)"));
    m.MNU_H->menuAction()->setObjectName(QStringLiteral("MNU_H"));
    m.MNU->addMenu(m.MNU_H);
    m.MNU_H_C = AddItem(m.MNU_H, "MNU_H_C", QStringLiteral("ヘルプ目次(&C)..."));
    AddSeparator(m.MNU_H, "MNU_H_SP1");
    m.MNU_H_A = AddItem(m.MNU_H, "MNU_H_A", QStringLiteral("バージョン情報(&A)..."));
    AddSeparator(m.MNU, "MNU_SP7");
    m.MNU_X = AddItem(m.MNU, "MNU_X", QStringLiteral("終了(&X)"));

    m.MNU_JUMP = NewMenu(owner, "MNU_JUMP", QStringLiteral("JumpPopup"));
    m.MNU_J_J = AddItem(m.MNU_JUMP, "MNU_J_J", QStringLiteral("ジャンプ指定(&J)"));
    AddSeparator(m.MNU_JUMP, "MNU_J_SP");
    m.MNU_J_T = AddItem(m.MNU_JUMP, "MNU_J_T", QStringLiteral("今月(&T)"));
    AddSeparator(m.MNU_JUMP, "MNU_J_SP2");
    m.MNU_J_B = AddItem(m.MNU_JUMP, "MNU_J_B", QStringLiteral("前年(&B)"));
    m.MNU_J_N = AddItem(m.MNU_JUMP, "MNU_J_N", QStringLiteral("次年(&N)"));
    AddSeparator(m.MNU_JUMP, "MNU_J_SP3");
    for (int month = 1; month <= 12; ++month) {
        QAction* item = m.MNU_JUMP->addAction(QString::number(month) + "月");
        item->setObjectName("MNU_J_" + QString::number(month));
        m.MNU_J_month[std::size_t(month - 1)] = item;
    }

    m.MNU_EDITFRM = NewMenu(owner, "MNU_EDITFRM", QStringLiteral("EditFrmPopup"));
    m.MNU_EDITFRM_N = AddItem(m.MNU_EDITFRM, "MNU_EDITFRM_N", QStringLiteral("新規作成(&N)"));
    m.MNU_EDITFRM_D = AddItem(m.MNU_EDITFRM, "MNU_EDITFRM_D", QStringLiteral("削除(&D)"));
    return m;
}

} // namespace morvane
