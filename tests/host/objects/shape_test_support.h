#pragma once

#include "tests/host/objects/objects_support.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>

namespace objects_test {

// A host with one workbook whose first sheet is active, plus ways to put shapes on it: a
// picture of a given untouched size straight into the drawing model, or picture files written
// with QImage into a temporary folder.
class ShapeTest : public HostTest
{
protected:
    host::model::Drawing& drawing(int sheet = 0) { return modelSheet(sheet).drawing; }
    xl::Shapes shapes(int sheet = 1) const { return this->sheet(sheet).Shapes(); }
    xl::Pictures pictures(int sheet = 1) const { return this->sheet(sheet).Pictures(); }

    // A picture of untouched size uw × uh points shown at 100 % at (left, top), added as a
    // loaded workbook would hold it. Answers its Shape.
    xl::Shape modelPicture(double uw, double uh, double left = 0, double top = 0,
                           const char* name = nullptr)
    {
        host::model::Drawing& d = drawing();
        host::model::Shape shape;
        shape.id = d.takeId();
        shape.name = name ? q(name) : QStringLiteral("Picture ") + QString::number(shape.id);
        shape.kind = host::model::ShapeKind::Picture;
        shape.left = left;
        shape.top = top;
        shape.width = uw;
        shape.height = uh;
        host::model::PictureData data;
        data.untouchedWidth = uw;
        data.untouchedHeight = uh;
        shape.picture = data;
        shape.dirty = false;
        d.shapes.push_back(shape);
        return shapes().Item(shape.name);
    }

    // A cell comment at the end of the drawing, as the reader leaves it.
    void modelComment(int row, int column)
    {
        host::model::Drawing& d = drawing();
        host::model::Shape shape;
        shape.id = d.takeId();
        shape.name = QStringLiteral("Comment ") + QString::number(shape.id);
        shape.kind = host::model::ShapeKind::Comment;
        shape.commentRow = row;
        shape.commentColumn = column;
        shape.width = 100;
        shape.height = 60;
        d.shapes.push_back(shape);
    }

    // The image written as `format` with the given resolution into the temporary folder.
    QString writeImage(const QImage& image, const QString& fileName, const char* format,
                       double dpi = 96)
    {
        QImage copy = image;
        const int dpm = int(std::lround(dpi / 0.0254));
        copy.setDotsPerMeterX(dpm);
        copy.setDotsPerMeterY(dpm);
        const QString path = m_dir.filePath(fileName);
        EXPECT_TRUE(copy.save(path, format)) << fileName.toStdString();
        return path;
    }

    QString writeBytes(const QByteArray& bytes, const QString& fileName)
    {
        const QString path = m_dir.filePath(fileName);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QImage solid(int width, int height, QColor colour = Qt::darkCyan)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    // A picture file inserted at the active cell.
    xl::Picture insertPicture(int width = 40, int height = 30)
    {
        const QString path =
            writeImage(solid(width, height), QStringLiteral("p%1.png").arg(++m_files), "PNG");
        return pictures().Insert(path);
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

} // namespace objects_test
