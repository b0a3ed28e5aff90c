#include "tests/host/xlsx/drawing_test_support.h"

#include "tests/host/xlsx/xlsx_test_support.h"

#include "host/model/workbook.h"
#include "host/xlsx/xlsx_io.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <set>

namespace drawingtest {

using host::model::Shape;
using host::model::ShapeKind;

host::imaging::EncodedImage pngPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780); // 96 dpi: the untouched size is 0.75 point a pixel
    image.setDotsPerMeterY(3780);
    image.fill(qRgb(200, 60, 40));
    for (int y = 0; y < height / 2; ++y) {
        for (int x = 0; x < width / 2; ++x)
            image.setPixel(x, y, qRgb(20, 40, 160));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return host::imaging::probePicture(bytes);
}

Shape samplePicture(int id, double left, double top)
{
    Shape s;
    s.id = id;
    s.name = QStringLiteral("図 %1").arg(id);
    s.kind = ShapeKind::Picture;
    host::model::PictureData p;
    p.image = pngPicture(160, 120);
    p.untouchedWidth = p.image.untouchedSize().width();
    p.untouchedHeight = p.image.untouchedSize().height();
    s.picture = p;
    s.left = left;
    s.top = top;
    s.width = p.untouchedWidth;
    s.height = p.untouchedHeight;
    return s;
}

void buildSampleDrawing(host::model::Drawing& drawing, const host::model::Workbook&)
{
    Shape cropped = samplePicture(drawing.takeId(), 20.25, 10.5);
    cropped.description = QStringLiteral("説明");
    host::model::PictureData& p = *cropped.picture;
    p.cropLeft = 12;
    p.cropTop = -9; // an empty margin above
    p.cropRight = 6;
    p.cropBottom = 4.5;
    p.brightness = 0.7;
    p.contrast = 0.4;
    cropped.width = (120 - 12 - 6) * 1.5;
    cropped.height = (90 + 9 - 4.5) * 1.5;
    cropped.rotation = 30;
    drawing.shapes.push_back(cropped);

    Shape turned = samplePicture(drawing.takeId(), 200, 150);
    turned.rotation = 90;
    turned.flipH = true;
    turned.placement = host::model::Placement::Move;
    turned.anchor = host::model::AnchorKind::OneCell;
    turned.picture->colorType = 2;
    turned.width = 160;
    drawing.shapes.push_back(turned);

    Shape box;
    box.id = drawing.takeId();
    box.kind = ShapeKind::TextBox;
    box.name = QStringLiteral("テキスト ボックス %1").arg(box.id);
    box.lockAspectRatio = false;
    box.left = 330;
    box.top = 40;
    box.width = 150;
    box.height = 60;
    box.placement = host::model::Placement::FreeFloating;
    box.anchor = host::model::AnchorKind::Absolute;
    box.fillVisible = true;
    box.fillColor = qRgb(255, 255, 204);
    box.lineVisible = true;
    box.lineWeight = 1.5;
    host::model::TextBody body;
    body.text = QStringLiteral("写真の説明です\n二行目 ");
    body.font.name = QStringLiteral("Noto Sans CJK JP");
    body.font.size = 14;
    body.font.bold = true;
    body.font.underline = true;
    body.font.colorIndex = 3; // red on the default palette
    body.horizontalAlignment = host::model::kAlignCenter;
    body.verticalAlignment = host::model::kAlignCenter;
    body.marginLeft = 3.6;
    body.autoSize = true;
    body.lineSpacing = 0.8;
    box.text = body;
    drawing.shapes.push_back(box);

    Shape group;
    group.id = drawing.takeId();
    group.kind = ShapeKind::Group;
    group.name = QStringLiteral("グループ化 %1").arg(group.id);
    group.left = 40;
    group.top = 200;
    group.width = 250;
    group.height = 100;
    Shape member = samplePicture(drawing.takeId(), 40, 200);
    member.picture->colorType = 4;
    member.picture->brightness = 0.85;
    member.picture->contrast = 0.15;
    member.width = 100;
    member.height = 75;
    group.members.push_back(member);
    Shape caption = box;
    caption.id = drawing.takeId();
    caption.name = QStringLiteral("テキスト ボックス %1").arg(caption.id);
    caption.left = 150;
    caption.top = 260;
    caption.width = 140;
    caption.height = 40;
    caption.text->text = QStringLiteral("キャプション");
    caption.text->font.subscript = true;
    caption.text->font.bold = false;
    caption.text->font.colorIndex = 0;
    caption.text->font.color = qRgb(18, 52, 86);
    caption.placement = group.placement;
    caption.anchor = group.anchor;
    group.members.push_back(caption);
    drawing.shapes.push_back(group);
}

namespace {

void expectSameShape(const Shape& a, const Shape& e, double tol, bool rebuilt)
{
    SCOPED_TRACE(e.name.toStdString());
    EXPECT_EQ(a.kind, e.kind);
    EXPECT_EQ(a.name, e.name);
    EXPECT_EQ(a.id, e.id);
    EXPECT_NEAR(a.left, e.left, tol);
    EXPECT_NEAR(a.top, e.top, tol);
    EXPECT_NEAR(a.width, e.width, tol);
    EXPECT_NEAR(a.height, e.height, tol);
    EXPECT_NEAR(a.rotation, e.rotation, 1e-6);
    EXPECT_EQ(a.flipH, e.flipH);
    EXPECT_EQ(a.flipV, e.flipV);
    EXPECT_EQ(a.placement, e.placement);
    EXPECT_EQ(a.hidden, e.hidden);
    EXPECT_EQ(a.description, e.description);
    if (e.kind == ShapeKind::Comment) {
        EXPECT_EQ(a.commentRow, e.commentRow);
        EXPECT_EQ(a.commentColumn, e.commentColumn);
        return;
    }
    const bool modelled =
        e.kind == ShapeKind::Picture || e.kind == ShapeKind::TextBox || e.kind == ShapeKind::Group;
    if (!modelled && rebuilt)
        return;
    EXPECT_EQ(a.lockAspectRatio, e.lockAspectRatio);
    EXPECT_EQ(a.fillVisible, e.fillVisible);
    EXPECT_EQ(a.lineVisible, e.lineVisible);
    if (e.fillVisible && a.fillVisible) {
        EXPECT_EQ(a.fillColor & 0xffffff, e.fillColor & 0xffffff);
    }
    if (e.lineVisible && a.lineVisible) {
        EXPECT_NEAR(a.lineWeight, e.lineWeight, 1e-4);
    }
    ASSERT_EQ(bool(a.picture), bool(e.picture));
    if (e.picture) {
        const auto& pa = *a.picture;
        const auto& pe = *e.picture;
        EXPECT_EQ(pa.image.key, pe.image.key);
        EXPECT_NEAR(pa.untouchedWidth, pe.untouchedWidth, 1e-6);
        EXPECT_NEAR(pa.untouchedHeight, pe.untouchedHeight, 1e-6);
        EXPECT_NEAR(pa.cropLeft, pe.cropLeft, 1e-3);
        EXPECT_NEAR(pa.cropTop, pe.cropTop, 1e-3);
        EXPECT_NEAR(pa.cropRight, pe.cropRight, 1e-3);
        EXPECT_NEAR(pa.cropBottom, pe.cropBottom, 1e-3);
        EXPECT_NEAR(pa.brightness, pe.brightness, 1e-5);
        EXPECT_NEAR(pa.contrast, pe.contrast, 1e-5);
        EXPECT_EQ(pa.colorType, pe.colorType);
    }
    ASSERT_EQ(bool(a.text), bool(e.text));
    if (e.text) {
        const auto& ta = *a.text;
        const auto& te = *e.text;
        EXPECT_EQ(ta.text, te.text);
        EXPECT_EQ(ta.font.name, te.font.name);
        EXPECT_NEAR(ta.font.size, te.font.size, 1e-6);
        EXPECT_EQ(ta.font.colorIndex, te.font.colorIndex);
        if (te.font.colorIndex == 0) {
            EXPECT_EQ(ta.font.color & 0xffffff, te.font.color & 0xffffff);
        }
        EXPECT_EQ(ta.font.bold, te.font.bold);
        EXPECT_EQ(ta.font.italic, te.font.italic);
        EXPECT_EQ(ta.font.underline, te.font.underline);
        EXPECT_EQ(ta.font.strikethrough, te.font.strikethrough);
        EXPECT_EQ(ta.font.superscript, te.font.superscript);
        EXPECT_EQ(ta.font.subscript, te.font.subscript);
        EXPECT_EQ(ta.horizontalAlignment, te.horizontalAlignment);
        EXPECT_EQ(ta.verticalAlignment, te.verticalAlignment);
        EXPECT_EQ(ta.orientation, te.orientation);
        EXPECT_EQ(ta.autoSize, te.autoSize);
        EXPECT_NEAR(ta.lineSpacing, te.lineSpacing, 1e-6);
        EXPECT_NEAR(ta.marginLeft, te.marginLeft, 1e-4);
        EXPECT_NEAR(ta.marginTop, te.marginTop, 1e-4);
        EXPECT_NEAR(ta.marginRight, te.marginRight, 1e-4);
        EXPECT_NEAR(ta.marginBottom, te.marginBottom, 1e-4);
    }
    ASSERT_EQ(a.members.size(), e.members.size());
    for (std::size_t i = 0; i < e.members.size(); ++i)
        expectSameShape(a.members[i], e.members[i], tol, rebuilt);
}

void collectKeys(const std::vector<Shape>& shapes, std::set<QByteArray>& keys)
{
    for (const Shape& s : shapes) {
        if (s.picture && !s.picture->image.isNull())
            keys.insert(s.picture->image.key);
        collectKeys(s.members, keys);
    }
}

} // namespace

void expectSameDrawing(const host::model::Drawing& actual, const host::model::Drawing& expected,
                       double tolerance, bool rebuilt)
{
    ASSERT_EQ(actual.shapes.size(), expected.shapes.size());
    for (std::size_t i = 0; i < expected.shapes.size(); ++i)
        expectSameShape(actual.shapes[i], expected.shapes[i], tolerance, rebuilt);
    for (const Shape& s : actual.shapes)
        EXPECT_FALSE(s.dirty);
}

void expectMediaKept(const QString& source, const QString& saved)
{
    const auto a = host::xlsx::load(source);
    const auto b = host::xlsx::load(saved);
    std::set<QByteArray> before, after;
    for (const auto& s : a->sheets)
        collectKeys(s->drawing.shapes, before);
    for (const auto& s : b->sheets)
        collectKeys(s->drawing.shapes, after);
    for (const QByteArray& key : before)
        EXPECT_TRUE(after.count(key)) << "a picture was lost";
    expectEntriesIdentical(source, saved, {QStringLiteral("xl/media/")});
}

void expectEntriesIdentical(const QString& a, const QString& b, const QStringList& prefixes)
{
    const auto left = xlsxtest::readZipByName(a);
    const auto right = xlsxtest::readZipByName(b);
    for (const auto& [name, entry] : left) {
        bool wanted = false;
        for (const QString& p : prefixes)
            wanted = wanted || name.startsWith(p);
        if (!wanted)
            continue;
        const auto found = right.find(name);
        if (found == right.end()) {
            ADD_FAILURE() << "missing " << name.toStdString();
            continue;
        }
        EXPECT_EQ(found->second.data, entry.data) << name.toStdString();
        EXPECT_EQ(found->second.compressedSize, entry.compressedSize) << name.toStdString();
    }
}

void markDirty(std::vector<Shape>& shapes)
{
    for (Shape& s : shapes) {
        s.dirty = true;
        markDirty(s.members);
    }
}

std::vector<QString> corpusWithDrawings()
{
    std::vector<QString> out;
    for (const QString& path : xlsxtest::corpusWorkbooks()) {
        for (const xlsxtest::ZipEntry& e : xlsxtest::readZip(path)) {
            if (e.name.startsWith(u"xl/drawings/drawing") || e.name.contains(u"comments")) {
                out.push_back(path);
                break;
            }
        }
    }
    return out;
}

std::string testName(const QString& path)
{
    std::string name = path.section(u'/', -1).toStdString();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

QByteArray picElement(const QByteArray& srcRect)
{
    return "<xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"2\" name=\"Picture 1\"/><xdr:cNvPicPr/>"
           "</xdr:nvPicPr><xdr:blipFill><a:blip r:embed=\"rId1\"/>" +
           srcRect +
           "<a:stretch><a:fillRect/></a:stretch></xdr:blipFill><xdr:spPr><a:xfrm>"
           "<a:off x=\"0\" y=\"0\"/><a:ext cx=\"1270000\" cy=\"635000\"/></a:xfrm>"
           "<a:prstGeom prst=\"rect\"/></xdr:spPr></xdr:pic>";
}

QByteArray picAnchor(const QByteArray& srcRect)
{
    return "<xdr:twoCellAnchor><xdr:from><xdr:col>1</xdr:col><xdr:colOff>0</xdr:colOff>"
           "<xdr:row>1</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to><xdr:col>3</xdr:col>"
           "<xdr:colOff>0</xdr:colOff><xdr:row>5</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:to>" +
           picElement(srcRect) + "<xdr:clientData/></xdr:twoCellAnchor>";
}

std::vector<std::pair<QString, QByteArray>> packageWithDrawing(const QByteArray& anchors,
                                                               const QByteArray& target)
{
    auto parts = xlsxtest::minimalPackage("<row r=\"1\"><c r=\"A1\"><v>42</v></c></row>");
    for (auto& [name, data] : parts) {
        if (name == u"xl/worksheets/sheet1.xml")
            data = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                   "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                   "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                   "relationships\"><sheetData><row r=\"1\"><c r=\"A1\"><v>42</v></c></row>"
                   "</sheetData><drawing r:id=\"rId1\"/></worksheet>";
        if (name == u"[Content_Types].xml")
            data.replace(
                "</Types>",
                "<Default Extension=\"png\" ContentType=\"image/png\"/>"
                "<Override PartName=\"/xl/drawings/drawing1.xml\" ContentType=\"application/"
                "vnd.openxmlformats-officedocument.drawing+xml\"/></Types>");
    }
    const QByteArray relsHead =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    parts.emplace_back(QStringLiteral("xl/worksheets/_rels/sheet1.xml.rels"),
                       relsHead +
                           "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
                           "officeDocument/2006/relationships/drawing\" "
                           "Target=\"../drawings/drawing1.xml\"/></Relationships>");
    parts.emplace_back(
        QStringLiteral("xl/drawings/drawing1.xml"),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><xdr:wsDr "
        "xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" "
        "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">" +
            anchors + "</xdr:wsDr>");
    parts.emplace_back(QStringLiteral("xl/drawings/_rels/drawing1.xml.rels"),
                       relsHead +
                           "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
                           "officeDocument/2006/relationships/image\" Target=\"" +
                           target + "\"/></Relationships>");
    parts.emplace_back(QStringLiteral("xl/media/image1.png"), pngPicture(40, 30).bytes);
    return parts;
}

} // namespace drawingtest
