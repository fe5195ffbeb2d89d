#pragma once

#include <QString>
#include <QStringList>

// The owner's contact card as a vCard 3.0 text, built from the ten
// personal-information values (Name, Company, Title, Address1-3, Phone1-2,
// Email, Fax). Values are trimmed and empty ones left out, except the name
// lines a vCard must have; lines end in CR LF.
namespace VCard {

QString ContactCard(const QStringList &personal);

// A value escaped for a vCard text: backslash, comma, semicolon, newline.
QString Escape(const QString &value);

} // namespace VCard
