#include "dialogs/TLoadBackGround.h"

#include "design/BackgroundArt.h"
#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "platform/UserDialogs.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// A picture as the preview shows it, at its own size.
QImage previewOf(const TPicture &picture)
{
    if (picture.IsBitmap())
        return picture.Bitmap();
    if (!picture.IsMetafile())
        return QImage();
    QImage image(std::max(1, picture.Width()), std::max(1, picture.Height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.Metafile()->Play(painter, QRectF(0, 0, picture.Width(), picture.Height()));
    return image;
}

} // namespace

TLoadBackGround::TLoadBackGround(QWidget *parent) : QDialog(parent)
{
    static const bool helpRegistered = (RegisterHelpTopic(HelpTopicNumber, "background.html"), true);
    Q_UNUSED(helpRegistered);
    setWindowTitle(QStringLiteral("Load  Business Card Background Art "));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::Files);
    m_model->setNameFilters(FileMask()); // letter case ignored
    m_model->setNameFilterDisables(false);
    FileListBox1 = new QListView;
    FileListBox1->setModel(m_model);
    FileListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    FileListBox1->setFixedWidth(170);

    Image1 = new QLabel;
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *scroll = new QScrollArea;
    scroll->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    scroll->setBackgroundRole(QPalette::Base);
    scroll->setWidget(Image1);
    scroll->setMinimumSize(360, 220);

    OKButton = new QPushButton(QStringLiteral("Ok"));
    OKButton->setDefault(true);
    NoneButton = new QPushButton(QStringLiteral("None"));
    Cancelbutton = new QPushButton(QStringLiteral("Cancel"));
    Helpbutton = new QPushButton(QStringLiteral("Help"));

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {OKButton, NoneButton, Cancelbutton, Helpbutton})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(FileListBox1);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    connect(FileListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { FileListBox1Change(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(NoneButton, &QPushButton::clicked, this, [this] { NoneButtonClick(); });
    connect(Cancelbutton, &QPushButton::clicked, this, [this] { CancelbuttonClick(); });
    connect(Helpbutton, &QPushButton::clicked, this, [this] { HelpbuttonClick(); });
    FormCreate();
}

TLoadBackGround::~TLoadBackGround() = default;

QStringList TLoadBackGround::FileMask()
{
    return {"*.BMP", "*.WMF"};
}

void TLoadBackGround::FormCreate()
{
    CenterForm(*this);
}

void TLoadBackGround::SetFolder(const QString &folder)
{
    FileListBox1->setRootIndex(m_model->setRootPath(QDir(folder).absolutePath()));
    FileListBox1->clearSelection();
}

QString TLoadBackGround::Folder() const
{
    return m_model->rootPath();
}

bool TLoadBackGround::SelectFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    SetFolder(info.absolutePath());
    const QModelIndex index = m_model->index(info.absoluteFilePath());
    if (!index.isValid())
        return false;
    FileListBox1->setCurrentIndex(index);
    FileListBox1->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    return true;
}

QString TLoadBackGround::SelectedFile() const
{
    const QModelIndex index = FileListBox1->currentIndex();
    if (!index.isValid() || !FileListBox1->selectionModel()->isSelected(index))
        return QString();
    return m_model->filePath(index);
}

void TLoadBackGround::ShowPreview(const QImage &image)
{
    m_preview = image;
    Image1->setPixmap(QPixmap::fromImage(image));
    Image1->resize(image.isNull() ? QSize(1, 1) : image.size());
}

void TLoadBackGround::FileListBox1Change()
{
    const QModelIndex index = FileListBox1->currentIndex();
    if (!index.isValid())
        return;
    const QString file = m_model->filePath(index);
    TPicture picture;
    const bool loaded = BackgroundArt::Load(file, picture);
    if (!m_rotated) {
        if (!loaded) {
            UserDialogs::current().error(QStringLiteral("Error loading file!"));
            ShowPreview(QImage());
            return;
        }
        ShowPreview(previewOf(picture));
        return;
    }
    // Turned like the card; a file that cannot be read keeps the old preview.
    if (loaded)
        ShowPreview(BackgroundArt::TurnedForPortrait(picture));
}

void TLoadBackGround::OKButtonClick()
{
    if (SelectedFile().isEmpty()) {
        UserDialogs::current().beep();
        return;
    }
    done(QDialog::Accepted);
}

void TLoadBackGround::NoneButtonClick()
{
    done(NoneResult);
}

void TLoadBackGround::CancelbuttonClick()
{
    done(QDialog::Rejected);
}

void TLoadBackGround::HelpbuttonClick()
{
    HelpTopic(HelpTopicNumber);
}
