#include "platform/FormPlacement.h"

#include "platform/AppRoutines.h"
#include "platform/IniFile.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"

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

void CenterForm(QWidget &form)
{
    form.move(centredRect(form).topLeft());
}

void PlaceDialog(QWidget &form)
{
    const QRect placed = centredRect(form);
    const bool fits = screenRect().contains(placed) && placed.width() >= 100
        && placed.height() >= 100;
    form.move(fits ? placed.topLeft() : centredIn(screenRect(), form.size()).topLeft());
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
