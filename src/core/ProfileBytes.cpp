#include "ProfileBytes.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr quint64 LOW_NIBBLES = 0x0F0F0F0F0F0F0F0Fu;
constexpr quint64 PAIR_LOW = 0x000F000F000F000Fu;
constexpr quint64 ZEROS = 0x3030303030303030u;

// Eight digits, the first in the high nibble of the first byte, into four bytes.
void packEight(const char* from, char* to) {
    quint64 w = qFromLittleEndian(qFromUnaligned<quint64>(from)) & LOW_NIBBLES;
    w = ((w & PAIR_LOW) << 4) | ((w >> 8) & PAIR_LOW);
    w = (w | (w >> 8)) & 0x0000FFFF0000FFFFu;
    w = (w | (w >> 16)) & 0xFFFFFFFFu;
    qToUnaligned(qToLittleEndian(quint32(w)), to);
}

void unpackEight(const char* from, char* to) {
    quint64 w = qFromLittleEndian(qFromUnaligned<quint32>(from));
    w = (w | (w << 16)) & 0x0000FFFF0000FFFFu;
    w = (w | (w << 8)) & 0x00FF00FF00FF00FFu;
    w = ((w >> 4) & PAIR_LOW) | ((w & PAIR_LOW) << 8);
    qToUnaligned(qToLittleEndian(w | ZEROS), to);
}

void pack(QByteArrayView digits, char* to) {
    const char* from = digits.data();
    const qsizetype size = digits.size();
    qsizetype at = 0;
    for (; at + 8 <= size; at += 8)
        packEight(from + at, to + at / 2);
    for (; at < size; at += 2) {
        const int high = from[at] - '0';
        const int low = at + 1 < size ? from[at + 1] - '0' : 0;
        to[at / 2] = char(high << 4 | low);
    }
}

void unpack(const char* from, qsizetype size, char* to) {
    qsizetype at = 0;
    for (; at + 8 <= size; at += 8)
        unpackEight(from + at / 2, to + at);
    for (; at < size; ++at) {
        const auto pair = static_cast<unsigned char>(from[at / 2]);
        to[at] = char('0' + (at % 2 == 0 ? pair >> 4 : pair & 0x0F));
    }
}

} // namespace

ProfileBytes::ProfileBytes(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return;
    const bool digits = allDigits(bytes);
    std::shared_ptr<char> block(new char[size_t(storedSize(bytes, digits))], std::default_delete<char[]>());
    char* const to = block.get();
    *this = store(bytes, digits, std::move(block), to);
}

ProfileBytes ProfileBytes::store(QByteArrayView bytes, bool digits, std::shared_ptr<char> block, char* to) {
    if (digits)
        pack(bytes, to);
    else
        std::memcpy(to, bytes.data(), size_t(bytes.size()));
    ProfileBytes stored;
    stored.m_data = std::shared_ptr<const char>(std::move(block), to);
    stored.m_size = bytes.size();
    stored.m_packed = digits;
    return stored;
}

bool ProfileBytes::allDigits(QByteArrayView bytes) {
    constexpr quint64 high = 0xF0F0F0F0F0F0F0F0u;
    constexpr quint64 six = 0x0606060606060606u;
    constexpr quint64 threes = 0x3333333333333333u;
    const char* const p = bytes.data();
    const qsizetype size = bytes.size();
    quint64 wrong = 0;
    qsizetype at = 0;
    for (; at + 8 <= size; at += 8) {
        const quint64 word = qFromUnaligned<quint64>(p + at);
        // Each byte a digit: its high nibble is 3, and stays 3 when 6 is added.
        wrong |= ((word & high) | (((word + six) & high) >> 4)) ^ threes;
    }
    for (; at < size; ++at)
        wrong |= quint64(unsigned(static_cast<unsigned char>(p[at])) - unsigned('0') > 9);
    return wrong == 0;
}

QByteArray ProfileBytes::bytes() const {
    if (!m_packed)
        return QByteArray(m_data.get(), m_size);
    QByteArray unpacked(m_size, Qt::Uninitialized);
    unpack(m_data.get(), m_size, unpacked.data());
    return unpacked;
}

QString ProfileBytes::text() const {
    if (!m_packed)
        return QString::fromUtf8(m_data.get(), m_size);
    return QString::fromLatin1(bytes());
}
