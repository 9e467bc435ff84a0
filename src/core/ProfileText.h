#pragma once

#include <QString>
#include <QStringView>

class Dive;
class diveFreeInfo;

// A dive's profile as the logbook stores it in SAMPLE: records of fixed-width, zero-padded decimal
// fields without separators. Depths are in decimetres.
//
//   Scuba      16-character records: depth, vRis, decoStop, deco
//   Air        20-character records: the scuba fields and misc (tank pressure)
//   FreeDive   an optional profile string "*" + 4-character depths of the whole session + "*",
//              then 12-character records per free dive: maximum depth, dive time and the surface
//              time before it (seconds); read back as samples 4 seconds apart
//   Version20  12-character records of the scuba fields with three characters each (schema "2.0")
//
// A partial record at the end of a text is ignored. A field of plain digits is the norm; blanks
// around, a sign or a decimal point read as the number they hold; anything else is damage.
class ProfileText {
public:
    enum class Layout { Scuba, Air, FreeDive, Version20 };

    static constexpr int SCUBA_RECORD = 16;
    static constexpr int AIR_RECORD = 20;
    static constexpr int FREE_DIVE_RECORD = 12;
    static constexpr int VERSION20_RECORD = 12;
    static constexpr int FIELD_MAX = 9999;

    // What reading one text came to. A damaged text is not an exception: the samples of the records
    // before the damage stay in the dive (a partial profile), `damaged` is set and `position` and
    // `reason` say where and why, so that a query can load the dive, say so once and go on with the
    // next. The upgrade treats a damaged text as a failed step.
    struct ReadResult {
        bool damaged = false;
        // 1-based character of the text as given where the damage was found (0 when not damaged).
        qsizetype position = 0;
        QString reason;
        // Samples added to the dive.
        int samples = 0;

        bool ok() const { return !damaged; }
        // One line for a report, e.g. "Damaged profile at character 17: not a number".
        QString description() const;
    };

    // The layout of a stored dive: air under current model code 8 or 16; free dive under current
    // code 32 for a dive of mode 2; scuba otherwise. The current setting decides, not the dive's code.
    static Layout readLayout(const Dive& dive);
    // Decodes dive.getSamples() in readLayout(dive) (or the layout given), appending to the dive's
    // sample lists. A free-dive text with a profile string leaves only its records in SAMPLES. A
    // dive that holds the engine's bytes (Dive::setStoredSamples) is read from them as they are
    // when they are all ASCII, else from its text: positions always count characters.
    static ReadResult read(Dive& dive);
    static ReadResult read(Dive& dive, Layout layout);
    // What read(dive) would come to, with the samples left to be made from the stored bytes when
    // the dive's samples are first asked for, as the same read in the same layout. A dive whose
    // text a read changes or that holds no bytes of plain ASCII is read at once.
    static ReadResult readOnFirstUse(Dive& dive);

    // The layout a new dive is written in: air under current model code 8 or 16, else scuba.
    static Layout writeLayout();
    // The dive's samples as a Scuba or Air text; "" for a dive without samples. Every value passes
    // the field rule below; RuntimeError 0x80040201 refuses the whole dive.
    static QString write(const Dive& dive, Layout layout);
    // A free-dive session: its profile string (when it has one), then one record per free dive.
    static QString writeFreeDive(const diveFreeInfo& session);

    // The field rule. A value is rounded to a whole number (halves to even) and written as four
    // digits. What lies outside 0 to 9999 is, by kind:
    //   Depth         below 0 is the surface and written as 0; above 9999 (a depth of 1000 m or
    //                 more) can only be a damaged reading, and the dive is refused.
    //   Value         vRis, decoStop, deco, misc and the free-dive times: bounded to 0 to 9999, so
    //                 that one odd flag or counter does not cost the diver the whole dive.
    //   ProfileDepth  a point of the free-dive profile string: 0 ends a free dive's run, so a
    //                 negative point cannot become 0 without splitting a dive, and 1000 m or more is
    //                 a damaged reading: both refuse the dive.
    // Refusal (and a value that is not a number) raises RuntimeError 0x80040201.
    enum class Field { Depth, Value, ProfileDepth };
    static void appendField(QString& text, double value, Field kind);

private:
    friend class Dive;
    class SampleLists;
    // The samples of a dive left by readOnFirstUse.
    static void readPending(const Dive& dive, Layout layout);
    static qsizetype recordLength(Layout layout);
    template <typename Char> static ReadResult read(Dive& dive, Layout layout, const Char* text, qsizetype size);
    // A scuba, air or 2.0 text; nothing for a free-dive one.
    template <bool keep, typename Char>
    static ReadResult readRecordLayout(const Dive& dive, Layout layout, const Char* text, qsizetype size);
    // With `keep` false the records are only checked: the dive's lists stay as they are.
    template <int recordLength, int width, bool withMisc, bool keep = true, typename Char>
    static ReadResult readRecords(const Dive& dive, const Char* text, qsizetype size);
    template <typename Char> static ReadResult readFreeDive(Dive& dive, const Char* text, qsizetype size);
};
