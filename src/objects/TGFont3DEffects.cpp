#include "objects/TGFont3DEffects.h"

#include "objects/TGPLabel.h"
#include "platform/Canvas.h"
#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "widgets/TColorDrop.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The sunken panel the sample label is drawn on.
class SampleView : public QFrame
{
public:
    SampleView(TGPLabel &sample, QWidget *parent) : QFrame(parent), m_sample(sample)
    {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setFixedSize(220, 60);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect inside = contentsRect();
        painter.setClipRect(inside);
        painter.translate(inside.topLeft());
        m_sample.PaintTo(painter);
    }

private:
    TGPLabel &m_sample;
};

QComboBox *choiceList(const QStringList &items, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->addItems(items);
    return list;
}

QStringList depths()
{
    QStringList items;
    for (int i = 0; i <= 10; ++i)
        items << QString::number(i);
    return items;
}

} // namespace

TGFont3DEffects::TGFont3DEffects(TGBaseLabel &label, QWidget *parent)
    : QDialog(parent), m_label(label), m_sample(std::make_unique<TGPLabel>())
{
    static const bool helpRegistered = (RegisterHelpTopic(HelpTopicNumber, "effects.html"), true);
    Q_UNUSED(helpRegistered);
    setWindowTitle("Text 3D Effects");
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    m_sample->SetCaption("Text");
    m_sample->SetTransparent(true);
    m_sample->SetBackColor(clWhite);
    m_sample->SetBorderStyle(bsNone);
    BuildControls();
    FormActivate();
    ConnectControls();
    PlaceDialog(*this);
}

TGFont3DEffects::~TGFont3DEffects() = default;

void TGFont3DEffects::BuildControls()
{
    ShadowDirection = choiceList({"None", "Right", "Left", "Lower Right", "Lower Left", "Down"}, this);
    ShadowColorCombo = new TColorDrop(this);
    ShadowDepth = choiceList(depths(), this);
    HighlightDirection = choiceList({"None", "Right", "Left", "Upper Right", "Upper Left", "Up"}, this);
    HighLightColorCombo = new TColorDrop(this);
    HighLightDepth = choiceList(depths(), this);
    FontColorCombo = new TColorDrop(this);
    SamplePanel = new SampleView(*m_sample, this);

    auto *shadow = new QFormLayout;
    shadow->addRow("Shadow Direction", ShadowDirection);
    shadow->addRow("Shadow Color", ShadowColorCombo);
    shadow->addRow("Shadow Depth", ShadowDepth);
    auto *highlight = new QFormLayout;
    highlight->addRow("Highlight Direction", HighlightDirection);
    highlight->addRow("Highlight Color", HighLightColorCombo);
    highlight->addRow("Highlight Depth", HighLightDepth);
    auto *lists = new QHBoxLayout;
    lists->addLayout(shadow);
    lists->addLayout(highlight);
    auto *font = new QFormLayout;
    font->addRow("Font Color", FontColorCombo);
    auto *fontRow = new QHBoxLayout;
    fontRow->addLayout(font);
    fontRow->addStretch();

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
    QPushButton *help = buttons->addButton("Help", QDialogButtonBox::HelpRole);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TGFont3DEffects::OkButtonClick);
    connect(help, &QPushButton::clicked, this, &TGFont3DEffects::HelpButtonClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(fontRow);
    layout->addWidget(SamplePanel, 0, Qt::AlignHCenter);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TGFont3DEffects::FormActivate()
{
    TGPLabel &s = *m_sample;
    s.SetFont(m_label.Font());
    s.SetDepthHighlight(m_label.DepthHighlight());
    s.SetDepthShadow(m_label.DepthShadow());
    s.SetDirectionHighlight(m_label.DirectionHighlight());
    s.SetDirectionShadow(m_label.DirectionShadow());
    s.SetcolorHighlight(m_label.colorHighlight());
    s.SetcolorShadow(m_label.colorShadow());
    const QRect inside = SamplePanel->contentsRect();
    s.SetBounds(0, 0, inside.width(), inside.height());
    HighLightColorCombo->SetColor(m_label.colorHighlight());
    ShadowColorCombo->SetColor(m_label.colorShadow());
    FontColorCombo->SetColor(m_label.Font().color);
    ShadowDirection->setCurrentIndex(int(m_label.DirectionShadow()));
    HighlightDirection->setCurrentIndex(int(m_label.DirectionHighlight()));
    ShadowDepth->setCurrentIndex(m_label.DepthShadow());
    HighLightDepth->setCurrentIndex(m_label.DepthHighlight());
}

void TGFont3DEffects::ConnectControls()
{
    using Index = void (QComboBox::*)(int);
    const Index changed = &QComboBox::currentIndexChanged;
    connect(ShadowDirection, changed, this, [this](int i) {
        ChangeSample([i](TGPLabel &s) { s.SetDirectionShadow(TShadowDirection(i)); });
    });
    connect(HighlightDirection, changed, this, [this](int i) {
        ChangeSample([i](TGPLabel &s) { s.SetDirectionHighlight(THighlightDirection(i)); });
    });
    connect(ShadowDepth, changed, this, [this](int i) {
        ChangeSample([i](TGPLabel &s) { s.SetDepthShadow(i); });
    });
    connect(HighLightDepth, changed, this, [this](int i) {
        ChangeSample([i](TGPLabel &s) { s.SetDepthHighlight(i); });
    });
    connect(ShadowColorCombo, &TColorDrop::ColorChanged, this, [this](TColor c) {
        ChangeSample([c](TGPLabel &s) { s.SetcolorShadow(c); });
    });
    connect(HighLightColorCombo, &TColorDrop::ColorChanged, this, [this](TColor c) {
        ChangeSample([c](TGPLabel &s) { s.SetcolorHighlight(c); });
    });
    connect(FontColorCombo, &TColorDrop::ColorChanged, this, [this](TColor c) {
        ChangeSample([c](TGPLabel &s) {
            TFont font = s.Font();
            font.color = c;
            s.SetFont(font);
        });
    });
}

void TGFont3DEffects::ChangeSample(const std::function<void(TGPLabel &)> &change)
{
    change(*m_sample);
    SamplePanel->update();
}

void TGFont3DEffects::OkButtonClick()
{
    const TGPLabel &s = *m_sample;
    m_label.SetFont(s.Font());
    m_label.SetDepthHighlight(s.DepthHighlight());
    m_label.SetDepthShadow(s.DepthShadow());
    m_label.SetDirectionHighlight(s.DirectionHighlight());
    m_label.SetDirectionShadow(s.DirectionShadow());
    m_label.SetcolorHighlight(s.colorHighlight());
    m_label.SetcolorShadow(s.colorShadow());
    accept();
}

void TGFont3DEffects::HelpButtonClick()
{
    HelpTopic(HelpTopicNumber);
}
