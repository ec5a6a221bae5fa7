// The non-modal error notice of the main window.
#include "console/ErrorNotice.h"

namespace console {

namespace {
// Enough to see a run of different faults; a disk that refuses every file shows one line
// per run anyway.
constexpr qsizetype kShownErrors = 6;
} // namespace

ErrorNotice::ErrorNotice(QWidget* window)
    : QMessageBox(QMessageBox::Critical, QString(), QString(), QMessageBox::Ok, window) {
    setWindowModality(Qt::NonModal);
    // The function keys stay with the window an installer is working in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    connect(this, &QMessageBox::finished, this, [this] { lines.clear(); });
}

void ErrorNotice::Report(const QString& timeOfDay, const QString& error) {
    lines.append(timeOfDay + QLatin1Char(' ') + error);
    if (lines.size() > kShownErrors)
        lines.remove(0, lines.size() - kShownErrors);
    setText(lines.join(QLatin1Char('\n')));
    show();
}

} // namespace console
