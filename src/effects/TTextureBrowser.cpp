#include "effects/TTextureBrowser.h"

#include "platform/AppRoutines.h"
#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "design/ObjectSampleView.h"
#include "effects/TSuperShape.h"
#include "effects/TTextured.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/PictureFiles.h"
#include "platform/UserDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStorageInfo>

namespace {

QStringList maskPatterns()
{
    return TTextureBrowser::FileMask().split(QLatin1Char(';'));
}

} // namespace

TTextureBrowser::TTextureBrowser(std::unique_ptr<TGGraphicControl> example, QWidget *parent)
    : QDialog(parent), m_example(std::move(example))
{
    static const bool helpRegistered = (RegisterHelpTopic(HelpTopicNumber, "textures.html"), true);
    Q_UNUSED(helpRegistered);
    Q_ASSERT(dynamic_cast<TTextured *>(m_example.get()));
    setWindowTitle("Load Texture Image");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();
    PlaceDialog(*this);
}

TTextureBrowser::~TTextureBrowser() = default;

TTextured &TTextureBrowser::Textured() const
{
    return *dynamic_cast<TTextured *>(m_example.get());
}

void TTextureBrowser::BuildControls()
{
    DriveList = new QComboBox(this);
    DirectoryList = new QListWidget(this);
    FileListBox1 = new QListWidget(this);
    ExampleBox = new ObjectSampleView(*m_example, QPoint(10, 10), this);
    DirectoryList->setMinimumWidth(170);
    DirectoryList->setMaximumWidth(220);
    DriveList->setMaximumWidth(220);
    FileListBox1->setMinimumWidth(170);
    ExampleBox->setMinimumSize(220, 200);

    FolderLabel = new QLabel(this);
    FolderLabel->setTextFormat(Qt::PlainText);
    FolderLabel->setMinimumWidth(170);
    FolderLabel->setMaximumWidth(240);

    auto caption = [this](const QString &text, QWidget *buddy) {
        auto *label = new QLabel(text, this);
        label->setBuddy(buddy);
        return label;
    };
    auto *folders = new QVBoxLayout;
    folders->addWidget(caption("&Drive", DriveList));
    folders->addWidget(DriveList);
    folders->addWidget(caption("F&older", DirectoryList));
    folders->addWidget(FolderLabel);
    folders->addWidget(DirectoryList, 1);
    auto *files = new QVBoxLayout;
    files->addWidget(caption("&File", FileListBox1));
    files->addWidget(FileListBox1, 1);
    auto *example = new QVBoxLayout;
    example->addWidget(new QLabel("Example", this));
    example->addWidget(ExampleBox, 1);
    auto *grid = new QHBoxLayout;
    grid->addLayout(folders);
    grid->addLayout(files);
    grid->addLayout(example, 1);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
    QPushButton *help = buttons->addButton("Help", QDialogButtonBox::HelpRole);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &TTextureBrowser::HelpButtonClick);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);
    resize(596, 286);

    FillDrives();
    connect(DriveList, &QComboBox::activated, this, [this](int index) {
        OpenFolder(DriveList->itemData(index).toString());
    });
    connect(DirectoryList, &QListWidget::itemActivated, this, [this] { DirectoryActivated(); });
    connect(FileListBox1, &QListWidget::currentRowChanged, this, [this] { FileListBox1Change(); });
}

void TTextureBrowser::FillDrives()
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    }
    if (roots.isEmpty())
        roots << QDir::rootPath();
    roots.sort();
    for (const QString &root : roots)
        DriveList->addItem(QDir::toNativeSeparators(root), root);
}

bool TTextureBrowser::OpenFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return false;
    m_folder = QDir::cleanPath(info.absoluteFilePath());

    const QStorageInfo volume(m_folder);
    const int drive = DriveList->findData(volume.rootPath());
    if (drive >= 0)
        DriveList->setCurrentIndex(drive);

    FolderLabel->setText(QDir::toNativeSeparators(m_folder));
    FolderLabel->setToolTip(FolderLabel->text());
    const QDir dir(m_folder);
    DirectoryList->clear();
    if (!dir.isRoot())
        DirectoryList->addItem(QStringLiteral(".."));
    DirectoryList->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));

    const QSignalBlocker quiet(FileListBox1);
    FileListBox1->clear();
    QDir files(m_folder);
    files.setNameFilters(maskPatterns());
    // Windows matched the mask without regard to letter case.
    files.setFilter(QDir::Files | QDir::Readable);
    for (const QFileInfo &file : files.entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        FileListBox1->addItem(file.fileName());
    FileListBox1->setCurrentRow(-1);
    return true;
}

void TTextureBrowser::DirectoryActivated()
{
    const QListWidgetItem *item = DirectoryList->currentItem();
    if (!item)
        return;
    OpenFolder(QDir(m_folder).absoluteFilePath(item->text()));
}

bool TTextureBrowser::SelectFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !OpenFolder(info.absolutePath()))
        return false;
    const QList<QListWidgetItem *> found = FileListBox1->findItems(info.fileName(), Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    FileListBox1->setCurrentItem(found.first());
    return true;
}

QString TTextureBrowser::FileName() const
{
    const QListWidgetItem *item = FileListBox1->currentItem();
    if (!item || FileListBox1->currentRow() < 0)
        return QString();
    return QDir(m_folder).absoluteFilePath(item->text());
}

QString TTextureBrowser::StartFolder(const QString &programFolder)
{
    for (const char *name : {"bmbrush", "Textures"}) {
        const QString folder = CaseInsensitivePath::findEntry(programFolder, QString::fromLatin1(name));
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return programFolder;
}

void TTextureBrowser::Start(const QString &texturePath, const QString &programFolder)
{
    if (!texturePath.isEmpty() && QFileInfo(texturePath).isFile() && SelectFile(texturePath))
        return;
    OpenFolder(StartFolder(programFolder));
}

QImage TTextureBrowser::LoadTextureFile(const QString &path, QString *error)
{
    QImage image = LoadPictureFile(path, error);
    if (image.isNull() || !image.hasAlphaChannel())
        return image;
    // Icons are drawn onto a new bitmap: what they leave transparent is white.
    QImage bitmap(image.size(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    painter.drawImage(0, 0, image);
    return bitmap;
}

void TTextureBrowser::FileListBox1Change()
{
    if (m_loading)
        return;
    const QString file = FileName();
    if (file.isEmpty())
        return;
    m_loading = true;
    BusyCursor();
    const QString ext = QFileInfo(file).suffix().toUpper();
    const QImage image = LoadTextureFile(file);
    if (image.isNull()) {
        if (ext == QLatin1String("BMP") || ext == QLatin1String("WMF"))
            UserDialogs::current().error("Error loading file!");
        Textured().SetTextureImage(QImage());
    } else {
        Textured().SetTextureImage(image);
    }
    RefreshExample();
    NormalCursor();
    m_loading = false;
    if (FileListBox1->isEnabled() && isVisible())
        FileListBox1->setFocus();
}

void TTextureBrowser::RefreshExample()
{
    ExampleBox->Refresh();
}

void TTextureBrowser::HelpButtonClick()
{
    HelpTopic(HelpTopicNumber);
}

TGBrushImageBrowser::TGBrushImageBrowser(QWidget *parent)
    : TTextureBrowser(std::make_unique<TSuperShape>(), parent)
{
}

TSuperShape &TGBrushImageBrowser::ExampleSuperShape() const
{
    return static_cast<TSuperShape &>(Example());
}

TSuperTextBrushImageBrowser::TSuperTextBrushImageBrowser(std::unique_ptr<TGGraphicControl> superTextExample,
                                                         QWidget *parent)
    : TTextureBrowser(std::move(superTextExample), parent)
{
}
