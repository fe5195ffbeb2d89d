#pragma once

#include "richtext/TRichText.h"

#include <QDialog>
#include <QSize>

class QFrame;
class QScrollArea;
class QTextEdit;
class QToolButton;
class TGPRichBaseLabel;
class TRichTextToolBar;

// "Rich Text Editor": the document of a rich-text object on a page the size
// of the object's box, with the formatting tool bar and a zoom between 50
// and 100 percent. The document is shown scaled by the zoom; Text() gives
// it back at its own size.
class TRichTextLabelEditor : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopicNumber = 40013;

    explicit TRichTextLabelEditor(QWidget *parent = nullptr);
    ~TRichTextLabelEditor() override;

    // Takes a copy of the object's document, its colour, its size and zoom.
    void LoadFrom(const TGPRichBaseLabel &object);
    // The edited document; the loaded bytes themselves when nothing was changed.
    TRichText Text() const;

    int Zoom() const { return m_zoom; }
    QSize PageTwips() const { return m_pageTwips; }

    // What the editor does when it becomes active (also callable without exec()).
    void FormActivate();
    void ZoomPlusButtonClick();
    void ZoomMinusButtonClick();
    void OkButtonClick();
    void HelpButtonClick();

    TRichTextToolBar *WPToolBar1 = nullptr;
    QScrollArea *ScrollBox1 = nullptr;
    QFrame *WPPanel = nullptr;
    QTextEdit *WPRichText1 = nullptr;
    QFrame *ZoomCaption = nullptr;
    QToolButton *ZoomPlusButton = nullptr;
    QToolButton *ZoomMinusButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void SetZoom(int percent);
    void SetPanelColor(const QColor &color);
    void ResizeToZoom();
    void UpdateWrapWidth();

    TRichText m_original;
    QSize m_pageTwips;
    int m_zoom = 100;
    double m_shownScale = 1.0; // the factor the document is shown at
    bool m_activated = false;
    QSize m_referenceSize;
    int m_referenceZoom = 100;
};
