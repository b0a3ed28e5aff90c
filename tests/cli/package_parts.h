#pragma once

#include <QByteArray>
#include <QString>

#include <map>

namespace clitest {

// Every part of a zip package by name with its uncompressed bytes; throws std::runtime_error
// when the file is no readable zip.
std::map<QString, QByteArray> readParts(const QString& path);

} // namespace clitest
