#include "design/ComponentStreamer.h"

#include "design/Properties.h"
#include "design/PropertyValueCodec.h"
#include "design/TGBasePanel.h"
#include "design/TGGraphicControl.h"
#include "design/stream/ComponentStreamReader.h"
#include "design/stream/ComponentStreamWriter.h"
#include "design/stream/StreamError.h"

namespace {

// Event properties ("OnClick = ButtonClick") name methods of a form that
// does not exist here; they are skipped rather than failing the read.
bool isMethodReference(const QString &name, const StreamValue &value)
{
    return value.kind() == StreamValue::Kind::Ident && name.size() > 2
        && name.startsWith(QLatin1String("On")) && name.at(2).isUpper();
}

void applyProperties(TGGraphicControl &object, const StreamRecord &record)
{
    const TPropertyList &declared = object.StoredProperties();
    for (const auto &[name, value] : record.properties) {
        const TPropertyDecl *decl = PropertyValueCodec::findByStreamName(declared, name);
        if (!decl) {
            if (isMethodReference(name, value))
                continue;
            throw StreamError(QStringLiteral("%1 has no property %2").arg(record.className, name));
        }
        decl->set(object, PropertyValueCodec::decode(*decl, value));
    }
}

TGGraphicControl *createObject(const StreamRecord &record, TGBasePanel &panel, const QString &name)
{
    const TGClassRegistry::Entry *entry = TGClassRegistry::find(record.className);
    if (!entry)
        throw StreamError(QStringLiteral("Unknown object class %1").arg(record.className));
    TGGraphicControl *object = entry->create(&panel);
    if (!object)
        throw StreamError(QStringLiteral("Class %1 could not be created").arg(record.className));
    // The stored name is not kept: it may clash with objects already there.
    object->SetName(name);
    panel.AddObject(object);
    return object;
}

} // namespace

StreamRecord ComponentStreamer::RecordOf(const TGGraphicControl &object)
{
    StreamRecord record;
    record.className = object.ClassName();
    record.name = object.Name();
    for (const TPropertyDecl &decl : object.StoredProperties()) {
        if (!decl.mustWrite(object))
            continue;
        const QVariant value = decl.get(object);
        if (PropertyValueCodec::isEmptyValue(decl, value))
            continue;
        record.properties.emplace_back(PropertyValueCodec::streamName(decl),
                                       PropertyValueCodec::encode(decl, value));
    }
    return record;
}

QByteArray ComponentStreamer::WriteContainer(const QList<TGGraphicControl *> &objects)
{
    std::vector<StreamRecord> records;
    records.reserve(objects.size());
    for (const TGGraphicControl *object : objects)
        records.push_back(RecordOf(*object));
    return ComponentStreamWriter::writeContainer(records);
}

QByteArray ComponentStreamer::WriteObjects(const QList<TGGraphicControl *> &objects)
{
    try {
        return WriteContainer(objects);
    } catch (const StreamError &) {
        return QByteArray();
    }
}

bool ComponentStreamer::ReadObjects(const QByteArray &container, TGBasePanel &panel,
                                    const std::function<void(TGGraphicControl &)> &perObject,
                                    QList<TGGraphicControl *> *read)
{
    return Read(container, panel, perObject, read, nullptr);
}

bool ComponentStreamer::Read(const QByteArray &container, TGBasePanel &panel,
                             const std::function<void(TGGraphicControl &)> &perObject,
                             QList<TGGraphicControl *> *read, QString *error)
{
    QList<TGGraphicControl *> created;
    try {
        // The whole container is parsed before any object is made, so a
        // damaged stream creates nothing at all.
        const std::vector<StreamRecord> records = ComponentStreamReader::readContainer(container);
        const QStringList names = panel.UniqueNames(QStringLiteral("Component"), 0, int(records.size()));
        for (size_t i = 0; i < records.size(); ++i) {
            const StreamRecord &record = records[i];
            TGGraphicControl *object = createObject(record, panel, names.at(qsizetype(i)));
            created << object;
            object->SetLoading(true);
            applyProperties(*object, record);
            if (perObject)
                perObject(*object);
        }
    } catch (const StreamError &e) {
        for (TGGraphicControl *object : created)
            panel.FreeObject(object);
        if (read)
            read->clear();
        if (error)
            *error = e.message();
        return false;
    }
    for (TGGraphicControl *object : created) {
        object->SetLoading(false);
        object->Loaded();
    }
    if (read)
        *read = created;
    return true;
}

void installComponentStreamer()
{
    if (TGObjectStreamer::current())
        return;
    TGObjectStreamer::install(std::make_unique<ComponentStreamer>());
}
