#include "objects/TGetSymbol.h"

#include "platform/AppRoutines.h"
#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "platform/ScreenMetrics.h"
#include "platform/SymbolFonts.h"
#include "platform/UserDialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

TGetSymbol::TGetSymbol(const TFont &labelFont, const QString &caption, QWidget *parent)
    : QDialog(parent)
{
    static const bool helpRegistered = (RegisterHelpTopic(HelpTopicNumber, "symbol.html"), true);
    Q_UNUSED(helpRegistered);
    setWindowTitle("Symbol Selector");
    auto *layout = new QVBoxLayout(this);

    auto *top = new QHBoxLayout;
    auto *fontLabel = new QLabel("&Font", this);
    Fontbutton = new QPushButton(this);
    Fontbutton->setObjectName("Fontbutton");
    Fontbutton->setAutoDefault(false);
    fontLabel->setBuddy(Fontbutton);
    SelectedChar = new QLabel(this);
    SelectedChar->setObjectName("SelectedChar");
    SelectedChar->hide();
    top->addWidget(fontLabel);
    top->addWidget(Fontbutton, 1);
    layout->addLayout(top);

    // Codes run down each column, then on to the next column.
    SymbolList = new QListWidget(this);
    SymbolList->setObjectName("SymbolList");
    SymbolList->setFlow(QListView::TopToBottom);
    SymbolList->setWrapping(true);
    SymbolList->setUniformItemSizes(true);
    SymbolList->setMovement(QListView::Static);
    SymbolList->setResizeMode(QListView::Adjust);
    SymbolList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SymbolList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (int i = 0; i < ItemCount; ++i) {
        auto *item = new QListWidgetItem(SymbolList);
        item->setTextAlignment(Qt::AlignCenter);
    }
    layout->addWidget(SymbolList, 1);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *help = buttons->addButton("Help", QDialogButtonBox::HelpRole);
    QPushButton *ok = buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TGetSymbol::OkButtonClick);
    connect(help, &QPushButton::clicked, this, &TGetSymbol::HelpButtonClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Fontbutton, &QPushButton::clicked, this, &TGetSymbol::FontbuttonClick);
    connect(SymbolList, &QListWidget::itemDoubleClicked, this, &TGetSymbol::OkButtonClick);
    layout->addWidget(buttons);
    setFixedSize(474, 327);

    // The label's font for the result; its face and style for the list,
    // which keeps its own design size.
    m_chosenFont = labelFont;
    m_listFont = TFont{};
    m_listFont.name = labelFont.name;
    m_listFont.style = labelFont.style;
    m_listFont.setSize(ListDesignSize, ScreenMetrics::pixelsPerInch());
    SelectedChar->setFont(Fonts::toQFont(m_chosenFont, ScreenMetrics::pixelsPerInch()));
    ApplyListFont();
    const std::optional<unsigned char> code =
        caption.isEmpty() ? std::nullopt : SymbolFonts::codeOf(caption.at(0));
    if (code && *code >= FirstCode)
        SymbolList->setCurrentRow(*code - FirstCode);
    PlaceDialog(*this);
    NormalCursor();
}

int TGetSymbol::ColumnsForSize(int points)
{
    struct Band {
        int from, to, columns;
    };
    static constexpr Band bands[] = {{6, 10, 14}, {11, 20, 10}, {21, 30, 8}, {31, 40, 6},
                                     {41, 50, 4}, {51, 60, 3},  {61, 72, 2}};
    for (const Band &band : bands)
        if (points >= band.from && points <= band.to)
            return band.columns;
    return 1;
}

QString TGetSymbol::FontCaption(const TFont &font)
{
    QString caption = font.name + ", " + QString::number(font.size(ScreenMetrics::pixelsPerInch())) + "pt ";
    if (font.style & fsBold)
        caption += "Bold ";
    if (font.style & fsItalic)
        caption += "Italic ";
    return caption;
}

void TGetSymbol::ApplyListFont()
{
    const int ppi = ScreenMetrics::pixelsPerInch();
    SymbolList->setFont(Fonts::toQFont(m_listFont, ppi));
    QPalette palette = SymbolList->palette();
    palette.setColor(QPalette::Text, Colors::toQColor(m_listFont.color));
    SymbolList->setPalette(palette);
    // The items show what the font draws for each code (symbol fonts
    // through their Unicode pictures).
    for (int i = 0; i < ItemCount; ++i) {
        const QString character(SymbolFonts::characterOf(FirstCode + i));
        QListWidgetItem *item = SymbolList->item(i);
        item->setText(SymbolFonts::displayText(m_listFont.name, character));
        item->setData(Qt::UserRole, character);
    }
}

void TGetSymbol::FormActivate()
{
    m_columns = ColumnsForSize(m_listFont.size(ScreenMetrics::pixelsPerInch()));
    if (layout())
        layout()->activate();
    const int width = std::max(1, SymbolList->viewport()->width() / m_columns);
    SymbolList->setGridSize(QSize(width, ItemHeight));
    SymbolList->scrollToItem(SymbolList->currentItem());
    Fontbutton->setText(FontCaption(m_listFont));
}

void TGetSymbol::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TGetSymbol::FontbuttonClick()
{
    const std::optional<TFont> font = UserDialogs::current().chooseFont(m_chosenFont, true);
    if (font) {
        m_chosenFont = *font;
        SelectedChar->setFont(Fonts::toQFont(m_chosenFont, ScreenMetrics::pixelsPerInch()));
        m_listFont.name = font->name;
        m_listFont.color = font->color;
        m_listFont.style = font->style;
        ApplyListFont();
    }
    Fontbutton->setText(FontCaption(m_listFont));
}

std::optional<QString> TGetSymbol::ChosenCaption() const
{
    const int row = SymbolList->currentRow();
    if (row < 0 || row >= ItemCount)
        return std::nullopt;
    return QString(SymbolFonts::characterOf(FirstCode + row));
}

void TGetSymbol::OkButtonClick()
{
    accept();
}

void TGetSymbol::HelpButtonClick()
{
    HelpTopic(HelpTopicNumber);
}
