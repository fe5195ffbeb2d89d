#include "effects/TSuperTextGetSymbol.h"

#include "platform/AppRoutines.h"
#include "platform/FormPlacement.h"
#include "platform/Fonts.h"
#include "platform/ScreenMetrics.h"
#include "platform/SymbolFonts.h"
#include "platform/UserDialogs.h"
#include "platform/Windows1252.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::function<QStringList()> &fontSource()
{
    static std::function<QStringList()> source;
    return source;
}

constexpr int kFirstCode = 32;
constexpr int kLastCode = 255;
constexpr int kColumns = 15;
constexpr int kItemHeight = 26;

} // namespace

void TSuperTextGetSymbol::SetFontSource(std::function<QStringList()> source)
{
    fontSource() = std::move(source);
}

// The outline fonts that declare only symbols, and the Windows symbol fonts
// the platform layer can draw; one entry per name.
QStringList TSuperTextGetSymbol::InstalledSymbolFonts()
{
    if (fontSource())
        return fontSource()();
    // The Windows symbol sets first, by their Windows names, so that new
    // cards name them as Windows documents do; they draw through the
    // platform's symbol table when the fonts themselves are not installed.
    QStringList names = SymbolFonts::windowsFamilies();
    for (const QString &family : QFontDatabase::families(QFontDatabase::Symbol)) {
        if (!QFontDatabase::isScalable(family) || QFontDatabase::isPrivateFamily(family))
            continue;
        const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
        if (systems.size() == 1 && systems.first() == QFontDatabase::Symbol)
            names << Fonts::windowsName(family);
    }
    names.removeDuplicates();
    return names;
}

TSuperTextGetSymbol::TSuperTextGetSymbol(QWidget *parent) : QDialog(parent)
{
    setObjectName("TSuperTextGetSymbol");
    setWindowTitle("Symbol Selector");
    setFont(QFont(Fonts::resolveFamily("Arial"), 8));

    SymbolSets = new QComboBox(this);
    SymbolSets->setToolTip("Select a symbol font set");
    SymbolSets->setMinimumWidth(220);
    auto *fontLabel = new QLabel("&Font", this);
    fontLabel->setBuddy(SymbolSets);

    SymbolList = new QListWidget(this);
    SymbolList->setViewMode(QListView::IconMode);
    SymbolList->setFlow(QListView::LeftToRight);
    SymbolList->setWrapping(true);
    SymbolList->setResizeMode(QListView::Adjust);
    SymbolList->setMovement(QListView::Static);
    SymbolList->setUniformItemSizes(true);
    SymbolList->setGridSize(QSize(33, kItemHeight));
    SymbolList->setMinimumSize(kColumns * 33 + 24, 10 * kItemHeight);
    for (int code = kFirstCode; code <= kLastCode; ++code) {
        auto *item = new QListWidgetItem(QString(QChar(Windows1252::toUnicode(uchar(code)))), SymbolList);
        item->setData(Qt::UserRole, code);
        item->setTextAlignment(Qt::AlignCenter);
        item->setSizeHint(QSize(33, kItemHeight));
    }

    CopyCharButton = new QPushButton("Ok", this);
    CopyCharButton->setToolTip("Copy the selected symbol to the label");
    CopyCharButton->setDefault(true);
    OKButton = new QPushButton("Cancel", this);

    auto *top = new QHBoxLayout;
    top->addWidget(fontLabel);
    top->addWidget(SymbolSets);
    top->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CopyCharButton);
    buttons->addWidget(OKButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(SymbolList, 1);
    layout->addLayout(buttons);
    resize(530, 371);

    connect(SymbolSets, &QComboBox::currentIndexChanged, this, [this] { SymbolSetsChange(); });
    connect(SymbolList, &QListWidget::itemClicked, this, [this] { SymbolListClick(); });
    connect(SymbolList, &QListWidget::currentRowChanged, this, [this] { SymbolListClick(); });
    connect(SymbolList, &QListWidget::itemDoubleClicked, this, [this] { CopyCharButtonClick(); });
    connect(CopyCharButton, &QPushButton::clicked, this, [this] { CopyCharButtonClick(); });
    connect(OKButton, &QPushButton::clicked, this, &QDialog::reject);

    BusyCursorScope busy;
    QStringList fonts = InstalledSymbolFonts();
    fonts.sort(Qt::CaseInsensitive);
    {
        const QSignalBlocker block(SymbolSets);
        SymbolSets->addItems(fonts);
    }
    if (fonts.isEmpty()) {
        m_noFonts = true;
        UserDialogs::current().inform("No Symbol fonts installed");
        return;
    }
    int preferred = 0;
    for (int i = 0; i < fonts.size(); ++i)
        if (fonts[i].toUpper().contains("WINGDING")) {
            preferred = i;
            break;
        }
    SymbolSets->setCurrentIndex(preferred);
    SymbolSetsChange();
    SymbolList->setCurrentRow(0);
    PlaceDialog(*this);
}

void TSuperTextGetSymbol::ShowFace(const QString &fontName)
{
    TFont font;
    font.name = fontName;
    font.setSize(18, ScreenMetrics::pixelsPerInch());
    font.charset = SYMBOL_CHARSET;
    SymbolList->setFont(Fonts::toQFont(font, ScreenMetrics::pixelsPerInch()));
    // Each cell keeps its byte code; what it shows is the picture that code
    // stands for in this font.
    for (int row = 0; row < SymbolList->count(); ++row) {
        QListWidgetItem *item = SymbolList->item(row);
        const auto code = uchar(item->data(Qt::UserRole).toInt());
        item->setText(SymbolFonts::displayText(fontName, QString(SymbolFonts::characterOf(code))));
    }
}

void TSuperTextGetSymbol::FormActivate()
{
    SymbolListClick();
    NormalCursor();
}

void TSuperTextGetSymbol::SymbolSetsChange()
{
    m_fontName = SymbolSets->currentText();
    ShowFace(m_fontName);
}

void TSuperTextGetSymbol::SymbolListClick()
{
    const QListWidgetItem *item = SymbolList->currentItem();
    if (item)
        m_char = QString(QChar(Windows1252::toUnicode(uchar(item->data(Qt::UserRole).toInt()))));
}

void TSuperTextGetSymbol::CopyCharButtonClick()
{
    if (!m_fontName.isEmpty() || !m_char.isEmpty())
        accept();
}
