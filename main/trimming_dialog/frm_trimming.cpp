#include "main/trimming_dialog/frm_trimming.h"

#include "main/controls/use_text_box.h"
#include "main/controls/window_services.h"
#include "main/engine/insert_picture.h"
#include "main/engine/trimming_state.h"
#include "main/reduce/attempt.h"
#include "main/settings/setting.h"
#include "main/startup/startup_context.h"
#include "main/tools/rotated_picture.h"
#include "main/trimming_dialog/trimming_preview.h"
#include "platform/message_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace picrows {

namespace {

const QString kFormName = QStringLiteral("frmTrimming");
constexpr double kMinimumTwips = 6000;
constexpr std::int32_t kWhite = 16777215;

std::function<void(int, QWidget*)>& optionsOpener()
{
    static std::function<void(int, QWidget*)> opener;
    return opener;
}

} // namespace

void setTrimmingOptionsOpener(std::function<void(int tab, QWidget* owner)> opener)
{
    optionsOpener() = std::move(opener);
}

TrimmingDialogContext TrimmingDialogContext::fromStartup()
{
    StartupContext& startup = startupContext();
    TrimmingDialogContext context;
    context.app = startup.gobjXlApp;
    context.setting = startup.gobjSetting.get();
    context.store = startup.store.get();
    context.ownerWindowId = startup.glngXlHwnd;
    return context;
}

frmTrimming::frmTrimming(TrimmingState& state, TrimmingDialogContext context, QWidget* parent)
    : QDialog(parent), m_state(state), m_context(std::move(context))
{
    setObjectName(kFormName);
    buildControls();
}

frmTrimming::~frmTrimming()
{
    if (ResizeLimiter::instance(ResizeLimiter::Control).window() == this)
        ResizeLimiter::instance(ResizeLimiter::Control).stop();
}

bool frmTrimming::rotateApiMode() const
{
    return m_context.setting ? m_context.setting->Rotate_ApiMode : true;
}

std::int32_t frmTrimming::rotateBackColor() const
{
    return m_context.setting ? m_context.setting->Rotate_BackColor : kWhite;
}

int frmTrimming::knownHostVersion() const
{
    int version = 16; // the host's own default, when it cannot tell
    attempt([&] { version = hostVersion(m_context.app); });
    return version;
}

void frmTrimming::load()
{
    QString caption = platform::programTitle() + QStringLiteral(" - トリミング");
    if (!m_trimmingMode) {
        attempt([&] {
            const QString address =
                m_context.app.Selection().get(QStringLiteral("Address")).toString();
            caption += QStringLiteral("(") + QString(address).remove(u'$') + QStringLiteral(")");
        });
    } else {
        m_cmdOK->setText(QStringLiteral("再トリミング(&R)"));
    }
    setWindowTitle(caption);

    const double tpp = twipsPerPixel(this);
    resize(int(std::lround(9600 / tpp)), int(std::lround(7200 / tpp)));
    s_SetParentWindow(this, m_context.ownerWindowId);
    if (m_context.store)
        c_WinPosition(*m_context.store).restore(*this, kFormName, true);
    const int least = int(std::lround(kMinimumTwips / tpp));
    ResizeLimiter::instance(ResizeLimiter::Control).start(this, least, least);
}

void frmTrimming::LoadSet(const QImage& objPic, QSizeF points, bool blnTrimmingMode)
{
    m_trimmingMode = blnTrimmingMode;
    m_ready = false;
    if (!m_loaded) {
        load();
        m_loaded = true;
    }

    m_points = points;
    const QScreen* shown = screen();
    const QSize limit =
        shown ? (QSizeF(shown->size()) * shown->devicePixelRatio()).toSize() : QSize(1920, 1080);
    m_canvases.load(objPic, limit);
    m_lblColorTips->setVisible(m_canvases.colourPreview(0.5f, 0.5f, m_trimmingMode));
    rotationPreview(0);

    m_fraRotate->setVisible(!m_trimmingMode);
    m_fraColor->setVisible(!m_trimmingMode);
    if (!m_trimmingMode)
        applyRotateMode(rotateApiMode(), false);

    bool initial = !m_trimmingMode;
    if (m_trimmingMode && std::min({m_state.dblCropLeft, m_state.dblCropRight, m_state.dblCropTop,
                                    m_state.dblCropBottom}) < 0) {
        platform::showMessage(
            QStringLiteral("再トリミング機能は、マイナスのトリミング値（元図よりも大きなトリミン"
                           "グ）には対応していません。\r\nOKを押すと、トリミング範囲を初期化して"
                           "処理を継続します。"),
            platform::MsgButtons::OK, platform::MsgIcon::Exclamation, platform::programTitle());
        initial = true;
    }
    if (initial) {
        const QSizeF canvas = rotatedCanvasTwips(m_points, 0, twipsPerPixel(this));
        initialFrame(float(canvas.width()), float(canvas.height()), m_state.dblAspect)
            .storeInto(m_state);
    }

    m_ready = true;
    layOut();
    m_state.blnCancel = true;
}

void frmTrimming::storeFractions(const CropFractions& fractions)
{
    fractions.storeInto(m_state);
}

void frmTrimming::fitAndPlace()
{
    if (!m_ready || m_state.dblAspect == 0)
        return;
    m_picMain->setAspect(m_state.dblAspect);
    m_picMain->fitAndPlace(CropFractions::of(m_state));
}

void frmTrimming::rotationPreview(double angle)
{
    const bool upright = angle == 0 || m_trimmingMode;
    m_canvases.rotationPreview(angle, upright, colourFromBgr(rotateBackColor()));
    m_picMain->setCanvas(m_canvases.rotated(),
                         rotatedCanvasTwips(m_points, upright ? 0 : angle, twipsPerPixel(this)));
}

void frmTrimming::colourChanged()
{
    m_state.sngContrast = float(m_sldContrast->value()) / 10;
    m_state.sngBrightness = float(m_sldBrightness->value()) / 10;
    for (QSlider* slider : {m_sldContrast, m_sldBrightness}) {
        const QString stem =
            slider == m_sldContrast ? QStringLiteral("CONTRAST_") : QStringLiteral("BRIGHTNESS_");
        button(stem + QStringLiteral("MINUS"))->setEnabled(slider->value() > slider->minimum());
        button(stem + QStringLiteral("PLUS"))->setEnabled(slider->value() < slider->maximum());
    }
    m_lblColorTips->setVisible(
        m_canvases.colourPreview(m_state.sngContrast, m_state.sngBrightness, m_trimmingMode));
    rotationPreview(m_state.dblAngle);
    fitAndPlace();
}

void frmTrimming::angleChanged()
{
    if (m_busy)
        return;
    m_busy = true;
    m_state.dblAngle = m_utxtRotate->NumText();
    rotationPreview(m_state.dblAngle);
    const QSizeF canvas =
        rotatedCanvasTwips(m_points, m_trimmingMode ? 0 : m_state.dblAngle, twipsPerPixel(this));
    initialFrame(float(canvas.width()), float(canvas.height()), m_state.dblAspect)
        .storeInto(m_state);
    fitAndPlace();
    m_busy = false;
}

void frmTrimming::turnQuarter(bool right)
{
    m_busy = true;
    m_utxtRotate->setNumText(quarterTurn(m_utxtRotate->NumText(), right));
    m_busy = false;
    // Setting the box from code raises no change of its own; the turn must reach the picture.
    angleChanged();
}

void frmTrimming::applyRotateMode(bool apiMode, bool snap)
{
    if (apiMode) {
        button(QStringLiteral("ROTATE_LEFT"))->setEnabled(true);
        button(QStringLiteral("ROTATE_RIGHT"))->setEnabled(true);
        m_lblRotate->setEnabled(true);
        m_utxtRotate->setEnabledState(true);
        return;
    }
    const int version = knownHostVersion();
    const bool quarters = snap ? version > 9 : version != 9;
    button(QStringLiteral("ROTATE_LEFT"))->setEnabled(quarters);
    button(QStringLiteral("ROTATE_RIGHT"))->setEnabled(quarters);
    m_lblRotate->setEnabled(false);
    m_utxtRotate->setEnabledState(false);
    if (!snap)
        return;
    const double before = m_utxtRotate->NumText();
    m_utxtRotate->setNumText(quarters ? snapToQuarter(before) : 0);
    if (m_utxtRotate->NumText() != before)
        angleChanged();
}

void frmTrimming::optionsClicked()
{
    const bool apiMode = rotateApiMode();
    const std::int32_t backColor = rotateBackColor();
    const auto& opener = m_context.openSettings ? m_context.openSettings : optionsOpener();
    if (opener)
        opener(kRotationTab, this);
    if (rotateApiMode() != apiMode)
        applyRotateMode(rotateApiMode(), true);
    if (rotateBackColor() != backColor) {
        m_lblColorTips->setVisible(
            m_canvases.colourPreview(m_state.sngContrast, m_state.sngBrightness, m_trimmingMode));
        rotationPreview(m_state.dblAngle);
        fitAndPlace();
    }
}

void frmTrimming::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        if (ResizeLimiter::instance(ResizeLimiter::Control).window() == this)
            ResizeLimiter::instance(ResizeLimiter::Control).stop();
        if (m_context.store)
            c_WinPosition(*m_context.store).save(*this, kFormName, true);
    }
    QDialog::done(result);
}

} // namespace picrows
