#include "main/templates/file_name_chars.h"

#include <QByteArray>

#include <iconv.h>

#include <array>
#include <mutex>

namespace picrows {

namespace {

// One converter from UTF-32 to code page 932 for the process; iconv descriptors are not safe
// to share between threads, so calls take turns.
class Cp932Encoder
{
public:
    Cp932Encoder() : m_cd(iconv_open("CP932", "UTF-32LE")) {}
    ~Cp932Encoder()
    {
        if (m_cd != invalid())
            iconv_close(m_cd);
    }
    Cp932Encoder(const Cp932Encoder&) = delete;
    Cp932Encoder& operator=(const Cp932Encoder&) = delete;

    QByteArray bytesOf(char32_t character)
    {
        if (m_cd == invalid())
            return {};
        const std::lock_guard lock(m_mutex);
        std::array<char, 4> in{char(character & 0xff), char((character >> 8) & 0xff),
                               char((character >> 16) & 0xff), char((character >> 24) & 0xff)};
        std::array<char, 8> out{};
        char* inPtr = in.data();
        size_t inLeft = in.size();
        char* outPtr = out.data();
        size_t outLeft = out.size();
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
            return {};
        return QByteArray(out.data(), qsizetype(out.size() - outLeft));
    }

private:
    static iconv_t invalid() { return iconv_t(-1); }

    iconv_t m_cd;
    std::mutex m_mutex;
};

Cp932Encoder& encoder()
{
    static Cp932Encoder instance;
    return instance;
}

bool isRefusedByte(unsigned char c)
{
    if (c < 0x20)
        return true;
    switch (c) {
    case '"':
    case '*':
    case '/':
    case ':':
    case '<':
    case '>':
    case '?':
    case '\\':
    case '|':
        return true;
    default:
        return false;
    }
}

} // namespace

QByteArray ansiBytesOf(char32_t character)
{
    // The code page keeps ASCII as it is, so the refused characters never depend on iconv's
    // tables being installed.
    if (character < 0x80)
        return QByteArray(1, char(character));
    return encoder().bytesOf(character);
}

QString f_ReturnErrCharFromFoldernameOrFilenameSpeal(const QString& name)
{
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype length =
            name.at(i).isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        const char32_t c = length == 2 ? QChar::surrogateToUcs4(name.at(i), name.at(i + 1))
                                       : char32_t(name.at(i).unicode());
        const QByteArray bytes = ansiBytesOf(c);
        if (bytes.size() == 1 && isRefusedByte(static_cast<unsigned char>(bytes.front())))
            return name.mid(i, length);
        i += length;
    }
    return {};
}

} // namespace picrows
