// The main window's commands, preferences, zoom and keys; construction and
// the changes-made tracking are in TMainScreen.cpp.
#include "app/TMainScreen.h"

#include "app/TAboutBox.h"
#include "app/TCardExport.h"
#include "app/TFileCommands.h"
#include "app/TMRUFileList.h"
#include "app/TMainMenus.h"
#include "app/TMainToolBar.h"
#include "app/TUndoHistory.h"
#include "design/BackgroundArt.h"
#include "app/ZoomSteps.h"
#include "design/CardDocument.h"
#include "design/stream/ComponentStreamReader.h"
#include "design/SheetLayoutIni.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGHandle.h"
#include "platform/AppRoutines.h"
#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "platform/Numbers.h"
#include "platform/PlainFile.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"
#include "print/TEditCardLayout.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>

void TMainScreen::NewBlankClick() { m_files->NewBlank(); }
void TMainScreen::OpenClick() { m_files->Open(); }
void TMainScreen::DeleteClick() { m_files->Delete(); }
void TMainScreen::SaveClick() { m_files->Save(); }
void TMainScreen::SaveAsClick() { m_files->SaveAs(); }
void TMainScreen::SaveAsBitmapClick() { m_export->SaveAs(TCardExport::Format::Bitmap); }
void TMainScreen::SaveAsJpgClick() { m_export->SaveAs(TCardExport::Format::Jpeg); }

void TMainScreen::SavebuttonClick()
{
    if (m_documentPath.isEmpty())
        SaveAsClick();
    else
        SaveClick();
}

void TMainScreen::CancelbuttonClick()
{
    if (!Ask(QStringLiteral("Cancel all changes?"), QStringLiteral("CANCEL")))
        return;
    BusinessCardPanel->RemoveAllObjects();
    m_backgroundPath.clear();
    SetSides(CardSides());
    BusinessCardPanel->ClearBackground();
    m_recovered = false;
    if (!m_documentPath.isEmpty())
        OpenDocument(m_documentPath);
    SetChangesMade(false);
    UpdateButtons();
    History->Reset();
    BusinessCardPanel->update();
}

void TMainScreen::ExitClick()
{
    if (!CheckSaveNeeded())
        return;
    ClearChangesFlag();
    close();
}

void TMainScreen::closeEvent(QCloseEvent *event)
{
    if (!CheckSaveNeeded()) {
        event->ignore();
        return;
    }
    SaveFormPlacement(*this);
    hide();
    event->accept();
}

void TMainScreen::AboutClick()
{
    TAboutBox box(this);
    CenterForm(box);
    UserDialogs::runModal(box);
}

void TMainScreen::RecentFileClicked(const QString &path)
{
    if (!CheckSaveNeeded())
        return;
    if (QFileInfo::exists(path))
        OpenDocument(path);
    else
        Inform(path + QStringLiteral(" no longer exists"));
}

void TMainScreen::OpenDocument(const QString &path)
{
    m_loading = true;
    CardDocument::Opened opened = CardDocument::OpenCardDocument(*BusinessCardPanel, path, m_layout);
    CardSides sides;
    if (opened.ok && !sides.OpenBack(path)) {
        // A card whose back cannot be read is not opened: saving it would
        // lose the back.
        opened.ok = false;
        BusinessCardPanel->RemoveAllObjects();
        BusinessCardPanel->ClearBackground();
        Inform(CardDocument::UnableToOpenMessage(CardSides::FindBack(path)));
    }
    SetSides(sides);
    m_recovered = false;
    if (opened.ok) {
        m_documentPath = path;
        m_layout = opened.layout;
        m_backgroundPath = opened.backgroundFile;
        RecentFiles->Add(path);
        RecentFiles->Save();
    } else {
        // The card is empty now: saving it must not overwrite the last document.
        m_documentPath.clear();
        m_backgroundPath.clear();
    }
    SetChangesMade(false);
    QCoreApplication::processEvents();
    m_loading = false;
    UpdateButtons();
    SetChangesMade(false);
    History->Reset();
    // Said once the card is on screen: a card designed for its background
    // (white text, say) would otherwise look or print blank without a word.
    if (opened.ok && !opened.backgroundFile.isEmpty() && !opened.backgroundLoaded)
        Inform(BackgroundArt::NotLoadedMessage(opened.backgroundFile));
}

bool TMainScreen::OpenRecovered(const QString &copyPath, const QString &original, bool backShown,
                                QString *error)
{
    // Both sides are read before the card on screen is touched, so a copy
    // that cannot be read leaves it as it was.
    CardSides sides;
    QByteArray front;
    if (!sides.OpenBack(copyPath, error)
        || !PlainFile::read(copyPath, ComponentStreamReader::kMaxDocumentBytes, front, error)
        || !CardSides::MakePanel(this, *BusinessCardPanel, m_layout.Layout, front, QString(), error))
        return false;
    m_loading = true;
    const CardDocument::Opened opened = CardDocument::OpenCardDocument(*BusinessCardPanel, copyPath, m_layout);
    if (!opened.ok) {
        m_loading = false;
        if (error)
            *error = opened.message;
        return false;
    }
    QString background = opened.backgroundFile;
    if (backShown && sides.HasBack)
        sides.Swap(*BusinessCardPanel, background);
    SetSides(sides);
    m_layout = opened.layout;
    m_backgroundPath = background;
    m_documentPath = original;
    m_recovered = true;
    SetChangesMade(false);
    QCoreApplication::processEvents();
    m_loading = false;
    History->Reset();
    // Saving is what makes it a document again, whatever is undone.
    History->MarkUnsaved();
    UpdateButtons();
    if (!opened.backgroundFile.isEmpty() && !opened.backgroundLoaded)
        Inform(BackgroundArt::NotLoadedMessage(opened.backgroundFile));
    return true;
}

bool TMainScreen::SaveDocument(const QString &path)
{
    QString error;
    const CardDocument::Companion companion {m_layout, m_backgroundPath};
    if (m_sides.Save(*BusinessCardPanel, path, companion, &error)) {
        History->MarkSaved();
        if (m_recovered) {
            m_recovered = false;
            UpdateButtons();
        }
        return true;
    }
    UserDialogs::current().error(QStringLiteral("Unable to save %1: %2").arg(path, error));
    return false;
}

void TMainScreen::SetSides(const CardSides &sides)
{
    m_sides = sides;
    emit SidesChanged();
}

void TMainScreen::DefaultFontClick()
{
    if (const auto font = UserDialogs::current().chooseFont(BusinessCardPanel->Font(), false))
        BusinessCardPanel->SetFont(*font);
    UpdateDefaultFontCaption();
    SavePreferences();
    Inform(QStringLiteral("Note: the default font is used for NEW objects only.\n"
                          "To change the font of an existing object, click it\n"
                          "with the RIGHT MOUSE BUTTON and select FONT"));
}

void TMainScreen::UpdateDefaultFontCaption()
{
    Menus->DefaultFontItem->setText(
        Preferences::DefaultFontCaption(BusinessCardPanel->Font(), ScreenMetrics::pixelsPerInch()));
}

void TMainScreen::LoadPreferences()
{
    m_preferences = Preferences::LoadPreferences();
    TFont font = BusinessCardPanel->Font();
    Preferences::ApplyDefaultFont(m_preferences.DefaultFont, font, ScreenMetrics::pixelsPerInch());
    BusinessCardPanel->SetFont(font);
}

bool TMainScreen::SavePreferences()
{
    m_preferences.DefaultFont =
        Preferences::DefaultFontValues(BusinessCardPanel->Font(), ScreenMetrics::pixelsPerInch());
    if (Preferences::SavePreferences(m_preferences))
        return true;
    UserDialogs::current().error(QStringLiteral("Unable to save the settings to ")
                                 + SettingsFileName());
    return false;
}

void TMainScreen::LoadLayoutPreferences()
{
    m_layout = SheetLayoutIni::LoadLayoutPreferences(m_layout);
}

bool TMainScreen::SaveLayoutPreferences()
{
    return SheetLayoutIni::SaveLayoutPreferences(m_layout);
}

void TMainScreen::ReadPersonalInformation()
{
    BusinessCardPanel->SetPersonalInformation(Preferences::ReadPersonalInformation());
}

void TMainScreen::SaveLayoutAsDefaultClick()
{
    SheetLayoutIni::SaveCurrentLayoutAsDefault(m_layout);
}

void TMainScreen::ChangeLayoutClick()
{
    const TGPanelAction action(BusinessCardPanel, QStringLiteral("Card Layout"));
    TEditCardLayout dialog(m_layout, this);
    connect(&dialog, &TEditCardLayout::HelpRequested, this, [](int topic) { HelpTopic(topic); });
    CenterForm(dialog);
    if (UserDialogs::runModal(dialog) != QDialog::Accepted)
        return;
    ApplyLayout(dialog.Setting());
}

void TMainScreen::ApplyLayout(const SheetLayoutSetting &layout)
{
    m_layout = layout;
    ApplyOrientation(m_layout.Layout.Portrait);
    SetChangesMade(true);
}

void TMainScreen::SizeCardFromLayout()
{
    BusinessCardPanel->SetCardSize(m_layout.Layout);
}

void TMainScreen::ApplyOrientation(bool portrait)
{
    BusinessCardPanel->SetCardOrientation(portrait, m_layout.Layout, m_backgroundPath);
}

QString TMainScreen::ZoomText() const
{
    return QString::number(Numbers::roundHalfEven(double(BusinessCardPanel->Zoom()) * 100))
        + QStringLiteral("%");
}

void TMainScreen::SetZoom(float zoom)
{
    // Objects move with the zoom: what changed before it is a step of its own.
    History->Settle();
    // Zooming moves and resizes every object; none of it is a change.
    const bool wasLoading = m_loading;
    m_loading = true;
    BusinessCardPanel->Handle()->ClearSelection();
    BusinessCardPanel->SetZoom(zoom);
    // Scaling the last size rounds it once more at every step; taken from the
    // layout, the card cannot drift a pixel per round trip.
    BusinessCardPanel->resize(
        m_layout.Layout.CardPixelSize(BusinessCardPanel->Portrait(), BusinessCardPanel->Zoom()));
    ToolBar->SetZoomText(ZoomText());
    QCoreApplication::processEvents();
    m_loading = wasLoading;
}

void TMainScreen::ZoomIn()
{
    SetZoom(ZoomSteps::larger(BusinessCardPanel->Zoom()));
}

void TMainScreen::ZoomOut()
{
    SetZoom(ZoomSteps::smaller(BusinessCardPanel->Zoom()));
}

bool TMainScreen::FormKeyDown(int key)
{
    QScrollBar *bar = ScrollBox1->verticalScrollBar();
    switch (key) {
    case Qt::Key_PageUp:
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_PageDown:
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    case Qt::Key_Home:
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        return true;
    case Qt::Key_End:
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        return true;
    default:
        return false;
    }
}

bool TMainScreen::FormKeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    if (!(modifiers & Qt::KeypadModifier))
        return false;
    if (key == Qt::Key_Plus)
        ZoomIn();
    else if (key == Qt::Key_Minus)
        ZoomOut();
    else
        return false;
    return true;
}

bool TMainScreen::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QMainWindow::eventFilter(watched, event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this || !isEnabled())
        return QMainWindow::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (type == QEvent::KeyPress) {
        if (FormKeyDown(key->key()))
            return true;
        // A key the card uses (copy, paste, cut, delete) goes no further.
        return BusinessCardPanel->HandleKey(key->key(), key->modifiers());
    }
    return !key->isAutoRepeat() && FormKeyUp(key->key(), key->modifiers());
}
