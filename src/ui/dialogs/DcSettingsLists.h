#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The choices of the dive computer settings window and how a settings record maps onto them.
// A value that no control can show is shown as the nearest one it can; the record keeps it until
// the user stores the controls.
namespace DcSettingsLists {

struct Mode {
    QString text;
    int data;
};
// "Air", "Bottom Time" and "Nitrox"; the air-integrated models (8 and 16) have no bottom time.
QList<Mode> modes(qint32 model);
// "P0" to "P3".
QStringList programs();
// "1.2" to "1.6", in bar.
QStringList ppo2Limits();
// The reserve choices in bar (`unitTank` 1) or in psi (any other value): 14.5 psi to a bar.
QStringList reserve100(qint16 unitTank);
QStringList reserve50(qint16 unitTank);

// The position of a PPO2 limit in bar in `ppo2Limits`: 1.2 at 0, 1.6 at 4, the nearest end for a
// value outside them.
int ppo2Index(float ppo2Max);
// A PPO2 limit as the list writes it, "1.4" meaning 1.4 bar in every language.
float ppo2Value(const QString& text);
// The position of the program that `Altitude` names, "0" to "3"; the nearest for another number,
// 0 for a text that is none.
int programIndex(const QString& altitude);
// A list position kept within a list of `count` items.
int nearestIndex(int position, int count);
// The position of the item whose number equals `value`, or of the nearest one.
int nearestItem(const QStringList& items, int value);
// A slider position for a stored number: rounded, halves to even, and kept within the range.
int sliderValue(double value, int minimum, int maximum);
// The tank volume a volume slider position stands for: tenths of a litre in litres, cubic feet as
// they are.
QString volumeText(int position, bool litres);

} // namespace DcSettingsLists
