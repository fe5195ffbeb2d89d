#include "app/TEditingCommands.h"

#include "app/Preferences.h"
#include "app/TCardArea.h"
#include "app/TMainMenus.h"
#include "app/TMainScreen.h"
#include "app/TMainToolBar.h"
#include "app/ZoomSteps.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "design/TGHandle.h"
#include "objects/TGLabelShapes.h"
#include "platform/ScreenMetrics.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

struct ToolKey {
    TLPanelState state;
    char letter;
};

const ToolKey ToolKeys[] = {
    {psPointing, 'V'},  {psLabel, 'T'},      {psMultiLineLabel, 'M'}, {psSymbolLabel, 'Y'},
    {psRectangle, 'R'}, {psEllipse, 'E'},    {psRoundRectangle, 'U'}, {psLine, 'L'},
    {psImage, 'P'},     {psSuperShape, 'S'}, {psRichLabel, 'W'},      {psSuperText, 'X'},
    {psCircleText, 'C'}, {psQRCode, 'Q'},
};

// Room around a 100 % card in the first window and around a fitted card.
constexpr int kCardMargin = 40;

} // namespace

TEditingCommands::TEditingCommands(TMainScreen &window) : QObject(&window), m_window(window)
{
    setObjectName(QStringLiteral("EditingCommands"));
    AddEditItems();
    AddViewItems();
    AddStatusBar();
    AddToolLetters();
    TGBusinessCardPanel32 *panel = m_window.BusinessCardPanel;
    connect(panel, &TGBasePanel::SelectionChanged, this, &TEditingCommands::UpdateStatus);
    connect(panel, &TGBasePanel::ActionCompleted, this, &TEditingCommands::UpdateStatus);
    m_window.ScrollBox1->viewport()->installEventFilter(this);
    panel->installEventFilter(this);
    panel->Handle()->installEventFilter(this);
    SetSmoothDrawing(Preferences::ReadSmoothDrawing());
    SizeFirstWindow();
    UpdateItems();
    UpdateStatus();
}

QChar TEditingCommands::ToolLetter(TLPanelState state)
{
    for (const ToolKey &k : ToolKeys) {
        if (k.state == state)
            return QLatin1Char(k.letter);
    }
    return {};
}

void TEditingCommands::AddEditItems()
{
    QMenu *edit = m_window.Menus->EditMenu;
    const QList<QAction *> items = edit->actions();
    // After Undo and Redo and their separator.
    const qsizetype redo = items.indexOf(m_window.Menus->RedoItem);
    QAction *before = redo >= 0 && redo + 2 < items.size() ? items.at(redo + 2) : nullptr;
    TGBusinessCardPanel32 *panel = m_window.BusinessCardPanel;
    auto add = [&](const QString &caption, const QKeySequence &key, std::function<void()> run) {
        auto *item = new QAction(caption, edit);
        item->setShortcut(key);
        edit->insertAction(before, item);
        const QString step = QString(caption).remove(QLatin1Char('&')).remove(QStringLiteral("..."));
        connect(item, &QAction::triggered, this, [this, panel, step, run] {
            const TGPanelAction action(panel, step);
            run();
            UpdateItems();
            UpdateStatus();
        });
        return item;
    };
    CutItem = add(QStringLiteral("Cu&t"), QKeySequence::Cut, [panel] { panel->Cut(); });
    CopyItem = add(QStringLiteral("&Copy"), QKeySequence::Copy, [panel] { panel->Copy(); });
    // As Ctrl+V always did: a second paste within a second is the same key held.
    PasteItem = add(QStringLiteral("&Paste"), QKeySequence::Paste, [panel] { panel->Paste(); });
    DuplicateItem = add(QStringLiteral("D&uplicate"), QKeySequence(Qt::CTRL | Qt::Key_D),
                        [panel] { panel->Duplicate(); });
    DeleteSelectionItem = add(QStringLiteral("De&lete"), QKeySequence(Qt::Key_Delete),
                              [panel] { panel->Delete(); });
    SelectAllItem = add(QStringLiteral("Select &All"), QKeySequence(Qt::CTRL | Qt::Key_A),
                        [panel] { panel->SelectAll(); });
    PropertiesItem = add(QStringLiteral("Properties..."), QKeySequence(Qt::ALT | Qt::Key_Return),
                         [this] { OpenSelectedProperties(); });
    // Alt with the keypad's Enter too.
    PropertiesItem->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)});
    edit->insertSeparator(before);
    connect(edit, &QMenu::aboutToShow, this, &TEditingCommands::UpdateItems);
    connect(panel, &TGBasePanel::SelectionChanged, this, &TEditingCommands::UpdateItems);
    // Paste follows what other programs put on the clipboard.
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &TEditingCommands::UpdateItems);
}

void TEditingCommands::AddViewItems()
{
    QMenu *view = m_window.Menus->ViewMenu;
    ActualSizeItem = view->addAction(QStringLiteral("&Actual Size"));
    ActualSizeItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    FitCardItem = view->addAction(QStringLiteral("&Fit Card"));
    FitCardItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    view->addSeparator();
    SmoothDrawingItem = view->addAction(QStringLiteral("Smooth drawing"));
    SmoothDrawingItem->setCheckable(true);
    connect(ActualSizeItem, &QAction::triggered, this, [this] { m_window.SetZoom(1.0f); });
    connect(FitCardItem, &QAction::triggered, this, &TEditingCommands::FitCard);
    connect(SmoothDrawingItem, &QAction::toggled, this, [this](bool on) {
        SetSmoothDrawing(on);
        Preferences::WriteSmoothDrawing(on);
    });
}

void TEditingCommands::AddStatusBar()
{
    QStatusBar *bar = m_window.statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    SelectionText = new QLabel(bar);
    SelectionText->setObjectName(QStringLiteral("SelectionText"));
    ZoomText = new QLabel(bar);
    ZoomText->setObjectName(QStringLiteral("StatusZoom"));
    bar->addWidget(SelectionText, 1);
    bar->addPermanentWidget(ZoomText);
}

void TEditingCommands::AddToolLetters()
{
    for (const ToolKey &k : ToolKeys) {
        QToolButton *button = m_window.ToolBar->ToolButton(k.state);
        if (!button)
            continue;
        // "Text tool (T)": the letter after the hint's first line.
        QStringList lines = button->toolTip().split(QLatin1Char('\n'));
        lines.first() = lines.first().trimmed() + QStringLiteral(" (%1)").arg(QLatin1Char(k.letter));
        button->setToolTip(lines.join(QLatin1Char('\n')));
    }
}

void TEditingCommands::SizeFirstWindow()
{
    // Wide enough for the whole tool bar, tall enough for a 100 % card with
    // room around it; a stored placement replaces this when the window shows.
    // Style sheets and fonts change the buttons' and the zoom caption's
    // size when they are polished, which is otherwise left until they show.
    m_window.ensurePolished();
    const QSize card = m_window.Layout().Layout.CardPixelSize(m_window.BusinessCardPanel->Portrait());
    const int width = std::max(m_window.ToolBar->sizeHint().width() + 24, card.width() + 2 * kCardMargin);
    const int height = m_window.menuBar()->sizeHint().height() + m_window.ToolBar->height()
        + card.height() + 2 * kCardMargin + m_window.Panel1->height() + m_window.statusBar()->sizeHint().height();
    QSize size(std::max(width, m_window.width()), std::max(height, m_window.height()));
    if (const QScreen *screen = m_window.screen())
        size = size.boundedTo(screen->availableSize());
    m_window.resize(size);
}

void TEditingCommands::SetSmoothDrawing(bool on)
{
    m_window.BusinessCardPanel->SetSmoothDrawing(on);
    const QSignalBlocker quiet(SmoothDrawingItem);
    SmoothDrawingItem->setChecked(on);
}

void TEditingCommands::OpenSelectedProperties()
{
    TGBusinessCardPanel32 *panel = m_window.BusinessCardPanel;
    if (panel->Handle()->SelectionCount() != 1)
        return;
    TGGraphicControl *object = panel->Handle()->SelectedObject(0);
    panel->OpenProperties(object, panel->mapToGlobal(object->BoundsRect().center()));
}

void TEditingCommands::UpdateItems()
{
    const TGBusinessCardPanel32 *panel = m_window.BusinessCardPanel;
    const int selected = panel->Handle()->SelectionCount();
    for (QAction *item : {CutItem, CopyItem, DuplicateItem, DeleteSelectionItem})
        item->setEnabled(selected > 0);
    PropertiesItem->setEnabled(selected == 1);
    SelectAllItem->setEnabled(panel->ObjectCount() > 0);
    PasteItem->setEnabled(panel->CanPaste());
}

QString TEditingCommands::KindName(const TGGraphicControl &object)
{
    const QString cls = object.ClassName();
    if (const auto *shape = qobject_cast<const TGLabelShapes *>(&object)) {
        switch (shape->Shape()) {
        case stRectangle: return QStringLiteral("Rectangle");
        case stSquare: return QStringLiteral("Square");
        case stRoundRect: return QStringLiteral("Round rectangle");
        case stRoundSquare: return QStringLiteral("Round square");
        case stEllipse: return QStringLiteral("Ellipse");
        case stCircle: return QStringLiteral("Circle");
        }
    }
    static const QHash<QString, QString> kinds{
        {QStringLiteral("TGLineShape"), QStringLiteral("Line")},
        {QStringLiteral("TGImage"), QStringLiteral("Picture")},
        {QStringLiteral("TGPLabel"), QStringLiteral("Text")},
        {QStringLiteral("TGBusinessCardLabel"), QStringLiteral("Text")},
        {QStringLiteral("TGSymbolLabel"), QStringLiteral("Symbol")},
        {QStringLiteral("TGMultiLineLabel"), QStringLiteral("Multi-line text")},
        {QStringLiteral("TSuperShape"), QStringLiteral("SuperShape")},
        {QStringLiteral("TGPRichBaseLabel"), QStringLiteral("Rich text")},
        {QStringLiteral("TGSuperText"), QStringLiteral("SuperText")},
        {QStringLiteral("TGPCircleText"), QStringLiteral("Circular text")},
        {QStringLiteral("TGQRCode"), QStringLiteral("QR code")},
    };
    return kinds.value(cls, cls);
}

void TEditingCommands::UpdateStatus()
{
    const TGBusinessCardPanel32 *panel = m_window.BusinessCardPanel;
    ZoomText->setText(m_window.ZoomText());
    const int selected = panel->Handle()->SelectionCount();
    if (selected != 1) {
        SelectionText->setText(selected > 1 ? QStringLiteral("%1 objects selected").arg(selected) : QString());
        return;
    }
    const TGGraphicControl &object = *panel->Handle()->SelectedObject(0);
    // Document pixels, so the numbers do not change with the zoom.
    const QRect r = object.DocumentBounds();
    const double ppi = ScreenMetrics::pixelsPerInch();
    const bool mm = m_window.Layout().UseMM;
    auto length = [ppi, mm](int pixels) {
        const double inches = pixels / ppi;
        return mm ? QStringLiteral("%1 mm").arg(inches * 25.4, 0, 'f', 1)
                  : QStringLiteral("%1 in").arg(inches, 0, 'f', 2);
    };
    SelectionText->setText(QStringLiteral("%1 %2   Left %3, Top %4   Width %5, Height %6")
                               .arg(KindName(object), object.Name(), length(r.left()), length(r.top()),
                                    length(r.width()), length(r.height())));
}

float TEditingCommands::FittingZoom() const
{
    const QSize card = m_window.Layout().Layout.CardPixelSize(m_window.BusinessCardPanel->Portrait());
    const QSize room = m_window.ScrollBox1->viewport()->size() - QSize(2 * TCardArea::CardLeft, 2 * TCardArea::CardTop);
    if (card.isEmpty() || room.isEmpty())
        return 1.0f;
    const double fit = std::min(double(room.width()) / card.width(), double(room.height()) / card.height());
    // Whole per cent, rounded down so that the card fits.
    return ZoomSteps::clamped(float(std::floor(fit * 100) / 100));
}

void TEditingCommands::FitCard()
{
    m_window.SetZoom(FittingZoom());
    UpdateStatus();
}

void TEditingCommands::ZoomAbout(float zoom, QPoint viewportPos)
{
    TGBusinessCardPanel32 *panel = m_window.BusinessCardPanel;
    QWidget *viewport = m_window.ScrollBox1->viewport();
    const float before = panel->Zoom();
    zoom = ZoomSteps::clamped(zoom);
    if (zoom == before)
        return;
    // The card point under the cursor, in unzoomed card pixels.
    const QPointF cardPoint = QPointF(panel->mapFrom(viewport, viewportPos)) / double(before);
    m_window.SetZoom(zoom);
    // Let the area take the card's new size before scrolling it.
    QCoreApplication::sendPostedEvents();
    const QPoint onArea = panel->mapToParent((cardPoint * double(zoom)).toPoint());
    m_window.ScrollBox1->horizontalScrollBar()->setValue(onArea.x() - viewportPos.x());
    m_window.ScrollBox1->verticalScrollBar()->setValue(onArea.y() - viewportPos.y());
    UpdateStatus();
}

bool TEditingCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && watched == m_window.ScrollBox1->viewport()) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier) || wheel->angleDelta().y() == 0)
            return false;
        const float zoom = m_window.BusinessCardPanel->Zoom();
        const QPoint at = wheel->position().toPoint();
        ZoomAbout(wheel->angleDelta().y() > 0 ? ZoomSteps::larger(zoom) : ZoomSteps::smaller(zoom), at);
        return true;
    }
    // A zoom resizes the card before it takes the new factor: read it after.
    if (event->type() == QEvent::Resize && watched == m_window.BusinessCardPanel)
        QMetaObject::invokeMethod(this, &TEditingCommands::UpdateStatus, Qt::QueuedConnection);
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier) || key->text().size() != 1)
            return false;
        const QChar letter = key->text().at(0).toUpper();
        for (const ToolKey &k : ToolKeys) {
            if (letter != QLatin1Char(k.letter))
                continue;
            QToolButton *button = m_window.ToolBar->ToolButton(k.state);
            if (button && !button->isChecked())
                button->click();
            return true;
        }
    }
    return false;
}
