#pragma once

#include <QDateTime>
#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;

// "Recover Card": offers a card that a crash, a kill or a power cut left
// with unsaved changes. It names the card (its file name, or "Untitled"),
// tells when it was last changed and shows a small picture of it.
// "Recover" (the default) accepts; "Discard" ends with DiscardResult;
// closing the dialog decides nothing, so the card is offered again at the
// next start.
class TRecoverCard : public QDialog
{
    Q_OBJECT
public:
    static constexpr int DiscardResult = 2;
    // The picture's longer side at most, in pixels.
    static constexpr int PictureSide = 280;

    TRecoverCard(const QString &original, const QDateTime &changed, const QImage &card,
                 QWidget *parent = nullptr);

    // "Jane.KVL", or "Untitled" for a card never saved.
    static QString CardName(const QString &original);

    QLabel *NameLabel = nullptr;
    QLabel *ChangedLabel = nullptr;
    QLabel *Picture = nullptr;
    QPushButton *RecoverButton = nullptr;
    QPushButton *DiscardButton = nullptr;
};
