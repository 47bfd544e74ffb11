#include "viewer/ListViewFrm.h"

#include "context/AppContext.h"
#include "core/ActivityLog.h"
#include "ui_toolkit/CalendarImages.h"
#include "ui_toolkit/Twips.h"
#include "viewer/ListRowsModel.h"
#include "viewer/ViewerCommands.h"
#include "viewer/ViewerPlacement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

namespace morvane {

namespace {

const QColor kListBackground(255, 255, 245);

QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        // The detail box keeps Del, Ctrl+Z and the other editing keys while
        // it has the focus; the window's own shortcuts apply everywhere else.
        action->setShortcutContext(Qt::WindowShortcut);
    }
    return action;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& title)
{
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

QString FullPath(const QTreeWidgetItem* node)
{
    QStringList parts;
    for (; node; node = node->parent())
        parts.prepend(node->text(0));
    return parts.join(QLatin1Char('\\'));
}

ListViewFrm::ListViewFrm(AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context)
{
    setObjectName(QStringLiteral("ListViewFrm"));
    setWindowTitle(QStringLiteral("Morvane [Viewer]"));
    // The viewer's own image list starts with every image of the calendar's.
    m_images.append(CalendarImageList());
    m_rows = new ListRowsModel(m_images, this);

    buildMenus();
    buildToolbar();
    buildLayout();
    connectDialogs();
    BuildViewerTree();
    restorePlacement();

    // Node 2, the month list, is selected; its click runs when a caller
    // refreshes.
    if (QTreeWidgetItem* root = TreeView1->topLevelItem(0); root && root->childCount() > 0) {
        m_placingNode = true;
        TreeView1->setCurrentItem(root->child(0));
        m_placingNode = false;
    }
    setMonthNavigation(true);
}

ListViewFrm::~ListViewFrm() = default;

void ListViewFrm::buildMenus()
{
    QMenuBar* bar = menuBar();
    MNU_F = AddMenu(bar, "MNU_F", QStringLiteral("ファイル(&F)"));
    MNU_F_N = AddItem(MNU_F, "MNU_F_N", QStringLiteral("新規作成(&N)..."));
    MNU_F_E = AddItem(MNU_F, "MNU_F_E", QStringLiteral("エクスポート(&E)"));
    MNU_F_I = AddItem(MNU_F, "MNU_F_I", QStringLiteral("iCalendar形式でエクスポート(&I)..."));
    MNU_F_M = AddItem(MNU_F, "MNU_F_M", QStringLiteral("iCalendarから取り込み(&M)..."));
    MNU_F->addSeparator();
    MNU_F_C = AddItem(MNU_F, "MNU_F_C", QStringLiteral("閉じる(&C)"));
    MNU_F_X = AddItem(MNU_F, "MNU_F_X", QStringLiteral("モルヴァの終了(&X)"),
                      QKeySequence(Qt::CTRL | Qt::Key_X));

    MNU_E = AddMenu(bar, "MNU_E", QStringLiteral("編集(&E)"));
    MNU_E_U = AddItem(MNU_E, "MNU_E_U", QStringLiteral("元に戻す(&U)"),
                      QKeySequence(Qt::CTRL | Qt::Key_Z));
    MNU_E_U->setEnabled(false);
    MNU_E->addSeparator();
    MNU_E_E = AddItem(MNU_E, "MNU_E_E", QStringLiteral("編集(&E)..."),
                      QKeySequence(Qt::CTRL | Qt::Key_E));
    MNU_E_D = AddItem(MNU_E, "MNU_E_D", QStringLiteral("削除(&D)"), QKeySequence(Qt::Key_Delete));
    MNU_E->addSeparator();
    MNU_E_K = AddItem(MNU_E, "MNU_E_K", QStringLiteral("過去の予定を削除(&K)"));
    MNU_E->addSeparator();
    MNU_E_F = AddItem(MNU_E, "MNU_E_F", QStringLiteral("予定の検索(F)"),
                      QKeySequence(Qt::CTRL | Qt::Key_F));

    MNU_V = AddMenu(bar, "MNU_V", QStringLiteral("表示(&V)"));
    MNU_V_B = AddItem(MNU_V, "MNU_V_B", QStringLiteral("前月(&B)"));
    MNU_V_N = AddItem(MNU_V, "MNU_V_N", QStringLiteral("次月(&N)"));
    MNU_V_J = AddItem(MNU_V, "MNU_V_J", QStringLiteral("ジャンプ指定(&J)"),
                      QKeySequence(Qt::CTRL | Qt::Key_J));
    MNU_V->addSeparator();
    MNU_V_O = AddItem(MNU_V, "MNU_V_O", QStringLiteral("オプション(&O)..."));

    MNU_H = AddMenu(bar, "MNU_H", QStringLiteral("ヘルプ(&H)"));
    MNU_H_C = AddItem(MNU_H, "MNU_H_C", QStringLiteral("目次(&C)..."), QKeySequence(Qt::Key_F1));
    MNU_H->addSeparator();
    MNU_H_A = AddItem(MNU_H, "MNU_H_A", QStringLiteral("バージョン情報(&A)..."));

    connect(MNU_F_N, &QAction::triggered, this, &ListViewFrm::MNU_F_N_Click);
    connect(MNU_F_E, &QAction::triggered, this, &ListViewFrm::MNU_F_E_Click);
    connect(MNU_F_I, &QAction::triggered, this, &ListViewFrm::MNU_F_I_Click);
    connect(MNU_F_M, &QAction::triggered, this, &ListViewFrm::MNU_F_M_Click);
    connect(MNU_F_C, &QAction::triggered, this, &QWidget::close);
    connect(MNU_F_X, &QAction::triggered, this, &ListViewFrm::MNU_F_X_Click);
    connect(MNU_E_E, &QAction::triggered, this, &ListViewFrm::MNU_E_E_Click);
    connect(MNU_E_D, &QAction::triggered, this, &ListViewFrm::MNU_E_D_Click);
    connect(MNU_E_U, &QAction::triggered, this, &ListViewFrm::MNU_E_U_Click);
    connect(MNU_E_K, &QAction::triggered, this, &ListViewFrm::MNU_E_K_Click);
    connect(MNU_E_F, &QAction::triggered, &m_context.events(), &AppEvents::searchRequested);
    connect(MNU_V_B, &QAction::triggered, this, &ListViewFrm::MNU_V_B_Click);
    connect(MNU_V_N, &QAction::triggered, this, &ListViewFrm::MNU_V_N_Click);
    connect(MNU_V_J, &QAction::triggered, this, &ListViewFrm::MNU_V_J_Click);
    // The three month commands work on the month list of all types only.
    connect(MNU_V, &QMenu::aboutToShow, this, [this] {
        const bool month = MonthNavigationEnabled(selectedPath());
        for (QAction* action : {MNU_V_B, MNU_V_N, MNU_V_J})
            action->setEnabled(month);
    });
}

void ListViewFrm::buildToolbar()
{
    Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(16, 16));
    QStyle* s = style();
    const auto add = [this](const QString& key, const QIcon& icon, const QString& tip) {
        QAction* action = Toolbar1->addAction(icon, tip);
        action->setObjectName(key);
        action->setToolTip(tip);
        return action;
    };
    connect(add(QStringLiteral("item_new"), s->standardIcon(QStyle::SP_FileIcon),
                QStringLiteral("新規作成")),
            &QAction::triggered, this, &ListViewFrm::MNU_F_N_Click);
    connect(add(QStringLiteral("item_edit"), s->standardIcon(QStyle::SP_FileDialogDetailedView),
                QStringLiteral("編集")),
            &QAction::triggered, this, &ListViewFrm::MNU_E_E_Click);
    connect(add(QStringLiteral("item_delete"), s->standardIcon(QStyle::SP_TrashIcon),
                QStringLiteral("削除")),
            &QAction::triggered, this, &ListViewFrm::MNU_E_D_Click);
    Toolbar1->addSeparator();
    connect(add(QStringLiteral("j_back"), s->standardIcon(QStyle::SP_ArrowLeft),
                QStringLiteral("前月")),
            &QAction::triggered, this, &ListViewFrm::MNU_V_B_Click);
    QAction* select =
        add(QStringLiteral("j_select"), s->standardIcon(QStyle::SP_FileDialogContentsView),
            QStringLiteral("ジャンプ指定"));
    connect(select, &QAction::triggered, this, &ListViewFrm::MNU_V_J_Click);
    JumpDropDown = new QMenu(this);
    JumpDropDown->setObjectName(QStringLiteral("j_select_menu"));
    for (const QString& entry : JumpDropDownEntries()) {
        if (entry == QStringLiteral("-")) {
            JumpDropDown->addSeparator();
            continue;
        }
        connect(JumpDropDown->addAction(entry), &QAction::triggered, this,
                [this, entry] { JumpDropDown_Click(entry); });
    }
    select->setMenu(JumpDropDown);
    if (auto* button = qobject_cast<QToolButton*>(Toolbar1->widgetForAction(select)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    connect(add(QStringLiteral("j_next"), s->standardIcon(QStyle::SP_ArrowRight),
                QStringLiteral("次月")),
            &QAction::triggered, this, &ListViewFrm::MNU_V_N_Click);
    Toolbar1->addSeparator();
    connect(add(QStringLiteral("item_find"), s->standardIcon(QStyle::SP_FileDialogContentsView),
                QStringLiteral("予定の検索")),
            &QAction::triggered, &m_context.events(), &AppEvents::searchRequested);
}

int ListViewFrm::GetButtonIndex(const QString& key) const
{
    int found = 0;
    const QList<QAction*> actions = Toolbar1->actions();
    for (int i = 0; i < actions.size(); ++i) {
        if (actions[i]->objectName() == key)
            found = i + 1;
    }
    return found;
}

QAction* ListViewFrm::button(const QString& key) const
{
    const int index = GetButtonIndex(key);
    return index > 0 ? Toolbar1->actions().at(index - 1) : nullptr;
}

void ListViewFrm::buildLayout()
{
    TreeView1 = new QTreeWidget;
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    // Long node texts scroll sideways instead of being cut short.
    TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TreeView1->header()->setStretchLastSection(false);
    TreeView1->setIconSize(QSize(16, 16));
    // Only the memo nodes can be edited: a second click on the selected one
    // renames the memo.
    TreeView1->setEditTriggers(QAbstractItemView::SelectedClicked |
                               QAbstractItemView::EditKeyPressed);
    connect(TreeView1, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* node) { TreeView1_AfterLabelEdit(node); });

    ListView1 = new QTreeView;
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(m_rows);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setItemsExpandable(false);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSortIndicatorShown(false);

    PicBack = new QWidget;
    PicBack->setObjectName(QStringLiteral("PicBack"));
    Text1 = new QPlainTextEdit(PicBack);
    Text1->setObjectName(QStringLiteral("Text1"));
    // Every change is stored at once; there is no save command.
    connect(Text1, &QPlainTextEdit::textChanged, this, &ListViewFrm::Text1_Change);
    auto* backLayout = new QVBoxLayout(PicBack);
    backLayout->setContentsMargins(0, 0, 0, 0);
    backLayout->addWidget(Text1);

    QPalette palette = ListView1->palette();
    palette.setColor(QPalette::Base, kListBackground);
    ListView1->setPalette(palette);
    Text1->setPalette(palette);

    PicLine1 = new QSplitter(Qt::Vertical);
    PicLine1->setObjectName(QStringLiteral("PicLine1"));
    PicLine1->addWidget(ListView1);
    PicLine1->addWidget(PicBack);
    PicLine1->setChildrenCollapsible(false);
    PicLine0 = new QSplitter(Qt::Horizontal);
    PicLine0->setObjectName(QStringLiteral("PicLine0"));
    PicLine0->addWidget(TreeView1);
    PicLine0->addWidget(PicLine1);
    PicLine0->setChildrenCollapsible(false);
    PicLine0->setStretchFactor(1, 1);
    PicLine1->setStretchFactor(0, 1);
    // The splitters' limits: tree wider than 100 twips, list and detail
    // area at least 200 / 500 twips.
    TreeView1->setMinimumWidth(TwipsToPixelsX(100));
    PicLine1->setMinimumWidth(TwipsToPixelsX(200));
    ListView1->setMinimumHeight(TwipsToPixelsY(300));
    PicBack->setMinimumHeight(TwipsToPixelsY(300));
    setCentralWidget(PicLine0);

    StatusPanel3 = new QLabel;
    StatusPanel3->setObjectName(QStringLiteral("StatusPanel3"));
    StatusPanel4 = new QLabel;
    StatusPanel4->setObjectName(QStringLiteral("StatusPanel4"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(StatusPanel3, 1);
    statusBar()->addPermanentWidget(StatusPanel4);

    // A node chosen with the mouse or the keyboard shows its list.
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
        if (!m_placingNode)
            TreeView1_NodeClick(node);
    });
    connect(ListView1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ListView1_ItemClick(); });
    connect(m_rows, &ListRowsModel::titleEdited, this, &ListViewFrm::ListView1_AfterLabelEdit);
    connect(ListView1, &QTreeView::clicked, this, [this] { ListView1_ItemClick(); });
    connect(ListView1, &QTreeView::doubleClicked, this, [this] { ListView1_DblClick(); });
    connect(ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { MNU_E->popup(ListView1->viewport()->mapToGlobal(pos)); });
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            &ListViewFrm::ColumnHeader_Click);
}

void ListViewFrm::BuildViewerTree()
{
    TreeView1->clear();
    const bool logReadable =
        QFile(LogFilePath(m_context.programFolder())).open(QIODevice::ReadOnly);
    std::map<QString, QTreeWidgetItem*> byKey;
    for (const TreeNodeDef& def : ViewerTreeNodes(logReadable)) {
        QTreeWidgetItem* node = nullptr;
        if (def.parent.isEmpty()) {
            node = new QTreeWidgetItem(TreeView1);
        } else {
            node = new QTreeWidgetItem(byKey.at(def.parent));
        }
        node->setText(0, def.text);
        QIcon icon = m_images.icon(def.image);
        if (!def.selectedImage.isEmpty())
            icon.addPixmap(m_images.pixmap(def.selectedImage), QIcon::Selected);
        node->setIcon(0, icon);
        if (!def.key.isEmpty())
            byKey[def.key] = node;
    }
    TreeView1->expandItem(byKey.at(tree_text::Schedules));
    TreeView1->expandItem(byKey.at(tree_text::MonthList));
    TreeView1->expandItem(byKey.at(tree_text::AllList));
}

void ListViewFrm::restorePlacement()
{
    const QSize screen = ScreenSizeTwips();
    const ViewerPlacement p =
        ClampViewerPlacement(PlacementFromSettings(m_context.settings()), screen);
    const QRect frame = TwipsToPixels(QRect(p.left, p.top, p.width, p.height));
    resize(frame.size());
    move(frame.topLeft());
    // At least as wide as the fixed nodes' texts, whatever width was stored.
    const int treeWidth =
        std::max({TwipsToPixelsX(p.lineX), TreeView1->minimumWidth(), treeContentWidth()});
    PicLine0->setSizes({treeWidth, std::max(frame.width() - treeWidth, 1)});
    const int listTop = menuBar()->sizeHint().height() + Toolbar1->sizeHint().height();
    const int listHeight = std::max(TwipsToPixelsY(p.lineY) - listTop, ListView1->minimumHeight());
    PicLine1->setSizes({listHeight, std::max(frame.height() - listTop - listHeight, 1)});
}

int ListViewFrm::treeContentWidth() const
{
    // The widest node row as the tree lays it out (indentation, icon and
    // text in the tree's font), a frame on either side and room for the
    // vertical scroll bar that a short window brings.
    const QAbstractItemView* view = TreeView1;
    return view->sizeHintForColumn(0) + 2 * TreeView1->frameWidth() +
           TreeView1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, TreeView1);
}

void ListViewFrm::storePlacement()
{
    if (isMinimized() || isMaximized() || isFullScreen())
        return;
    ViewerPlacement p;
    const QRect frame(pos(), size());
    const QRect twips = PixelsToTwips(frame);
    p.left = twips.left();
    p.top = twips.top();
    p.width = twips.width();
    p.height = twips.height();
    p.lineX = PixelsToTwipsX(TreeView1->width() + PicLine0->handleWidth() / 2);
    p.lineY = PixelsToTwipsY(ListView1->mapTo(this, QPoint(0, ListView1->height())).y());
    StorePlacement(m_context.settings(), p);
}

void ListViewFrm::closeEvent(QCloseEvent* event)
{
    storePlacement();
    QMainWindow::closeEvent(event);
}

void ListViewFrm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    fitStretchColumn();
}

void ListViewFrm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    m_context.viewer.visible = true;
    fitStretchColumn();
}

void ListViewFrm::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    if (!isMinimized())
        m_context.viewer.visible = false;
}

} // namespace morvane
