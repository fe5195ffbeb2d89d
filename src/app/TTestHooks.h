#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;
class TMainScreen;

// Lets a test that runs the real program as a child process change the
// card and answer its dialogs: with KARVELLO_TEST_HOOKS=1 in the
// environment, main.cpp makes one, and each line on standard input is a
// command answered by one line on standard output:
//
//   add              draws a rectangle on the side shown  -> the state
//   back             adds the back and shows it           -> the state
//   side front|back  shows a side                         -> the state
//   state            -> "state SIDE CHANGED front=L,T,W,H;... back=-|L,T,W,H;... title=TITLE"
//   dialog           -> "dialog none", or "dialog TITLE|TEXT|TEXT..." of the modal dialog open
//   press CAPTION    clicks that button of the modal dialog -> "pressed" or "none"
//   close            closes the window as its close box does -> "closing"
//
// Bounds are at zoom 1, in the card's stacking order.
class TTestHooks : public QObject
{
    Q_OBJECT
public:
    // Reads commands from file descriptor `input` (standard input).
    explicit TTestHooks(TMainScreen &window, int input = 0);

    static bool Wanted();
    // The answer to one command line.
    QByteArray Run(const QByteArray &command);

private:
    void ReadInput();
    QByteArray State() const;

    TMainScreen &m_window;
    int m_input;
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_pending;
};
