#include "main/engine/image_file_match.h"

namespace picrows {

const QStringList& acceptedImageExtensions()
{
    static const QStringList extensions = {
        QStringLiteral("EMF"),  QStringLiteral("WMF"),  QStringLiteral("JPG"),
        QStringLiteral("JPEG"), QStringLiteral("JFIF"), QStringLiteral("JPE"),
        QStringLiteral("PNG"),  QStringLiteral("BMP"),  QStringLiteral("DIB"),
        QStringLiteral("RLE"),  QStringLiteral("BMZ"),  QStringLiteral("GIF"),
        QStringLiteral("GFA"),  QStringLiteral("EMZ"),  QStringLiteral("WMZ"),
        QStringLiteral("PCZ"),  QStringLiteral("PCT"),  QStringLiteral("PIC"),
        QStringLiteral("PICT"), QStringLiteral("TIF"),  QStringLiteral("TIFF"),
        QStringLiteral("PCD"),  QStringLiteral("PCX"),  QStringLiteral("CGM"),
        QStringLiteral("EPS"),  QStringLiteral("FPX"),  QStringLiteral("JAH"),
        QStringLiteral("JBH"),  QStringLiteral("JSH"),  QStringLiteral("MIX"),
        QStringLiteral("WPG"),  QStringLiteral("DRW"),  QStringLiteral("DXF"),
        QStringLiteral("TGA"),  QStringLiteral("CDR"),  QStringLiteral("HEIC"),
        QStringLiteral("HEIF"), QStringLiteral("AVIF"), QStringLiteral("WEBP"),
    };
    return extensions;
}

bool f_MatchImageFile(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    return acceptedImageExtensions().contains(name.mid(dot + 1).toUpper());
}

const std::vector<FileFilterEntry>& imageFileFilterEntries()
{
    static const std::vector<FileFilterEntry> entries = [] {
        const auto entry = [](const char* description, const char* patterns) {
            return FileFilterEntry{QString::fromUtf8(description),
                                   QString::fromUtf8(patterns).split(u';')};
        };
        QStringList all;
        for (const QString& ext : acceptedImageExtensions())
            all << QStringLiteral("*.") + ext.toLower();
        std::vector<FileFilterEntry> list;
        list.push_back({QStringLiteral("すべての図 (") + all.join(u';') + u')', all});
        list.push_back(entry("拡張メタファイル (*.emf)", "*.emf"));
        list.push_back(entry("Windows メタファイル (*.wmf)", "*.wmf"));
        list.push_back(entry("JPEG 形式 (*.jpg;*.jpeg;*.jfif;*.jpe)", "*.jpg;*.jpeg;*.jfif;*.jpe"));
        list.push_back(entry("PNG 形式 (*.png)", "*.png"));
        list.push_back(
            entry("Windows ビットマップ (*.bmp;*.dib;*.rle;*.bmz)", "*.bmp;*.dib;*.rle;*.bmz"));
        list.push_back(entry("GIF 形式 (*.gif;*.gfa)", "*.gif;*.gfa"));
        list.push_back(entry("圧縮 Windows 拡張メタファイル (*.emz)", "*.emz"));
        list.push_back(entry("圧縮 Windows メタファイル (*.wmz)", "*.wmz"));
        list.push_back(entry("圧縮 Macintosh PICT ファイル (*.pcz)", "*.pcz"));
        list.push_back(entry("PICT形式 (*.pct;*.pic;*.pict)", "*.pct;*.pic;*.pict"));
        list.push_back(entry("TIFF形式 (*.tif;*.tiff)", "*.tif;*.tiff"));
        list.push_back(entry("Kodak Photo CD (*.pcd)", "*.pcd"));
        list.push_back(entry("PC Paintbrush (*.pcx)", "*.pcx"));
        list.push_back(entry("Computer Graphics メタファイル (*.cgm)", "*.cgm"));
        list.push_back(entry("EPS 形式 (*.eps)", "*.eps"));
        list.push_back(entry("FPX 形式 (*.fpx)", "*.fpx"));
        // This entry names "*.jph" where the list of accepted extensions has JBH: a .jph file
        // shows in the dialog, but a dropped one is refused.
        list.push_back(entry("花子 (*.jah;*.jph;*.jsh)", "*.jah;*.jph;*.jsh"));
        list.push_back(entry("Picture It! 形式 (*.mix)", "*.mix"));
        list.push_back(entry("WordPerfect グラフィック (*.wpg)", "*.wpg"));
        list.push_back(entry("Micrografx Designer/Draw(*.drw)", "*.drw"));
        list.push_back(entry("AutoCAD Format 2-D (*.dxf)", "*.dxf"));
        list.push_back(entry("Targa (*.tga)", "*.tga"));
        list.push_back(entry("CorelDraw (*.cdr)", "*.cdr"));
        list.push_back(entry("すべてのファイル (*.*)", "*.*"));
        return list;
    }();
    return entries;
}

QString imageFileDialogFilter()
{
    QStringList parts;
    for (const FileFilterEntry& entry : imageFileFilterEntries())
        parts << entry.description << entry.patterns.join(u';');
    return parts.join(u'|');
}

} // namespace picrows
