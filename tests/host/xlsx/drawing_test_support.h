#pragma once

#include "host/model/drawing.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace host::model {
struct Workbook;
}

// Drawings for the drawing tests: sample shapes, model comparisons and hostile packages.
namespace drawingtest {

// A PNG of the given pixel size (96 dpi), probed as the host keeps pictures.
host::imaging::EncodedImage pngPicture(int width, int height);
// A picture at 100 % of its untouched size, placement 1.
host::model::Shape samplePicture(int id, double left, double top);
// Pictures with crops (one negative), rotation, flips and adjustments; a text box with
// Japanese text and a font; a group of a picture and a text box.
void buildSampleDrawing(host::model::Drawing& drawing, const host::model::Workbook& book);

// The drawings hold the same shapes; `rebuilt` compares only what a rebuilt element keeps.
void expectSameDrawing(const host::model::Drawing& actual, const host::model::Drawing& expected,
                       double tolerance, bool rebuilt = true);
// Every picture of `source` is in `saved` with the same bytes, and media parts of the same name
// are byte-identical.
void expectMediaKept(const QString& source, const QString& saved);
// The entries of `a` under the prefixes are in `b` unchanged, compressed data included.
void expectEntriesIdentical(const QString& a, const QString& b, const QStringList& prefixes);
void markDirty(std::vector<host::model::Shape>& shapes);

// The corpus workbooks with a drawing or comments part, and a test name for one.
std::vector<QString> corpusWithDrawings();
std::string testName(const QString& path);

// A one-sheet package (A1 = 42) whose sheet has a drawing holding `anchors`, whose rId1 points
// at `target` (relative to the drawing part); xl/media/image1.png is a real picture.
std::vector<std::pair<QString, QByteArray>> packageWithDrawing(const QByteArray& anchors,
                                                               const QByteArray& target);
QByteArray picElement(const QByteArray& srcRect);
QByteArray picAnchor(const QByteArray& srcRect);

} // namespace drawingtest
