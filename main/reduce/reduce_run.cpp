#include "main/reduce/reduce_run.h"

#include "host/xl/picture.h"
#include "host/xl/shape.h"
#include "host/xl/window.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/reduce/screen_updating.h"
#include "main/settings/setting.h"
#include "platform/event_pump.h"
#include "platform/key_state.h"
#include "platform/message_box.h"

#include <cmath>

namespace picrows {

namespace {

constexpr std::int32_t kVisible = -1;
constexpr std::int16_t kFactorMin = 1;
constexpr std::int16_t kFactorMax = 10;

template <class Step> void ignoringErrors(Step step)
{
    try {
        step();
    } catch (const host::HostError&) {
    }
}

// Whether a workbook is one the run may visit at all: no add-in, and a first window shown.
bool shownBook(const xl::Workbook& book)
{
    if (book.IsAddin())
        return false;
    const xl::Windows windows = book.Windows();
    return windows.Count() > 0 && windows.Item(1).Visible();
}

} // namespace

ReduceView::~ReduceView() = default;

std::int16_t reduceFactorOf(double typed)
{
    const double whole = std::nearbyint(typed);
    if (!(whole >= kFactorMin)) // also what is no number at all
        return kFactorMin;
    return whole > kFactorMax ? kFactorMax : std::int16_t(whole);
}

bool reduceStartEnabled(bool reduce, bool cut)
{
    return reduce || cut;
}

QString reduceDialogCaption()
{
    return platform::programTitle() + QStringLiteral(" - 原型サイズの縮小");
}

ReduceOptions ReduceOptions::from(const c_Setting& setting)
{
    ReduceOptions options;
    options.target = setting.ConvertTaisyou;
    options.picture.reduce = setting.ConvertSyukusyou;
    options.picture.factor = reduceFactorOf(setting.ConvertSyukusyouBairitsu);
    options.picture.cut = setting.ConvertCutTrimming;
    return options;
}

void ReduceOptions::storeInto(c_Setting& setting) const
{
    setting.ConvertTaisyou = std::int16_t(target);
    setting.ConvertSyukusyou = picture.reduce;
    setting.ConvertSyukusyouBairitsu = picture.factor;
    setting.ConvertCutTrimming = picture.cut;
}

ReduceRun::ReduceRun(xl::Application app, platform::Clipboard& clipboard, ReduceView& view)
    : m_app(std::move(app)), m_clipboard(clipboard), m_view(view)
{
}

void ReduceRun::add(ReduceOutcome& outcome, const ReduceRow& row)
{
    outcome.rows.push_back(row);
    m_view.addRow(row);
}

bool ReduceRun::goOn()
{
    platform::letPendingEventsRun();
    if (!m_cancelRequested && !platform::F_GetKeyPushed(platform::vk::Escape))
        return true;
    const platform::MsgAnswer answer = platform::showMessage(
        QStringLiteral("読み込みをキャンセルしますか？"), platform::MsgButtons::YesNo,
        platform::MsgIcon::Question, platform::programTitle());
    if (answer == platform::MsgAnswer::Yes)
        return false;
    m_cancelRequested = false;
    m_view.cancelDeclined();
    return true;
}

void ReduceRun::visitSheets(const ReduceOptions& options, ReduceOutcome& outcome)
{
    for (const xl::Workbook& book : m_app.Workbooks().items()) {
        if (!shownBook(book))
            continue;
        if (options.target != 2 && book.Name() != m_app.ActiveWorkbook().Name())
            continue;
        if (options.target != 0)
            book.Activate();
        for (const xl::Worksheet& sheet : book.Worksheets().items()) {
            if (sheet.Visible() != kVisible)
                continue;
            if (options.target == 0 && sheet.Name() != m_app.ActiveSheet().Name())
                continue;
            if (sheet.ProtectDrawingObjects()) {
                add(outcome,
                    failureRow(book.Name(), sheet.Name(), QStringLiteral("<すべて>"),
                               QStringLiteral("シートが保護されているため縮小化できません")));
                continue;
            }
            if (options.target != 0)
                sheet.Activate();
            const xl::Pictures pictures = sheet.Pictures();
            const std::int32_t n = pictures.Count();
            outcome.total += n;
            if (n == 0)
                continue;
            std::int32_t i = 0;
            for (const xl::Picture& picture : pictures.items()) {
                ++i;
                m_view.setProgress(m_app.ActiveWorkbook().Name() + u'!' +
                                   m_app.ActiveSheet().Name() + QStringLiteral("  (") +
                                   QString::number(i) + u'/' + QString::number(n) + u')');
                xl::ShapeRange shapeRange;
                ignoringErrors([&] { shapeRange = picture.ShapeRange(); });
                if (shapeRange.isNothing())
                    add(outcome,
                        failureRow(book.Name(), sheet.Name(), picture.Name(),
                                   QStringLiteral("グループ化されているため縮小化できません")));
                else
                    add(outcome, f_ReducePicture(m_app, m_clipboard, shapeRange, options.picture));
                if (!goOn()) {
                    outcome.stoppedByUser = true;
                    return;
                }
            }
        }
    }
}

ReduceOutcome ReduceRun::run(const ReduceOptions& options)
{
    m_cancelRequested = false;
    m_running = true;
    ReduceOutcome outcome;

    // Where the user was, to come back to.
    xl::Workbook book;
    xl::Worksheet sheet;
    xl::Object selection;
    std::int32_t scrollRow = 0;
    std::int32_t scrollColumn = 0;
    try {
        book = m_app.ActiveWorkbook();
        sheet = m_app.ActiveSheet();
        selection = m_app.Selection();
        const xl::Window window = m_app.ActiveWindow();
        scrollRow = window.ScrollRow();
        scrollColumn = window.ScrollColumn();
        s_SetScreenUpdating(m_app, false);
        visitSheets(options, outcome);
    } catch (const host::HostError& e) {
        outcome.error = e;
    }

    ignoringErrors([&] { book.Activate(); });
    ignoringErrors([&] { sheet.Activate(); });
    ignoringErrors([&] { selection.call(QStringLiteral("Select")); });
    ignoringErrors([&] { m_app.ActiveWindow().setScrollRow(scrollRow); });
    ignoringErrors([&] { m_app.ActiveWindow().setScrollColumn(scrollColumn); });

    try {
        s_SetScreenUpdating(m_app, true);
    } catch (const host::HostError& e) {
        if (!outcome.error)
            outcome.error = e;
    }
    m_view.setProgress(reduceDialogCaption());
    if (outcome.total == 0)
        platform::showMessage(QStringLiteral("対象となる図が見つかりませんでした。"),
                              platform::MsgButtons::OK, platform::MsgIcon::Information,
                              platform::programTitle());
    m_running = false;
    return outcome;
}

} // namespace picrows
