#include "objects/TRichTextLabelEditor.h"

#include "platform/AppRoutines.h"
#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "objects/TGPRichBaseLabel.h"
#include "platform/Colors.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"
#include "richtext/RichTextLayout.h"
#include "richtext/RichTextSymbols.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/TRichTextToolBar.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

QToolButton *zoomButton(const QString &icon, const QString &hint, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

} // namespace

TRichTextLabelEditor::TRichTextLabelEditor(QWidget *parent) : QDialog(parent)
{
    static const bool helpRegistered = (RegisterHelpTopic(HelpTopicNumber, "richtext.html"), true);
    Q_UNUSED(helpRegistered);
    BusyCursor();
    QCoreApplication::processEvents();
    setObjectName(QStringLiteral("RichTextLabelEditor"));
    setWindowTitle(QStringLiteral("Rich Text Editor"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint);
    setSizeGripEnabled(true);

    WPToolBar1 = new TRichTextToolBar(this);
    ZoomPlusButton = zoomButton("zoomin", "Zoom In", this);
    ZoomPlusButton->setObjectName(QStringLiteral("ZoomPlusButton"));
    ZoomMinusButton = zoomButton("zoomout", "Zoom Out", this);
    ZoomMinusButton->setObjectName(QStringLiteral("ZoomMinusButton"));
    connect(ZoomPlusButton, &QToolButton::clicked, this, &TRichTextLabelEditor::ZoomPlusButtonClick);
    connect(ZoomMinusButton, &QToolButton::clicked, this, &TRichTextLabelEditor::ZoomMinusButtonClick);
    // The zoom buttons join the formatting tool bar.
    WPToolBar1->addSeparator();
    WPToolBar1->addWidget(ZoomPlusButton);
    WPToolBar1->addWidget(ZoomMinusButton);

    WPPanel = new QFrame;
    WPPanel->setObjectName(QStringLiteral("WPPanel"));
    WPPanel->setFrameStyle(QFrame::Box | QFrame::Plain);
    WPPanel->setLineWidth(1);
    WPPanel->setAutoFillBackground(true);
    WPRichText1 = new QTextEdit(WPPanel);
    WPRichText1->setObjectName(QStringLiteral("WPRichText1"));
    WPRichText1->setFrameShape(QFrame::NoFrame);
    WPRichText1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    WPRichText1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    WPRichText1->setTabChangesFocus(false);
    WPRichText1->setLineWrapMode(QTextEdit::FixedPixelWidth);
    auto *panelLayout = new QVBoxLayout(WPPanel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(WPRichText1);
    WPPanel->setVisible(false);
    SetPanelColor(Qt::white);

    ScrollBox1 = new QScrollArea;
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setAlignment(Qt::AlignCenter);
    ScrollBox1->setBackgroundRole(QPalette::Mid);
    ScrollBox1->setWidget(WPPanel);

    ZoomCaption = new QFrame;
    ZoomCaption->setObjectName(QStringLiteral("ZoomCaption"));
    ZoomCaption->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ZoomCaption->setFixedSize(64, 22);

    auto *buttons = new QDialogButtonBox;
    QPushButton *help = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    QPushButton *ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TRichTextLabelEditor::OkButtonClick);
    connect(help, &QPushButton::clicked, this, &TRichTextLabelEditor::HelpButtonClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(ZoomCaption);
    bottom->addWidget(buttons, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(WPToolBar1);
    layout->addWidget(ScrollBox1, 1);
    layout->addLayout(bottom);

    auto document = TRichText().CloneDocument();
    document->setParent(WPRichText1);
    WPRichText1->setDocument(document.release());
    WPToolBar1->SetEditor(WPRichText1);
    // Wide enough for the whole tool bar, whatever the desktop's fonts.
    const int margins = layout->contentsMargins().left() + layout->contentsMargins().right();
    resize(std::max(601, WPToolBar1->sizeHint().width() + margins), 343);
    PlaceDialog(*this);
}

TRichTextLabelEditor::~TRichTextLabelEditor() = default;

void TRichTextLabelEditor::SetPanelColor(const QColor &color)
{
    QPalette palette = WPPanel->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    WPPanel->setPalette(palette);
    WPRichText1->setPalette(palette);
}

void TRichTextLabelEditor::LoadFrom(const TGPRichBaseLabel &object)
{
    m_original = object.RTFText();
    auto document = m_original.CloneDocument();
    RichTextSymbols::showPictures(*document);
    document->setParent(WPRichText1);
    QTextDocument *old = WPRichText1->document();
    WPRichText1->setDocument(document.release());
    if (old && old->parent() == WPRichText1)
        delete old;
    m_shownScale = 1.0;
    if (!object.Transparent())
        SetPanelColor(Colors::toQColor(object.BGColor()));
    WPPanel->resize(object.Width() + 1, object.Height() + 1);
    m_pageTwips = object.PageSizeTwips();
    SetZoom(Numbers::roundHalfEven(double(object.Zoom()) * 100));
    WPToolBar1->SetEditor(WPRichText1);
}

TRichText TRichTextLabelEditor::Text() const
{
    const QTextDocument *shown = WPRichText1->document();
    if (!shown->isModified() && !m_original.IsEmpty())
        return m_original;
    std::unique_ptr<QTextDocument> copy(shown->clone());
    RtfReader::setDefaultTabTwips(*copy, RtfReader::defaultTabTwips(*shown));
    RichTextSymbols::storeCodes(*copy);
    RichTextLayout::scaleDocument(*copy, 1.0 / m_shownScale);
    return TRichText::fromDocument(*copy);
}

void TRichTextLabelEditor::SetZoom(int percent)
{
    m_zoom = percent;
    // Fonts and indents at the zoom, as the card shows them at this size.
    const double scale = percent / 100.0 * ScreenMetrics::pixelsPerInch() / 96.0;
    RichTextLayout::scaleDocument(*WPRichText1->document(), scale / m_shownScale);
    m_shownScale = scale;
    WPToolBar1->SetScale(scale);
    WPRichText1->setTabStopDistance(RtfReader::defaultTabTwips(*WPRichText1->document()) / 15.0 * scale);
    UpdateWrapWidth();
}

void TRichTextLabelEditor::UpdateWrapWidth()
{
    const double ppi = ScreenMetrics::pixelsPerInch();
    WPRichText1->setLineWrapColumnOrWidth(
        std::max(1, Numbers::truncate(m_pageTwips.width() / 1440.0 * ppi * m_zoom / 100.0)));
}

void TRichTextLabelEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    BusyCursor();
    QCoreApplication::processEvents();
    if (!m_activated)
        FormActivate();
    else
        NormalCursor();
}

void TRichTextLabelEditor::FormActivate()
{
    m_activated = true;
    WPPanel->setVisible(true);
    QCoreApplication::processEvents();
    WPRichText1->setFocus();
    QTextCursor cursor = WPRichText1->textCursor();
    cursor.movePosition(QTextCursor::Start);
    WPRichText1->setTextCursor(cursor);
    NormalCursor();
    m_referenceSize = WPPanel->size();
    m_referenceZoom = m_zoom;
}

void TRichTextLabelEditor::ResizeToZoom()
{
    if (m_referenceZoom <= 0)
        return;
    WPPanel->resize(Numbers::roundHalfEven(double(m_zoom) * m_referenceSize.width() / m_referenceZoom),
                    Numbers::roundHalfEven(double(m_zoom) * m_referenceSize.height() / m_referenceZoom));
}

void TRichTextLabelEditor::ZoomPlusButtonClick()
{
    if (m_zoom >= 100)
        return;
    SetZoom(m_zoom + 10);
    ResizeToZoom();
}

void TRichTextLabelEditor::ZoomMinusButtonClick()
{
    if (m_zoom <= 50)
        return;
    SetZoom(m_zoom - 10);
    ResizeToZoom();
}

void TRichTextLabelEditor::OkButtonClick()
{
    accept();
}

void TRichTextLabelEditor::HelpButtonClick()
{
    HelpTopic(HelpTopicNumber);
}
