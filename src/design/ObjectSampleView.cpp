#include "design/ObjectSampleView.h"

#include "design/TGGraphicControl.h"
#include "platform/Canvas.h"

#include <QPainter>

class ObjectSampleView::Surface : public QWidget
{
public:
    Surface(TGGraphicControl &object, QPoint offset, QWidget *parent)
        : QWidget(parent), m_object(object), m_offset(offset)
    {
        setAutoFillBackground(true);
        QPalette white = palette();
        white.setColor(QPalette::Window, Qt::white);
        setPalette(white);
    }

    QSize objectExtent() const
    {
        return QSize(m_offset.x() * 2 + m_object.Width(), m_offset.y() * 2 + m_object.Height());
    }

    void paintOn(QPainter &painter) const
    {
        TCanvas canvas(&painter);
        canvas.setOrigin(m_offset);
        canvas.intersectClipRect(0, 0, m_object.Width(), m_object.Height());
        m_object.Paint(canvas);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        paintOn(painter);
    }

private:
    TGGraphicControl &m_object;
    QPoint m_offset;
};

ObjectSampleView::ObjectSampleView(TGGraphicControl &object, QPoint offset, QWidget *parent)
    : QScrollArea(parent), m_surface(new Surface(object, offset, this))
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    QPalette white = palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setWidget(m_surface);
    setWidgetResizable(true);
    Refresh();
}

void ObjectSampleView::Refresh()
{
    m_surface->setMinimumSize(m_surface->objectExtent());
    m_surface->update();
}

QImage ObjectSampleView::Snapshot() const
{
    QImage image(m_surface->objectExtent(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    m_surface->paintOn(painter);
    return image;
}
