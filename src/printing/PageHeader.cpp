#include "PageHeader.h"

#include "MainModule.h"
#include "PrintDevice.h"

void setFont(PrintDevice& device, const QString& fontName, bool bold, bool italic, int size) {
    device.setFont({fontName, bold, italic, size});
}

void printPageHeader(PrintDevice& device, double x, double titleY, double modelY, const QString& modelName,
                     const QString& after) {
    const QString tahoma = QStringLiteral("Tahoma");
    setFont(device, tahoma, false, true, 24);
    device.currentX = x;
    device.currentY = titleY;
    device.print(QStringLiteral("S.O.N.A. "));
    setFont(device, tahoma, false, false, 14);
    device.currentX = x;
    device.currentY = modelY;
    device.print(getString(2065) + QStringLiteral(": "), false);
    setFont(device, tahoma, false, true, 14);
    device.print(modelName + after);
}
