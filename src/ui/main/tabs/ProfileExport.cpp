#include "ProfileExport.h"

#include "Dive.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "Numeric.h"
#include "Profile.h"
#include "Seams.h"
#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QLocale>
#include <QTemporaryFile>
#include <cmath>
#include <xlsxwriter.h>

namespace {
constexpr int TITLE_IDS[ProfileExport::COLUMNS] = {1470, 1471, 1472, 1473, 1478, 1479};
constexpr QChar TAB = u'\t';
// The export's line end, which the readers of these files split on: a carriage return alone, after
// every line, the last included.
constexpr QChar LINE_END = u'\r';

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString mark(qint16 value) {
    return value != 0 ? QStringLiteral("*") : QStringLiteral("-");
}
} // namespace

QStringList ProfileExport::titles() {
    QStringList result;
    for (int id : TITLE_IDS)
        result << getString(id);
    return result;
}

QList<QStringList> ProfileExport::rows(const Profile& profile) {
    return rows(profile.getCurrentDive().get());
}

QList<QStringList> ProfileExport::rows(const Dive* dive) {
    QList<QStringList> table;
    if (!dive)
        return table;
    const int n = dive->getSamplesCount();
    if (n == 0)
        return table;

    const Internationalization& units = Internationalization::instance();
    const bool air = Settings::instance().isCurrentDiveComputerAir();
    const bool freeDive = dive->isFreeDive();
    table.reserve(n);

    // Tank pressure and breathing rate, as the device keeps them in the fifth value of each sample:
    // sample 1 and every sample 3k + 1 carry a pressure drop, every sample 3k + 2 a rate.
    float pressure = dive->getStartTankPressure() - float(dive->getSampleMisc(1));
    float rate = 0;

    for (int i = 1; i <= n; ++i) {
        QString minutes;
        QString seconds;
        if (freeDive) {
            // A free-dive series makes no tank step.
            minutes = twoDigits(i / Dive::FREE_DIVE_POINTS_PER_MINUTE);
            seconds = twoDigits((i % Dive::FREE_DIVE_POINTS_PER_MINUTE) * Dive::FREE_DIVE_POINT_SECONDS);
        } else {
            minutes = QString::number(i / Dive::SAMPLES_PER_MINUTE);
            seconds = twoDigits((i % Dive::SAMPLES_PER_MINUTE) * Dive::SAMPLE_SECONDS);
            if (i % 3 == 1) {
                if (i > n - 3) {
                    pressure = dive->getStopTankPressure();
                    rate = 0;
                } else {
                    pressure = pressure - float(dive->getSampleMisc(i + 3));
                    rate = i + 4 > n ? 0.0f : float(dive->getSampleMisc(i + 4));
                }
            }
        }

        QStringList row;
        row << minutes + QStringLiteral("' ") + seconds + u'"';
        row << num::singleToText(units.getDepthValue(dive->getSampleDepth(i)));
        row << mark(dive->getSampleDeco(i)) << mark(dive->getSampleDecoStop(i));
        if (!air)
            row << QStringLiteral("-") << QStringLiteral("-");
        else if (i % 3 == 0)
            row << num::singleToText(units.getPressureValue(std::floor(pressure))) << num::singleToText(rate);
        else
            row << QString() << QString();
        table.append(row);
    }
    return table;
}

QString ProfileExport::clipboardText(const QList<QStringList>& rows) {
    QString text = titles().join(TAB) + LINE_END;
    for (const QStringList& row : rows) {
        for (int column = 0; column < COLUMNS; ++column) {
            if (column > 0)
                text += TAB;
            if (column == 1)
                text += u'-';
            text += row.value(column);
        }
        text += LINE_END;
    }
    return text;
}

void ProfileExport::copyToClipboard(const QList<QStringList>& rows) {
    Seams::clipboard().setText(clipboardText(rows));
}

namespace {
// The spreadsheet library is loaded when a workbook is first written, not at every start: it
// brings a cryptography library whose thousands of relocations each launch would pay for.
struct Xlsx {
    decltype(&workbook_new) newWorkbook = nullptr;
    decltype(&workbook_add_worksheet) addWorksheet = nullptr;
    decltype(&worksheet_write_string) writeString = nullptr;
    decltype(&worksheet_write_number) writeNumber = nullptr;
    decltype(&workbook_close) close = nullptr;

    bool loaded() const { return newWorkbook && addWorksheet && writeString && writeNumber && close; }
};

template <typename Function> void resolve(QLibrary& library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(library.resolve(name));
}

const Xlsx& xlsx() {
    static const Xlsx functions = [] {
        Xlsx f;
        QLibrary library(QStringLiteral("xlsxwriter"), 4);
        if (!library.load())
            return f;
        resolve(library, "workbook_new", f.newWorkbook);
        resolve(library, "workbook_add_worksheet", f.addWorksheet);
        resolve(library, "worksheet_write_string", f.writeString);
        resolve(library, "worksheet_write_number", f.writeNumber);
        resolve(library, "workbook_close", f.close);
        return f;
    }();
    return functions;
}
} // namespace

bool ProfileExport::writeWorkbook(const QList<QStringList>& rows, const QString& path) {
    const Xlsx& lib = xlsx();
    if (!lib.loaded())
        return false;
    lxw_workbook* workbook = lib.newWorkbook(QFile::encodeName(path).constData());
    if (!workbook)
        return false;
    lxw_worksheet* sheet = lib.addWorksheet(workbook, nullptr);
    bool written = sheet != nullptr;
    const auto writeText = [&](lxw_row_t r, lxw_col_t c, const QString& text) {
        if (written && !text.isEmpty())
            written = lib.writeString(sheet, r, c, text.toUtf8().constData(), nullptr) == LXW_NO_ERROR;
    };
    // A spreadsheet takes a typed "185" for the number 185; the cells do the same. The texts hold
    // single-precision digits, which a double keeps as they read (12.3, not 12.30000019...).
    const QLocale locale;
    const auto writeValue = [&](lxw_row_t r, lxw_col_t c, const QString& text, double sign) {
        bool isNumber = false;
        const double value = locale.toDouble(text, &isNumber);
        if (!isNumber)
            writeText(r, c, text);
        else if (written)
            written = lib.writeNumber(sheet, r, c, sign * value, nullptr) == LXW_NO_ERROR;
    };

    const QStringList header = titles();
    for (int column = 0; column < COLUMNS; ++column)
        writeText(0, lxw_col_t(column), header.value(column));

    lxw_row_t r = 1;
    for (const QStringList& row : rows) {
        writeText(r, 0, row.value(0));
        // The depth as a negative number.
        writeValue(r, 1, row.value(1), -1);
        for (int column = 2; column < COLUMNS; ++column)
            writeValue(r, lxw_col_t(column), row.value(column), 1);
        ++r;
    }
    // Closing writes the file; it must run even after a failed cell, to free the workbook.
    const bool closed = lib.close(workbook) == LXW_NO_ERROR;
    return written && closed;
}

bool ProfileExport::openInSpreadsheet(const QList<QStringList>& rows) {
    bool opened = false;
    {
        BusyGuard busy;
        // The file must outlive this call: the spreadsheet program reads it after we return.
        QTemporaryFile file(QDir::temp().filePath(QStringLiteral("SONA-profile-XXXXXX.xlsx")));
        file.setAutoRemove(false);
        if (file.open()) {
            const QString path = file.fileName();
            file.close();
            opened = writeWorkbook(rows, path) && Seams::spreadsheet().open(path);
            if (!opened)
                QFile::remove(path);
        }
    }
    if (!opened)
        Seams::message().show(getString(3043), Msg::OkOnly | Msg::Critical, getString(1005));
    return opened;
}
