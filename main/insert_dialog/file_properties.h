#pragma once

#include "platform/service_slot.h"

#include <QString>

#include <vector>

namespace picrows {

// Asks the desktop to show a file's properties dialog (the file manager's, over D-Bus), without
// error dialogs of its own: a desktop without one shows nothing.
class FileProperties
{
public:
    virtual ~FileProperties();
    virtual void show(const QString& path) = 0;
};

FileProperties& fileProperties();
FileProperties* exchangeFileProperties(FileProperties* properties);
using ScopedFileProperties = platform::ScopedService<FileProperties, &exchangeFileProperties>;

class RecordingFileProperties : public FileProperties
{
public:
    void show(const QString& path) override { shown.push_back(path); }
    std::vector<QString> shown;
};

} // namespace picrows
