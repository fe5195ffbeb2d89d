#pragma once

#include <QByteArray>
#include <QList>

#include <functional>
#include <memory>

class TGBasePanel;
class TGGraphicControl;

// Writes design objects into the card document container and reads them
// back into a panel. The panel's clipboard, cloning and card documents go
// through the streamer installed here.
class TGObjectStreamer
{
public:
    virtual ~TGObjectStreamer() = default;

    // The container holding `objects` in the given order.
    virtual QByteArray WriteObjects(const QList<TGGraphicControl *> &objects) = 0;

    // Reads a container into `panel`: each object is created with the panel
    // as owner and parent, named "Component" plus the lowest free number,
    // given its stored properties, and handed to `perObject` (if set); when
    // the whole list has been read, every object's `Loaded` runs in reading
    // order. Returns false for a damaged container; `read` receives the
    // objects read either way.
    virtual bool ReadObjects(const QByteArray &container, TGBasePanel &panel,
                             const std::function<void(TGGraphicControl &)> &perObject,
                             QList<TGGraphicControl *> *read = nullptr) = 0;

    // The streamer in force; null until one is installed.
    static TGObjectStreamer *current();
    // Installs a streamer and returns the previous one.
    static std::unique_ptr<TGObjectStreamer> install(std::unique_ptr<TGObjectStreamer> streamer);
};
