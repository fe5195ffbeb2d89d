#include "dialogs/TConfigurationInfo.h"

#include "platform/Fonts.h"
#include "platform/UserDialogs.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QTextStream>
#include <QVBoxLayout>

namespace {

const QString Caption = QStringLiteral("Configuration Information");

QString reportText(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

TConfigurationInfo::TConfigurationInfo(const QStringList &lines, const QString &programFolder,
                                       QWidget *parent)
    : QDialog(parent), m_lines(lines), m_programFolder(programFolder)
{
    setWindowTitle(Caption);
    Explanation = new QLabel(
        tr("The information below helps technical support answer your question. Press "
           "\"Copy to Clipboard\", then paste it into your e-mail with the paste command "
           "(CTRL+V)."),
        this);
    Explanation->setWordWrap(true);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed(Fonts::resolveFamily(QStringLiteral("Courier New")));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);
    Memo1->setFont(fixed);
    Memo1->setTabStopDistance(QFontMetricsF(Memo1->font()).horizontalAdvance(QLatin1Char(' ')) * 8);
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));

    auto *buttons = new QDialogButtonBox(this);
    Button1 = buttons->addButton(QStringLiteral("Copy to Clipboard"), QDialogButtonBox::ActionRole);
    Button3 = buttons->addButton(QStringLiteral("Save As..."), QDialogButtonBox::ActionRole);
    Button2 = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    Button2->setDefault(true);
    Button1->setAutoDefault(false);
    Button3->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TConfigurationInfo::Button1Click);
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button2, &QPushButton::clicked, this, &TConfigurationInfo::Button2Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Explanation);
    layout->addWidget(Memo1, 1);
    layout->addWidget(buttons);
    resize(640, 460);
}

void TConfigurationInfo::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TConfigurationInfo::FormActivate()
{
    Memo1->moveCursor(QTextCursor::Start);
    Memo1->ensureCursorVisible();
    Memo1->setFocus();
}

void TConfigurationInfo::Button1Click()
{
    QGuiApplication::clipboard()->setText(reportText(m_lines));
    UserDialogs::current().informTitled(QStringLiteral("Information copied to Windows clipboard"),
                                        Caption);
}

void TConfigurationInfo::Button2Click()
{
    reject();
}

bool TConfigurationInfo::Button3Click()
{
    const QString fileName = UserDialogs::current().saveFileName(
        QStringLiteral("Save As"), QDir(m_programFolder).filePath(QStringLiteral("ConfigInfo.txt")),
        QStringLiteral("Text files (*.TXT *.txt)"), QStringLiteral("TXT"));
    if (fileName.isEmpty())
        return false;
    QSaveFile file(fileName);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Text);
    if (written) {
        QTextStream(&file) << reportText(m_lines);
        written = file.commit();
    }
    // A report that did not reach the disk must not be announced as saved.
    if (!written) {
        UserDialogs::current().error(QStringLiteral("Could not write ") + fileName);
        return false;
    }
    UserDialogs::current().informTitled(QStringLiteral("Information was saved as: ") + fileName,
                                        Caption);
    return true;
}
