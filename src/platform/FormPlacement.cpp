#include "platform/FormPlacement.h"

#include "platform/AppRoutines.h"
#include "platform/IniFile.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"

#include <QEvent>
#include <QLayout>
#include <QWidget>

namespace {

QRect centredIn(const QRect &area, QSize size)
{
    return QRect(QPoint(area.left() + (area.width() - size.width()) / 2,
                        area.top() + (area.height() - size.height()) / 2),
                 size);
}

QRect screenRect()
{
    return QRect(QPoint(0, 0), ScreenMetrics::screenSize());
}

QWidget *mainForm()
{
    return UserDialogs::parentWidget();
}

// The size the form will show at. A form nobody has sized yet is 100 x 30
// pixels until it is shown; it takes its layout's size now, as showing it
// would, so that it is centred by its real size.
QSize shownSize(QWidget &form)
{
    if (!form.isVisible() && !form.testAttribute(Qt::WA_Resized))
        form.adjustSize();
    return form.size();
}

// A form larger than the screen is made smaller, as far as its minimum
// size allows, so that its buttons stay in reach.
void fitScreen(QWidget &form)
{
    const QSize screen = ScreenMetrics::screenSize();
    const QSize size = form.size();
    if (size.width() > screen.width() || size.height() > screen.height())
        form.resize(size.boundedTo(screen).expandedTo(form.minimumSize()));
}

// A dialog's layout may still grow it after it was placed (contents set
// after placing it, such as the template chooser's card size), so it is
// placed once more as it is shown, with its final size.
class PlaceWhenShown : public QObject
{
public:
    PlaceWhenShown(QWidget &form, void (*place)(QWidget &)) : QObject(&form), m_place(place)
    {
        setObjectName(QStringLiteral("PlaceWhenShown"));
        form.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == parent()) {
            watched->removeEventFilter(this);
            auto &form = *static_cast<QWidget *>(watched);
            // The layout has not yet applied what changed since the placing.
            if (form.layout())
                form.layout()->activate();
            m_place(form);
            deleteLater();
        }
        return false;
    }

private:
    void (*m_place)(QWidget &);
};

void placeWhenShown(QWidget &form, void (*place)(QWidget &))
{
    if (!form.isVisible() && !form.findChild<QObject *>(QStringLiteral("PlaceWhenShown"), Qt::FindDirectChildrenOnly))
        new PlaceWhenShown(form, place);
}

// The form's rectangle as CenterForm would place it.
QRect centredRect(const QWidget &form)
{
    const QWidget *main = mainForm();
    if (!main || main == &form || main->isMaximized())
        return centredIn(screenRect(), form.size());
    return centredIn(main->geometry(), form.size());
}

QRect normalRect(const QWidget &form)
{
    return form.isMaximized() ? form.normalGeometry() : form.geometry();
}

QString sectionOf(const QWidget &form)
{
    return PlacementSection(QString::fromLatin1(form.metaObject()->className()),
                            ScreenMetrics::pixelsPerInch());
}

} // namespace

QString PlacementSection(const QString &className, int pixelsPerInch)
{
    QString section = className + QStringLiteral("_Placement");
    if (pixelsPerInch > 96)
        section += QString::number(pixelsPerInch);
    return section;
}

QRect KeepOnScreen(QRect rect, QSize screen)
{
    if (rect.left() + rect.width() > screen.width())
        rect.moveLeft(screen.width() - rect.width());
    if (rect.left() < 0)
        rect.moveLeft(1);
    if (rect.top() + rect.height() > screen.height())
        rect.moveTop(screen.height() - rect.height());
    if (rect.top() < 0)
        rect.moveTop(1);
    return rect;
}

namespace {

void centreForm(QWidget &form)
{
    shownSize(form);
    if (&form == mainForm()) {
        form.move(centredRect(form).topLeft());
        return;
    }
    fitScreen(form);
    const QRect centred = centredRect(form);
    const QSize screen = ScreenMetrics::screenSize();
    form.move(qBound(0, centred.left(), qMax(0, screen.width() - centred.width())),
              qBound(0, centred.top(), qMax(0, screen.height() - centred.height())));
}

void placeDialog(QWidget &form)
{
    shownSize(form);
    fitScreen(form);
    const QRect placed = centredRect(form);
    const bool fits = screenRect().contains(placed) && placed.width() >= 100
        && placed.height() >= 100;
    form.move(fits ? placed.topLeft() : centredIn(screenRect(), form.size()).topLeft());
}

} // namespace

void CenterForm(QWidget &form)
{
    centreForm(form);
    if (&form != mainForm())
        placeWhenShown(form, centreForm);
}

void PlaceDialog(QWidget &form)
{
    placeDialog(form);
    placeWhenShown(form, placeDialog);
}

bool SaveFormPlacement(const QWidget &form)
{
    IniFile ini(SettingsFileName());
    const QString section = sectionOf(form);
    const QRect r = normalRect(form);
    // Right and bottom are exclusive edges, as the stored rectangles always were.
    ini.writeInteger(section, QStringLiteral("Left"), r.left());
    ini.writeInteger(section, QStringLiteral("Top"), r.top());
    ini.writeInteger(section, QStringLiteral("Right"), r.left() + r.width());
    ini.writeInteger(section, QStringLiteral("Bottom"), r.top() + r.height());
    ini.writeBool(section, QStringLiteral("Maximized"), form.isMaximized());
    return ini.flush();
}

void RestoreFormPlacement(QWidget &form)
{
    const IniFile ini(SettingsFileName());
    const QString section = sectionOf(form);
    const int left = ini.readInteger(section, QStringLiteral("Left"), 0);
    const int top = ini.readInteger(section, QStringLiteral("Top"), 0);
    const int right = ini.readInteger(section, QStringLiteral("Right"), 0);
    const int bottom = ini.readInteger(section, QStringLiteral("Bottom"), 0);
    if (ini.readBool(section, QStringLiteral("Maximized"), form.isMaximized())) {
        form.setWindowState(form.windowState() | Qt::WindowMaximized);
        return;
    }
    QRect rect(left, top, right - left, bottom - top);
    if (bottom == 0 || rect.width() <= 0 || rect.height() <= 0)
        rect = centredRect(form);
    form.setGeometry(KeepOnScreen(rect, ScreenMetrics::screenSize()));
}
