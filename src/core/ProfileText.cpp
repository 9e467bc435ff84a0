#include "ProfileText.h"

#include "Dive.h"
#include "Numeric.h"
#include "RuntimeError.h"
#include "Settings.h"
#include "diveFreeInfo.h"

#include <cmath>

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

// The number in the `width` characters at `p` (fewer when `available` is short). Plain digits,
// which is what every writer produces, take the fast path.
template <int width> inline bool readField(const QChar* p, qsizetype available, double& value) {
    if (available >= width) {
        unsigned number = 0;
        int k = 0;
        for (; k < width; ++k) {
            const unsigned digit = unsigned(p[k].unicode()) - u'0';
            if (digit > 9)
                break;
            number = number * 10 + digit;
        }
        if (k == width) {
            value = number;
            return true;
        }
    }
    return readLooseField(QStringView(p, qMin<qsizetype>(available, width)), value);
}

// Rounded as a 16-bit value; every field this reader meets is four characters at most, so it fits.
inline qint16 toShort(double v) {
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

// Appends samples whose values the reader has already checked, without the conversions of
// Dive::addSample.
class ProfileText::SampleSink {
public:
    explicit SampleSink(Dive& dive) : m_dive(dive) {}
    qsizetype room() const { return Dive::MAX_SAMPLES - m_dive.m_sampleDepth.size(); }
    void add(float depth, qint16 vRis, qint16 decoStop, qint16 deco, double misc = 0) {
        m_dive.m_sampleDepth.append(depth);
        m_dive.m_sampleVRis.append(vRis);
        m_dive.m_sampleDecoStop.append(decoStop);
        m_dive.m_sampleDeco.append(deco);
        m_dive.m_sampleMisc.append(misc);
        ++added;
    }
    int added = 0;

private:
    Dive& m_dive;
};

ProfileText::Layout ProfileText::readLayout(const Dive& dive) {
    const Settings& settings = Settings::instance();
    if (settings.isCurrentDiveComputerAir())
        return Layout::Air;
    if (settings.currentDiveComputer() == Dive::dcKOBI && dive.getDiveMode() == Dive::FREE_DIVE_MODE)
        return Layout::FreeDive;
    return Layout::Scuba;
}

ProfileText::ReadResult ProfileText::read(Dive& dive) {
    return read(dive, readLayout(dive));
}

template <int recordLength, int width, bool withMisc> ProfileText::ReadResult ProfileText::readRecords(Dive& dive) {
    // The text is held while the lists grow; SAMPLES itself is not touched.
    const QString text = dive.m_samples;
    const QChar* const data = text.constData();
    const qsizetype records = text.size() / recordLength;
    const qsizetype base = dive.m_sampleDepth.size();
    const qsizetype count = qMin<qsizetype>(records, Dive::MAX_SAMPLES - base);

    // The lists are sized once and written in place; on damage they are cut back to the samples read.
    dive.m_sampleDepth.resize(base + count);
    dive.m_sampleVRis.resize(base + count);
    dive.m_sampleDecoStop.resize(base + count);
    dive.m_sampleDeco.resize(base + count);
    dive.m_sampleMisc.resize(base + count);
    float* const depth = dive.m_sampleDepth.data() + base;
    qint16* const vRis = dive.m_sampleVRis.data() + base;
    qint16* const decoStop = dive.m_sampleDecoStop.data() + base;
    qint16* const deco = dive.m_sampleDeco.data() + base;
    double* const misc = dive.m_sampleMisc.data() + base;
    const auto cutBack = [&](qsizetype read) {
        dive.m_sampleDepth.resize(base + read);
        dive.m_sampleVRis.resize(base + read);
        dive.m_sampleDecoStop.resize(base + read);
        dive.m_sampleDeco.resize(base + read);
        dive.m_sampleMisc.resize(base + read);
    };

    constexpr int fieldCount = withMisc ? 5 : 4;
    for (qsizetype i = 0; i < count; ++i) {
        const QChar* const record = data + i * recordLength;
        double fields[fieldCount];
        for (int f = 0; f < fieldCount; ++f) {
            if (!readField<width>(record + f * width, width, fields[f])) {
                cutBack(i);
                return damage(i * recordLength + f * width + 1, NOT_A_NUMBER, int(i));
            }
        }
        depth[i] = float(fields[0]);
        vRis[i] = toShort(fields[1]);
        decoStop[i] = toShort(fields[2]);
        deco[i] = toShort(fields[3]);
        if constexpr (withMisc)
            misc[i] = float(fields[4]);
        else
            misc[i] = 0;
    }
    if (count < records)
        return damage(count * recordLength + 1, TOO_MANY_SAMPLES, int(count));
    ReadResult result;
    result.samples = int(count);
    return result;
}

ProfileText::ReadResult ProfileText::read(Dive& dive, Layout layout) {
    switch (layout) {
    case Layout::Scuba:
        return readRecords<SCUBA_RECORD, 4, false>(dive);
    case Layout::Air:
        return readRecords<AIR_RECORD, 4, true>(dive);
    case Layout::Version20:
        return readRecords<VERSION20_RECORD, 3, false>(dive);
    case Layout::FreeDive:
        return readFreeDive(dive);
    }
    return ReadResult();
}

ProfileText::ReadResult ProfileText::readFreeDive(Dive& dive) {
    // Everything below belongs to this one text: no state carries over to the next dive.
    const QString original = dive.m_samples;
    QStringView records(original);
    QStringView profile;
    bool hasProfile = false;
    qsizetype recordsOffset = 0;
    if (!original.isEmpty() && original[0] == u'*') {
        hasProfile = true;
        const qsizetype close = original.indexOf(u'*', 1);
        if (close >= 0) {
            // The profile keeps its closing "*": a run that reaches it ends there.
            profile = QStringView(original).mid(1, close);
            recordsOffset = close + 1;
            records = QStringView(original).mid(recordsOffset);
            dive.m_samples = records.toString();
        }
    }

    SampleSink sink(dive);
    qsizetype readAt = 0; // in the profile
    qint32 freeDive = 0;
    qint32 seconds = Dive::FREE_DIVE_POINT_SECONDS;
    float previousMax = 0;
    float currentMax = 0;
    ReadResult failure;
    // The counters are 16-bit, as the samples that carry them.
    const auto add = [&](float depth, qsizetype position) -> bool {
        if (sink.room() == 0 || seconds > 32767 || freeDive > 32767) {
            failure = damage(position, sink.room() == 0 ? TOO_MANY_SAMPLES : COUNTER_OVERFLOW, sink.added);
            return false;
        }
        sink.add(depth, qint16(freeDive), qint16(seconds), toShort(previousMax));
        seconds += Dive::FREE_DIVE_POINT_SECONDS;
        return true;
    };

    const qsizetype count = records.size() / FREE_DIVE_RECORD;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype at = i * FREE_DIVE_RECORD;
        const QChar* const record = records.data() + at;
        const qsizetype position = recordsOffset + at + 1;
        double maxDepth = 0;
        double diveTime = 0;
        double surfaceTime = 0;
        if (!readField<4>(record, 4, maxDepth))
            return damage(position, NOT_A_NUMBER, sink.added);
        if (!readField<4>(record + 4, 4, diveTime))
            return damage(position + 4, NOT_A_NUMBER, sink.added);
        if (!readField<4>(record + 8, 4, surfaceTime))
            return damage(position + 8, NOT_A_NUMBER, sink.added);

        const int surfaceSamples = toShort(surfaceTime) / Dive::FREE_DIVE_POINT_SECONDS;
        for (int k = 0; k < surfaceSamples; ++k) {
            if (!add(0, position + 8))
                return failure;
        }
        seconds = surfaceSamples > 0 ? 0 : Dive::FREE_DIVE_POINT_SECONDS;

        if (hasProfile) {
            for (;;) {
                double depth = 0;
                const qsizetype fieldPosition = readAt + 2;
                if (!readField<4>(profile.data() + qMin(readAt, profile.size()),
                                  qMax<qsizetype>(0, profile.size() - readAt), depth))
                    return damage(fieldPosition, NOT_A_NUMBER, sink.added);
                if (float(depth) > currentMax)
                    currentMax = float(depth);
                readAt += 4;
                if (depth == 0 || readAt >= profile.size() - 1)
                    break;
                if (!add(float(depth), fieldPosition))
                    return failure;
            }
        } else {
            const int diveSamples = toShort(diveTime) / Dive::FREE_DIVE_POINT_SECONDS;
            for (int k = 0; k < diveSamples; ++k) {
                if (!add(float(maxDepth), position + 4))
                    return failure;
            }
        }
        ++freeDive;
        previousMax = currentMax;
        currentMax = 0;
        seconds = 0;
    }
    ReadResult result;
    result.samples = sink.added;
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
