// libFuzzer target for what a host reads from a client (and a client from a host): the frame
// reader, the message parser and the values inside, with objects decoded both ways.
#include "host/automation/host_error.h"
#include "host/remote/frame.h"
#include "host/remote/messages.h"
#include "host/remote/variant_cbor.h"

#include <QCborArray>

#include <cstddef>
#include <cstdint>

namespace {

// Knows handles 1 to 3, in either side's form: a number (client to host) or [handle, class,
// flags] (host to client). The objects themselves are not the decoder's business: they come
// out as Nothing.
class FuzzCodec : public host::remote::ObjectCodec
{
public:
    QCborValue encodeObject(const host::ObjectRef&) override { return QCborValue(0); }
    host::ObjectRef decodeObject(const QCborValue& value) override
    {
        const qint64 handle =
            value.isArray() ? value.toArray().at(0).toInteger(-1) : value.toInteger(-1);
        if (handle < 0 || handle > 3)
            host::raise(host::err::ObjectRequired);
        return nullptr;
    }
};

void decodeAll(const host::remote::Message& message, FuzzCodec& codec)
{
    const auto decode = [&](const QCborValue& value) {
        try {
            const host::Variant v = host::remote::decodeVariant(value, codec);
            // What decodes must encode again.
            (void)host::remote::encodeVariant(v, codec);
        } catch (const host::remote::MalformedMessage&) {
        } catch (const host::HostError&) {
        }
    };
    for (const QCborValue& value : message.values)
        decode(value);
    for (const auto& [name, value] : message.named)
        decode(value);
    for (const auto& [index, value] : message.written)
        decode(value);
    decode(message.value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzCodec codec;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    host::remote::FrameReader reader(1 << 20);
    // In two pieces, as a socket may deliver them.
    reader.append(bytes.left(bytes.size() / 3));
    reader.append(bytes.mid(bytes.size() / 3));
    int frames = 0;
    while (const std::optional<QByteArray> frame = reader.next()) {
        if (++frames > 64)
            break;
        if (const auto message = host::remote::parseMessage(*frame))
            decodeAll(*message, codec);
    }
    // A frame's payload on its own, so that the fuzzer reaches the parser without framing.
    if (const auto message = host::remote::parseMessage(bytes))
        decodeAll(*message, codec);
    return 0;
}
