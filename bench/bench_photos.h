#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The inputs the insertion benchmarks share: 12-megapixel photographs made once in a work
// folder that later runs reuse, and a workbook whose block of cells takes one each.
namespace bench {

inline constexpr int kPhotoWidth = 4000;
inline constexpr int kPhotoHeight = 3000;
inline constexpr int kColumns = 10;           // the block is 10 cells wide, as many rows as needed
inline constexpr double kCellWidth = 150;     // points
inline constexpr double kCellHeight = 100;    // points
inline constexpr double kColumnChars = 27.86; // 200 pixels: 150 points

// A photograph's worth of detail: smooth colour fields with shapes and fine noise, so the
// entropy-coded data is as large as a camera's at quality 90.
QByteArray photograph(int seed);
QString photoPath(const QString& folder, int i);
// Makes the photographs that are not there yet, on every core.
// With `distinct` below `count`, only the first `distinct` are drawn; the others are copies of
// them, each with a comment of its own (another file, the same work to decode).
void makePhotos(const QString& folder, int count, int distinct = 0);
// The floor: every photograph read and decoded once, on one core, at 1/denominator of its
// size (libjpeg-turbo's scaled decoding); seconds.
double decodeFloor(const QStringList& photos, int denominator);
// The block of cells `count` photographs fill, from B2.
QString blockAddress(int count);
// A workbook whose block of cells is 150 x 100 points each.
void makeTemplate(const QString& path, int count);

} // namespace bench
