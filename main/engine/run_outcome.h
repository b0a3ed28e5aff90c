#pragma once

#include "host/automation/host_error.h"

#include <QStringList>

#include <optional>

namespace picrows {

// Who shows the cells a selected-cells or click-mode run skipped: the excluded-cell list
// dialog, or the batch command's report. Each entry is an address, a tab and the reason.
class ExclusionListView
{
public:
    virtual ~ExclusionListView();
    virtual void showExclusions(const QStringList& entries) = 0;
};

// A picture file the host would not insert, and why.
struct RefusedFile
{
    QString path;
    QString reason;
};

// What a runner did, for callers that report it themselves (the batch command, tests). The
// runner has already shown every message the user is to see.
struct RunOutcome
{
    QStringList inserted;                 // names of the inserted pictures, in insertion order
    QList<RefusedFile> refused;           // files the host refused, taken off the list
    QStringList ExclusionList;            // the scan's exclusions (selected-cells and click mode)
    int targets = 0;                      // the scan's targets (selected-cells and click mode)
    bool stoppedByUser = false;           // Escape answered Yes, or the trimming dialog cancelled
    std::optional<host::HostError> error; // the host error that ended the run, already reported
};

} // namespace picrows
