#pragma once

#include "platform/Picture.h"

#include <QDialog>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QListView;
class QPushButton;
class QScrollArea;
class QTreeView;

// The picture shown in the browser's scroll box: stretched over its own
// size, or at the picture's size when auto-sized (then it sizes itself).
class TImagePreview : public QWidget
{
    Q_OBJECT
public:
    explicit TImagePreview(QWidget *parent = nullptr);
    const TPicture &Picture() const { return m_picture; }
    void SetPicture(const TPicture &picture);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TPicture m_picture;
    bool m_stretch = false;
    bool m_autoSize = false;
};

// The clip-art browser "Load Image File ": drive, folder and file lists
// (bitmaps, JPEG pictures, icons, metafiles, PNG, GIF, TIFF, WebP and SVG),
// a live preview of the selected file (see-through parts over a
// checkerboard), and the "Stretch" and "AutoSize" boxes the picture object
// takes over on "Ok".
class TGImageBrowser : public QDialog
{
    Q_OBJECT
public:
    explicit TGImageBrowser(QWidget *parent = nullptr);
    ~TGImageBrowser() override;

    // The mask of the file list (letter case is ignored).
    static QStringList FileMask();
    // The folder the browser opens on: the one last chosen in this run, at
    // first the program folder's "clipart" folder or the program folder.
    static QString StartFolder();
    // The program folder's "clipart" folder, or empty when there is none.
    static QString ClipartFolder();
    // Forgets the folder chosen in this run (tests).
    static void ResetStartFolder();

    void SetStretch(bool value);
    void SetAutoSize(bool value);
    bool StretchChecked() const;
    bool AutoSizeChecked() const;

    // The folder shown in the file list; opening one makes it current.
    QString Folder() const;
    void OpenDirectory(const QString &path);
    // Selects a file of the list (opening its folder): the preview loads it.
    bool SelectFile(const QString &path);
    QString SelectedFile() const;
    const TPicture &PreviewPicture() const;

    // Handlers, callable without a running dialog.
    void FileListBox1Change();
    void CBStretchClick();
    void CBAutoSizeClick();
    void HelpButtonClick();

    QListView *FileList() const { return FileListBox1; }
    TImagePreview *Preview() const { return Image1; }
    QTreeView *FolderTree() const { return DirectoryListBox1; }
    QPushButton *OkButtonWidget() const { return OkButton; }

private:
    void BuildLayout();
    void UpdatePreviewGeometry();

    QComboBox *DriveComboBox1 = nullptr;
    QTreeView *DirectoryListBox1 = nullptr;
    QListView *FileListBox1 = nullptr;
    QScrollArea *ScrollBox1 = nullptr;
    TImagePreview *Image1 = nullptr;
    QCheckBox *CBStretch = nullptr;
    QCheckBox *CBAutoSize = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QPushButton *HelpButton = nullptr;
    QFileSystemModel *m_dirModel = nullptr;
    QFileSystemModel *m_fileModel = nullptr;
    bool m_loading = false;
};
