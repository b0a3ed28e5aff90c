#pragma once

#include <QString>

namespace ribbon_addin {

// What the ribbon shows and does for one control of the add-in's markup.
struct RibbonEntry
{
    int label = 0;                   // string-table id, 0 for none
    int screentip = 0;               // string-table id, 0 for none
    int supertip = 0;                // string-table id, 0 for none
    const char* hostImage = nullptr; // the host's built-in image of that name
    const char* pngImage = nullptr;  // the add-in's own PNG resource of that name
    const char* action = nullptr;    // the bridge method a press calls
    bool hostGroupLabel = false;     // the label is the host's own label of GroupPictureSize
};

// The control ids of the markup all start with this; the table leaves it out.
inline constexpr const char* kIdPrefix = "TORVA_PICROW_TAB_";

// The entry of a control id (with or without the prefix); none for an id outside the table.
const RibbonEntry* ribbonEntry(const QString& controlId);

// The string-table text of an id; empty for an id the table lacks.
QString ribbonString(int id);

} // namespace ribbon_addin
