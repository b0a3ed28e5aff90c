#include "main/startup/state_checks.h"

#include "host/automation/host_error.h"
#include "host/xl/command_bars.h"
#include "host/xl/range.h"
#include "host/xl/window.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/startup/startup_context.h"
#include "platform/message_box.h"

namespace picrows {

namespace {

constexpr std::int32_t kNewWorkbookControl = 748; // enabled while a workbook can be worked on
constexpr std::int32_t kEditControl = 18;         // disabled while a cell is being edited
constexpr std::int32_t kMinimized = -4140;

bool selectionIsRange(const xl::Application& app)
{
    return app.Selection().TypeName().toUpper() == QStringLiteral("RANGE");
}

// A protection flag of the active sheet; Null counts as off.
bool sheetFlag(const xl::Application& app, const QString& member)
{
    const host::Variant v = xl::Object(app.get(QStringLiteral("ActiveSheet"))).get(member);
    return !v.isNull() && v.toBool();
}

QString firstFailure(const xl::Application& app, bool needBook, bool notMinimized, bool notEditing,
                     bool oneSheet, bool drawingUnprotected, bool contentsUnprotected,
                     bool needPicture, bool needCells, bool fixSelection)
{
    if (needBook) {
        const QString openBook = QStringLiteral("ブックを開いてやり直してください。");
        const QString noWindow = QStringLiteral("アクティブウインドウがないため起動できません。");
        if (app.ActiveWorkbook().isNothing())
            return openBook;
        if (!app.CommandBars().FindControl(kNewWorkbookControl).Enabled())
            return openBook;
        if (xl::Object(app.get(QStringLiteral("ActiveSheet"))).isNothing())
            return noWindow;
        if (app.ActiveWindow().isNothing())
            return noWindow;
        if (app.Selection().isNothing())
            return QStringLiteral("選択オブジェクトがないため起動できません。");
    }
    if (notMinimized && app.ActiveWindow().WindowState() == kMinimized)
        return QStringLiteral("アクティブウインドウが最小化されているため起動できません。");
    if (notEditing && !app.CommandBars().FindControl(kEditControl).Enabled())
        return QStringLiteral("編集状態のため起動できません。");
    if (oneSheet && app.ActiveWindow().SelectedSheets().Count() > 1)
        return QStringLiteral("串刺し状態では実行できません。");
    if (drawingUnprotected && sheetFlag(app, QStringLiteral("ProtectDrawingObjects")))
        return QStringLiteral("描画オブジェクトが保護されている状態では実行できません。");
    if (contentsUnprotected && sheetFlag(app, QStringLiteral("ProtectContents")))
        return QStringLiteral("シートの内容が保護されている状態では実行できません。");
    if (needPicture && selectionIsRange(app))
        return QStringLiteral("画像が選択されていない状態では実行できません。");
    if (needCells && !selectionIsRange(app)) {
        if (fixSelection)
            s_FixSelectionToCells();
        if (!fixSelection || !selectionIsRange(app))
            return QStringLiteral("セルが選択されていない状態では実行できません。");
    }
    return {};
}

} // namespace

void s_FixSelectionToCells()
{
    const xl::Application& app = startupContext().gobjXlApp;
    bool events = true;
    bool remembered = false;
    try {
        events = app.EnableEvents();
        remembered = true;
    } catch (const host::HostError&) {
    }
    try {
        app.setEnableEvents(false);
    } catch (const host::HostError&) {
    }
    try {
        app.Cells().CurrentRegion().Select();
    } catch (const host::HostError&) {
    }
    try {
        if (remembered)
            app.setEnableEvents(events);
    } catch (const host::HostError&) {
    }
}

bool f_CheckAndMessageOfExcelStates(bool blnNeedBook, bool blnNotMinimized, bool blnNotEditing,
                                    bool blnOneSheet, bool blnDrawingUnprotected,
                                    bool blnContentsUnprotected, bool blnNeedPicture,
                                    bool blnNeedCells, bool blnFixSelection)
{
    const xl::Application& app = startupContext().gobjXlApp;
    const QString message =
        app.isNothing() ? QStringLiteral("不明なエラー")
                        : firstFailure(app, blnNeedBook, blnNotMinimized, blnNotEditing,
                                       blnOneSheet, blnDrawingUnprotected, blnContentsUnprotected,
                                       blnNeedPicture, blnNeedCells, blnFixSelection);
    if (message.isEmpty())
        return true;
    platform::showMessage(message, platform::MsgButtons::OK, platform::MsgIcon::Critical,
                          platform::programTitle());
    return false;
}

} // namespace picrows
