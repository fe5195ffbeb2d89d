#include "objects/TMultiLineTextEditor.h"

#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "platform/ScreenMetrics.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QMimeData>
#include <QVBoxLayout>

namespace {

// Length as the platform's edit control counts it: a line break is two.
int limitedLength(const QString &text)
{
    return int(text.size() + text.count(QLatin1Char('\n')) + text.count(QChar::ParagraphSeparator));
}

// A memo that refuses text beyond the limit: typing at the limit beeps,
// pasting keeps only the part that fits.
class LimitedMemo : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    // Room left when the selection is replaced.
    int room() const
    {
        return TMultiLineTextEditor::MaxLength - limitedLength(toPlainText())
            + limitedLength(textCursor().selectedText());
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const QString text = lineBreak ? QStringLiteral("\n") : event->text();
        const bool inserts = lineBreak || (!text.isEmpty() && text.at(0).isPrint());
        if (inserts && limitedLength(text) > room()) {
            QApplication::beep();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }

    void insertFromMimeData(const QMimeData *source) override
    {
        QString text = source->text();
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        const int available = room();
        int used = 0;
        qsizetype keep = 0;
        for (; keep < text.size(); ++keep) {
            const int length = text.at(keep) == QLatin1Char('\n') ? 2 : 1;
            if (used + length > available)
                break;
            used += length;
        }
        if (keep < text.size()) {
            text.truncate(keep);
            QApplication::beep();
        }
        if (!text.isEmpty())
            insertPlainText(text);
    }
};

} // namespace

TMultiLineTextEditor::TMultiLineTextEditor(const TFont &font, const QStringList &lines, QWidget *parent)
    : QDialog(parent)
{
    static const bool helpRegistered = (RegisterHelpTopic(HelpTopicNumber, "multiline.html"), true);
    Q_UNUSED(helpRegistered);
    setWindowTitle("Multi-line Text Editor");
    auto *layout = new QVBoxLayout(this);
    Memo = new LimitedMemo(this);
    Memo->setObjectName("Memo");
    Memo->setFont(Fonts::toQFont(font, ScreenMetrics::pixelsPerInch()));
    Memo->setPlainText(lines.join(QLatin1Char('\n')));
    layout->addWidget(Memo, 1);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *help = buttons->addButton("Help", QDialogButtonBox::HelpRole);
    QPushButton *ok = buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TMultiLineTextEditor::OkButtonClick);
    connect(help, &QPushButton::clicked, this, &TMultiLineTextEditor::HelpButtonClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(334, 209);
    Memo->setFocus();
    PlaceDialog(*this);
}

int TMultiLineTextEditor::TextLength() const
{
    return limitedLength(Memo->toPlainText());
}

QStringList TMultiLineTextEditor::Lines() const
{
    QString text = Memo->toPlainText();
    if (text.isEmpty())
        return {};
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

void TMultiLineTextEditor::OkButtonClick()
{
    accept();
}

void TMultiLineTextEditor::HelpButtonClick()
{
    HelpTopic(HelpTopicNumber);
}
