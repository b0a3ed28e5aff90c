#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

namespace picrows {

// The trimming dialog's off-screen pictures: the source (the picture as the dialog works on
// it), the colour canvas (the source with the brightness and contrast preview) and the rotated
// canvas (the colour canvas turned, which the preview shows and the frame measures). A large
// picture is worked on as a copy no larger than the screen: the previews stay quick and the
// caller keeps the full picture for the result.
class TrimmingCanvases
{
public:
    // Takes a copy of `picture` no larger than `limit` pixels (proportions kept), drawn over
    // white where it is transparent; colour and rotated canvases start as copies of it.
    void load(const QImage& picture, QSize limit);

    // The colour preview; answers whether an adjustment was drawn. `disabled` (re-trimming)
    // leaves the source as it is.
    bool colourPreview(float contrast, float brightness, bool disabled);
    // The rotated canvas from the colour canvas: a plain copy when `upright`, else turned
    // clockwise by `angle` degrees over `background`.
    void rotationPreview(double angle, bool upright, const QColor& background);

    const QImage& source() const { return m_source; }
    const QImage& colour() const { return m_colour; }
    const QImage& rotated() const { return m_rotated; }

private:
    QImage m_source;
    QImage m_colour;
    QImage m_rotated;
};

// `picture` scaled down, proportions kept, to fit `limit` (unchanged when it fits), as a 32-bit
// picture over white.
QImage workingCopy(const QImage& picture, QSize limit);

} // namespace picrows
