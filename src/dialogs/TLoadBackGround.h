#pragma once

#include "platform/Picture.h"

#include <QDialog>

class QFileSystemModel;
class QLabel;
class QListView;
class QPushButton;

// "Load  Business Card Background Art ": the picture files of a folder
// (bitmaps and metafiles) with a live preview, turned for an upright card.
// "Ok" takes the selected file, "None" (result NoneResult) removes the
// background, "Cancel" changes nothing.
class TLoadBackGround : public QDialog
{
    Q_OBJECT
public:
    static constexpr int NoneResult = 99;
    static constexpr int HelpTopicNumber = 2101;

    explicit TLoadBackGround(QWidget *parent = nullptr);
    ~TLoadBackGround() override;

    static QStringList FileMask();

    // The dialog's rotation flag (the layout's portrait flag).
    bool Rotated() const { return m_rotated; }
    void SetRotated(bool value) { m_rotated = value; }

    // The folder listed; selecting a file moves the list to its folder.
    void SetFolder(const QString &folder);
    QString Folder() const;
    bool SelectFile(const QString &path);
    QString SelectedFile() const;
    // What the preview shows (empty when nothing could be loaded).
    QImage PreviewImage() const { return m_preview; }

    // Handlers, callable without a running dialog.
    void FormCreate();
    void FileListBox1Change();
    void OKButtonClick();
    void NoneButtonClick();
    void CancelbuttonClick();
    void HelpbuttonClick();

    QListView *FileList() const { return FileListBox1; }

private:
    void ShowPreview(const QImage &image);

    QListView *FileListBox1 = nullptr;
    QLabel *Image1 = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *NoneButton = nullptr;
    QPushButton *Cancelbutton = nullptr;
    QPushButton *Helpbutton = nullptr;
    QFileSystemModel *m_model = nullptr;
    bool m_rotated = false;
    QImage m_preview;
};
