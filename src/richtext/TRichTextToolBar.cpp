#include "richtext/TRichTextToolBar.h"

#include "platform/Fonts.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QIntValidator>
#include <QPainter>
#include <QPixmap>
#include <QTextCursor>
#include <QTextEdit>

#include <cmath>

namespace {

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

} // namespace

TRichTextToolBar::TRichTextToolBar(QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("WPToolBar1"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    BuildFontLists();
    addSeparator();
    BuildStyleActions();
    addSeparator();
    BuildAlignActions();
    addSeparator();
    BuildClipboardActions();
    setEnabled(false);
}

QList<QPair<QString, QColor>> TRichTextToolBar::FontColors()
{
    return {{"Black", QColor(0, 0, 0)},        {"Maroon", QColor(128, 0, 0)},
            {"Green", QColor(0, 128, 0)},      {"Olive", QColor(128, 128, 0)},
            {"Navy", QColor(0, 0, 128)},       {"Purple", QColor(128, 0, 128)},
            {"Teal", QColor(0, 128, 128)},     {"Gray", QColor(128, 128, 128)},
            {"Silver", QColor(192, 192, 192)}, {"Red", QColor(255, 0, 0)},
            {"Lime", QColor(0, 255, 0)},       {"Yellow", QColor(255, 255, 0)},
            {"Blue", QColor(0, 0, 255)},       {"Fuchsia", QColor(255, 0, 255)},
            {"Aqua", QColor(0, 255, 255)},     {"White", QColor(255, 255, 255)}};
}

void TRichTextToolBar::BuildFontLists()
{
    FontName = new QFontComboBox(this);
    FontName->setToolTip(QStringLiteral("Font"));
    FontName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    FontName->setMinimumContentsLength(9);
    addWidget(FontName);
    connect(FontName, &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        QTextCharFormat f;
        f.setFontFamilies(QStringList{font.family()});
        Merge(f);
    });

    FontSize = new QComboBox(this);
    FontSize->setEditable(true);
    FontSize->setToolTip(QStringLiteral("Font size"));
    FontSize->setValidator(new QIntValidator(6, 1638, FontSize));
    for (int size : {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        FontSize->addItem(QString::number(size));
    FontSize->setMinimumContentsLength(3);
    addWidget(FontSize);
    connect(FontSize, &QComboBox::textActivated, this, [this](const QString &text) {
        const int points = text.toInt();
        if (points < 6)
            return;
        QTextCharFormat f;
        f.setFontPointSize(points * m_scale);
        Merge(f);
    });

    FontColor = new QComboBox(this);
    FontColor->setToolTip(QStringLiteral("Font color"));
    for (const auto &[name, color] : FontColors())
        FontColor->addItem(swatch(color), name, color);
    FontColor->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    FontColor->setMinimumContentsLength(5);
    addWidget(FontColor);
    connect(FontColor, &QComboBox::activated, this, [this](int index) {
        QTextCharFormat f;
        f.setForeground(FontColor->itemData(index).value<QColor>());
        Merge(f);
    });
}

QAction *TRichTextToolBar::AddButton(const QString &icon, const QString &hint, bool checkable)
{
    QAction *action = addAction(QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)), hint);
    action->setToolTip(hint);
    action->setCheckable(checkable);
    return action;
}

void TRichTextToolBar::BuildStyleActions()
{
    NormalAction = AddButton("rt-normal", "Normal", false);
    connect(NormalAction, &QAction::triggered, this, [this] {
        QTextCharFormat f;
        f.setFontWeight(QFont::Normal);
        f.setFontItalic(false);
        f.setFontUnderline(false);
        Merge(f);
    });
    BoldAction = AddButton("rt-bold", "Bold", true);
    connect(BoldAction, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
        Merge(f);
    });
    ItalicAction = AddButton("rt-italic", "Italic", true);
    connect(ItalicAction, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontItalic(on);
        Merge(f);
    });
    UnderlineAction = AddButton("rt-underline", "Underline", true);
    connect(UnderlineAction, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontUnderline(on);
        Merge(f);
    });
}

void TRichTextToolBar::BuildAlignActions()
{
    auto *group = new QActionGroup(this);
    const struct {
        const char *icon;
        const char *hint;
        Qt::Alignment alignment;
        QAction *TRichTextToolBar::*member;
    } buttons[] = {
        {"rt-alignleft", "Align left", Qt::AlignLeft, &TRichTextToolBar::AlignLeftAction},
        {"rt-alignright", "Align right", Qt::AlignRight, &TRichTextToolBar::AlignRightAction},
        {"rt-justify", "Justify", Qt::AlignJustify, &TRichTextToolBar::JustifyAction},
        {"rt-aligncenter", "Center", Qt::AlignHCenter, &TRichTextToolBar::CenterAction},
    };
    for (const auto &b : buttons) {
        QAction *action = AddButton(b.icon, b.hint, true);
        group->addAction(action);
        this->*b.member = action;
        const Qt::Alignment alignment = b.alignment;
        connect(action, &QAction::triggered, this, [this, alignment] { SetAlignment(alignment); });
    }
}

void TRichTextToolBar::BuildClipboardActions()
{
    CopyAction = AddButton("rt-copy", "Copy", false);
    CutAction = AddButton("rt-cut", "Cut", false);
    PasteAction = AddButton("rt-paste", "Paste", false);
    connect(CopyAction, &QAction::triggered, this, [this] { if (m_editor) m_editor->copy(); });
    connect(CutAction, &QAction::triggered, this, [this] { if (m_editor) m_editor->cut(); });
    connect(PasteAction, &QAction::triggered, this, [this] { if (m_editor) m_editor->paste(); });
}

void TRichTextToolBar::SetEditor(QTextEdit *editor)
{
    if (m_editor)
        disconnect(m_editor, nullptr, this, nullptr);
    m_editor = editor;
    setEnabled(editor != nullptr);
    if (!editor)
        return;
    connect(editor, &QTextEdit::currentCharFormatChanged, this, &TRichTextToolBar::UpdateControls);
    connect(editor, &QTextEdit::cursorPositionChanged, this, &TRichTextToolBar::UpdateControls);
    UpdateControls();
}

void TRichTextToolBar::Merge(const QTextCharFormat &format)
{
    if (!m_editor || m_updating)
        return;
    QTextCursor cursor = m_editor->textCursor();
    if (!cursor.hasSelection())
        cursor.select(QTextCursor::WordUnderCursor);
    cursor.mergeCharFormat(format);
    m_editor->mergeCurrentCharFormat(format);
    m_editor->setFocus();
}

void TRichTextToolBar::SetAlignment(Qt::Alignment alignment)
{
    if (!m_editor || m_updating)
        return;
    m_editor->setAlignment(alignment);
    m_editor->setFocus();
}

void TRichTextToolBar::UpdateControls()
{
    if (!m_editor)
        return;
    m_updating = true;
    const QTextCharFormat f = m_editor->currentCharFormat();
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty())
        FontName->setCurrentFont(QFont(families.first()));
    const qreal points = f.fontPointSize() > 0 ? f.fontPointSize() : m_editor->document()->defaultFont().pointSizeF();
    FontSize->setEditText(QString::number(std::lround(points / m_scale)));
    const QColor color = f.foreground().style() == Qt::NoBrush ? QColor(Qt::black) : f.foreground().color();
    const int colorIndex = FontColor->findData(color);
    if (colorIndex >= 0)
        FontColor->setCurrentIndex(colorIndex);
    BoldAction->setChecked(f.fontWeight() >= QFont::DemiBold);
    ItalicAction->setChecked(f.fontItalic());
    UnderlineAction->setChecked(f.fontUnderline());
    const Qt::Alignment a = m_editor->alignment() & Qt::AlignHorizontal_Mask;
    QAction *alignAction = (a & Qt::AlignJustify) ? JustifyAction
                           : (a & Qt::AlignHCenter) ? CenterAction
                           : (a & Qt::AlignRight) ? AlignRightAction
                                                  : AlignLeftAction;
    alignAction->setChecked(true);
    m_updating = false;
}
