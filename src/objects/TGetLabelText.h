#pragma once

#include <QDialog>

class QLineEdit;
class QVBoxLayout;

// The "Text" dialog of a label: one line of text. Reachable without exec():
// construct it, set LabelText, call OkButtonClick() and read Text().
class TGetLabelText : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopicNumber = 40004;

    explicit TGetLabelText(const QString &text, QWidget *parent = nullptr);

    QString Text() const;

    QLineEdit *LabelText = nullptr;

    void OkButtonClick();
    void HelpButtonClick();

protected:
    // The room between the edit and the buttons, for dialogs that add controls.
    QVBoxLayout *ContentLayout() const { return m_content; }

private:
    QVBoxLayout *m_content = nullptr;
};
