#include "widgets/TColorDrop.h"

#include <QPainter>
#include <QPixmap>

namespace {

QIcon swatch(TColor color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(Colors::toQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

} // namespace

const QList<QPair<QString, TColor>> &TColorDrop::NamedColors()
{
    static const QList<QPair<QString, TColor>> list{
        {"Black", clBlack},   {"Maroon", clMaroon},         {"Green", clGreen},
        {"Olive", clOlive},   {"Navy", clNavy},             {"Purple", clPurple},
        {"Teal", clTeal},     {"Gray", clGray},             {"Silver", clSilver},
        {"Red", clRed},       {"Lime", clLime},             {"Yellow", clYellow},
        {"Blue", clBlue},     {"Fuchsia", clFuchsia},       {"Aqua", clAqua},
        {"Light Gray", clLtGray}, {"Dark Gray", clDkGray}, {"White", clWhite},
    };
    return list;
}

TColorDrop::TColorDrop(QWidget *parent) : QComboBox(parent)
{
    setIconSize(QSize(16, 12));
    for (const auto &[name, color] : NamedColors())
        addItem(swatch(color), name, QVariant(int(color)));
    setCurrentIndex(-1);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            emit ColorChanged(Color());
    });
}

TColor TColorDrop::Color() const
{
    return currentIndex() < 0 ? clBlack : TColor(currentData().toInt());
}

void TColorDrop::SetColor(TColor color)
{
    const int index = findData(QVariant(int(color)));
    if (index >= 0)
        setCurrentIndex(index);
}
