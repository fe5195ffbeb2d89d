#pragma once

#include "design/TGObjectStreamer.h"
#include "design/stream/StreamRecord.h"

#include <QString>

// The object streamer of the program: joins the component stream codec to
// the property declarations of the registered object classes. Writing
// stores, per object, its class name, its name and every declared property
// that differs from its declared default, in declaration order. Reading
// accepts registered classes and declared properties only; anything else,
// or a damaged container, fails the whole read and leaves the panel as it
// was before.
class ComponentStreamer : public TGObjectStreamer
{
public:
    QByteArray WriteObjects(const QList<TGGraphicControl *> &objects) override;
    bool ReadObjects(const QByteArray &container, TGBasePanel &panel,
                     const std::function<void(TGGraphicControl &)> &perObject,
                     QList<TGGraphicControl *> *read = nullptr) override;

    // The record an object is written as. StreamError when a value cannot
    // be encoded (a declaration fault).
    static StreamRecord RecordOf(const TGGraphicControl &object);
    // The container; StreamError as for RecordOf.
    static QByteArray WriteContainer(const QList<TGGraphicControl *> &objects);
    // ReadObjects with the reason for a failure in `error`. On failure no
    // object read from the container stays on the panel and `read` is empty.
    static bool Read(const QByteArray &container, TGBasePanel &panel,
                     const std::function<void(TGGraphicControl &)> &perObject,
                     QList<TGGraphicControl *> *read, QString *error);
};

// Installs a ComponentStreamer unless a streamer is installed already, so
// that the panels' clipboard and cloning use it. The program's list of card
// classes (app/CardClasses) runs it.
void installComponentStreamer();
