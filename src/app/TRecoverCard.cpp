#include "app/TRecoverCard.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

QString TRecoverCard::CardName(const QString &original)
{
    return original.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(original).fileName();
}

TRecoverCard::TRecoverCard(const QString &original, const QDateTime &changed, const QImage &card,
                           QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Recover Card"));
    auto *intro = new QLabel(
        QStringLiteral("Karvello ended before this card was saved. Recover it to go on where you left off."),
        this);
    intro->setWordWrap(true);

    NameLabel = new QLabel(CardName(original), this);
    NameLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (!original.isEmpty())
        NameLabel->setToolTip(original);
    ChangedLabel = new QLabel(QLocale().toString(changed.toLocalTime(), QLocale::LongFormat), this);
    auto *facts = new QFormLayout;
    facts->addRow(QStringLiteral("Card:"), NameLabel);
    facts->addRow(QStringLiteral("Last changed:"), ChangedLabel);

    Picture = new QLabel(this);
    Picture->setAlignment(Qt::AlignCenter);
    if (!card.isNull()) {
        // At the screen's own pixels, so that it is sharp on a HiDPI screen.
        const qreal ratio = devicePixelRatioF();
        const int side = qRound(PictureSide * ratio);
        QImage small = card.width() > side || card.height() > side
            ? card.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : card.copy();
        // A white card needs its edge drawn to be seen on the dialog.
        QPainter painter(&small);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(small.rect().adjusted(0, 0, -1, -1));
        painter.end();
        small.setDevicePixelRatio(ratio);
        Picture->setPixmap(QPixmap::fromImage(small));
    }

    auto *buttons = new QDialogButtonBox(this);
    RecoverButton = buttons->addButton(QStringLiteral("Recover"), QDialogButtonBox::AcceptRole);
    DiscardButton = buttons->addButton(QStringLiteral("Discard"), QDialogButtonBox::DestructiveRole);
    RecoverButton->setDefault(true);
    RecoverButton->setFocus();
    connect(RecoverButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(DiscardButton, &QPushButton::clicked, this, [this] { done(DiscardResult); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(facts);
    layout->addWidget(Picture);
    layout->addWidget(buttons);
}
