#include "DownloadConfirmDialog.h"

#include "RuntimeError.h"

namespace {
DownloadConfirmDialog::Factory& factory() {
    static DownloadConfirmDialog::Factory f;
    return f;
}
} // namespace

std::unique_ptr<DownloadConfirmDialog> DownloadConfirmDialog::create() {
    std::unique_ptr<DownloadConfirmDialog> dialog = factory() ? factory()() : nullptr;
    if (!dialog)
        throw RuntimeError(RuntimeError::ObjectNotSet, QStringLiteral("frmDownloadConfirmDialog"),
                           QStringLiteral("Object variable or With block variable not set"));
    return dialog;
}

void DownloadConfirmDialog::installFactory(Factory f) {
    factory() = std::move(f);
}
