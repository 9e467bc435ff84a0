#include "ProfileText.h"

#include "Dive.h"
#include "Numeric.h"
#include "RuntimeError.h"
#include "Settings.h"
#include "diveFreeInfo.h"

#include <QtEndian>

#include <cmath>
#include <cstring>
#include <type_traits>

namespace {

const QString NOT_A_NUMBER = QStringLiteral("not a number");
const QString TOO_MANY_SAMPLES = QStringLiteral("more samples than a dive holds");
const QString COUNTER_OVERFLOW = QStringLiteral("a free-dive counter overflows");

// A field that is not plain digits yet still a number: blanks around, a sign, a decimal point.
// Stored profiles hold such fields and must load. False for anything else, an empty field included.
bool readLooseField(QStringView field, double& value) {
    field = field.trimmed();
    qsizetype at = 0;
    bool negative = false;
    if (at < field.size() && (field[at] == u'-' || field[at] == u'+'))
        negative = field[at++] == u'-';
    double number = 0;
    int digits = 0;
    while (at < field.size() && field[at] >= u'0' && field[at] <= u'9') {
        number = number * 10 + (field[at++].unicode() - u'0');
        ++digits;
    }
    if (at < field.size() && field[at] == u'.') {
        ++at;
        double scale = 0.1;
        while (at < field.size() && field[at] >= u'0' && field[at] <= u'9') {
            number += (field[at++].unicode() - u'0') * scale;
            scale /= 10;
            ++digits;
        }
    }
    if (digits == 0 || at != field.size())
        return false;
    value = negative ? -number : number;
    return true;
}

// A text read as bytes holds only ASCII (see read), so its fields read as the same characters.
inline unsigned codeOf(QChar c) {
    return c.unicode();
}
inline unsigned codeOf(char c) {
    return static_cast<unsigned char>(c);
}
inline bool readLooseField(const QChar* p, qsizetype length, double& value) {
    return readLooseField(QStringView(p, length), value);
}
inline bool readLooseField(const char* p, qsizetype length, double& value) {
    return readLooseField(QString::fromLatin1(p, length), value);
}

// The number in the `width` characters at `p` (fewer when `available` is short). Plain digits,
// which is what every writer produces, take the fast path.
template <int width, typename Char> inline bool readField(const Char* p, qsizetype available, double& value) {
    if constexpr (width == 4 && std::is_same_v<Char, char>) {
        // The four bytes of a field read as one word: a hundred thousand profiles are read at a load.
        if (available >= 4) {
            const quint32 chunk = qFromUnaligned<quint32>(p);
            const quint32 word = qFromLittleEndian(chunk); // the first character in the low byte
            // Each byte a digit: its high nibble is 3, and stays 3 when 6 is added.
            if (((word & 0xF0F0F0F0u) | (((word + 0x06060606u) & 0xF0F0F0F0u) >> 4)) == 0x33333333u) {
                const quint32 digits = word - 0x30303030u;
                const quint32 pairs = digits * 10 + (digits >> 8); // bytes 0 and 2: the two halves
                value = double((pairs & 0xFF) * 100 + ((pairs >> 16) & 0xFF));
                return true;
            }
        }
    }
    if (available >= width) {
        unsigned number = 0;
        int k = 0;
        for (; k < width; ++k) {
            const unsigned digit = codeOf(p[k]) - u'0';
            if (digit > 9)
                break;
            number = number * 10 + digit;
        }
        if (k == width) {
            value = number;
            return true;
        }
    }
    return readLooseField(p, qMin<qsizetype>(available, width), value);
}

// The first "*" from `from` on, -1 when there is none.
qsizetype indexOfStar(const QChar* text, qsizetype size, qsizetype from) {
    return QStringView(text, size).indexOf(u'*', from);
}
qsizetype indexOfStar(const char* text, qsizetype size, qsizetype from) {
    if (from >= size)
        return -1;
    const void* found = std::memchr(text + from, '*', size_t(size - from));
    return found ? static_cast<const char*>(found) - text : -1;
}

bool isAscii(QByteArrayView bytes) {
    unsigned char seen = 0;
    for (const char c : bytes)
        seen |= static_cast<unsigned char>(c);
    return seen < 0x80;
}

// Rounded as a 16-bit value; every field this reader meets is four characters at most, so it fits.
inline qint16 toShort(double v) {
    const auto whole = qint16(v);
    if (double(whole) == v) // plain digits, the norm, need no rounding
        return whole;
    return qint16(num::roundHalfEven(v));
}

ProfileText::ReadResult damage(qsizetype position, const QString& reason, int samples) {
    ProfileText::ReadResult result;
    result.damaged = true;
    result.position = position;
    result.reason = reason;
    result.samples = samples;
    return result;
}

RuntimeError refused(double value) {
    return RuntimeError(RuntimeError::InvalidArgument, QStringLiteral("ProfileText.appendField()"),
                        QStringLiteral("Value not allowed in a profile: %1").arg(value));
}

} // namespace

QString ProfileText::ReadResult::description() const {
    if (!damaged)
        return QString();
    return QStringLiteral("Damaged profile at character %1: %2").arg(position).arg(reason);
}

// The five sample lists of a dive, grown in blocks and written in place: the readers know how many
// samples a record makes before they write them. New entries start as 0, which is the misc value
// of every layout but the air one.
class ProfileText::SampleLists {
public:
    explicit SampleLists(const Dive& dive) : m_dive(dive), m_base(dive.m_sampleDepth.size()) {}
    ~SampleLists() {
        if (added != m_capacity)
            setSize(added);
    }
    SampleLists(const SampleLists&) = delete;
    SampleLists& operator=(const SampleLists&) = delete;

    // Samples the dive can still take.
    qsizetype room() const { return Dive::MAX_SAMPLES - m_base - added; }
    // Samples that fit without growing the lists; never more than room().
    qsizetype capacity() const { return m_capacity; }
    // Makes space for `count` more samples (no more than room()).
    void reserve(qsizetype count) {
        if (added + count <= m_capacity)
            return;
        setSize(qMin(qMax(added + count, 2 * m_capacity), Dive::MAX_SAMPLES - m_base));
    }
    void set(qsizetype i, float depth, qint16 vRis, qint16 decoStop, qint16 deco) {
        depthAt[i] = depth;
        vRisAt[i] = vRis;
        decoStopAt[i] = decoStop;
        decoAt[i] = deco;
    }

    float* depthAt = nullptr;
    qint16* vRisAt = nullptr;
    qint16* decoStopAt = nullptr;
    qint16* decoAt = nullptr;
    double* miscAt = nullptr;
    qsizetype added = 0;

private:
    void setSize(qsizetype size) {
        const qsizetype total = m_base + size;
        m_dive.m_sampleDepth.resize(total);
        m_dive.m_sampleVRis.resize(total);
        m_dive.m_sampleDecoStop.resize(total);
        m_dive.m_sampleDeco.resize(total);
        m_dive.m_sampleMisc.resize(total);
        depthAt = m_dive.m_sampleDepth.data() + m_base;
        vRisAt = m_dive.m_sampleVRis.data() + m_base;
        decoStopAt = m_dive.m_sampleDecoStop.data() + m_base;
        decoAt = m_dive.m_sampleDeco.data() + m_base;
        miscAt = m_dive.m_sampleMisc.data() + m_base;
        m_capacity = size;
    }

    const Dive& m_dive; // its lists are the cache of its stored profile, and so writable here
    const qsizetype m_base;
    qsizetype m_capacity = 0;
};

qsizetype ProfileText::recordLength(Layout layout) {
    switch (layout) {
    case Layout::Scuba:
        return SCUBA_RECORD;
    case Layout::Air:
        return AIR_RECORD;
    case Layout::FreeDive:
        return FREE_DIVE_RECORD;
    case Layout::Version20:
        return VERSION20_RECORD;
    }
    return SCUBA_RECORD;
}

ProfileText::Layout ProfileText::readLayout(const Dive& dive) {
    const Settings& settings = Settings::instance();
    if (settings.isCurrentDiveComputerAir())
        return Layout::Air;
    if (ModelCodes::model(settings.currentDiveComputer()) == ModelCode::dcKOBI &&
        dive.getDiveMode() == Dive::FREE_DIVE_MODE)
        return Layout::FreeDive;
    return Layout::Scuba;
}

ProfileText::ReadResult ProfileText::read(Dive& dive) {
    return read(dive, readLayout(dive));
}

ProfileText::ReadResult ProfileText::read(Dive& dive, Layout layout) {
    // Stored bytes are read as they are, without making the text first, when every one is an ASCII
    // character: then byte and character positions agree. Anything else is read as the text.
    dive.readPendingSamples();
    if (dive.m_samples.isEmpty() && !dive.m_storedSamples.isEmpty()) {
        const QByteArray bytes = dive.m_storedSamples.bytes(); // held while SAMPLES may change
        if (isAscii(bytes))
            return read(dive, layout, bytes.constData(), bytes.size());
        dive.setSAMPLES(QString::fromUtf8(bytes));
    }
    const QString text = dive.m_samples;
    return read(dive, layout, text.constData(), text.size());
}

ProfileText::ReadResult ProfileText::readOnFirstUse(Dive& dive) {
    const Layout layout = readLayout(dive);
    dive.readPendingSamples();
    const ProfileBytes& stored = dive.m_storedSamples;
    // A free-dive session may cut its text down to the records; a dive that already has samples
    // would read the same records twice.
    if (layout == Layout::FreeDive || !dive.m_samples.isEmpty() || stored.isEmpty() || !dive.m_sampleDepth.isEmpty())
        return read(dive, layout);
    const QByteArrayView bytes = stored.view(); // empty when packed
    const qsizetype records = stored.size() / recordLength(layout);
    ReadResult result;
    if (stored.isDigits() && records <= Dive::MAX_SAMPLES) {
        result.samples = int(records); // plain digits throughout, as every writer leaves them
    } else if (stored.isDigits() || !isAscii(bytes)) {
        return read(dive, layout);
    } else {
        result = readRecordLayout<false>(dive, layout, bytes.data(), bytes.size());
    }
    if (result.samples > 0)
        dive.m_pendingLayout = layout;
    return result;
}

void ProfileText::readPending(const Dive& dive, Layout layout) {
    const QByteArray bytes = dive.m_storedSamples.bytes();
    readRecordLayout<true>(dive, layout, bytes.constData(), bytes.size());
}

template <typename Char>
ProfileText::ReadResult ProfileText::read(Dive& dive, Layout layout, const Char* text, qsizetype size) {
    if (layout == Layout::FreeDive)
        return readFreeDive(dive, text, size);
    return readRecordLayout<true>(dive, layout, text, size);
}

template <bool keep, typename Char>
ProfileText::ReadResult ProfileText::readRecordLayout(const Dive& dive, Layout layout, const Char* text,
                                                      qsizetype size) {
    switch (layout) {
    case Layout::Scuba:
        return readRecords<SCUBA_RECORD, 4, false, keep>(dive, text, size);
    case Layout::Air:
        return readRecords<AIR_RECORD, 4, true, keep>(dive, text, size);
    case Layout::Version20:
        return readRecords<VERSION20_RECORD, 3, false, keep>(dive, text, size);
    case Layout::FreeDive:
        break;
    }
    return ReadResult();
}

template <int recordLength, int width, bool withMisc, bool keep, typename Char>
ProfileText::ReadResult ProfileText::readRecords(const Dive& dive, const Char* data, qsizetype size) {
    const qsizetype records = size / recordLength;
    SampleLists lists(dive);
    const qsizetype count = qMin(records, lists.room());
    if constexpr (keep)
        lists.reserve(count);

    // The lists stay where they are while the records are read: their places are held here.
    float* const depth = lists.depthAt;
    qint16* const vRis = lists.vRisAt;
    qint16* const decoStop = lists.decoStopAt;
    qint16* const deco = lists.decoAt;
    double* const misc = lists.miscAt;
    constexpr int fieldCount = withMisc ? 5 : 4;
    for (qsizetype i = 0; i < count; ++i) {
        const Char* const record = data + i * recordLength;
        double fields[fieldCount];
        for (int f = 0; f < fieldCount; ++f) {
            if (!readField<width>(record + f * width, width, fields[f])) {
                if constexpr (keep)
                    lists.added = i;
                return damage(i * recordLength + f * width + 1, NOT_A_NUMBER, int(i));
            }
        }
        if constexpr (keep) {
            depth[i] = float(fields[0]);
            vRis[i] = toShort(fields[1]);
            decoStop[i] = toShort(fields[2]);
            deco[i] = toShort(fields[3]);
            if constexpr (withMisc)
                misc[i] = float(fields[4]);
        }
    }
    if constexpr (keep)
        lists.added = count;
    if (count < records)
        return damage(count * recordLength + 1, TOO_MANY_SAMPLES, int(count));
    ReadResult result;
    result.samples = int(count);
    return result;
}

template <typename Char>
ProfileText::ReadResult ProfileText::readFreeDive(Dive& dive, const Char* text, qsizetype size) {
    // Everything below belongs to this one text: no state carries over to the next dive. The caller
    // holds the text, so it stays readable when SAMPLES is cut down to the records.
    const Char* records = text;
    qsizetype recordsSize = size;
    const Char* profile = nullptr;
    qsizetype profileSize = 0; // the depth fields and the closing "*"
    bool hasProfile = false;
    qsizetype recordsOffset = 0;
    if (size > 0 && codeOf(text[0]) == u'*') {
        hasProfile = true;
        const qsizetype close = indexOfStar(text, size, 1);
        if (close >= 0) {
            profile = text + 1;
            profileSize = close;
            recordsOffset = close + 1;
            records = text + recordsOffset;
            recordsSize = size - recordsOffset;
            if constexpr (std::is_same_v<Char, char>)
                dive.setStoredSamples(QByteArray(records, recordsSize));
            else
                dive.setSAMPLES(QString(records, recordsSize));
        }
    }
    const qsizetype count = recordsSize / FREE_DIVE_RECORD;

    SampleLists lists(dive);
    {
        // As many samples as the records can make: their surface parts, and their dive parts (a
        // profile gives at most one sample per depth field). Reading stops where a record is damaged.
        qsizetype most = hasProfile ? profileSize / 4 : 0;
        for (qsizetype i = 0; i < count; ++i) {
            const Char* const record = records + i * FREE_DIVE_RECORD;
            double diveTime = 0;
            double surfaceTime = 0;
            if (!readField<4>(record + 4, 4, diveTime) || !readField<4>(record + 8, 4, surfaceTime))
                break;
            most += qMax(0, toShort(surfaceTime) / Dive::FREE_DIVE_POINT_SECONDS);
            if (!hasProfile)
                most += qMax(0, toShort(diveTime) / Dive::FREE_DIVE_POINT_SECONDS);
        }
        lists.reserve(qMin(most, lists.room()));
    }

    qsizetype readAt = 0; // in the profile
    qint32 freeDive = 0;
    qint32 seconds = Dive::FREE_DIVE_POINT_SECONDS;
    float previousMax = 0;
    float currentMax = 0;
    // `wanted` samples of one depth, `seconds` counting on; false after the ones that fit when the
    // dive is full or a 16-bit counter (the free dive, the seconds) would overflow.
    ReadResult failure;
    const auto add = [&](qsizetype wanted, float depth, qsizetype position) -> bool {
        if (wanted <= 0)
            return true;
        qsizetype fit = qMin(wanted, lists.room());
        if (freeDive > 32767 || seconds > 32767)
            fit = 0;
        else
            fit = qMin<qsizetype>(fit, (32767 - seconds) / Dive::FREE_DIVE_POINT_SECONDS + 1);
        lists.reserve(fit);
        const qint16 deco = toShort(previousMax);
        const qsizetype first = lists.added;
        for (qsizetype k = 0; k < fit; ++k) {
            lists.set(first + k, depth, qint16(freeDive), qint16(seconds), deco);
            seconds += Dive::FREE_DIVE_POINT_SECONDS;
        }
        lists.added = first + fit;
        if (fit == wanted)
            return true;
        failure = damage(position, lists.room() == 0 ? TOO_MANY_SAMPLES : COUNTER_OVERFLOW, int(lists.added));
        return false;
    };

    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype recordAt = i * FREE_DIVE_RECORD;
        const Char* const record = records + recordAt;
        const qsizetype position = recordsOffset + recordAt + 1;
        double maxDepth = 0;
        double diveTime = 0;
        double surfaceTime = 0;
        if (!readField<4>(record, 4, maxDepth))
            return damage(position, NOT_A_NUMBER, int(lists.added));
        if (!readField<4>(record + 4, 4, diveTime))
            return damage(position + 4, NOT_A_NUMBER, int(lists.added));
        if (!readField<4>(record + 8, 4, surfaceTime))
            return damage(position + 8, NOT_A_NUMBER, int(lists.added));

        const int surfaceSamples = toShort(surfaceTime) / Dive::FREE_DIVE_POINT_SECONDS;
        if (!add(surfaceSamples, 0, position + 8))
            return failure;
        seconds = surfaceSamples > 0 ? 0 : Dive::FREE_DIVE_POINT_SECONDS;

        if (hasProfile) {
            // The run of one free dive, sample by sample: the counters are held here, in registers,
            // and handed back to add() only when the lists must grow or a limit is near.
            const qint16 deco = toShort(previousMax);
            qsizetype at = readAt;
            qint32 t = seconds;
            float runMax = currentMax;
            qsizetype n = lists.added;
            qsizetype fast = freeDive <= 32767 ? lists.capacity() : 0;
            for (;;) {
                double depth = 0;
                if (!readField<4>(profile + qMin(at, profileSize), qMax<qsizetype>(0, profileSize - at), depth)) {
                    lists.added = n;
                    return damage(at + 2, NOT_A_NUMBER, int(n));
                }
                if (float(depth) > runMax)
                    runMax = float(depth);
                at += 4;
                if (depth == 0 || at >= profileSize - 1)
                    break;
                if (n < fast && t <= 32767) {
                    lists.set(n++, float(depth), qint16(freeDive), qint16(t), deco);
                    t += Dive::FREE_DIVE_POINT_SECONDS;
                    continue;
                }
                lists.added = n;
                seconds = t;
                if (!add(1, float(depth), at - 2))
                    return failure;
                n = lists.added;
                t = seconds;
                fast = lists.capacity();
            }
            lists.added = n;
            seconds = t;
            readAt = at;
            currentMax = runMax;
        } else {
            if (!add(toShort(diveTime) / Dive::FREE_DIVE_POINT_SECONDS, float(maxDepth), position + 4))
                return failure;
        }
        ++freeDive;
        previousMax = currentMax;
        currentMax = 0;
        seconds = 0;
    }
    ReadResult result;
    result.samples = int(lists.added);
    return result;
}

ProfileText::Layout ProfileText::writeLayout() {
    return Settings::instance().isCurrentDiveComputerAir() ? Layout::Air : Layout::Scuba;
}

void ProfileText::appendField(QString& text, double value, Field kind) {
    if (!std::isfinite(value))
        throw refused(value);
    double number = num::roundHalfEven(value);
    if (number < 0) {
        if (kind == Field::ProfileDepth)
            throw refused(value);
        number = 0;
    }
    if (number > FIELD_MAX) {
        if (kind != Field::Value)
            throw refused(value);
        number = FIELD_MAX;
    }
    const int v = int(number);
    const QChar digits[4] = {QChar(u'0' + v / 1000), QChar(u'0' + v / 100 % 10), QChar(u'0' + v / 10 % 10),
                             QChar(u'0' + v % 10)};
    text.append(digits, 4);
}

QString ProfileText::write(const Dive& dive, Layout layout) {
    if (layout != Layout::Scuba && layout != Layout::Air)
        throw RuntimeError(RuntimeError::InvalidArgument, QStringLiteral("ProfileText.write()"),
                           QStringLiteral("Only scuba and air profiles are written from samples"));
    const bool withMisc = layout == Layout::Air;
    dive.readPendingSamples();
    const qsizetype count = dive.m_sampleDepth.size();
    QString text;
    text.reserve(count * (withMisc ? AIR_RECORD : SCUBA_RECORD));
    for (qsizetype i = 0; i < count; ++i) {
        appendField(text, double(dive.m_sampleDepth[i]), Field::Depth);
        appendField(text, dive.m_sampleVRis[i], Field::Value);
        appendField(text, dive.m_sampleDecoStop[i], Field::Value);
        appendField(text, dive.m_sampleDeco[i], Field::Value);
        if (withMisc)
            appendField(text, dive.m_sampleMisc[i], Field::Value);
    }
    return text;
}

QString ProfileText::writeFreeDive(const diveFreeInfo& session) {
    QString text = session.getProfileFreeDB();
    const qint16 count = session.getSamplesCount();
    text.reserve(text.size() + count * FREE_DIVE_RECORD);
    for (qint16 i = 1; i <= count; ++i) {
        appendField(text, double(session.getFreeDiveMaxDepth(i) * 10.0f), Field::Depth);
        appendField(text, session.getFreeDiveDiveTime(i), Field::Value);
        appendField(text, session.getFreeDiveSurfTime(i), Field::Value);
    }
    return text;
}
