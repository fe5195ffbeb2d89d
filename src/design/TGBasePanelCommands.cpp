// The selection commands of the panel menu: z-order, alignment, locking,
// selectability, font, and the clipboard.
#include "design/TGBasePanel.h"

#include "design/TGGraphicControl.h"
#include "design/SystemClipboard.h"
#include "design/TGHandle.h"
#include "design/TGObjectStreamer.h"
#include "design/TGTickClock.h"
#include "design/stream/ComponentStreamReader.h"
#include "platform/PlainFile.h"
#include "platform/UserDialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

#include <algorithm>

namespace {
constexpr quint32 kPasteRepeatMs = 1000;
constexpr int kPasteOffset = 15;
} // namespace

void TGBasePanel::BringSelectionToFront()
{
    if (m_handle->SelectionCount() == 0)
        return;
    m_handle->BringSelectionToFront();
    ReportChange();
}

void TGBasePanel::SendSelectionToBack()
{
    if (m_handle->SelectionCount() == 0)
        return;
    m_handle->SendSelectionToBack();
    m_handle->ClearSelection();
    ReportChange();
}

void TGBasePanel::AlignLeft()
{
    ReportChange();
    int left = width();
    for (const TGGraphicControl *o : m_handle->Selection())
        left = std::min(left, o->Left());
    for (TGGraphicControl *o : m_handle->Selection())
        o->SetLeft(left);
    update();
}

void TGBasePanel::AlignRight()
{
    ReportChange();
    int right = 0;
    for (const TGGraphicControl *o : m_handle->Selection())
        right = std::max(right, o->Left() + o->Width());
    for (TGGraphicControl *o : m_handle->Selection())
        o->SetLeft(right - o->Width());
    update();
}

void TGBasePanel::AlignTops()
{
    ReportChange();
    int top = height();
    for (const TGGraphicControl *o : m_handle->Selection())
        top = std::min(top, o->Top());
    for (TGGraphicControl *o : m_handle->Selection())
        o->SetTop(top);
    update();
}

void TGBasePanel::AlignBottoms()
{
    ReportChange();
    int bottom = 0;
    for (const TGGraphicControl *o : m_handle->Selection())
        bottom = std::max(bottom, o->Top() + o->Height());
    for (TGGraphicControl *o : m_handle->Selection())
        o->SetTop(bottom - o->Height());
    update();
}

void TGBasePanel::CenterSelectionVertically()
{
    for (TGGraphicControl *o : m_handle->Selection())
        o->CenterVertically();
    update();
}

void TGBasePanel::CenterSelectionHorizontally()
{
    for (TGGraphicControl *o : m_handle->Selection())
        o->CenterHorizontally();
    update();
}

void TGBasePanel::LockAll()
{
    for (TGGraphicControl *o : m_objects)
        o->SetLocked(true);
}

void TGBasePanel::UnlockAll()
{
    for (TGGraphicControl *o : m_objects)
        o->SetLocked(false);
}

void TGBasePanel::MarkAllSelectable()
{
    for (TGGraphicControl *o : m_objects)
        o->SetUnselectable(false);
}

void TGBasePanel::MarkAllUnselectable()
{
    for (TGGraphicControl *o : m_objects)
        o->SetUnselectable(true);
}

void TGBasePanel::SelectAll()
{
    m_handle->ClearSelection();
    for (TGGraphicControl *o : m_objects)
        m_handle->SelectObject(o);
    m_handle->ReleaseCapture();
}

void TGBasePanel::ChooseFont()
{
    if (m_handle->SelectionCount() == 0)
        return;
    const std::optional<TFont> font = UserDialogs::current().chooseFont(m_font, false);
    if (!font)
        return;
    for (TGGraphicControl *o : m_handle->Selection())
        o->ApplyFont(*font);
    update();
}

void TGBasePanel::Cut()
{
    if (m_handle->SelectionCount() == 0)
        return;
    WriteClipboard(m_handle->Selection());
    DeleteSelection();
}

void TGBasePanel::Copy()
{
    WriteClipboard(m_handle->Selection());
}

void TGBasePanel::Paste()
{
    const quint32 now = TGTickClock::now();
    if (m_lastPaste != 0 && now - m_lastPaste < kPasteRepeatMs)
        return;
    PasteFromClipboard();
}

void TGBasePanel::Delete()
{
    DeleteSelection();
}

void TGBasePanel::ObjectCut(TGGraphicControl *object)
{
    if (m_handle->IsSelected(object)) {
        Cut();
        return;
    }
    WriteClipboard({object});
    ReportChange();
    FreeObject(object);
}

void TGBasePanel::ObjectCopy(TGGraphicControl *object)
{
    if (m_handle->IsSelected(object))
        Copy();
    else
        WriteClipboard({object});
}

void TGBasePanel::ObjectPaste()
{
    PasteFromClipboard();
}

void TGBasePanel::ObjectDelete(TGGraphicControl *object)
{
    if (m_handle->IsSelected(object)) {
        Delete();
        return;
    }
    ReportChange();
    FreeObject(object);
}

void TGBasePanel::DeleteSelection()
{
    const QList<TGGraphicControl *> selection = m_handle->Selection();
    for (auto it = selection.crbegin(); it != selection.crend(); ++it) {
        m_handle->DeselectObject(*it);
        FreeObject(*it);
        ReportChange();
    }
}

void TGBasePanel::WriteClipboard(const QList<TGGraphicControl *> &objects)
{
    TGObjectStreamer *streamer = Streamer();
    if (objects.isEmpty() || !streamer)
        return;
    const QByteArray bytes = streamer->WriteObjects(objects);
    QSaveFile file(ClipboardFileName());
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
        file.commit();
    }
    SystemClipboard::Publish(bytes, PictureOf(objects));
}

bool TGBasePanel::CanPaste() const
{
    const QString file = ClipboardFileName();
    return (!file.isEmpty() && QFileInfo::exists(file)) || SystemClipboard::HasForeignContent();
}

void TGBasePanel::PasteFromClipboard()
{
    TGObjectStreamer *streamer = Streamer();
    if (!streamer)
        return;
    QByteArray bytes;
    // What another program put on the clipboard is newer than the file.
    if (const QMimeData *data = SystemClipboard::Contents(); data && !SystemClipboard::IsOwn(*data)) {
        bytes = SystemClipboard::ForeignObjects(*data);
        if (bytes.isEmpty() && m_foreignPaste && m_foreignPaste(*data)) {
            ReportChange();
            m_lastPaste = TGTickClock::now();
            return;
        }
    }
    if (bytes.isEmpty() && !PlainFile::read(ClipboardFileName(), ComponentStreamReader::kMaxDocumentBytes, bytes))
        return;
    QList<TGGraphicControl *> pasted;
    streamer->ReadObjects(bytes, *this, [](TGGraphicControl &o) {
        o.SetBounds(o.Left() + kPasteOffset, o.Top() + kPasteOffset, o.Width(), o.Height());
    }, &pasted);
    ConnectObjects();
    m_lastPaste = TGTickClock::now();
    if (pasted.isEmpty())
        return;
    // What was pasted is what the user works on next.
    SelectOnly(pasted);
    ReportChange();
    QCoreApplication::processEvents();
}
