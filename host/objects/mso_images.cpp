#include "host/objects/mso_images.h"

#include "host/automation/host_error.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

namespace host::objects {

namespace {

struct BuiltIn
{
    const char* icon;  // Adwaita's "<context>/<name>", empty for a label only
    const char* label; // UTF-8
};

const QHash<QString, BuiltIn>& builtIns()
{
    static const QHash<QString, BuiltIn> table = [] {
        QHash<QString, BuiltIn> t;
        const auto add = [&t](const char* name, const char* icon, const char* label) {
            t.insert(QString::fromLatin1(name).toLower(), BuiltIn{icon, label});
        };
        add("PhotoAlbumInsert", "actions/insert-image", "フォト アルバム");
        add("PictureInsertFromFile", "actions/insert-image", "画像");
        add("HappyFace", "emotes/face-smile", "スマイル");
        add("FileCheckIn", "actions/document-open", "チェックイン");
        add("FileCheckOut", "actions/document-save", "チェックアウト");
        add("PictureCrop", "actions/edit-cut", "トリミング");
        add("PictureCropTools", "actions/edit-cut", "トリミング");
        add("OpenStartPage", "actions/go-home", "スタート ページを開く");
        add("ContentsAndIndex", "legacy/help-browser", "目次とキーワード");
        add("Info", "status/dialog-information", "情報");
        add("Delete", "actions/edit-delete", "削除");
        add("ShapeHeight", "actions/object-flip-vertical", "高さ");
        add("ShapeWidth", "actions/object-flip-horizontal", "幅");
        add("ObjectSizeAndPropertiesDialog", "actions/document-properties", "サイズとプロパティ");
        add("PictureReset", "actions/view-restore", "図のリセット");
        add("Paste", "actions/edit-paste", "貼り付け");
        add("Copy", "actions/edit-copy", "コピー");
        add("Cut", "actions/edit-cut", "切り取り");
        add("FileNew", "actions/document-new", "新規");
        add("FileOpen", "actions/document-open", "開く");
        add("FileSave", "actions/document-save", "上書き保存");
        add("Bold", "actions/format-text-bold", "太字");
        add("GroupPictureSize", "", "サイズ");
        add("GroupFile", "", "ファイル");
        add("GroupIllustrations", "", "図");
        add("GroupFont", "", "フォント");
        add("TabHome", "", "ホーム");
        add("TabInsert", "", "挿入");
        add("TabAddIns", "", "アドイン");
        add("TabSetPictureTools", "", "図ツール");
        add("TabPictureToolsFormat", "", "書式");
        return t;
    }();
    return table;
}

// The theme's file nearest above the wanted size; the theme ships 16, 24, 32, 48 and 64.
QString themeFile(const QString& icon, int size)
{
    static const int sizes[] = {16, 24, 32, 48, 64};
    int chosen = 64;
    for (const int s : sizes)
        if (s >= size) {
            chosen = s;
            break;
        }
    const QString relative =
        QStringLiteral("icons/Adwaita/%1x%1/%2-symbolic.symbolic.png").arg(chosen).arg(icon);
    const QString found = QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative);
    if (!found.isEmpty())
        return found;
    const QString fallback = QStringLiteral("/usr/share/") + relative;
    return QFileInfo::exists(fallback) ? fallback : QString();
}

} // namespace

QImage builtInImage(const QString& idMso, int width, int height)
{
    const auto it = builtIns().constFind(idMso.toLower());
    if (it == builtIns().cend() || !*it->icon || width <= 0 || height <= 0)
        return {};
    const QString file = themeFile(QString::fromLatin1(it->icon), qMax(width, height));
    QImage image(file);
    if (image.isNull())
        return {};
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (image.size() != QSize(width, height))
        image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

QString builtInLabel(const QString& idMso)
{
    const auto it = builtIns().constFind(idMso.toLower());
    return it == builtIns().cend() ? QString() : QString::fromUtf8(it->label);
}

QStringList builtInImageNames()
{
    QStringList names;
    for (auto it = builtIns().cbegin(); it != builtIns().cend(); ++it)
        if (*it->icon)
            names.push_back(it.key());
    return names;
}

ObjectRef getImageMso(const QString& idMso, int width, int height)
{
    if (width < 1 || height < 1 || width > 256 || height > 256)
        raise(err::InvalidCall);
    const QImage image = builtInImage(idMso, width, height);
    if (image.isNull())
        raise(err::InvalidCall);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::make_shared<PictureDisp>(std::move(png), width, height);
}

QString getLabelMso(const QString& idMso)
{
    const QString label = builtInLabel(idMso);
    if (label.isEmpty())
        raise(err::InvalidCall);
    return label;
}

} // namespace host::objects
