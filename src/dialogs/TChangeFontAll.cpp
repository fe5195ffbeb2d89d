#include "dialogs/TChangeFontAll.h"

#include "dialogs/TFontListBoxx.h"
#include "platform/Fonts.h"
#include "platform/UserDialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *makeSample(const QString &text, bool bold, bool italic, Qt::Alignment align, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    TFont font;
    font.name = QStringLiteral("MS Sans Serif");
    font.height = -13;
    font.style = (bold ? fsBold : 0u) | (italic ? fsItalic : 0u);
    label->setFont(Fonts::toQFont(font, 96));
    label->setAlignment(align | Qt::AlignVCenter);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(pal);
    return label;
}

} // namespace

TChangeFontAll::TChangeFontAll(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Select A Font"));
    Label1 = new QLabel(QStringLiteral("Select A Font - All text items will be changed to this font"), this);
    FontListBox1 = new TFontListBoxx(this);
    FontListBox1->setMinimumSize(220, 200);

    auto *samples = new QGroupBox(this);
    sample1 = makeSample(QStringLiteral("Sample"), false, false, Qt::AlignLeft, samples);
    sample2 = makeSample(QStringLiteral("Sample Bold"), true, false, Qt::AlignLeft, samples);
    sample3 = makeSample(QStringLiteral("Sample Italic"), false, true, Qt::AlignRight, samples);
    sample4 = makeSample(QStringLiteral("Sample Bold Italic"), true, true, Qt::AlignRight, samples);
    auto *sampleLayout = new QVBoxLayout(samples);
    for (QLabel *s : {sample1, sample2, sample3, sample4}) {
        s->setMinimumWidth(180);
        sampleLayout->addWidget(s);
    }
    sampleLayout->addStretch();

    auto *buttons = new QDialogButtonBox(this);
    OKButton = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    Cancelbutton = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    Helpbutton = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TChangeFontAll::OKButtonClick);
    connect(Cancelbutton, &QPushButton::clicked, this, &TChangeFontAll::CancelbuttonClick);
    connect(Helpbutton, &QPushButton::clicked, this, &TChangeFontAll::HelpbuttonClick);

    auto *grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(FontListBox1, 1, 0);
    grid->addWidget(samples, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
    connect(FontListBox1, &QListWidget::currentRowChanged, this, &TChangeFontAll::FontListBox1Click);
}

void TChangeFontAll::FormCreate()
{
    FontListBox1->Reload();
}

QString TChangeFontAll::SelectedFont() const
{
    return FontListBox1->SelectedFamily();
}

void TChangeFontAll::FontListBox1Click()
{
    const QString family = Fonts::resolveFamily(SelectedFont());
    if (family.isEmpty())
        return;
    for (QLabel *s : {sample1, sample2, sample3, sample4}) {
        QFont font = s->font();
        font.setFamily(family);
        s->setFont(font);
    }
}

void TChangeFontAll::OKButtonClick()
{
    accept();
}

void TChangeFontAll::CancelbuttonClick()
{
    reject();
}

void TChangeFontAll::HelpbuttonClick()
{
    UserDialogs::showHelp(HelpTopicNumber);
}
