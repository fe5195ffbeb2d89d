#pragma once

// A streamer for tests: keeps objects as class name plus the values of their
// declared properties (no file format), read back through the class registry
// the way the document reader does.

#include "design/Properties.h"
#include "design/TGBasePanel.h"
#include "design/TGGraphicControl.h"
#include "design/TGObjectStreamer.h"

#include <QDataStream>
#include <QIODevice>

class PropertyCopyStreamer : public TGObjectStreamer
{
public:
    QByteArray WriteObjects(const QList<TGGraphicControl *> &objects) override
    {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << qint32(objects.size());
        for (const TGGraphicControl *o : objects) {
            out << o->ClassName();
            const TPropertyList &props = o->StoredProperties();
            out << qint32(props.size());
            for (const TPropertyDecl &d : props)
                out << d.name << d.get(*o);
        }
        ++writes;
        return bytes;
    }

    bool ReadObjects(const QByteArray &container, TGBasePanel &panel,
                     const std::function<void(TGGraphicControl &)> &perObject,
                     QList<TGGraphicControl *> *read) override
    {
        QDataStream in(container);
        qint32 count = 0;
        in >> count;
        QList<TGGraphicControl *> objects;
        for (int i = 0; i < count; ++i) {
            QString className;
            qint32 props = 0;
            in >> className >> props;
            const TGClassRegistry::Entry *entry = TGClassRegistry::find(className);
            if (!entry)
                return false;
            TGGraphicControl *o = entry->create(&panel);
            o->SetLoading(true);
            for (int p = 0; p < props; ++p) {
                QString name;
                QVariant value;
                in >> name >> value;
                if (const TPropertyDecl *d = findProperty(o->StoredProperties(), name))
                    d->set(*o, value);
            }
            o->SetName(panel.UniqueName(QStringLiteral("Component"), 0));
            panel.AddObject(o);
            o->SetLoading(false);
            if (perObject)
                perObject(*o);
            objects << o;
        }
        for (TGGraphicControl *o : objects)
            o->Loaded();
        if (read)
            *read = objects;
        return true;
    }

    int writes = 0;
};
