#include "main/save_picture/save_picture_command.h"

#include "host/automation/host_error.h"
#include "host/xl/application.h"
#include "main/save_picture/bitmap_encoders.h"
#include "main/save_picture/clip_bitmap_save.h"
#include "main/save_picture/clip_formats.h"
#include "main/save_picture/metafile_canvas.h"
#include "main/startup/startup_context.h"
#include "main/startup/state_checks.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"

#include <QImage>

#include <exception>
#include <optional>

namespace picrows {

namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

constexpr int kFilterEmf = 1;
constexpr int kFilterJpeg = 3;
constexpr int kFileAccessError = 75; // "Path/File access error"
constexpr int kInternalError = 51;

// The host is not interactive while the command runs, whichever way it ends.
class NotInteractive
{
public:
    explicit NotInteractive(const xl::Application& app) : m_app(app)
    {
        m_app.setInteractive(false);
    }
    ~NotInteractive()
    {
        try {
            m_app.setInteractive(true);
        } catch (const std::exception&) {
        }
    }
    NotInteractive(const NotInteractive&) = delete;
    NotInteractive& operator=(const NotInteractive&) = delete;

private:
    xl::Application m_app;
};

// Runs steps one by one, each step's error kept as the latest and the next step run anyway.
class ErrorRecord
{
public:
    template <class Step> void attempt(Step&& step)
    {
        try {
            step();
        } catch (const host::HostError& e) {
            m_error.emplace(e.number(), e.description());
        } catch (const std::exception& e) {
            m_error.emplace(kInternalError, QString::fromLocal8Bit(e.what()));
        }
    }
    const std::optional<host::HostError>& error() const { return m_error; }

private:
    std::optional<host::HostError> m_error;
};

void showError(const QString& text)
{
    platform::showMessage(text, MsgButtons::OK, MsgIcon::Critical, platform::programTitle());
}

// Writes a picture file the way the platform saves a picture object: the bytes as they are;
// a file that cannot be written is the host's file-access error.
void savePictureFile(const QString& path, const QByteArray& bytes)
{
    if (bytes.isEmpty() || !writeFileAtomically(path, bytes))
        host::raise(kFileAccessError, QStringLiteral("Path/File access error"));
}

host::Variant askHost(const xl::Application& app, const SaveAsRequest& request)
{
    return app.GetSaveAsFilename(request.initialFileName, request.fileFilter,
                                 std::int32_t(request.filterIndex), request.title);
}

// Writes the clipboard's copy into the file; answers whether a file was written.
bool writeCopy(const QString& fileName, ClipFormats& clip, ErrorRecord& record)
{
    const auto offers = [&](int code) {
        bool offered = false;
        record.attempt([&] { offered = clip.offers(code); });
        return offered;
    };
    bool written = false;
    const SavePicFileType type = savePicFileType(fileName);
    if (type == SavePicFileType::Emf) {
        if (!offers(kClipEnhMetafile)) {
            showError(QStringLiteral("Err:EMF"));
            return false;
        }
        record.attempt([&] {
            savePictureFile(fileName, clip.data(kClipEnhMetafile).toByteArray());
            written = true;
        });
        return written;
    }
    if (type == SavePicFileType::Unknown) {
        showError(QStringLiteral("Err:Unknown Format"));
        return false;
    }
    if (!offers(kClipBitmap)) {
        // Only a metafile: draw it at its natural size and offer that as the bitmap.
        record.attempt([&] {
            const QImage canvas = drawMetafileOnCanvas(clip.data(kClipEnhMetafile).toByteArray());
            if (!canvas.isNull())
                clip.setData(kClipBitmap, canvas);
        });
        if (!offers(kClipBitmap)) {
            showError(QStringLiteral("Err:BMP or JPEG"));
            return false;
        }
    }
    if (type == SavePicFileType::Bmp) {
        record.attempt([&] {
            const QImage bitmap = opaqueCopy(clip.data(kClipBitmap).value<QImage>());
            savePictureFile(fileName, encodeBitmap(bitmap, BitmapEncoder::Bmp));
            written = true;
        });
        return written;
    }
    // The answer of the JPEG writer is only ours to report; the user hears nothing of it.
    record.attempt([&] { written = F_SaveClipBmpAs(fileName, clip); });
    return written;
}

} // namespace

SavePicFileType savePicFileType(const QString& fileName)
{
    const QString ending = fileName.right(4).toUpper();
    if (ending == u".EMF")
        return SavePicFileType::Emf;
    if (ending == u".BMP")
        return SavePicFileType::Bmp;
    if (ending == u".JPG")
        return SavePicFileType::Jpg;
    return SavePicFileType::Unknown;
}

int savePicDefaultFilterIndex(const QString& selectionTypeName)
{
    const QString type = selectionTypeName.toUpper();
    return type == u"RANGE" || type == u"PICTURE" ? kFilterJpeg : kFilterEmf;
}

bool s_SavePic(const SavePicIo& io)
{
    if (!f_CheckAndMessageOfExcelStates(true, true, true, true, false, false, false, false, false))
        return false;
    const xl::Application app = startupContext().gobjXlApp;
    const NotInteractive notInteractive(app);

    const xl::Object selection = app.Selection();
    const QString typeName = selection.TypeName();
    if (typeName.toUpper() == u"RANGE" && selection.get(QStringLiteral("Count")).toInt32() == 1) {
        const MsgAnswer answer = platform::showMessage(
            QStringLiteral("選択セルが１つだけの状態です。続行しますか？"), MsgButtons::OKCancel,
            MsgIcon::Question, platform::programTitle());
        if (answer == MsgAnswer::Cancel)
            return false;
    }

    SaveAsRequest request;
    request.fileFilter =
        QStringLiteral("meta (*.emf),*.emf,bitmap (*.bmp),*.bmp,jpeg (*.jpg),*.jpg");
    request.filterIndex = savePicDefaultFilterIndex(typeName);
    request.title = platform::programTitle() + QStringLiteral(" - 画像の保存");
    const host::Variant answer = io.askFileName ? io.askFileName(request) : askHost(app, request);
    const QString fileName = answer.toString();
    if (fileName.isEmpty() || fileName.toUpper() == u"FALSE")
        return false;

    std::unique_ptr<ClipFormats> ownClipboard;
    if (!io.clipboard)
        ownClipboard = clipFormatsOf(platform::clipboard());
    ClipFormats& clip = io.clipboard ? *io.clipboard : *ownClipboard;
    const SavedClipboard saved = saveClipboard(clip);

    ErrorRecord record;
    record.attempt([&] { clip.clear(); });
    const quint64 before = clip.changeCount();
    record.attempt([&] {
        selection.call(QStringLiteral("Copy"));
        // The host is another program: its copy is known here a moment after it answers.
        clip.awaitChangeAfter(before, 3000);
    });
    const bool written = writeCopy(fileName, clip, record);

    record.attempt([&] { app.setCutCopyMode(host::Variant(false)); });
    if (const auto& error = record.error())
        showError(QStringLiteral("Err(") + QString::number(error->number()) +
                  QStringLiteral("\r\n") + error->description());

    restoreClipboard(clip, saved);
    return written;
}

void s_Command_Tool_SavePic()
{
    s_SavePic({});
}

} // namespace picrows
