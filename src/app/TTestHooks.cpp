#include "app/TTestHooks.h"

#include "app/TCardSideCommands.h"
#include "app/TMainScreen.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "design/stream/ComponentStreamReader.h"
#include "design/stream/StreamError.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

QByteArray boundsText(const QRect &r)
{
    return QByteArray::number(r.left()) + ',' + QByteArray::number(r.top()) + ','
        + QByteArray::number(r.width()) + ',' + QByteArray::number(r.height());
}

// The bounds of the objects of a side kept as a container.
QByteArray containerBounds(const QByteArray &container)
{
    if (container.isEmpty())
        return QByteArray();
    QByteArrayList list;
    try {
        for (const StreamRecord &record : ComponentStreamReader::readContainer(container)) {
            auto value = [&record](const char *name) {
                const StreamValue *v = record.find(QString::fromLatin1(name));
                return v ? int(v->toInteger()) : 0;
            };
            list << boundsText(QRect(value("Left"), value("Top"), value("Width"), value("Height")));
        }
    } catch (const StreamError &) {
        return "damaged";
    }
    return list.join(';');
}

QString withoutAccelerator(QString text)
{
    return text.remove(QLatin1Char('&'));
}

} // namespace

bool TTestHooks::Wanted()
{
    return qEnvironmentVariable("KARVELLO_TEST_HOOKS") == QLatin1String("1");
}

TTestHooks::TTestHooks(TMainScreen &window, int input) : QObject(&window), m_window(window), m_input(input)
{
    m_notifier = new QSocketNotifier(m_input, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TTestHooks::ReadInput);
}

void TTestHooks::ReadInput()
{
    char buffer[4096];
    const ssize_t count = ::read(m_input, buffer, sizeof buffer);
    if (count <= 0) {
        m_notifier->setEnabled(false); // the test closed its end
        return;
    }
    m_pending.append(buffer, count);
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QByteArray command = m_pending.left(end).trimmed();
        m_pending.remove(0, end + 1);
        const QByteArray answer = Run(command) + '\n';
        std::fwrite(answer.constData(), 1, size_t(answer.size()), stdout);
        std::fflush(stdout);
    }
}

QByteArray TTestHooks::State() const
{
    const TGBusinessCardPanel32 &panel = *m_window.BusinessCardPanel;
    QByteArrayList shown;
    for (const TGGraphicControl *object : panel.Objects())
        shown << boundsText(object->DocumentBounds());
    const CardSides &sides = m_window.Sides();
    const QByteArray hidden = containerBounds(sides.HiddenObjects);
    const QByteArray front = sides.BackShown() ? hidden : shown.join(';');
    const QByteArray back = !sides.HasBack ? QByteArray("-") : sides.BackShown() ? shown.join(';') : hidden;
    return "state " + QByteArray(sides.BackShown() ? "back" : "front") + ' '
        + QByteArray::number(int(m_window.ChangesMade())) + " front=" + front + " back=" + back
        + " title=" + m_window.windowTitle().toUtf8();
}

QByteArray TTestHooks::Run(const QByteArray &line)
{
    const qsizetype space = line.indexOf(' ');
    const QByteArray command = space < 0 ? line : line.left(space);
    const QString argument = space < 0 ? QString() : QString::fromUtf8(line.mid(space + 1));
    auto *sides = m_window.findChild<TCardSideCommands *>();
    TGBusinessCardPanel32 &panel = *m_window.BusinessCardPanel;
    if (command == "add") {
        const int n = panel.ObjectCount();
        const TGPanelAction action(&panel);
        panel.SetPanelState(psRectangle);
        panel.CreateObject(QRect(8 + n % 12 * 24, 8 + n / 12 % 7 * 24, 16 + n % 5, 12));
        panel.SetPanelState(psPointing);
        return State();
    }
    if (command == "back" && sides) {
        sides->AddBack();
        return State();
    }
    if (command == "side" && sides) {
        sides->ShowSide(argument == QLatin1String("back"));
        return State();
    }
    if (command == "state")
        return State();
    QWidget *modal = QApplication::activeModalWidget();
    if (command == "dialog") {
        if (!modal)
            return "dialog none";
        QStringList texts{modal->windowTitle()};
        for (const QLabel *label : modal->findChildren<QLabel *>()) {
            if (!label->text().isEmpty())
                texts << label->text();
        }
        return "dialog " + texts.join(QLatin1Char('|')).toUtf8().replace('\n', ' ');
    }
    if (command == "press") {
        for (QAbstractButton *button : modal ? modal->findChildren<QAbstractButton *>() : QList<QAbstractButton *>()) {
            if (withoutAccelerator(button->text()) == argument) {
                // After the answer: the click may end the dialog's own loop.
                QTimer::singleShot(0, button, &QAbstractButton::click);
                return "pressed";
            }
        }
        return "none";
    }
    if (command == "close") {
        QTimer::singleShot(0, &m_window, &QWidget::close);
        return "closing";
    }
    return "unknown " + line;
}
