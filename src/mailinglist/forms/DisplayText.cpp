#include "mailinglist/forms/DisplayText.h"

#include <QStringDecoder>

namespace marrowby {

namespace {

// Windows-1252 where it differs from Latin-1 (0x80 to 0x9F); 0 for the five unused bytes.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

QString DisplayText(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    text.clear();
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        const char16_t mapped = c >= 0x80 && c < 0xA0 ? kHighControls[c - 0x80] : char16_t(c);
        text += QChar(mapped != 0 ? mapped : char16_t(c));
    }
    return text;
}

}  // namespace marrowby
