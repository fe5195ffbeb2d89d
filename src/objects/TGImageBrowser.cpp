#include "objects/TGImageBrowser.h"

#include "platform/AppRoutines.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "platform/UserDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListView>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QStorageInfo>
#include <QTreeView>

namespace {

constexpr int HelpTopicBrowser = 40003;

QString &lastFolder()
{
    static QString folder;
    return folder;
}

} // namespace

// ---- preview ----

TImagePreview::TImagePreview(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(false);
}

void TImagePreview::SetPicture(const TPicture &picture)
{
    m_picture = picture;
    if (m_autoSize)
        resize(sizeHint());
    updateGeometry();
    update();
}

void TImagePreview::SetStretch(bool value)
{
    m_stretch = value;
    update();
}

void TImagePreview::SetAutoSize(bool value)
{
    m_autoSize = value;
    if (value)
        resize(sizeHint());
    updateGeometry();
    update();
}

QSize TImagePreview::sizeHint() const
{
    return m_picture.IsEmpty() ? QSize(1, 1) : QSize(m_picture.Width(), m_picture.Height());
}

void TImagePreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_picture.IsEmpty())
        return;
    // Stretched over the whole preview, otherwise at the picture's own size.
    const QRectF target = m_stretch && !m_autoSize ? QRectF(rect())
                                                   : QRectF(0, 0, m_picture.Width(), m_picture.Height());
    if (m_picture.KeepsTransparency()) {
        // See-through parts show as a grey and white checkerboard.
        QPixmap tile(16, 16);
        tile.fill(Qt::white);
        QPainter tilePainter(&tile);
        tilePainter.fillRect(0, 0, 8, 8, QColor(204, 204, 204));
        tilePainter.fillRect(8, 8, 8, 8, QColor(204, 204, 204));
        tilePainter.end();
        painter.fillRect(target, QBrush(tile));
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    }
    if (m_picture.IsSvg())
        m_picture.Svg()->Play(painter, target);
    else if (m_picture.IsBitmap())
        painter.drawImage(target, m_picture.ScreenBitmap());
    else
        m_picture.Metafile()->Play(painter, target);
}

// ---- browser ----

TGImageBrowser::TGImageBrowser(QWidget *parent) : QDialog(parent)
{
    static const bool helpRegistered = (RegisterHelpTopic(HelpTopicBrowser, "pictures.html"), true);
    Q_UNUSED(helpRegistered);
    setWindowTitle(QStringLiteral("Load Image File "));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    BuildLayout();
    setFixedSize(592, 300);
    OpenDirectory(StartFolder());
    PlaceDialog(*this);
    NormalCursor();
    FileListBox1->setFocus();
}

TGImageBrowser::~TGImageBrowser() = default;

QStringList TGImageBrowser::FileMask()
{
    return {"*.BMP", "*.JPG", "*.JIF", "*.JPEG", "*.WMF", "*.ICO", "*.EMF",
            "*.PNG", "*.SVG", "*.SVGZ", "*.GIF", "*.TIF", "*.TIFF", "*.WEBP"};
}

QString TGImageBrowser::ClipartFolder()
{
    const QString clipart = CaseInsensitivePath::findExisting(QDir(ProgramFolder()).filePath("clipart"));
    return !clipart.isEmpty() && QFileInfo(clipart).isDir() ? QDir(clipart).absolutePath() : QString();
}

QString TGImageBrowser::StartFolder()
{
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir())
        return lastFolder();
    const QString clipart = ClipartFolder();
    return clipart.isEmpty() ? ProgramFolder() : clipart;
}

void TGImageBrowser::ResetStartFolder()
{
    lastFolder().clear();
}

void TGImageBrowser::BuildLayout()
{
    DriveComboBox1 = new QComboBox;
    QStringList roots;
    for (const QFileInfo &drive : QDir::drives())
        roots << drive.absoluteFilePath();
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    DriveComboBox1->addItems(roots);

    m_dirModel = new QFileSystemModel(this);
    m_dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_dirModel->setRootPath(QString());
    DirectoryListBox1 = new QTreeView;
    DirectoryListBox1->setModel(m_dirModel);
    DirectoryListBox1->setHeaderHidden(true);
    for (int column = 1; column < m_dirModel->columnCount(); ++column)
        DirectoryListBox1->hideColumn(column);
    // Whole folder names, scrolling sideways rather than cut off.
    DirectoryListBox1->setTextElideMode(Qt::ElideNone);
    DirectoryListBox1->header()->setStretchLastSection(false);
    DirectoryListBox1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    DirectoryListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    DirectoryListBox1->setIndentation(12);

    m_fileModel = new QFileSystemModel(this);
    m_fileModel->setFilter(QDir::Files);
    m_fileModel->setNameFilters(FileMask()); // without QDir::CaseSensitive: letter case ignored
    m_fileModel->setNameFilterDisables(false);
    FileListBox1 = new QListView;
    FileListBox1->setModel(m_fileModel);
    FileListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

    Image1 = new TImagePreview;
    ScrollBox1 = new QScrollArea;
    ScrollBox1->setBackgroundRole(QPalette::Base);
    ScrollBox1->setWidget(Image1);

    HelpButton = new QPushButton(QStringLiteral("Help"));
    CBStretch = new QCheckBox(QStringLiteral("Stretch"));
    CBStretch->setToolTip(QStringLiteral("Stretch image to max display size"));
    CBAutoSize = new QCheckBox(QStringLiteral("AutoSize"));
    CBAutoSize->setToolTip(QStringLiteral("AutoSize TImage"));
    OkButton = new QPushButton(QStringLiteral("Ok"));
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"));

    auto *lists = new QGridLayout;
    lists->addWidget(DriveComboBox1, 0, 0);
    lists->addWidget(DirectoryListBox1, 1, 0);
    lists->addWidget(FileListBox1, 0, 1, 2, 1);
    lists->addWidget(ScrollBox1, 0, 2, 2, 1);
    DriveComboBox1->setFixedWidth(190);
    DirectoryListBox1->setFixedWidth(190);
    FileListBox1->setFixedWidth(160);
    lists->setColumnStretch(2, 1);

    auto *bar = new QHBoxLayout;
    bar->addWidget(HelpButton);
    bar->addSpacing(12);
    bar->addWidget(CBStretch);
    bar->addWidget(CBAutoSize);
    bar->addStretch(1);
    bar->addWidget(OkButton);
    bar->addWidget(CancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(bar);

    // Folders arrive in the background: keep the open one in view.
    connect(m_dirModel, &QFileSystemModel::directoryLoaded, this, [this] {
        DirectoryListBox1->scrollTo(DirectoryListBox1->currentIndex(), QAbstractItemView::PositionAtCenter);
    });
    connect(DriveComboBox1, &QComboBox::textActivated, this, [this](const QString &root) { OpenDirectory(root); });
    connect(DirectoryListBox1, &QTreeView::clicked, this,
            [this](const QModelIndex &index) { OpenDirectory(m_dirModel->filePath(index)); });
    connect(FileListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { FileListBox1Change(); });
    connect(CBStretch, &QCheckBox::toggled, this, [this] { CBStretchClick(); });
    connect(CBAutoSize, &QCheckBox::toggled, this, [this] { CBAutoSizeClick(); });
    connect(HelpButton, &QPushButton::clicked, this, [this] { HelpButtonClick(); });
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TGImageBrowser::SetStretch(bool value)
{
    CBStretch->setChecked(value);
    CBStretchClick();
}

void TGImageBrowser::SetAutoSize(bool value)
{
    CBAutoSize->setChecked(value);
    CBAutoSizeClick();
}

bool TGImageBrowser::StretchChecked() const
{
    return CBStretch->isChecked();
}

bool TGImageBrowser::AutoSizeChecked() const
{
    return CBAutoSize->isChecked();
}

QString TGImageBrowser::Folder() const
{
    return m_fileModel->rootPath();
}

void TGImageBrowser::OpenDirectory(const QString &path)
{
    const QString folder = QDir(path).absolutePath();
    if (!QFileInfo(folder).isDir())
        return;
    FileListBox1->setRootIndex(m_fileModel->setRootPath(folder));
    FileListBox1->clearSelection();
    // Inside the clip art the tree starts at the clip-art folder, so its
    // folders stand at the left, not deep under the file system's root.
    const QString clipart = ClipartFolder();
    const bool inClipart = !clipart.isEmpty()
        && (folder == clipart || folder.startsWith(clipart + QLatin1Char('/')));
    const QModelIndex root = inClipart ? m_dirModel->index(clipart) : QModelIndex();
    if (DirectoryListBox1->rootIndex() != root)
        DirectoryListBox1->setRootIndex(root);
    const QModelIndex dir = m_dirModel->index(folder);
    DirectoryListBox1->setCurrentIndex(dir);
    for (QModelIndex i = dir; i.isValid() && i != root; i = i.parent())
        DirectoryListBox1->expand(i);
    DirectoryListBox1->scrollTo(dir, QAbstractItemView::PositionAtCenter);
    for (int i = 0; i < DriveComboBox1->count(); ++i)
        if (folder.startsWith(DriveComboBox1->itemText(i)))
            DriveComboBox1->setCurrentIndex(i);
    // The directory list makes the folder current, as the file list expects.
    QDir::setCurrent(folder);
    lastFolder() = folder;
}

bool TGImageBrowser::SelectFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    OpenDirectory(info.absolutePath());
    const QModelIndex index = m_fileModel->index(info.absoluteFilePath());
    if (!index.isValid())
        return false;
    FileListBox1->setCurrentIndex(index);
    FileListBox1->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    return true;
}

QString TGImageBrowser::SelectedFile() const
{
    const QModelIndex index = FileListBox1->currentIndex();
    if (!index.isValid() || !FileListBox1->selectionModel()->isSelected(index))
        return QString();
    return m_fileModel->filePath(index);
}

const TPicture &TGImageBrowser::PreviewPicture() const
{
    return Image1->Picture();
}

void TGImageBrowser::FileListBox1Change()
{
    const QString file = FileList()->currentIndex().isValid() ? m_fileModel->filePath(FileListBox1->currentIndex())
                                                              : QString();
    if (m_loading || file.isEmpty())
        return;
    m_loading = true;
    BusyCursorScope busy;
    const QString ext = QFileInfo(file).suffix().toUpper();
    const bool direct = ext == "BMP" || ext == "WMF" || ext == "EMF";
    const bool converted = ext == "JPG" || ext == "JIF" || ext == "JPEG" || ext == "ICO";
    const bool kept = !direct && !converted && TPicture::Extensions().contains(ext);
    if (direct || converted || kept) {
        TPicture picture;
        QString reason;
        if (picture.LoadFromFile(file, &reason)) {
            if (ext == "ICO")
                QCoreApplication::processEvents();
            Image1->SetPicture(picture);
        } else {
            // Bitmaps and metafiles say so, the newer kinds with the reason;
            // JPEG and icon failures are silent.
            if (direct)
                UserDialogs::current().error(QStringLiteral("Error loading file!"));
            else if (kept)
                UserDialogs::current().error(QStringLiteral("Error loading file!\n\n") + reason);
            Image1->SetPicture(TPicture());
        }
    }
    UpdatePreviewGeometry();
    m_loading = false;
}

void TGImageBrowser::CBStretchClick()
{
    Image1->SetStretch(CBStretch->isChecked());
    if (CBStretch->isChecked())
        CBAutoSize->setChecked(false);
    UpdatePreviewGeometry();
}

void TGImageBrowser::CBAutoSizeClick()
{
    Image1->SetAutoSize(CBAutoSize->isChecked());
    if (CBAutoSize->isChecked())
        CBStretch->setChecked(false);
    UpdatePreviewGeometry();
}

void TGImageBrowser::UpdatePreviewGeometry()
{
    // Not auto-sized, the preview fills the scroll box; auto-sized it keeps
    // the picture's size and the box scrolls.
    ScrollBox1->setWidgetResizable(!Image1->AutoSize());
    if (Image1->AutoSize())
        Image1->resize(Image1->sizeHint());
}

void TGImageBrowser::HelpButtonClick()
{
    HelpTopic(HelpTopicBrowser);
}
