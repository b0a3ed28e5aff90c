#include "main/engine/insert_picture.h"

#include "host/automation/host_error.h"
#include "host/xl/application.h"
#include "host/xl/com_addins.h"
#include "host/xl/command_bars.h"
#include "host/xl/picture.h"
#include "host/xl/shape.h"
#include "host/xl/worksheet.h"
#include "main/engine/resample.h"
#include "main/engine/run_paste.h"
#include "platform/message_box.h"

namespace picrows {

namespace {

constexpr int kCropControlId = 732;
constexpr int kCommentType = 4;

void showTrimmingStateError()
{
    platform::showMessage(QStringLiteral("トリミング状態取得エラー"), platform::MsgButtons::OK,
                          platform::MsgIcon::Critical, platform::programTitle());
}

} // namespace

int hostVersion(const xl::Application& app)
{
    // Val(): the leading number of the text.
    const QString text = app.Version();
    int digits = 0;
    while (digits < text.size() && text.at(digits).isDigit())
        ++digits;
    return text.left(digits).toInt();
}

bool f_GetTrimmingEnabled(const xl::Application& app)
{
    if (hostVersion(app) >= 12) {
        try {
            return app.COMAddIns(QStringLiteral("TORVA_PicrowsFor2007.Connect2"))
                .Object()
                .call(QStringLiteral("CallForExe_GetTrimmingEnabled"))
                .toBool();
        } catch (const host::HostError&) {
        }
        try {
            return app.Run(QStringLiteral("'@TORVA_Picrows.xlam'!CallForExe_GetTrimmingEnabled"))
                .toBool();
        } catch (const host::HostError&) {
        }
        showTrimmingStateError();
        return false;
    }
    try {
        return app.CommandBars().FindControl(kCropControlId).Enabled();
    } catch (const host::HostError&) {
        showTrimmingStateError();
        return true;
    }
}

void s_ReadAheadPictureFiles(const xl::Application& app, const QStringList& paths)
{
    host::VariantArray files;
    files.rows = int(paths.size());
    for (const QString& path : paths)
        files.items.emplace_back(path);
    try {
        app.call(QStringLiteral("ReadAheadPictureFiles"), {host::Variant(std::move(files))});
    } catch (const host::HostError&) {
    }
}

xl::Picture f_InsertPictureFile(const xl::Application& app, const QString& path, bool& canCrop,
                                QString* refusal)
{
    xl::Picture picture;
    try {
        picture = app.ActiveSheet().Pictures().Insert(path);
    } catch (const host::HostError& e) {
        if (refusal)
            *refusal = e.description();
        return {};
    }
    if (hostVersion(app) >= 14)
        f_UnLinkObjectInExcel2010(app, picture, path);
    picture.Select();
    canCrop = f_GetTrimmingEnabled(app);
    return picture;
}

xl::Shape m_GetLastAddShape(const xl::Worksheet& sheet)
{
    const xl::Shapes shapes = sheet.Shapes();
    std::int32_t n = shapes.Count();
    while (n >= 1 && shapes.Item(n).Type() == kCommentType)
        --n;
    return n >= 1 ? shapes.Item(n) : xl::Shape();
}

} // namespace picrows
