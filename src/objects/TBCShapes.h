#pragma once

#include "objects/TGLabelShapes.h"

// The shape the card's rectangle, ellipse and rounded-rectangle tools create.
class TBCShapes : public TGLabelShapes
{
    Q_OBJECT
public:
    explicit TBCShapes(QObject *owner = nullptr) : TGLabelShapes(owner) {}

    static const TPropertyList &properties() { return TGLabelShapes::properties(); }
    const TPropertyList &StoredProperties() const override { return properties(); }
};
