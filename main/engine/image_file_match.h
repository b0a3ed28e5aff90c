#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace picrows {

// The picture formats the host can insert, as extensions in upper case without the dot, in
// the order they are tested: the 35 of the host's picture filters, then HEIC, HEIF, AVIF and
// WEBP. The one list the matching and the file dialog's "すべての図" entry are made from.
const QStringList& acceptedImageExtensions();

// True when the text after the last "." of the name (a file name or a full path) is one of
// the accepted extensions, compared in upper case. The file need not exist.
bool f_MatchImageFile(const QString& name);

// One entry of the open-file dialog's filter: its description and its patterns ("*.emf").
struct FileFilterEntry
{
    QString description;
    QStringList patterns;
};

// The 25 entries of the picture file dialog's filter, "すべての図" first (the one preselected)
// and "すべてのファイル (*.*)" last.
const std::vector<FileFilterEntry>& imageFileFilterEntries();

// The same filter in the common file dialog's syntax: description and pattern list of each
// entry, everything separated by "|", patterns of one entry by ";".
QString imageFileDialogFilter();

} // namespace picrows
