#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QUrl>

class QMimeData;
class TGBusinessCardPanel32;
class TMainScreen;
class TPicture;

// Files dropped from a file manager onto the card. A picture file becomes a
// picture object centred on the drop point, at its own size shrunk to fit
// the card; dropped on a selected picture object, or on a template's logo
// placeholder, it replaces that object's picture, keeping its box. A card document (".KVL") opens, after the usual
// question about unsaved changes. Each drop is one undo step.
class TCardDrops : public QObject
{
    Q_OBJECT
public:
    explicit TCardDrops(TMainScreen &screen);

    // Whether a drag carries a file a drop would take.
    static bool Accepts(const QMimeData &data);
    // The drop of `urls` at `point` (card pixels); false when nothing was taken.
    bool Drop(const QList<QUrl> &urls, QPoint point);
    // The picture's own size at the card's zoom, shrunk (keeping its shape)
    // to fit the card, centred on `point` and kept on the card.
    static QRect PictureBox(const TPicture &picture, QPoint point, const TGBusinessCardPanel32 &panel);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool DropPicture(const QString &path, QPoint point);

    TMainScreen &m_screen;
};

// Lets the main window's card take dropped files.
void InstallCardDrops(TMainScreen &screen);
