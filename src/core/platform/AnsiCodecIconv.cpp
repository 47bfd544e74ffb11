// Code page 932 through iconv (POSIX systems).

#include "core/AnsiText.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>

namespace morvane {
namespace {

const iconv_t kInvalidConverter = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));
const size_t kConversionError = static_cast<size_t>(-1);

// One converter per direction and thread, opened on first use: opening one
// costs far more than converting a short text.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != kInvalidConverter; }

    // Converts `input`; `onInvalid` is called with the unconvertible input
    // position and returns how many input bytes to skip, having appended its
    // replacement to the output.
    template <typename OnInvalid> QByteArray convert(const QByteArray& input, OnInvalid onInvalid)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        QByteArray output;
        output.reserve(input.size() * 2);
        char* in = const_cast<char*>(input.constData());
        size_t inLeft = static_cast<size_t>(input.size());
        char buffer[512];
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(m_cd, &in, &inLeft, &out, &outLeft);
            output.append(buffer, out - buffer);
            if (result != kConversionError || errno == E2BIG)
                continue;
            // EILSEQ (not representable / not valid) or EINVAL (cut short).
            size_t skip = onInvalid(output, in, inLeft);
            skip = skip == 0 ? 1 : (skip > inLeft ? inLeft : skip);
            in += skip;
            inLeft -= skip;
        }
        return output;
    }

private:
    iconv_t m_cd;
};

Converter& encoder()
{
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

Converter& decoder()
{
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead < 0xC0)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    return 4;
}

} // namespace

QByteArray ToAnsi(const QString& text)
{
    Converter& converter = encoder();
    if (!converter.valid()) {
        // No code page 932 tables on this system: keep what ASCII can say.
        QByteArray ascii(text.size(), '?');
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].unicode() < 0x80)
                ascii[i] = static_cast<char>(text[i].unicode());
        }
        return ascii;
    }
    return converter.convert(text.toUtf8(), [](QByteArray& out, const char* at, size_t) {
        out.append('?');
        return Utf8SequenceLength(static_cast<unsigned char>(*at));
    });
}

QString FromAnsi(const QByteArray& bytes)
{
    Converter& converter = decoder();
    if (!converter.valid())
        return QString::fromLatin1(bytes);
    const QByteArray utf8 = converter.convert(bytes, [](QByteArray& out, const char*, size_t) {
        out.append("\xEF\xBF\xBD"); // U+FFFD
        return size_t{1};
    });
    return QString::fromUtf8(utf8);
}

} // namespace morvane
