#pragma once

#include <QString>
#include <QStringList>

namespace xl {
class Application;
}

namespace picrows {

// Expands a paste-info template for one picture file. The keywords (letter case as written,
// every occurrence) are replaced in this order: [FULLPATH]; [FOLDERNAME] (up to and including
// the last separator); [FILENAME1] (the name with its extension); [FILENAME2] (the whole path
// without its last "." and what follows); then [FILEDATECREATED], …_DATE, …_TIME,
// [FILEDATELASTACCESSED]…, [FILEDATELASTMODIFIED]…, each the file's date as its default text;
// [SHOOTINGDATE], …_DATE, …_TIME, when the photograph was taken (EXIF DateTimeOriginal, else
// DateTimeDigitized), or the file's modification date when its metadata has neither.
//
// A template that starts with "=" is a formula: every replacement becomes a string literal
// (wrapped in double quotes; [FILENAME2] gets only the opening one) and the host evaluates the
// result. When the host answers a value that converts to text, that text is the answer;
// otherwise the formula text itself is.
// Every keyword a template may hold, in the order they are replaced.
QStringList pasteInfoKeywords();

QString f_GetPasteInfoText(const xl::Application& app, const QString& path,
                           const QString& templateText);

} // namespace picrows
