#include "app/TAboutBox.h"

#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

QString TAboutBox::BitsText()
{
    return QStringLiteral("%1-bit version").arg(int(sizeof(void *) * 8));
}

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Karvello"));
    auto *icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/karvello.svg")).pixmap(64, 64));
    icon->setAlignment(Qt::AlignCenter);
    auto *name = new QLabel(QStringLiteral("<b style=\"font-size:16pt\">Karvello</b>"), this);
    name->setAlignment(Qt::AlignCenter);
    auto *purpose = new QLabel(tr("Business cards designed on screen and printed on card stock"),
                               this);
    purpose->setAlignment(Qt::AlignCenter);
    BitsLabel = new QLabel(BitsText(), this);
    BitsLabel->setAlignment(Qt::AlignCenter);
    VersionLabel = new QLabel(QStringLiteral("Version ") + VersionText(), this);
    VersionLabel->setAlignment(Qt::AlignCenter);
    LinkPanel = new QLabel(QStringLiteral("<a href=\"%1\">%1</a><br><a href=\"%2\">%2</a>")
                               .arg(WebSiteAddress(), BonusArtworkAddress()),
                           this);
    LinkPanel->setAlignment(Qt::AlignCenter);
    LinkPanel->setOpenExternalLinks(true);
    LinkPanel->setFrameShape(QFrame::StyledPanel);
    LinkPanel->setMargin(6);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    for (QWidget *w : {static_cast<QWidget *>(icon), static_cast<QWidget *>(name),
                       static_cast<QWidget *>(purpose), static_cast<QWidget *>(BitsLabel),
                       static_cast<QWidget *>(VersionLabel), static_cast<QWidget *>(LinkPanel)})
        layout->addWidget(w);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}
