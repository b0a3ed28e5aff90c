#pragma once

#include "host/automation/variant.h"

#include <QString>

namespace ribbon_addin {

// A picture object made from the add-in's PNG resource `name` of type `type`, through a
// temporary file (prefix "TORVA") that is gone again when this returns. Raises host error 481
// "ピクチャが不正です。" when the bytes make no picture; a temporary file that cannot be made
// raises after the temporary-file service's own message.
host::ObjectRef F_LoadResPNGPicture(const QString& name, const QString& type);

} // namespace ribbon_addin
