#pragma once

#include <functional>
#include <memory>

// The modal window in which the user confirms that the device sits ready on the interface. It
// shows the configured serial port and a picture of the current model; creating it loads it.
class DownloadConfirmDialog {
public:
    using Factory = std::function<std::unique_ptr<DownloadConfirmDialog>()>;

    virtual ~DownloadConfirmDialog() = default;
    // Shows the window modally; returns when it is hidden.
    virtual void showModal() = 0;
    // True only when the last showing was closed with OK.
    virtual bool isOk() const = 0;

    // A new window from the installed factory; RuntimeError 91 when none is installed.
    static std::unique_ptr<DownloadConfirmDialog> create();
    // The program installs its factory at start; tests install a scripted one. An empty factory
    // uninstalls.
    static void installFactory(Factory factory);
};
