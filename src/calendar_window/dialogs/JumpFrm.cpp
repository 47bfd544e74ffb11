#include "calendar_window/dialogs/JumpFrm.h"

#include "calendar_window/dialogs/JumpInput.h"
#include "calendar_window/dialogs/UpDown.h"
#include "context/AppContext.h"
#include "ui_toolkit/MsgBox.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

namespace morvane {

namespace {

const QString kTitle = QStringLiteral("ジャンプ指定");

} // namespace

JumpFrm::JumpFrm(AppContext& context, std::function<bool(int, int)> viewerJump, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      Text1(new QLineEdit(this)), Text2(new QLineEdit(this)), UpDown1(new UpDown(this)),
      UpDown2(new UpDown(this)), Command1(new QPushButton(QStringLiteral("&OK"), this)),
      Command2(new QPushButton(QStringLiteral("キャンセル"), this)), m_context(context),
      m_viewerJump(std::move(viewerJump))
{
    setObjectName(QStringLiteral("JumpFrm"));
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    Text1->setObjectName(QStringLiteral("Text1"));
    Text2->setObjectName(QStringLiteral("Text2"));
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown2->setObjectName(QStringLiteral("UpDown2"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));

    const auto* digits = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this);
    for (QLineEdit* text : {Text1, Text2}) {
        text->setValidator(digits);
        text->setAlignment(Qt::AlignRight);
    }
    Text1->setFixedWidth(Text1->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    Text2->setFixedWidth(Text2->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);

    UpDown1->setRange(JumpSpinYearMin, JumpSpinYearMax);
    UpDown2->setRange(1, 12);
    bind(Text1, UpDown1);
    bind(Text2, UpDown2);
    const QDate today = context.clock().today();
    UpDown1->setValue(today.year());
    UpDown2->setValue(today.month());
    Text1->setText(QString::number(UpDown1->value()));
    Text2->setText(QString::number(UpDown2->value()));

    auto* fields = new QHBoxLayout;
    fields->addWidget(new QLabel(QStringLiteral("西暦"), this));
    fields->addWidget(Text1);
    fields->addWidget(UpDown1);
    fields->addWidget(new QLabel(QStringLiteral("年"), this));
    fields->addSpacing(10);
    fields->addWidget(Text2);
    fields->addWidget(UpDown2);
    fields->addWidget(new QLabel(QStringLiteral("月"), this));
    fields->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &JumpFrm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &JumpFrm::close);
}

void JumpFrm::bind(QLineEdit* text, UpDown* upDown)
{
    // Typing in the box moves the buttons' value without rewriting what is
    // being typed; the buttons write their value into the box.
    connect(upDown, &UpDown::valueChanged, this, [this, text](int value) {
        if (m_typing) {
            return;
        }
        text->setText(QString::number(value));
        if (isVisible()) {
            text->setFocus();
            text->selectAll();
        }
    });
    connect(text, &QLineEdit::textChanged, this, [this, upDown](const QString& typed) {
        bool numeric = false;
        const int value = typed.toInt(&numeric);
        if (numeric && value >= upDown->minimum() && value <= upDown->maximum()) {
            m_typing = true;
            upDown->setValue(value);
            m_typing = false;
        }
    });
    text->installEventFilter(this);
}

bool JumpFrm::eventFilter(QObject* watched, QEvent* event)
{
    auto* text = qobject_cast<QLineEdit*>(watched);
    if (!text || (text != Text1 && text != Text2)) {
        return QDialog::eventFilter(watched, event);
    }
    UpDown* upDown = text == Text1 ? UpDown1 : UpDown2;
    if (event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the caret.
        QTimer::singleShot(0, text, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Command1_Click();
            return true;
        case Qt::Key_Up:
            upDown->stepUp();
            return true;
        case Qt::Key_Down:
            upDown->stepDown();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void JumpFrm::Command1_Click()
{
    const JumpInput input = CheckJumpInput(Text1->text(), Text2->text());
    if (input.fault != JumpInput::Fault::None) {
        MsgBox(JumpFaultMessage(input.fault), MsgBoxStyle::Information, kTitle, this);
        if (input.fault == JumpInput::Fault::Month) {
            Text2->setFocus();
        }
        return;
    }
    hide();
    if (!(m_viewerJump && m_viewerJump(input.year, input.month))) {
        m_context.events().drawCalendarRequested(FirstDayText(QDate(input.year, input.month, 1)));
    }
    m_context.events().paintBackgroundRequested();
    close();
}

} // namespace morvane
