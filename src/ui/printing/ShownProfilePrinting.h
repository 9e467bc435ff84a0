#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

class Profile;
class QWidget;

// The print and preview commands of the windows that show one dive's profile (the main window's
// profile panel, the profile window, the simulator): a profile page of that dive, the diver marked at
// `markerStep` (-1: no marker, tissue bars or decompression box).
namespace ShownProfilePrinting {

enum class Output { Printer, Preview };

// The output of a toolbar button's key ("PRINT", "PREVIEW"); none for any other key.
std::optional<Output> outputOf(const QString& key);

// When the profile's dive has no descriptive record, the record of dive `reloadID` is loaded and kept
// on it for later commands; -1 skips this. A dive that cannot be loaded (deleted meanwhile) ends the
// command after the query's message.
void print(const std::shared_ptr<Profile>& profile, qint16 markerStep, qint32 reloadID, Output output, QWidget* parent);

} // namespace ShownProfilePrinting
