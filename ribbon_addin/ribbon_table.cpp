#include "ribbon_addin/ribbon_table.h"

#include "ribbon_addin/resources.h"

#include <QHash>

namespace ribbon_addin {

const RibbonEntry* ribbonEntry(const QString& controlId)
{
    static const QHash<QString, RibbonEntry> table = [] {
        QHash<QString, RibbonEntry> t;
        const RibbonEntry retrimming{1007,          3007,    4007,
                                     "PictureCrop", nullptr, "CallFor2007_Retrimming"};
        t.insert(QStringLiteral("MAIN"), RibbonEntry{1001});
        t.insert(QStringLiteral("MAIN_GET"),
                 {1002, 3002, 4002, "PhotoAlbumInsert", nullptr, "CallFor2007_Get"});
        t.insert(QStringLiteral("MAIN_TOOL"), {1003, 3003, 4003, "HappyFace"});
        t.insert(QStringLiteral("MAIN_TOOL_SAVEPIC"),
                 {1004, 3004, 4004, nullptr, "PNG_ICON_SAVEPIC", "CallFor2007_SavePic"});
        t.insert(QStringLiteral("MAIN_TOOL_TEMPLATEMENU_LOAD"),
                 {1005, 3005, 4005, "FileCheckIn", nullptr, "CallFor2007_TemplateLoad"});
        t.insert(QStringLiteral("MAIN_TOOL_TEMPLATEMENU_SAVE"),
                 {1006, 3006, 4006, "FileCheckOut", nullptr, "CallFor2007_TemplateSAVE"});
        t.insert(QStringLiteral("MAIN_TOOL_RETRIMMING"), retrimming);
        t.insert(QStringLiteral("MAIN_TOOL_RETRIMMING_2"), retrimming);
        t.insert(QStringLiteral("MAIN_TOOL_RESMALL"),
                 {1008, 3008, 4008, nullptr, "PNG_ICON_RESMALL", "CallFor2007_ReSmall"});
        t.insert(QStringLiteral("MAIN_HOMEPAGE"),
                 {1010, 3010, 4010, "OpenStartPage", nullptr, "CallFor2007_GotoHomePage"});
        t.insert(QStringLiteral("MAIN_HELP"),
                 {1011, 3011, 4011, "ContentsAndIndex", nullptr, "CallFor2007_Help"});
        t.insert(QStringLiteral("MAIN_ABOUT"),
                 {1012, 3012, 4012, "Info", nullptr, "CallFor2007_About"});
        t.insert(QStringLiteral("MAIN_SETTING"),
                 {0, 3020, 4020, nullptr, nullptr, "CallFor2007_Setting"});
        RibbonEntry sizeGroup;
        sizeGroup.hostGroupLabel = true;
        t.insert(QStringLiteral("PICTURETOOLSFORMAT_GROUPPICTURESIZE"), sizeGroup);
        return t;
    }();
    const QString prefix = QString::fromLatin1(kIdPrefix);
    const QString key = controlId.startsWith(prefix) ? controlId.mid(prefix.size()) : QString();
    const auto it = table.constFind(key);
    return it == table.cend() ? nullptr : &*it;
}

QString ribbonString(int id)
{
    return stringTable().value(id);
}

} // namespace ribbon_addin
