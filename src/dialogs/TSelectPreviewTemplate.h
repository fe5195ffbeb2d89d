#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class TFontListBoxx;
class TGBusinessCardPanel32;

// "Select Business Card Template": the templates of the template folder, the
// font families, and a live sample of the selected template in the selected
// font on a card panel of its own that cannot be edited. Holding an arrow
// key in either list moves the selection without reloading the sample; it
// loads once when the key is released or the list loses the focus.
class TSelectPreviewTemplate : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopicNumber = 2201;

    // `templateFolder` holds the "*.kvlt" files (any letter case);
    // `backgroundFolder` the background pictures templates name.
    TSelectPreviewTemplate(const QString &templateFolder, const QString &backgroundFolder,
                           QWidget *parent = nullptr);
    ~TSelectPreviewTemplate() override;

    // The card size in inches from the sheet layout, set before showing.
    void SetCardSize(float widthInches, float heightInches);
    // Starts on an earlier choice, set before showing: the template of that
    // file name (letter case ignored) and that font, where the lists hold them.
    void SetChoice(const QString &templateName, const QString &fontName);

    // The family highlighted in the font list ("Times New Roman" until one
    // is clicked, or the first family when that one is not installed).
    QString FontName() const { return m_fontName; }
    // Full path of the selected template; empty when there is none.
    QString TemplateFile() const;

    QListWidget *FileListBox1 = nullptr;
    TFontListBoxx *FontListBox1 = nullptr;
    TGBusinessCardPanel32 *BusinessCardPanel = nullptr;
    QScrollArea *ScrollBox1 = nullptr;
    QLabel *Note = nullptr;
    QPushButton *Savebutton = nullptr;
    QPushButton *Cancelbutton = nullptr;
    QPushButton *Helpbutton = nullptr;

    void FormCreate();
    void FormActivate();
    void FileListBox1Click();
    void FontListBox1Click();
    void SavebuttonClick();
    void CancelbuttonClick();
    void HelpbuttonClick();
    // Rebuilds the sample from the selected template unless a key is held.
    void LoadFromIni();
    void RedrawWithFont();

    // How often the sample was loaded (tests).
    int LoadCount() const { return m_loadCount; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void ShowFontInList();
    void LoadSample();
    // A held key was let go, or the list it was held in lost the focus: the
    // sample catches up with the selection.
    void ReleaseHeldKeys();

    QString m_templateFolder;
    QString m_backgroundFolder;
    QString m_fontName = QStringLiteral("Times New Roman");
    float m_cardWidth = 3.5f;
    float m_cardHeight = 2.0f;
    bool m_templateKeyHeld = false;
    bool m_fontKeyHeld = false;
    bool m_activated = false;
    bool m_loading = false;
    bool m_reloadWanted = false;
    int m_loadCount = 0;
    // What the sample shows.
    QString m_loadedFile;
    QString m_loadedFont;
};
