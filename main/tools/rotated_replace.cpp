#include "main/tools/rotated_replace.h"

#include "host/automation/host_error.h"
#include "host/xl/application.h"
#include "host/xl/shape.h"
#include "host/xl/worksheet.h"
#include "main/engine/insert_picture.h"
#include "main/engine/run_paste.h"
#include "main/tools/rotated_picture.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"

#include <QImage>
#include <QMimeData>

namespace picrows {

namespace {

const QString kBitmap = QStringLiteral("ビットマップ");
const QString kJpeg = QStringLiteral("図 (JPEG)");

constexpr double kPointsPerPixel = 0.75; // 96 pixels per inch

// Runs one action of a sequence in which every action is attempted; answers whether it failed.
template <typename F> bool attempt(F action)
{
    try {
        action();
        return false;
    } catch (const host::HostError&) {
        return true;
    }
}

void reportFailure(const QString& what)
{
    platform::showMessage(what + QStringLiteral("\r\n回転せずにやり直してください。"),
                          platform::MsgButtons::OK, platform::MsgIcon::Critical,
                          platform::programTitle());
}

} // namespace

std::optional<RotatedPicture> s_ReplaceWithRotatedPicture(const xl::Application& app,
                                                          const xl::Picture& inserted,
                                                          const QImage& untouched, double angle,
                                                          std::int32_t backColor,
                                                          platform::Clipboard& clipboard)
{
    std::optional<QString> failure;
    {
        const QImage source = untouched.convertToFormat(QImage::Format_RGB32);
        const QImage rotated = drawRotatedPicture(source, angle, colourFromBgr(backColor));
        // The raster is pasted at 96 dpi, whatever resolution the source stated.
        auto content = std::make_unique<QMimeData>();
        content->setImageData(rotated);
        platform::CopyNote note;
        note.points = QSizeF(rotated.width(), rotated.height()) * kPointsPerPixel;
        content->setData(platform::clip_mime::kHostCopy, note.toJson());
        clipboard.clear();
        clipboard.setMimeData(std::move(content));
    }

    const xl::Worksheet sheet = app.ActiveSheet();
    if (attempt([&] { sheet.PasteSpecial(kBitmap, false, false); })) {
        failure = QStringLiteral("回転図形のビットマップ化に失敗しました。");
    } else {
        // Every action is attempted, so that a failed JPEG paste still takes the bitmap away.
        xl::Shape bitmap;
        bool failed = attempt([&] { bitmap = m_GetLastAddShape(sheet); });
        failed |= attempt([&] { bitmap.Copy(); });
        failed |= attempt([&] { sheet.PasteSpecial(kJpeg, false, false); });
        failed |= attempt([&] { bitmap.Delete(); });
        failed |= attempt([&] { app.setCutCopyMode(host::Variant(false)); });
        if (failed)
            failure = QStringLiteral("回転図形のJpeg化に失敗しました。");
    }

    if (failure) {
        reportFailure(*failure);
        inserted.Delete();
        return std::nullopt;
    }

    app.setCutCopyMode(host::Variant(false));
    clipboard.clear();
    inserted.Delete();
    m_GetLastAddShape(sheet).Select();
    RotatedPicture result{xl::Picture(app.Selection().ref()), 0, 0};
    if (hostVersion(app) >= 12) {
        const xl::ShapeRange shape = result.picture.ShapeRange();
        shape.setLockAspectRatio(false);
        shape.ScaleHeight(1, true, 0);
        shape.ScaleWidth(1, true, 0);
    }
    result.width = result.picture.Width();
    result.height = result.picture.Height();
    return result;
}

} // namespace picrows
