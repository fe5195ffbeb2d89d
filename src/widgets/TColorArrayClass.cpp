#include "widgets/TColorArrayClass.h"

TColorArrayClass::TColorArrayClass(int xSize, int ySize)
{
    resize(xSize, ySize);
}

void TColorArrayClass::resize(int xSize, int ySize)
{
    m_xSize = std::max(0, xSize);
    m_ySize = std::max(0, ySize);
    m_colors.assign(size_t(m_xSize) * size_t(m_ySize), clBlack);
}

void TColorArrayClass::SetXSize(int value)
{
    resize(value, m_ySize);
}

void TColorArrayClass::SetYSize(int value)
{
    resize(m_xSize, value);
}

int TColorArrayClass::index(int x, int y) const
{
    if (x < 1 || x > m_xSize || y < 1 || y > m_ySize)
        throw EColorArrayError();
    return (x - 1) + (y - 1) * m_xSize;
}

TColor TColorArrayClass::Color(int x, int y) const
{
    return m_colors[size_t(index(x, y))];
}

void TColorArrayClass::SetColor(int x, int y, TColor color)
{
    m_colors[size_t(index(x, y))] = color;
}

TColor TColorArrayClass::ColorAt(int position) const
{
    if (position < 1 || position > Count())
        throw EColorArrayError();
    return m_colors[size_t(position - 1)];
}

void TColorArrayClass::SetColorAt(int position, TColor color)
{
    if (position < 1 || position > Count())
        throw EColorArrayError();
    m_colors[size_t(position - 1)] = color;
}

TColorArrayClass::StreamValues TColorArrayClass::WriteValues() const
{
    QVariantList colors;
    colors.reserve(Count());
    for (int x = 1; x <= m_xSize; ++x)
        for (int y = 1; y <= m_ySize; ++y)
            colors.append(int(Color(x, y)));
    return {{QStringLiteral("XSize"), m_xSize}, {QStringLiteral("YSize"), m_ySize},
            {QStringLiteral("Colors"), colors}};
}

void TColorArrayClass::ReadValues(const StreamValues &values)
{
    for (const auto &[name, value] : values) {
        if (name.compare(QLatin1String("XSize"), Qt::CaseInsensitive) == 0) {
            SetXSize(value.toInt());
        } else if (name.compare(QLatin1String("YSize"), Qt::CaseInsensitive) == 0) {
            SetYSize(value.toInt());
        } else if (name.compare(QLatin1String("Colors"), Qt::CaseInsensitive) == 0) {
            const QVariantList colors = value.toList();
            int x = 1, y = 1;
            for (const QVariant &color : colors) {
                SetColor(x, y, TColor(color.toInt()));
                if (++y > m_ySize) {
                    y = 1;
                    ++x;
                }
            }
        }
    }
}
