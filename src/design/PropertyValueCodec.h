#pragma once

#include "design/Properties.h"
#include "design/stream/StreamValue.h"

#include <QString>
#include <QVariant>

// Turns a declared property's value into the stream value card documents
// hold and back. Each property type has one encoding: integers in the
// smallest integer tag, colours and character sets as identifiers when they
// have a name, enumerations as identifiers, sets as sets, strings in the
// narrowest string tag that keeps the text, floats as extended, pictures and
// bitmaps as binary "<Name>.Data", string lists as a list "<Name>.Strings".
// Decoding is strict: a value of the wrong kind or an unknown identifier
// throws StreamError, so a damaged document fails to open instead of
// silently taking defaults.
namespace PropertyValueCodec {

// The property's name in a stream ("Picture.Data", "Lines.Strings", "Left").
QString streamName(const TPropertyDecl &decl);

// The declaration a stream property name stands for (letter case ignored);
// null when the class has no such property.
const TPropertyDecl *findByStreamName(const TPropertyList &list, const QString &name);

// True when the value has nothing to store: a picture or bitmap without a
// graphic, or an empty string list.
bool isEmptyValue(const TPropertyDecl &decl, const QVariant &value);

StreamValue encode(const TPropertyDecl &decl, const QVariant &value);
QVariant decode(const TPropertyDecl &decl, const StreamValue &value);

} // namespace PropertyValueCodec
