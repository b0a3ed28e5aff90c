#include "host/remote/frame.h"

namespace host::remote {

void appendFrame(QByteArray& out, const QByteArray& payload)
{
    const quint32 size = quint32(payload.size());
    const char header[kFrameHeader] = {char(size >> 24), char(size >> 16), char(size >> 8),
                                       char(size)};
    out.append(header, kFrameHeader);
    out.append(payload);
}

void FrameReader::append(const QByteArray& bytes)
{
    if (m_failed)
        return;
    // Drop what was handed out before the buffer grows, so that a long stream costs no more
    // than its largest frame.
    if (m_offset > 0 && (m_offset == m_buffer.size() || m_offset > 65536)) {
        m_buffer.remove(0, m_offset);
        m_offset = 0;
    }
    m_buffer.append(bytes);
}

namespace {

quint32 frameSize(const char* header)
{
    const auto* p = reinterpret_cast<const unsigned char*>(header);
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3];
}

} // namespace

bool FrameReader::hasFrame() const
{
    if (m_failed)
        return true;
    if (buffered() < kFrameHeader)
        return false;
    const quint32 size = frameSize(m_buffer.constData() + m_offset);
    return qint64(size) > qint64(m_maxFrame) || buffered() - kFrameHeader >= qsizetype(size);
}

std::optional<QByteArray> FrameReader::next()
{
    if (m_failed || buffered() < kFrameHeader)
        return std::nullopt;
    const quint32 size = frameSize(m_buffer.constData() + m_offset);
    if (qint64(size) > qint64(m_maxFrame)) {
        m_failed = true;
        m_buffer.clear();
        m_offset = 0;
        return std::nullopt;
    }
    if (buffered() - kFrameHeader < qsizetype(size))
        return std::nullopt;
    QByteArray payload = m_buffer.mid(m_offset + kFrameHeader, qsizetype(size));
    m_offset += kFrameHeader + qsizetype(size);
    return payload;
}

} // namespace host::remote
