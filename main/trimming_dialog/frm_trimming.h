#pragma once

#include "host/xl/application.h"
#include "main/trimming_dialog/trimming_canvases.h"

#include <QDialog>
#include <QSizeF>

#include <cstdint>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QToolButton;
class QWidget;

namespace platform {
class SettingsStore;
}

namespace picrows {

class c_Setting;
class TrimmingPreview;
class useTextBox;
struct CropFractions;
struct TrimmingState;

// What the trimming dialog needs of the program around it.
struct TrimmingDialogContext
{
    xl::Application app;                      // the caption's cell address, the host's version
    const c_Setting* setting = nullptr;       // the rotation engine and background, read when used
    platform::SettingsStore* store = nullptr; // the saved placement; none: not kept
    std::int32_t ownerWindowId = 0;           // the host's main window
    // The "オプション" link: opens the settings dialog on a tab, owned by the given window,
    // and returns when it has closed. None: the link only reads the settings again.
    std::function<void(int tab, QWidget* owner)> openSettings;

    // The running command's host, settings, store and window.
    static TrimmingDialogContext fromStartup();
};

// The settings dialog as the options link opens it; set once by whoever links it in.
void setTrimmingOptionsOpener(std::function<void(int tab, QWidget* owner)> opener);

// The trimming dialog for one picture: the crop frame over the picture in the proportion
// `dblAspect` of the state, and in insertion mode the quarter turns and the free angle, the
// brightness and contrast. It writes its results into the state it is given (which must
// outlive it) and leaves `blnCancel` true unless closed by the OK button. Show it with
// showModal after LoadSet; one dialog serves one picture.
class frmTrimming : public QDialog
{
    Q_OBJECT

public:
    frmTrimming(TrimmingState& state, TrimmingDialogContext context, QWidget* parent = nullptr);
    ~frmTrimming() override;

    // Prepares the dialog for `objPic`, whose size is `points`: insertion mode, or with
    // `blnTrimmingMode` re-trimming (the frame only, starting from the state's crop).
    void LoadSet(const QImage& objPic, QSizeF points, bool blnTrimmingMode);

    // The settings' tab the options link opens: rotation.
    static constexpr int kRotationTab = 3;

    TrimmingPreview* picMain() const { return m_picMain; }
    useTextBox* utxtRotate() const { return m_utxtRotate; }
    QSlider* sldContrast() const { return m_sldContrast; }
    QSlider* sldBrightness() const { return m_sldBrightness; }
    // The buttons of the button bars by key ("ROTATE_LEFT", "CONTRAST_PLUS", …).
    QToolButton* button(const QString& key) const;
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QGroupBox* fraRotate() const { return m_fraRotate; }
    QGroupBox* fraColor() const { return m_fraColor; }
    QLabel* lblRotate() const { return m_lblRotate; }
    QLabel* lblColorTips() const { return m_lblColorTips; }
    QLabel* lblOption_Area() const { return m_lblOption_Area; }
    const TrimmingCanvases& canvases() const { return m_canvases; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;

private:
    void buildControls();
    void load();
    void layOut();
    void fitAndPlace();
    void storeFractions(const CropFractions& fractions);
    void rotationPreview(double angle);
    void colourChanged();
    void angleChanged();
    void turnQuarter(bool right);
    void optionsClicked();
    void applyRotateMode(bool apiMode, bool snap);
    bool rotateApiMode() const;
    std::int32_t rotateBackColor() const;
    int knownHostVersion() const;

    TrimmingState& m_state;
    TrimmingDialogContext m_context;
    TrimmingCanvases m_canvases;
    QSizeF m_points;

    bool m_trimmingMode = false;
    bool m_loaded = false;
    bool m_ready = false;
    bool m_busy = false;
    bool m_closed = false;

    TrimmingPreview* m_picMain = nullptr;
    QGroupBox* m_fraRotate = nullptr;
    QLabel* m_lblRotate = nullptr;
    useTextBox* m_utxtRotate = nullptr;
    QGroupBox* m_fraColor = nullptr;
    QSlider* m_sldContrast = nullptr;
    QSlider* m_sldBrightness = nullptr;
    QLabel* m_lblOption_Area = nullptr;
    QLabel* m_lblColorTips = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};

} // namespace picrows
