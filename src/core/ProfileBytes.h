#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <memory>

// A stored profile as the engine handed it over (UTF-8), shared and never changed. A profile of
// digits only, which is what every writer leaves, is kept two digits to a byte: half the memory of
// a large load. The bytes live in a block of their own or in a block of a ProfileArena, which they
// keep alive.
class ProfileBytes {
public:
    ProfileBytes() = default;
    // A copy of `bytes` in a block of its own.
    explicit ProfileBytes(QByteArrayView bytes);

    // The number of bytes (characters) of the profile.
    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    // Every byte is a digit: the profile is kept packed.
    bool isDigits() const { return m_packed; }
    // The bytes as stored, for a profile that is not packed; empty for one that is.
    QByteArrayView view() const { return m_packed ? QByteArrayView() : QByteArrayView(m_data.get(), m_size); }
    // The bytes as stored, unpacked where they are packed.
    QByteArray bytes() const;
    QString text() const;

    // The size a profile of `size` bytes takes in a block, packed or not.
    static qsizetype storedSize(QByteArrayView bytes, bool digits) {
        return digits ? (bytes.size() + 1) / 2 : bytes.size();
    }
    // Writes `bytes` to `to` (storedSize bytes), packed when `digits`, and returns them as a profile
    // that holds `block`.
    static ProfileBytes store(QByteArrayView bytes, bool digits, std::shared_ptr<char> block, char* to);
    // Whether all bytes are digits.
    static bool allDigits(QByteArrayView bytes);

private:
    std::shared_ptr<const char> m_data;
    qsizetype m_size = 0;
    bool m_packed = false;
};
