// Times the trimming dialog on a 12-megapixel photograph (4000 × 3000): opening it (LoadSet),
// one step of dragging the frame and of dragging a handle (the pointer's move and the repaint),
// one step of the brightness slider and one change of the free angle. Against two baselines
// measured in the same run: scaling the whole photograph to the preview once (what a repaint
// would cost if the preview worked on the full picture) and the colour preview on the full
// picture. Prints medians in milliseconds and the ratios. Runs on QT_QPA_PLATFORM=offscreen.
#include "main/controls/use_text_box.h"
#include "main/engine/trimming_state.h"
#include "main/tools/picture_colour.h"
#include "main/trimming_dialog/frm_trimming.h"
#include "main/trimming_dialog/trimming_preview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QSlider>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr QSize Full(4000, 3000);
constexpr int Runs = 15;

QImage photograph()
{
    QImage image(Full, QImage::Format_RGB32);
    QRandomGenerator random(12345);
    for (int y = 0; y < Full.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Full.width(); ++x) {
            const double u = double(x) / Full.width(), v = double(y) / Full.height();
            const int noise = int(random.bounded(48)) - 24;
            row[x] = qRgb(std::clamp(int(255 * u) + noise, 0, 255),
                          std::clamp(int(255 * v) - noise, 0, 255),
                          std::clamp(int(128 + 120 * std::sin(u * 40 + v * 25)) + noise, 0, 255));
        }
    }
    return image;
}

double medianMs(const std::function<void(int)>& step, int runs = Runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step(i);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void send(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QImage photo = photograph();
    const QSizeF points = QSizeF(Full) * 0.75;

    picrows::TrimmingState state;
    state.dblAspect = 1.5;
    std::unique_ptr<picrows::frmTrimming> dialog;
    const double open = medianMs(
        [&](int) {
            dialog.reset();
            dialog =
                std::make_unique<picrows::frmTrimming>(state, picrows::TrimmingDialogContext{});
            dialog->LoadSet(photo, points, false);
            dialog->show();
            QApplication::processEvents();
        },
        5);
    picrows::TrimmingPreview* preview = dialog->picMain();
    const QSize shown = preview->toPixels(*preview->display()).toRect().size();

    const double wholeScale = medianMs(
        [&](int) { (void)photo.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation); },
        5);
    const double wholeColour = medianMs(
        [&](int) {
            QImage colour;
            picrows::drawColourPreview(photo, colour, 0.5f, 0.7f, false);
        },
        5);

    const int rendersBefore = preview->pictureRenders();
    const QPoint centre = preview->toPixels(preview->hitArea()).center().toPoint();
    send(preview, QEvent::MouseButtonPress, centre, Qt::LeftButton);
    const double frameStep = medianMs([&](int i) {
        send(preview, QEvent::MouseMove, centre + QPoint(i % 2 ? 3 : -3, 0), Qt::LeftButton);
        preview->repaint();
    });
    send(preview, QEvent::MouseButtonRelease, centre, Qt::NoButton);
    preview->repaint();
    const bool frameRescaled = preview->pictureRenders() != rendersBefore;

    const QPoint corner = preview->handleRect(picrows::Corner::LeftTop).center().toPoint();
    send(preview, QEvent::MouseButtonPress, corner, Qt::LeftButton);
    const double handleStep = medianMs([&](int i) {
        send(preview, QEvent::MouseMove, corner + QPoint(10 + i, 10 + i), Qt::LeftButton);
        preview->repaint();
    });
    send(preview, QEvent::MouseButtonRelease, corner + QPoint(10, 10), Qt::NoButton);

    const double sliderStep = medianMs([&](int i) {
        dialog->sldBrightness()->setValue(i % 2 ? 6 : 7);
        preview->repaint();
    });
    const double angleStep = medianMs([&](int i) {
        dialog->utxtRotate()->setNumText(i % 2 ? 12.5 : 33.3);
        Q_EMIT dialog->utxtRotate()->Change();
        preview->repaint();
    });

    std::printf("trimming dialog on a %d x %d photograph, preview %d x %d pixels (medians, ms)\n",
                Full.width(), Full.height(), shown.width(), shown.height());
    std::printf("  baseline: whole photograph scaled to the preview   %8.2f\n", wholeScale);
    std::printf("  baseline: colour preview of the whole photograph  %8.2f\n", wholeColour);
    std::printf("  opening (LoadSet, shown)                           %8.2f  (%.2f x scale)\n",
                open, open / wholeScale);
    std::printf("  frame drag step (move + repaint)                   %8.2f  (%.3f x scale)%s\n",
                frameStep, frameStep / wholeScale,
                frameRescaled ? "  PICTURE RESCALED WHILE DRAGGING" : "");
    std::printf("  handle drag step (move + repaint)                  %8.2f  (%.3f x scale)\n",
                handleStep, handleStep / wholeScale);
    std::printf("  brightness slider step                             %8.2f  (%.2f x colour)\n",
                sliderStep, sliderStep / wholeColour);
    std::printf("  free angle change                                  %8.2f  (%.2f x colour)\n",
                angleStep, angleStep / wholeColour);
    dialog->reject();
    return frameRescaled ? 1 : 0;
}
