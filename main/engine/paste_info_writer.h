#pragma once

#include <QSizeF>
#include <QString>

namespace xl {
class Application;
class Picture;
class Range;
} // namespace xl

namespace picrows {

struct RunOptions;

// The size in points a text box starts with for `text`: its extent in the desktop's default
// font at 96 dpi, plus 2, rounded to 4 decimals. The host fits the box to its own font after.
QSizeF measurePasteInfoText(const QString& text);

// Writes the paste-info text of `path` for a placed picture, by the options: into the cell at
// the offset from `target` (asking before overwriting a cell that holds something), or into a
// borderless text box in the picture's corner or centre, grouped with it when asked. The
// picture stays a picture of its own for the caller even when grouped.
void s_WritePasteInfo(const xl::Application& app, const RunOptions& options, const QString& path,
                      const xl::Picture& picture, const xl::Range& target);

} // namespace picrows
