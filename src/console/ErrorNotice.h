// Errors met while the link runs (a picture the disk refused, a fault inside a link cycle),
// shown in a window of their own that never waits for the operator: the link goes on reading
// while it is up, and a shut-down does not stop for it.
#pragma once

#include <QMessageBox>
#include <QStringList>

namespace console {

class ErrorNotice final : public QMessageBox {
public:
    explicit ErrorNotice(QWidget* window);

    // Adds the error, stamped with its time of day, to those shown and brings the notice up
    // without taking the keyboard from the window. The latest few stay; closing the notice
    // clears them.
    void Report(const QString& timeOfDay, const QString& error);
    const QStringList& Shown() const { return lines; }

private:
    QStringList lines;
};

} // namespace console
