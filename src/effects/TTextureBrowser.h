#pragma once

#include <QDialog>
#include <QImage>
#include <QString>

#include <memory>

class ObjectSampleView;
class QComboBox;
class QLabel;
class QListWidget;
class TGGraphicControl;
class TTextured;

// The "Load Texture Image" browsers of the special-effect dialogs: a drive
// list, a folder list and a file list of texture pictures, linked together,
// and a white preview box with an example object that shows the chosen
// picture as its texture. Choosing a file loads it at once; a file that
// cannot be loaded leaves the example without a texture (bitmap files also
// say so). The caller copies its object into the example before showing
// the browser and reads the example's texture and FileName() after OK.
//
// Everything works without exec(): OpenFolder, SelectFile and the list's
// current row drive it in tests.
class TTextureBrowser : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopicNumber = 40012;
    // The file list's mask; letter case does not matter.
    static QString FileMask() { return QStringLiteral("*.BMP;*.JPG;*.JIF;*.ICO"); }

    ~TTextureBrowser() override;

    QComboBox *DriveList = nullptr;
    QListWidget *DirectoryList = nullptr;
    QLabel *FolderLabel = nullptr; // the open folder's path
    QListWidget *FileListBox1 = nullptr;
    ObjectSampleView *ExampleBox = nullptr;

    // The folder the lists show.
    QString Folder() const { return m_folder; }
    // Shows a folder in all three lists; false when it does not exist.
    bool OpenFolder(const QString &folder);
    // Opens the file's folder and selects the file, which loads it. False
    // when the file does not exist.
    bool SelectFile(const QString &path);
    // Full path of the selected file; empty when none is selected.
    QString FileName() const;

    // Where the browser opens: the texture file when `texturePath` names an
    // existing file, otherwise the first existing of the program folder's
    // "bmbrush" and "Textures" folders, otherwise the program folder.
    void Start(const QString &texturePath, const QString &programFolder);
    static QString StartFolder(const QString &programFolder);

    // The picture of a texture file (bitmaps, JPEG files and icons, read by
    // LoadPictureFile); an icon is drawn on white. Null with `error` set when
    // the file cannot be read, is damaged or is too large.
    static QImage LoadTextureFile(const QString &path, QString *error = nullptr);

    // The selected file changed: load it into the example.
    void FileListBox1Change();
    void HelpButtonClick();

    TGGraphicControl &Example() const { return *m_example; }
    // Repaints the example after a change made from outside.
    void RefreshExample();

protected:
    // `example` implements TTextured; the browser owns it.
    TTextureBrowser(std::unique_ptr<TGGraphicControl> example, QWidget *parent);

private:
    void BuildControls();
    void FillDrives();
    void DirectoryActivated();
    TTextured &Textured() const;

    std::unique_ptr<TGGraphicControl> m_example;
    QString m_folder;
    bool m_loading = false;
};

class TSuperShape;

// The multi-purpose shape's texture browser, with a shape as its example.
class TGBrushImageBrowser : public TTextureBrowser
{
    Q_OBJECT
public:
    explicit TGBrushImageBrowser(QWidget *parent = nullptr);
    TSuperShape &ExampleSuperShape() const;
};

// The special-effects text's texture browser: the same browser with the
// text object as its example (created by the caller, owned by the browser).
class TSuperTextBrushImageBrowser : public TTextureBrowser
{
    Q_OBJECT
public:
    explicit TSuperTextBrushImageBrowser(std::unique_ptr<TGGraphicControl> superTextExample,
                                         QWidget *parent = nullptr);
    TGGraphicControl &SuperTextExample() const { return Example(); }
};
