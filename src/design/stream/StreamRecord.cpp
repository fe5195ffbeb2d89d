#include "design/stream/StreamRecord.h"

const StreamValue *StreamRecord::find(const QString &propertyName) const
{
    for (const auto &[key, value] : properties) {
        if (key == propertyName)
            return &value;
    }
    return nullptr;
}
