#include "app/TContactListCommands.h"

#include "app/TMainMenus.h"
#include "app/TMainScreen.h"
#include "design/CardMerge.h"
#include "design/ContactList.h"
#include "design/TGBusinessCardPanel32.h"
#include "platform/AppRoutines.h"
#include "platform/UserDialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

TContactListCommands::TContactListCommands(TMainScreen &window)
    : m_window(window), m_merge(CardMerge::Of(*window.BusinessCardPanel))
{
    AddMenuItems();
    AddRecordBar();
    connect(&m_merge, &CardMerge::Changed, this, &TContactListCommands::UpdateRecordBar);
    UpdateRecordBar();
}

void TContactListCommands::AddMenuItems()
{
    QMenu *file = m_window.Menus->FileMenu;
    // After the picture exports, before printing.
    QAction *before = m_window.Menus->PrintItem;
    AttachItem = new QAction(QStringLiteral("Attach Contact List..."), file);
    DetachItem = new QAction(QStringLiteral("Detach Contact List"), file);
    file->insertAction(before, AttachItem);
    file->insertAction(before, DetachItem);
    file->insertSeparator(before);
    connect(AttachItem, &QAction::triggered, this, &TContactListCommands::AttachClick);
    connect(DetachItem, &QAction::triggered, this, &TContactListCommands::DetachClick);
}

QToolButton *TContactListCommands::AddButton(const QString &name, int icon, const QString &tip)
{
    auto *button = new QToolButton(RecordBar);
    button->setObjectName(name);
    button->setIcon(m_window.style()->standardIcon(QStyle::StandardPixmap(icon)));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    RecordBar->addWidget(button);
    return button;
}

void TContactListCommands::AddRecordBar()
{
    RecordBar = new QToolBar(QStringLiteral("Contact List"), &m_window);
    RecordBar->setObjectName(QStringLiteral("RecordBar"));
    RecordBar->setMovable(false);
    FirstButton = AddButton(QStringLiteral("firstrecord"), QStyle::SP_MediaSkipBackward, QStringLiteral("First record"));
    PreviousButton = AddButton(QStringLiteral("previousrecord"), QStyle::SP_MediaSeekBackward, QStringLiteral("Previous record"));
    RecordLabel = new QLabel(RecordBar);
    RecordLabel->setObjectName(QStringLiteral("recordnumber"));
    RecordLabel->setAlignment(Qt::AlignCenter);
    RecordLabel->setMinimumWidth(RecordLabel->fontMetrics().horizontalAdvance(QStringLiteral("00000 of 00000")));
    RecordBar->addWidget(RecordLabel);
    NextButton = AddButton(QStringLiteral("nextrecord"), QStyle::SP_MediaSeekForward, QStringLiteral("Next record"));
    LastButton = AddButton(QStringLiteral("lastrecord"), QStyle::SP_MediaSkipForward, QStringLiteral("Last record"));
    RecordBar->addSeparator();
    ShowFieldsButton = new QToolButton(RecordBar);
    ShowFieldsButton->setObjectName(QStringLiteral("showfields"));
    ShowFieldsButton->setText(QStringLiteral("Show Fields"));
    ShowFieldsButton->setToolTip(QStringLiteral("Show the fields as written instead of the record's values"));
    ShowFieldsButton->setCheckable(true);
    ShowFieldsButton->setAutoRaise(true);
    RecordBar->addWidget(ShowFieldsButton);
    m_window.addToolBarBreak(Qt::TopToolBarArea);
    m_window.addToolBar(Qt::TopToolBarArea, RecordBar);

    connect(FirstButton, &QToolButton::clicked, this, [this] { m_merge.SetRecord(0); });
    connect(PreviousButton, &QToolButton::clicked, this, [this] { m_merge.SetRecord(m_merge.Record() - 1); });
    connect(NextButton, &QToolButton::clicked, this, [this] { m_merge.SetRecord(m_merge.Record() + 1); });
    connect(LastButton, &QToolButton::clicked, this, [this] { m_merge.SetRecord(m_merge.RecordCount() - 1); });
    connect(ShowFieldsButton, &QToolButton::toggled, &m_merge, &CardMerge::SetRawFields);
}

void TContactListCommands::UpdateRecordBar()
{
    const bool attached = m_merge.Attached();
    RecordBar->setVisible(attached);
    DetachItem->setEnabled(attached);
    if (!attached)
        return;
    const int record = m_merge.Record();
    const int count = m_merge.RecordCount();
    RecordLabel->setText(QStringLiteral("%1 of %2").arg(record + 1).arg(count));
    FirstButton->setEnabled(record > 0);
    PreviousButton->setEnabled(record > 0);
    NextButton->setEnabled(record + 1 < count);
    LastButton->setEnabled(record + 1 < count);
    ShowFieldsButton->setChecked(m_merge.RawFields());
    RecordBar->setToolTip(QDir::toNativeSeparators(m_merge.ListPath()));
}

void TContactListCommands::AttachClick()
{
    const QString document = m_window.DocumentPath();
    const QString folder = document.isEmpty() ? QDir::homePath() : QFileInfo(document).absolutePath();
    const QString path = UserDialogs::current().openFileName(
        QStringLiteral("Attach Contact List"), folder,
        QStringLiteral("Contact lists (*.csv *.CSV *.vcf *.VCF *.txt *.TXT);;All files (*)"));
    if (!path.isEmpty())
        Attach(path);
}

bool TContactListCommands::Attach(const QString &path)
{
    auto list = std::make_shared<ContactList>();
    QString error;
    bool read = false;
    {
        BusyCursorScope busy;
        read = ContactLists::read(path, *list, &error);
    }
    if (!read) {
        Inform(QStringLiteral("The contact list %1 cannot be used. %2").arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    m_merge.Attach(std::move(list), QFileInfo(path).absoluteFilePath());
    // The card document remembers its list.
    m_window.SetChangesMade(true);
    return true;
}

void TContactListCommands::DetachClick()
{
    if (!m_merge.Attached())
        return;
    m_merge.Detach();
    m_window.SetChangesMade(true);
}
