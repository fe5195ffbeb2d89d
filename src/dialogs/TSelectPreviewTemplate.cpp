#include "dialogs/TSelectPreviewTemplate.h"

#include "design/TGBusinessCardPanel32.h"
#include "dialogs/TFontListBoxx.h"
#include "platform/AppRoutines.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/UserDialogs.h"
#include "richtext/TRichTextEngine.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <utility>

namespace {

// Guards against a list handler running inside itself (it lets pending
// events run, which may deliver another click).
bool g_fileClickRunning = false;
bool g_fontClickRunning = false;

class ReentryGuard
{
public:
    explicit ReentryGuard(bool &flag) : m_flag(flag), m_entered(!flag) { m_flag = true; }
    ~ReentryGuard()
    {
        if (m_entered)
            m_flag = false;
    }
    bool entered() const { return m_entered; }

private:
    bool &m_flag;
    bool m_entered;
};

QStringList templateFiles(const QString &folder)
{
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("*.kvlt")});
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList(); // name filters ignore letter case
}

// Keys with which a list moves its selection: arrows, pages, the ends, and
// letters (the list jumps to the entry they begin). Tab, Alt and shortcuts
// leave the list or act elsewhere; their release may never reach it.
bool movesSelection(const QKeyEvent &key)
{
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        break;
    }
    const QString text = key.text();
    return !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace();
}

} // namespace

TSelectPreviewTemplate::TSelectPreviewTemplate(const QString &templateFolder,
                                               const QString &backgroundFolder, QWidget *parent)
    : QDialog(parent), m_templateFolder(templateFolder), m_backgroundFolder(backgroundFolder)
{
    setWindowTitle(QStringLiteral("Select Business Card Template"));

    FileListBox1 = new QListWidget(this);
    FileListBox1->setMinimumWidth(180);
    FontListBox1 = new TFontListBoxx(this);
    FontListBox1->setMinimumWidth(200);
    auto *templateBox = new QGroupBox(QStringLiteral("Select Template"), this);
    (new QVBoxLayout(templateBox))->addWidget(FileListBox1);
    auto *fontBox = new QGroupBox(QStringLiteral("Select Font"), this);
    (new QVBoxLayout(fontBox))->addWidget(FontListBox1);

    // The sample card in the middle of the scroll box, whatever its turn.
    auto *holder = new QWidget;
    auto *centre = new QGridLayout(holder);
    // The sample's rich-text objects draw through this window's own engine.
    TRichTextEngine::CreateMaster(this);
    BusinessCardPanel = new TGBusinessCardPanel32(holder);
    BusinessCardPanel->setEnabled(false);
    BusinessCardPanel->SetDrawOutline(true);
    centre->addWidget(BusinessCardPanel, 0, 0, Qt::AlignCenter);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setWidget(holder);
    ScrollBox1->setMinimumSize(400, 380);
    auto *sampleBox = new QGroupBox(QStringLiteral("Sample"), this);
    (new QVBoxLayout(sampleBox))->addWidget(ScrollBox1);

    Note = new QLabel(QStringLiteral("Note: templates are for use with standard size cards of 3.5 x 2 "
                                     "inches, and are not suitable for odd sized cards"),
                      this);
    Note->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    Savebutton = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    Cancelbutton = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    Helpbutton = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    Savebutton->setDefault(true);
    connect(Savebutton, &QPushButton::clicked, this, &TSelectPreviewTemplate::SavebuttonClick);
    connect(Cancelbutton, &QPushButton::clicked, this, &TSelectPreviewTemplate::CancelbuttonClick);
    connect(Helpbutton, &QPushButton::clicked, this, &TSelectPreviewTemplate::HelpbuttonClick);

    auto *grid = new QGridLayout(this);
    grid->addWidget(templateBox, 0, 0);
    grid->addWidget(fontBox, 1, 0);
    grid->addWidget(sampleBox, 0, 1, 2, 1);
    grid->addWidget(Note, 2, 0, 1, 2);
    grid->addWidget(buttons, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    FormCreate();
    connect(FileListBox1, &QListWidget::currentRowChanged, this, &TSelectPreviewTemplate::FileListBox1Click);
    connect(FontListBox1, &QListWidget::currentRowChanged, this, &TSelectPreviewTemplate::FontListBox1Click);
    // A click on the entry that is already highlighted counts too.
    connect(FileListBox1, &QListWidget::clicked, this, &TSelectPreviewTemplate::FileListBox1Click);
    connect(FontListBox1, &QListWidget::clicked, this, &TSelectPreviewTemplate::FontListBox1Click);
    FileListBox1->installEventFilter(this);
    FontListBox1->installEventFilter(this);
}

TSelectPreviewTemplate::~TSelectPreviewTemplate()
{
    qApp->removeEventFilter(this);
}

void TSelectPreviewTemplate::FormCreate()
{
    FileListBox1->addItems(templateFiles(m_templateFolder));
    if (FileListBox1->count() > 0)
        FileListBox1->setCurrentRow(0);
    // Nothing to choose: "Ok" could only return no template.
    Savebutton->setEnabled(FileListBox1->count() > 0);
    m_fontName = QStringLiteral("Times New Roman");
    FontListBox1->Reload();
    ShowFontInList();
}

// What the list highlights is what the card gets.
void TSelectPreviewTemplate::ShowFontInList()
{
    if (!FontListBox1->SelectFamily(m_fontName) && FontListBox1->count() > 0)
        m_fontName = FontListBox1->SelectedFamily();
}

void TSelectPreviewTemplate::SetCardSize(float widthInches, float heightInches)
{
    m_cardWidth = widthInches;
    m_cardHeight = heightInches;
}

void TSelectPreviewTemplate::SetChoice(const QString &templateName, const QString &fontName)
{
    // The sample is loaded when the dialog is shown, at the card size.
    const QSignalBlocker blocker(FileListBox1);
    for (int row = 0; row < FileListBox1->count(); ++row) {
        if (FileListBox1->item(row)->text().compare(templateName, Qt::CaseInsensitive) == 0) {
            FileListBox1->setCurrentRow(row);
            break;
        }
    }
    if (FontListBox1->SelectFamily(fontName))
        m_fontName = FontListBox1->SelectedFamily();
}

QString TSelectPreviewTemplate::TemplateFile() const
{
    const QListWidgetItem *item = FileListBox1->currentItem();
    return item ? QDir(m_templateFolder).filePath(item->text()) : QString();
}

void TSelectPreviewTemplate::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

void TSelectPreviewTemplate::FormActivate()
{
    FileListBox1Click();
}

void TSelectPreviewTemplate::FileListBox1Click()
{
    const ReentryGuard guard(g_fileClickRunning);
    if (!guard.entered())
        return;
    if (m_loadCount > 0 && m_loadedFile == TemplateFile() && m_loadedFont == m_fontName)
        return; // the sample already shows it
    const BusyCursorScope busy;
    LoadFromIni();
    QCoreApplication::processEvents();
}

void TSelectPreviewTemplate::FontListBox1Click()
{
    const ReentryGuard guard(g_fontClickRunning);
    if (!guard.entered())
        return;
    const BusyCursorScope busy;
    const QString family = FontListBox1->SelectedFamily();
    if (family.isEmpty() || (family == m_fontName && m_loadedFont == m_fontName
                             && m_loadedFile == TemplateFile()))
        return; // the sample already shows it
    m_fontName = family;
    LoadFromIni();
    QCoreApplication::processEvents();
}

bool TSelectPreviewTemplate::eventFilter(QObject *watched, QEvent *event)
{
    const bool templateList = watched == FileListBox1;
    if (templateList || watched == FontListBox1) {
        if (event->type() == QEvent::KeyPress && movesSelection(*static_cast<QKeyEvent *>(event))) {
            bool &held = templateList ? m_templateKeyHeld : m_fontKeyHeld;
            if (!m_templateKeyHeld && !m_fontKeyHeld)
                qApp->installEventFilter(this); // the release may go to another widget
            held = true;
        } else if (event->type() == QEvent::FocusOut) {
            ReleaseHeldKeys();
        }
    }
    // Auto-repeat sends releases while the key is still down.
    if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent *>(event)->isAutoRepeat())
        ReleaseHeldKeys();
    return QDialog::eventFilter(watched, event);
}

void TSelectPreviewTemplate::ReleaseHeldKeys()
{
    const bool templateHeld = std::exchange(m_templateKeyHeld, false);
    const bool fontHeld = std::exchange(m_fontKeyHeld, false);
    if (!templateHeld && !fontHeld)
        return;
    qApp->removeEventFilter(this);
    // Let the list finish its own handling of the key first.
    QMetaObject::invokeMethod(
        this, [this, fontHeld] { fontHeld ? FontListBox1Click() : FileListBox1Click(); },
        Qt::QueuedConnection);
}

void TSelectPreviewTemplate::LoadFromIni()
{
    if (m_templateKeyHeld || m_fontKeyHeld)
        return;
    // A click of the other list may arrive while pending events run: the
    // sample is then loaded again afterwards, never into itself.
    if (m_loading) {
        m_reloadWanted = true;
        return;
    }
    m_loading = true;
    do {
        m_reloadWanted = false;
        LoadSample();
    } while (m_reloadWanted && !m_templateKeyHeld && !m_fontKeyHeld);
    m_loading = false;
}

void TSelectPreviewTemplate::LoadSample()
{
    ++m_loadCount;
    TGBusinessCardPanel32 &panel = *BusinessCardPanel;
    const QString file = TemplateFile();
    m_loadedFile = file;
    m_loadedFont = m_fontName;
    panel.RemoveAllObjects();
    panel.ClearBackground();
    panel.update();
    QCoreApplication::processEvents();
    QString background;
    if (!file.isEmpty()) {
        QString error;
        background = panel.ReadTemplate(file, &error);
        if (!error.isEmpty())
            UserDialogs::current().error(error);
    }
    RedrawWithFont();
    if (!background.trimmed().isEmpty()) {
        const QString path = CaseInsensitivePath::findPath(m_backgroundFolder, background.trimmed());
        if (!path.isEmpty())
            panel.LoadBackground(path);
        panel.update();
    }
    panel.setMinimumSize(0, 0);
    panel.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    panel.SetCardSizeFromInches(m_cardWidth, m_cardHeight);
    panel.setFixedSize(panel.size()); // the holder's layout keeps it
    panel.update();
}

void TSelectPreviewTemplate::RedrawWithFont()
{
    BusinessCardPanel->SetAllTextFonts(m_fontName);
}

void TSelectPreviewTemplate::SavebuttonClick()
{
    accept();
}

void TSelectPreviewTemplate::CancelbuttonClick()
{
    reject();
}

void TSelectPreviewTemplate::HelpbuttonClick()
{
    UserDialogs::showHelp(HelpTopicNumber);
}
