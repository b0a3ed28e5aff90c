// trimming_screenshots OUTDIR [PHOTO]: writes the trimming dialog as it shows PHOTO (by default
// the first sample photograph) upright, turned a quarter, turned by a free angle with a colour
// adjustment, and in re-trimming mode, as frmTrimming_*.png in OUTDIR. Runs on any Qt platform
// (QT_QPA_PLATFORM=offscreen needs no display).
#include "main/controls/use_text_box.h"
#include "main/engine/trimming_state.h"
#include "main/trimming_dialog/frm_trimming.h"

#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <cstdio>

namespace {

struct Shot
{
    const char* name;
    double aspect; // the target's width ÷ height
    bool turnRight;
    const char* angle; // typed into the angle box; none
    int contrast;
    int brightness;
    bool retrimming;
};

bool writeShot(const Shot& shot, const QImage& photo, QSizeF points, const QDir& out)
{
    picrows::TrimmingState state;
    state.dblAspect = shot.aspect;
    if (shot.retrimming) {
        state.dblCropLeft = 0.1;
        state.dblCropRight = 0.15;
        state.dblCropTop = 0.05;
        state.dblCropBottom = 0.2;
    }
    picrows::frmTrimming dialog(state, picrows::TrimmingDialogContext{});
    dialog.LoadSet(photo, points, shot.retrimming);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        return false;
    if (shot.turnRight)
        dialog.button(QStringLiteral("ROTATE_RIGHT"))->click();
    if (shot.angle) {
        QLineEdit* text = dialog.utxtRotate()->txtMain();
        text->selectAll();
        QTest::keyClicks(text, QString::fromLatin1(shot.angle));
    }
    dialog.sldContrast()->setValue(shot.contrast);
    dialog.sldBrightness()->setValue(shot.brightness);
    QTest::qWait(50);
    const QString path =
        out.filePath(QStringLiteral("frmTrimming_%1.png").arg(QLatin1String(shot.name)));
    const bool saved = dialog.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    dialog.reject();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: trimming_screenshots OUTDIR [PHOTO]\n");
        return 2;
    }
    const QDir out(args.at(1));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(out.path()));
        return 3;
    }
    const QString photoPath =
        args.size() > 2 ? args.at(2)
                        : QStringLiteral(PICROWS_SOURCE_DIR "/samples/photos/01_sakura.jpg");
    QImageReader reader(photoPath);
    reader.setAutoTransform(true);
    const QImage photo = reader.read();
    if (photo.isNull()) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(photoPath),
                     qPrintable(reader.errorString()));
        return 3;
    }
    // Its size in points at its stated resolution, 96 dots per inch when it states none.
    const double dpmX = photo.dotsPerMeterX() > 0 ? photo.dotsPerMeterX() : 96 / 0.0254;
    const double dpmY = photo.dotsPerMeterY() > 0 ? photo.dotsPerMeterY() : 96 / 0.0254;
    const QSizeF points(photo.width() / dpmX / 0.0254 * 72, photo.height() / dpmY / 0.0254 * 72);

    const Shot shots[] = {
        {"0deg", 4.0 / 3.0 * 0.8, false, nullptr, 5, 5, false},
        {"90deg", 1.5, true, nullptr, 5, 5, false},
        {"free_angle", 1.0, false, "17.5", 6, 6, false},
        {"retrimming", 4.0 / 3.0, false, nullptr, 5, 5, true},
    };
    bool all = true;
    for (const Shot& shot : shots)
        all &= writeShot(shot, photo, points, out);
    return all ? 0 : 1;
}
