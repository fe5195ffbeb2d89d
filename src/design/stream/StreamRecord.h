#pragma once

#include "design/stream/StreamValue.h"

#include <QString>

// One component of a stream: its class name, its component name and its
// properties in stream order (dotted names such as "Font.Height" for nested
// properties). Design objects have no child components.
struct StreamRecord {
    QString className;
    QString name;
    StreamProperties properties;

    // The value of the first property of that name, or null when absent.
    const StreamValue *find(const QString &propertyName) const;

    bool operator==(const StreamRecord &other) const = default;
};
