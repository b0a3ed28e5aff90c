#pragma once

#include <QByteArray>
#include <QString>

namespace picrows {

// The first character of `name` that a template book or sheet name may not hold, "" when there
// is none. Names are judged as the Japanese ANSI code page (932, the Shift_JIS of the desktop
// systems that template folders are shared with) writes them:
// - a character written in two bytes is always allowed ("＼", "？" and the like included);
// - a character written in one byte is refused when that byte is a control character
//   (0x00–0x1F) or one of  " * / : < > ? \ |  — this system's own invalid file-name
//   characters ("/" and NUL) together with those of the other desktop systems, so that a
//   template folder can be shared with them, and because the host takes "\" as a path
//   separator too. "¥", which the code page writes as the byte of "\", is refused with it;
// - a character the code page cannot write is allowed: names are stored as UTF-8 here.
// A character outside the Basic Multilingual Plane is judged, and answered, whole.
QString f_ReturnErrCharFromFoldernameOrFilenameSpeal(const QString& name);

// The bytes code page 932 writes a character (a code point) as; empty when it cannot.
QByteArray ansiBytesOf(char32_t character);

} // namespace picrows
