#include "host/imaging/gif_structure.h"

namespace host::imaging {

namespace {

class Walker
{
public:
    explicit Walker(QByteArrayView data) : m_data(data) {}

    bool skip(qsizetype count)
    {
        if (count > m_data.size() - m_at)
            return false;
        m_at += count;
        return true;
    }

    int next() { return m_at < m_data.size() ? uchar(m_data[m_at++]) : -1; }
    bool atEnd() const { return m_at == m_data.size(); }

    // Data sub-blocks: a length byte and that many bytes, to a zero length.
    bool skipSubBlocks()
    {
        for (;;) {
            const int length = next();
            if (length < 0)
                return false;
            if (length == 0)
                return true;
            if (!skip(length))
                return false;
        }
    }

private:
    QByteArrayView m_data;
    qsizetype m_at = 0;
};

qsizetype colourTableSize(int flags)
{
    return flags & 0x80 ? 3 * (qsizetype(1) << ((flags & 7) + 1)) : 0;
}

} // namespace

bool gifComplete(QByteArrayView gif)
{
    Walker walker(gif);
    if (!walker.skip(10)) // signature, screen width and height
        return false;
    const int screenFlags = walker.next();
    if (screenFlags < 0 || !walker.skip(2) || !walker.skip(colourTableSize(screenFlags)))
        return false;
    bool sawImage = false;
    for (;;) {
        if (walker.atEnd())
            return sawImage;
        switch (walker.next()) {
        case 0x3B: // trailer
            return sawImage;
        case 0x21: // extension: label, then sub-blocks
            if (walker.next() < 0 || !walker.skipSubBlocks())
                return false;
            break;
        case 0x2C: { // image: descriptor, local colour table, code size, sub-blocks
            if (!walker.skip(8))
                return false;
            const int flags = walker.next();
            if (flags < 0 || !walker.skip(colourTableSize(flags)) || walker.next() < 0 ||
                !walker.skipSubBlocks())
                return false;
            sawImage = true;
            break;
        }
        default:
            return false;
        }
    }
}

} // namespace host::imaging
