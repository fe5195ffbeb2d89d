#pragma once

#include <QToolBar>

class QAction;
class QActionGroup;
class QComboBox;
class QFontComboBox;
class QTextCharFormat;
class QTextEdit;

// The formatting tool bar of a rich-text editor, bound to one QTextEdit:
// font name, font size (from 6 points) and font colour lists; normal,
// bold, italic, underline; align left, right, justify, centre; copy, cut,
// paste. The controls follow the text at the caret.
//
// Sizes are shown and set unscaled when the editor shows its document
// scaled (SetScale).
class TRichTextToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit TRichTextToolBar(QWidget *parent = nullptr);

    void SetEditor(QTextEdit *editor);
    QTextEdit *Editor() const { return m_editor; }
    // The factor the editor's document is shown at (1.0: actual size).
    void SetScale(double factor) { m_scale = factor; UpdateControls(); }

    QFontComboBox *FontName = nullptr;
    QComboBox *FontSize = nullptr;
    QComboBox *FontColor = nullptr;
    QAction *NormalAction = nullptr;
    QAction *BoldAction = nullptr;
    QAction *ItalicAction = nullptr;
    QAction *UnderlineAction = nullptr;
    QAction *AlignLeftAction = nullptr;
    QAction *AlignRightAction = nullptr;
    QAction *JustifyAction = nullptr;
    QAction *CenterAction = nullptr;
    QAction *CopyAction = nullptr;
    QAction *CutAction = nullptr;
    QAction *PasteAction = nullptr;

    // The colours of the font colour list, in order.
    static QList<QPair<QString, QColor>> FontColors();

public slots:
    void UpdateControls();

private:
    void BuildFontLists();
    void BuildStyleActions();
    void BuildAlignActions();
    void BuildClipboardActions();
    QAction *AddButton(const QString &icon, const QString &hint, bool checkable);
    void Merge(const QTextCharFormat &format);
    void SetAlignment(Qt::Alignment alignment);

    QTextEdit *m_editor = nullptr;
    double m_scale = 1.0;
    bool m_updating = false;
};
