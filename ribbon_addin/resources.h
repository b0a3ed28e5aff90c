#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace ribbon_addin {

// The add-in's own resources, compiled into the library: a resource's bytes by name and
// type ("CUSTOMUI2016", "XML"; "PNG_ICON_SAVEPIC", "PNG"), empty for none; and the string
// table by id.
QByteArray resourceBytes(const QString& name, const QString& type);
const QHash<int, QString>& stringTable();

// Tests put another resource in place of one of the add-in's (empty bytes: back to the
// add-in's own).
void overrideResource(const QString& name, const QString& type, const QByteArray& bytes);

} // namespace ribbon_addin
