#include "app/TCardDrops.h"

#include "app/TFileCommands.h"
#include "app/TMainScreen.h"
#include "design/CardTemplates.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGHandle.h"
#include "objects/TGImage.h"
#include "platform/AppRoutines.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

namespace {

// The first local file of the drag that a drop takes: a picture or a card.
QString takenFile(const QList<QUrl> &urls)
{
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        const QString ext = QFileInfo(path).suffix().toUpper();
        if (ext == QLatin1String("KVL") || TPicture::Extensions().contains(ext))
            return path;
    }
    return QString();
}

} // namespace

TCardDrops::TCardDrops(TMainScreen &screen) : QObject(&screen), m_screen(screen)
{
    screen.BusinessCardPanel->setAcceptDrops(true);
    screen.BusinessCardPanel->installEventFilter(this);
}

QRect TCardDrops::PictureBox(const TPicture &picture, QPoint point, const TGBusinessCardPanel32 &panel)
{
    QSize size(std::max(1, int(picture.Width() * panel.Zoom())), std::max(1, int(picture.Height() * panel.Zoom())));
    if (size.width() > panel.width() || size.height() > panel.height())
        size.scale(panel.size(), Qt::KeepAspectRatio);
    QRect box(point - QPoint(size.width() / 2, size.height() / 2), size.expandedTo(QSize(1, 1)));
    box.moveLeft(std::clamp(box.left(), 0, std::max(0, panel.width() - box.width())));
    box.moveTop(std::clamp(box.top(), 0, std::max(0, panel.height() - box.height())));
    return box;
}

bool TCardDrops::Accepts(const QMimeData &data)
{
    return data.hasUrls() && !takenFile(data.urls()).isEmpty();
}

bool TCardDrops::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (drag->mimeData() && Accepts(*drag->mimeData())) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (drop->mimeData() && Drop(drop->mimeData()->urls(), drop->position().toPoint())) {
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
        } else {
            drop->ignore();
        }
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

bool TCardDrops::Drop(const QList<QUrl> &urls, QPoint point)
{
    const QString path = takenFile(urls);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().toUpper() == QLatin1String("KVL")) {
        // After the drop has returned to the file manager: the save question
        // is a dialog of its own.
        QMetaObject::invokeMethod(
            this, [this, path] { m_screen.FileCommands().OpenPath(path); }, Qt::QueuedConnection);
        return true;
    }
    return DropPicture(path, point);
}

bool TCardDrops::DropPicture(const QString &path, QPoint point)
{
    TPicture picture;
    QString reason;
    if (!picture.LoadFromFile(path, &reason)) {
        Inform(QStringLiteral("Error loading file!\n\n") + reason);
        return false;
    }
    TGBusinessCardPanel32 &panel = *m_screen.BusinessCardPanel;
    auto *target = qobject_cast<TGImage *>(panel.ObjectAt(point));
    // A selected picture, or a template's logo placeholder, takes the new
    // picture in its own box.
    if (target && (panel.Handle()->IsSelected(target) || target->PictureData() == CardTemplates::LogoPlaceholderData())) {
        TGPanelAction action(&panel, QStringLiteral("Replace Picture"));
        target->SetPicture(picture);
        target->NotifyChanged();
        return true;
    }
    TGPanelAction action(&panel, QStringLiteral("Drop Picture"));
    auto *image = new TGImage(&panel);
    image->Loaded();
    panel.PlaceObject(image, PictureBox(picture, point, panel));
    image->SetPicture(picture);
    image->NotifyChanged();
    return true;
}

void InstallCardDrops(TMainScreen &screen)
{
    new TCardDrops(screen);
}
