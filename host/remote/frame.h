#pragma once

#include <QByteArray>

#include <optional>

// Frames on a host connection: a 4-byte length (most significant byte first), then that many
// bytes of one message.
namespace host::remote {

inline constexpr qsizetype kFrameHeader = 4;
// The largest message either side accepts: a range's values as one array fit many times over.
inline constexpr qsizetype kMaxFrame = 64 * 1024 * 1024;

void appendFrame(QByteArray& out, const QByteArray& payload);

// Cuts a byte stream into frames. A length above the limit poisons the stream for good: the
// connection it came from must be closed, since nothing after it can be trusted.
class FrameReader
{
public:
    explicit FrameReader(qsizetype maxFrame = kMaxFrame) : m_maxFrame(maxFrame) {}

    void append(const QByteArray& bytes);
    // The next whole frame's payload; none while the stream holds no whole frame or failed.
    std::optional<QByteArray> next();
    // Whether next() would answer a frame (or the stream failed).
    bool hasFrame() const;
    bool failed() const { return m_failed; }
    // Bytes received and not yet handed out.
    qsizetype buffered() const { return m_buffer.size() - m_offset; }

private:
    QByteArray m_buffer;
    qsizetype m_offset = 0;
    qsizetype m_maxFrame;
    bool m_failed = false;
};

} // namespace host::remote
