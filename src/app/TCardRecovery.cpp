#include "app/TCardRecovery.h"

#include "app/TMainScreen.h"
#include "app/TRecoverCard.h"
#include "app/TUndoHistory.h"
#include "design/CardMerge.h"
#include "design/CardSides.h"
#include "design/CompanionFile.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/stream/ComponentStreamReader.h"
#include "design/stream/StreamError.h"
#include "platform/AppRoutines.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/FormPlacement.h"
#include "platform/IniFile.h"
#include "platform/PlainFile.h"
#include "platform/UserDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QUndoStack>

#include <algorithm>

namespace {

const QString LockName = QStringLiteral("owner.lock");
const QString DamagedName = QStringLiteral("damaged");

// A lock that only its holder's end makes stale, never its age.
std::unique_ptr<QLockFile> lockOf(const QString &folder)
{
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(LockName));
    lock->setStaleLockTime(0);
    return lock;
}

void removeFolder(const QString &folder, std::unique_ptr<QLockFile> &lock)
{
    if (lock)
        lock->unlock();
    lock.reset();
    QDir(folder).removeRecursively();
}

} // namespace

struct TCardRecovery::Orphan {
    QString folder;
    std::unique_ptr<QLockFile> lock;
    RecoveryCopy::Found copy;
};

int TCardRecovery::ReadInterval()
{
    const IniFile ini(SettingsFileName());
    const int seconds = ini.readInteger(QStringLiteral("Recovery"), QStringLiteral("Interval"), DefaultInterval);
    if (seconds < 0)
        return DefaultInterval;
    return std::min(seconds, LongestInterval);
}

QString TCardRecovery::Folder()
{
    return ProgramSubFolder(QStringLiteral("recovery"));
}

QString TCardRecovery::DamagedFolder()
{
    return Folder() + DamagedName + QLatin1Char('/');
}

TCardRecovery::TCardRecovery(TMainScreen &window, int intervalSeconds)
    : QObject(&window), m_window(window), m_interval(std::max(0, intervalSeconds))
{
    m_worker.setMaxThreadCount(1); // writes land in the order they were taken
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &TCardRecovery::WriteCopy);
    connect(&window, &TMainScreen::ChangesMadeChanged, this, &TCardRecovery::ChangesMadeChanged);
    connect(&window.History->Stack(), &QUndoStack::indexChanged, this, &TCardRecovery::CardChanged);
    const QString own = Folder()
        + QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch());
    m_folder = own;
    for (int n = 2; QFileInfo::exists(m_folder); ++n)
        m_folder = own + QStringLiteral("-%1").arg(n);
    if (window.ChangesMade())
        CardChanged();
}

TCardRecovery::~TCardRecovery()
{
    m_timer.stop();
    WaitForWrites();
    if (!m_window.ChangesMade())
        RemoveCopy();
    else if (m_lock)
        m_lock->unlock(); // the copy stays for the next start
}

void TCardRecovery::CardChanged()
{
    if (!m_window.ChangesMade())
        return;
    m_changed = QDateTime::currentDateTime();
    ++m_changes;
    if (m_interval > 0 && !m_timer.isActive())
        m_timer.start(m_interval * 1000);
}

void TCardRecovery::ChangesMadeChanged(bool changesMade)
{
    if (changesMade)
        CardChanged();
    else
        RemoveCopy();
}

RecoveryCopy::Content TCardRecovery::TakeContent() const
{
    RecoveryCopy::Content content;
    content.card = m_window.History->Current();
    content.original = m_window.DocumentPath();
    if (const CardMerge *merge = CardMerge::Find(m_window.BusinessCardPanel))
        content.contactList = merge->ListPath();
    content.changed = m_changed.isValid() ? m_changed : QDateTime::currentDateTime();
    return content;
}

bool TCardRecovery::ClaimOwnFolder()
{
    if (m_lock)
        return true;
    if (!QDir().mkpath(m_folder))
        return false;
    auto lock = lockOf(m_folder);
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    return true;
}

void TCardRecovery::WriteCopy()
{
    if (m_interval <= 0 || !m_window.ChangesMade() || m_written == m_changes)
        return;
    if (!ClaimOwnFolder()) {
        qWarning("Karvello: the recovery folder %s cannot be used", qPrintable(m_folder));
        return;
    }
    RecoveryCopy::Content content;
    try {
        content = TakeContent();
    } catch (const StreamError &e) {
        // The copy written before stays rather than an emptied card.
        qWarning("Karvello: the recovery copy was not taken: %s", qPrintable(e.message()));
        return;
    }
    m_written = m_changes;
    m_worker.start([this, folder = m_folder, content = std::move(content)] {
        QString error;
        const bool ok = RecoveryCopy::Write(folder, content, &error);
        if (!ok)
            qWarning("Karvello: the recovery copy was not written: %s", qPrintable(error));
        QMetaObject::invokeMethod(this, [this, ok] { emit CopyWritten(ok); }, Qt::QueuedConnection);
    });
}

void TCardRecovery::WriteNow()
{
    m_timer.stop();
    WriteCopy();
    WaitForWrites();
}

void TCardRecovery::WaitForWrites()
{
    m_worker.waitForDone();
}

void TCardRecovery::RemoveCopy()
{
    m_timer.stop();
    WaitForWrites();
    m_written = m_changes;
    if (m_lock)
        removeFolder(m_folder, m_lock);
}

std::vector<std::unique_ptr<TCardRecovery::Orphan>> TCardRecovery::ClaimOrphans(bool soleCopy)
{
    std::vector<std::unique_ptr<Orphan>> orphans;
    const QDir root(Folder());
    const QString own = QFileInfo(m_folder).fileName();
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (name == own || name.compare(DamagedName, Qt::CaseInsensitive) == 0)
            continue;
        auto orphan = std::make_unique<Orphan>();
        orphan->folder = root.filePath(name);
        orphan->lock = lockOf(orphan->folder);
        if (!orphan->lock->tryLock(0)) {
            // The guard knows better than a process number that may have been
            // given to another program since; locks of other machines stay.
            qint64 pid = 0;
            QString host, application;
            const bool local = orphan->lock->getLockInfo(&pid, &host, &application)
                && host == QSysInfo::machineHostName();
            if (!soleCopy || !local || !orphan->lock->removeStaleLockFile() || !orphan->lock->tryLock(0))
                continue;
        }
        orphan->copy = RecoveryCopy::Read(orphan->folder);
        if (!orphan->copy.exists) {
            // Stopped before its first copy was complete: nothing to offer.
            removeFolder(orphan->folder, orphan->lock);
            continue;
        }
        orphans.push_back(std::move(orphan));
    }
    std::sort(orphans.begin(), orphans.end(), [](const auto &a, const auto &b) {
        return a->copy.manifest.changed > b->copy.manifest.changed;
    });
    return orphans;
}

void TCardRecovery::OfferAtStart(bool soleCopy)
{
    for (std::unique_ptr<Orphan> &orphan : ClaimOrphans(soleCopy)) {
        if (Offer(*orphan))
            break;
    }
}

bool TCardRecovery::Inspect(const RecoveryCopy::Found &copy, QImage *picture, QString *error) const
{
    if (!copy.ok) {
        *error = copy.error;
        return false;
    }
    CardSides sides;
    if (!sides.OpenBack(copy.front, error))
        return false;
    const CompanionFile::ReadResult front =
        CompanionFile::Read(CardDocument::CompanionFileName(copy.front), m_window.Layout());
    QByteArray objects;
    QString background = front.backgroundFile;
    if (copy.manifest.backShown) {
        objects = sides.HiddenObjects;
        background = sides.HiddenBackground;
        // The front is read here only to know that it opens.
        QByteArray frontObjects;
        if (!PlainFile::read(copy.front, ComponentStreamReader::kMaxDocumentBytes, frontObjects, error)
            || !CardSides::MakePanel(&m_window, *m_window.BusinessCardPanel, front.layout.Layout,
                                     frontObjects, QString(), error))
            return false;
    } else if (!PlainFile::read(copy.front, ComponentStreamReader::kMaxDocumentBytes, objects, error)) {
        return false;
    }
    const std::unique_ptr<TGBusinessCardPanel32> panel = CardSides::MakePanel(
        &m_window, *m_window.BusinessCardPanel, front.layout.Layout, objects, QString(), error);
    if (!panel)
        return false;
    const QString backgroundFile = background.isEmpty() ? QString() : CaseInsensitivePath::findExisting(background);
    panel->SetCardOrientation(front.isIni && front.layout.Layout.Portrait, front.layout.Layout, backgroundFile);
    // Drawn at the screen's pixels, as the card itself is, for the dialog's picture.
    panel->SetZoom(float(std::max<qreal>(1.0, m_window.devicePixelRatioF())));
    *picture = panel->RenderToBitmap();
    return true;
}

bool TCardRecovery::Offer(Orphan &orphan)
{
    QImage picture;
    QString error;
    if (!Inspect(orphan.copy, &picture, &error)) {
        MoveAside(orphan, error);
        return false;
    }
    const RecoveryCopy::Manifest &m = orphan.copy.manifest;
    TRecoverCard dialog(m.original, m.changed, picture, &m_window);
    CenterForm(dialog);
    const int answer = UserDialogs::runModal(dialog);
    if (answer == TRecoverCard::DiscardResult) {
        removeFolder(orphan.folder, orphan.lock);
        return false;
    }
    // Closed without an answer, or the card on screen may not be replaced:
    // the copy waits for the next start.
    if (answer != QDialog::Accepted || !m_window.CheckSaveNeeded())
        return false;
    if (!m_window.OpenRecovered(orphan.copy.front, m.original, m.backShown, &error)) {
        MoveAside(orphan, error);
        return false;
    }
    // The copy becomes this program's own: it holds the card on screen until
    // the next write replaces it, so no moment is without one.
    RemoveCopy();
    m_folder = orphan.folder;
    m_lock = std::move(orphan.lock);
    m_changed = m.changed;
    m_written = m_changes;
    return true;
}

void TCardRecovery::MoveAside(Orphan &orphan, const QString &reason)
{
    const QString name = QFileInfo(orphan.folder).fileName();
    QDir().mkpath(DamagedFolder());
    QString target = DamagedFolder() + name;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = DamagedFolder() + name + QStringLiteral("-%1").arg(n);
    orphan.lock->unlock();
    const bool moved = QDir().rename(orphan.folder, target);
    Inform(QStringLiteral("A recovery copy could not be read: %1\n\nIt was moved to %2.")
               .arg(reason, QDir::toNativeSeparators(moved ? target : orphan.folder)));
}
