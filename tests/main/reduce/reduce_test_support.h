#pragma once

#include "host/render/clipboard.h"
#include "host/render/copy_paste.h"
#include "tests/main/engine/engine_host_support.h"
#include "tests/support/image_distance.h"

#include <QImage>
#include <QPainter>

#include <cmath>

namespace reduce_test {

using namespace engine_test;

// Mean distance of two images of one size, 0 (same) to 1.
inline double meanDistance(const QImage& a, const QImage& b)
{
    return test_support::meanLevels(a, b) / 255;
}

// The engine's host (version 12, a clipboard of its own, scripted messages) with pictures of a
// chosen untouched size in points, from small files of a low resolution.
class ReduceTest : public EngineTest
{
protected:
    // A picture file inserted at A1 of the active sheet whose untouched size is w × h points (4
    // points a pixel), drawn as the engine's test pictures are: left half red, right half blue, a
    // green band over the top quarter.
    xl::ShapeRange placePicture(double w, double h, const char* name = "big.png")
    {
        QImage image(int(w / 4), int(h / 4), QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter painter(&image);
        painter.fillRect(image.width() / 2, 0, image.width(), image.height(), Qt::blue);
        painter.fillRect(0, 0, image.width(), image.height() / 4, Qt::green);
        painter.end();
        const QString path = writeImage(image, q(name), "png", 18);
        const xl::Worksheet active = app.ActiveSheet();
        active.Range(q("A1")).Select();
        return active.Pictures().Insert(path).ShapeRange();
    }

    // What a shape shows: the host's copy of it, over white.
    QImage shows(const xl::ShapeBase& shape)
    {
        const host::render::ClipContent copy =
            host::render::copyOfShapes(model(), modelSheet(), {shape.ID()});
        QImage out(copy.bitmap.size(), QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter painter(&out);
        painter.drawImage(0, 0, copy.bitmap);
        return out;
    }
};

} // namespace reduce_test
