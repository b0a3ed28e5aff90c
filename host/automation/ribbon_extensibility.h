#pragma once

#include <QString>

namespace host {

// An add-in instance that customises the host's ribbon implements this beside
// ComAddInInstance. After connecting it, a host with a ribbon (version 12 and later) asks it
// once per ribbon load for its markup and then calls the markup's callbacks by name on the
// add-in's published object (the record's Object): onLoad with the ribbon object (Invalidate,
// InvalidateControl), loadImage with an image name, the get… callbacks and onAction with a
// ribbon control (Id, Tag). Picture results are host::PictureDisp objects.
class RibbonExtensibility
{
public:
    virtual ~RibbonExtensibility() = default;

    // The markup text, or an empty text for no customisation.
    virtual QString GetCustomUI(const QString& ribbonId) = 0;
};

} // namespace host
