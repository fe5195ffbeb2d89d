#pragma once

#include <QPoint>
#include <QScrollArea>

class TGGraphicControl;

// A white sample box showing one design object that has no panel (the live
// samples and examples of the object dialogs). The object is drawn at
// `offset` at its real size; the box scrolls when the object is larger.
class ObjectSampleView : public QScrollArea
{
    Q_OBJECT
public:
    ObjectSampleView(TGGraphicControl &object, QPoint offset, QWidget *parent = nullptr);

    // Call after the object changed size or look.
    void Refresh();
    // The drawn picture of the object as the box shows it (tests).
    QImage Snapshot() const;

private:
    class Surface;
    Surface *m_surface = nullptr;
};
