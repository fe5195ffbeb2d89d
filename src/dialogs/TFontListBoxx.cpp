#include "dialogs/TFontListBoxx.h"

#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace {

constexpr int kFaceNameLength = 32;

struct FamilySource {
    std::function<QStringList()> families;
    std::function<bool(const QString &)> isScalable;
};

FamilySource &familySource()
{
    static FamilySource source;
    return source;
}

QStringList installedFamilies()
{
    if (familySource().families)
        return familySource().families();
    return QFontDatabase::families();
}

bool isScalable(const QString &family)
{
    if (familySource().isScalable)
        return familySource().isScalable(family);
    // Outline fonts stand in for the TrueType test.
    return QFontDatabase::isSmoothlyScalable(family);
}

// The mark's letter T with its top-left corner at (a, b).
void drawT(TCanvas &canvas, int a, int b)
{
    canvas.moveTo(a, b);
    canvas.lineTo(a + 7, b);
    canvas.lineTo(a + 7, b + 3);
    canvas.moveTo(a, b);
    canvas.lineTo(a, b + 3);
    canvas.moveTo(a + 1, b);
    canvas.lineTo(a + 1, b + 1);
    canvas.moveTo(a + 6, b);
    canvas.lineTo(a + 6, b + 1);
    canvas.moveTo(a + 3, b);
    canvas.lineTo(a + 3, b + 8);
    canvas.moveTo(a + 4, b);
    canvas.lineTo(a + 4, b + 8);
    canvas.moveTo(a + 1, b + 8);
    canvas.lineTo(a + 6, b + 8);
}

class FontItemDelegate : public QStyledItemDelegate
{
public:
    explicit FontItemDelegate(TFontListBoxx *list) : QStyledItemDelegate(list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width() + 16, m_list->ItemHeight());
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette &pal = option.palette;
        const QColor back = selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base);
        const QRect r = option.rect;
        painter->fillRect(r, back);
        painter->drawImage(r.left() + 2, r.top() + 2, TFontListBoxx::Glyph(back));
        painter->setFont(m_list->font());
        painter->setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
        const QRect text(r.left() + 16, r.top(), r.width() - 16, r.height());
        painter->drawText(text, Qt::AlignLeft | Qt::AlignTop, index.data().toString());
    }

private:
    TFontListBoxx *m_list;
};

} // namespace

TFontListBoxx::TFontListBoxx(QWidget *parent) : QListWidget(parent)
{
    // FamilyNames() sorts without regard to letter case, as a Windows list
    // box does; the widget's own sorting would put "zeta" after "Zulu".
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new FontItemDelegate(this));
}

int TFontListBoxx::ItemHeight() const
{
    const QFontInfo info(font());
    return 2 * qMax(1, info.pointSize());
}

QStringList TFontListBoxx::FamilyNames(const QStringList &families,
                                       const std::function<bool(const QString &)> &scalable)
{
    const auto collect = [&](bool onlyScalable) {
        QStringList names;
        for (const QString &family : families) {
            if (onlyScalable && !scalable(family))
                continue;
            // One entry per family, whichever foundries make it ("C059 [urw]").
            QString plain = family;
            plain.remove(QRegularExpression(QStringLiteral("\\s*\\[[^\\]]*\\]$")));
            const QString name = Fonts::windowsName(plain).left(kFaceNameLength);
            if (!names.contains(name))
                names << name;
        }
        return names;
    };
    QStringList names = collect(true);
    if (names.isEmpty())
        names = collect(false);
    names.sort(Qt::CaseInsensitive);
    return names;
}

QImage TFontListBoxx::Glyph(QColor background)
{
    QImage image(12, 12, QImage::Format_RGB32);
    image.fill(background);
    TCanvas canvas(&image, 96);
    canvas.pen().color = TColor(0x808080);
    drawT(canvas, 0, 0);
    canvas.pen().color = clBlack;
    drawT(canvas, 4, 3);
    return image;
}

void TFontListBoxx::Reload()
{
    const QSignalBlocker blocker(this);
    clear();
    addItems(FamilyNames(installedFamilies(), isScalable));
    if (count() > 0)
        setCurrentRow(0);
}

QString TFontListBoxx::SelectedFamily() const
{
    const QListWidgetItem *item = currentItem();
    return item ? item->text() : QString();
}

bool TFontListBoxx::SelectFamily(const QString &family)
{
    for (int row = 0; row < count(); ++row) {
        if (item(row)->text().compare(family, Qt::CaseInsensitive) == 0) {
            const QSignalBlocker blocker(this);
            setCurrentRow(row);
            return true;
        }
    }
    return false;
}

void TFontListBoxx::showEvent(QShowEvent *event)
{
    QListWidget::showEvent(event);
    if (!m_selectedOnShow && count() > 0 && !currentItem()) {
        const QSignalBlocker blocker(this);
        setCurrentRow(0);
    }
    m_selectedOnShow = true;
    // A family highlighted before the list had its size is brought into view.
    if (currentItem())
        scrollToItem(currentItem());
}

void TFontListBoxx::SetFamilySource(std::function<QStringList()> families,
                                    std::function<bool(const QString &)> scalable)
{
    familySource() = {std::move(families), std::move(scalable)};
}
