#pragma once

#include "host/automation/picture_disp.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace host::objects {

// The host's built-in control images and labels, named as the ribbon markup names them
// (imageMso, idMso). The pictures come from the desktop's Adwaita icon theme, installed with
// the host; each built-in name maps onto one icon of that theme.

// The image of a built-in name at width×height pixels; null for a name the host does not
// know or when the theme's file is missing.
QImage builtInImage(const QString& idMso, int width, int height);
// The label of a built-in control, group or tab; empty for a name the host does not know.
QString builtInLabel(const QString& idMso);
// Every built-in name that has an image.
QStringList builtInImageNames();

// CommandBars.GetImageMso: the picture object, or host error 5 for an unknown name or a size
// outside 1…256.
ObjectRef getImageMso(const QString& idMso, int width, int height);
// CommandBars.GetLabelMso: the label, or host error 5 for an unknown name.
QString getLabelMso(const QString& idMso);

} // namespace host::objects
