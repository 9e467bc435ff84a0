#pragma once

#include <QString>

class PrintDevice;

// Sets the device's font as the pages change text style.
void setFont(PrintDevice& device, const QString& fontName, bool bold, bool italic, int size);

// "S.O.N.A. " in 24-point italic at (x, titleY), then "Computer Model: " and the model name in 14
// points on the next line at (x, modelY); the name is followed by `after`.
void printPageHeader(PrintDevice& device, double x, double titleY, double modelY, const QString& modelName,
                     const QString& after = QString());
